#include "SessionFixture.h"

#include "DeviceSimProcess.h"
#include "outside/transport/CurlHttpClient.h"
#include "rules/ui/frmEventos.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

namespace kor {
namespace {

class CatalogueScreen : public test::SessionFixture
{
protected:
    // Chooses with the arrow keys, as a user does.
    void Choose(frmEventos& screen, const char* combo, int index)
    {
        auto* box = Find<QComboBox>(screen, combo);
        for (int n = 0; n < 20 && box->currentIndex() != index; ++n)
            QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
};

// The sources of the camera come from its parameter lists (kor-devicesim on loopback); while it is
// asked, the screen takes no input.
TEST_F(CatalogueScreen, MotionWindowsAndOtherSourcesComeFromTheCamera)
{
    test::DeviceSimProcess sim({"--motion", "0=Entrance,1=Yard,18=Far,19=Never", "--audio", "1",
                                "--tampering", "0", "--temperature", "1"},
                               false);
    ASSERT_TRUE(test::IsOk(sim.Start()));
    UseCamera(sim.Address(), sim.HttpPort(), "root", "pass");
    CurlHttpClient http;
    m_session.Services().Http = &http;
    frmEventos screen(m_session);
    auto* kinds = Find<QComboBox>(screen, "cmbNameSens");
    auto* sources = Find<QComboBox>(screen, "cmbListSens");
    std::vector<bool> usable;
    const int observer = m_session.OnDeviceBusyChanged([&](bool busy) {
        if (!busy)
            return;
        usable.push_back(kinds->isEnabled() || Find<QTreeWidget>(screen, "lvwCargaEventos")->isEnabled());
        QTest::keyClick(kinds, Qt::Key_Down); // refused while the camera is asked
    });
    Choose(screen, "cmbNameSens", 3); // motion detection
    ASSERT_EQ(sources->count(), 4);
    EXPECT_EQ(sources->itemText(1) + u'|' + sources->itemText(3),
              QStringLiteral("Window 1 (Entrance)|Window 19 (Far)"));
    Choose(screen, "cmbNameSens", 4);
    EXPECT_EQ(sources->count(), 2);
    EXPECT_EQ(sources->itemText(1), QStringLiteral("Temperature"));
    m_session.RemoveDeviceBusyObserver(observer);
    EXPECT_EQ(usable, (std::vector<bool>{false, false}));

    sim.Stop(); // a camera that does not answer leaves what is known
    Choose(screen, "cmbNameSens", 3);
    EXPECT_EQ(sources->count(), 1);
    EXPECT_TRUE(m_dialogs.History().empty());
}

} // namespace
} // namespace kor
