#include "SessionFixture.h"

#include "DeviceSimProcess.h"
#include "outside/transport/CurlHttpClient.h"
#include "rules/ui/frmEventos.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>
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
    static QStringList Column(QTreeWidget* list, int column)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(column);
        return texts;
    }
};

TEST_F(CatalogueScreen, ChooseAddAndRemoveASource)
{
    Doc().AddAction(100, ActionRecord{});
    frmEventos screen(m_session);
    screen.resize(700, 400);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    auto* list = Find<QTreeWidget>(screen, "lvwCargaEventos");
    auto* add = Find<QToolButton>(screen, "imgBajar");
    EXPECT_EQ(add->text(), QStringLiteral("Add")) << "the add command says what it does";

    Choose(screen, "cmbNameSens", 0); // digital inputs
    Choose(screen, "cmbListSens", 2); // input 3
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton); // listed already: nothing
    EXPECT_EQ(Column(list, 1), test::Strings({"Audio", "Input 3"}));

    // A double click opens the source's rule list: the typical road goes that way.
    m_session.SetTaskListDirty(false);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    QTest::mouseClick(Find<QToolButton>(screen, "imgDel"), Qt::LeftButton);
    EXPECT_EQ(Column(list, 1), test::Strings({"Input 3"}));
    EXPECT_FALSE(Doc().IsRuleUsed(100));
    EXPECT_TRUE(m_session.TaskListDirty());
}

// The sources of the camera come from its parameter lists (kor-devicesim on loopback); while it is
// asked, the screen takes no input.
TEST_F(CatalogueScreen, MotionWindowsAndOtherSourcesComeFromTheCamera)
{
    test::DeviceSimProcess sim({"--motion", "0=Entrance,1=Yard,18=Far,19=Never", "--audio", "1",
                                "--tampering", "0", "--temperature", "1"},
                               false);
    ASSERT_TRUE(sim.Start()) << sim.Error();
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
