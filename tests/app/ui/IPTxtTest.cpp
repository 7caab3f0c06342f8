#include "app/ui/IPTxt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kor {
namespace {

// The control as a user types into it; the key rules themselves are IpCharacterKey's.
TEST(IPTxtTest, TypingArrowsAndTheLook)
{
    QWidget window;
    auto* ip = new IPTxt(&window);
    (new QVBoxLayout(&window))->addWidget(ip);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto box = [&](int i) { return window.findChild<QLineEdit*>(QStringLiteral("TxtIp%1").arg(i)); };
    auto type = [](const char* keys) {
        for (const char* k = keys; *k; ++k)
            QTest::keyClick(QApplication::focusWidget(), *k);
    };
    struct Case
    {
        const char* Keys;
        const char* Address;
        int Focus;
    };
    const Case cases[] = {
        {"192168", "192.168.0.0", 1},  // the fourth digit goes on into the next box
        {"10 0.0.x7.", "10.0.0.7", 3}, // a blank or "." jumps, other characters are dropped
        {"2561", "251.0.0.0", 0},      // 256 is refused
    };
    for (const Case& c : cases) {
        ip->Clear();
        box(0)->setFocus();
        type(c.Keys);
        EXPECT_EQ(ip->IPtext(), QLatin1String(c.Address)) << c.Keys;
        EXPECT_EQ(QApplication::focusWidget(), box(c.Focus)) << c.Keys;
    }
    box(1)->setCursorPosition(0);
    box(1)->setFocus();
    QTest::keyClick(box(1), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), box(0)) << "Left at the start crosses to the box before";
    QTest::keyClick(box(0), Qt::Key_Backspace);
    EXPECT_EQ(box(0)->text(), QStringLiteral("25"));

    ip->SetIPtext(QStringLiteral("77"));
    EXPECT_EQ(ip->IPtext(), QStringLiteral("25.0.0.77")) << "without a dot only the last box changes";
    ip->Clear();
    EXPECT_TRUE(ip->IsEmpty());

    // One framed field: white when enabled; disabled, the boxes and the dots grey out with it.
    EXPECT_EQ(box(0)->palette().color(QPalette::Base), QColor(Qt::white));
    ip->setProperty("Enabled", false);
    const QColor face = ip->palette().color(QPalette::Active, QPalette::Button);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(box(i)->isEnabled()) << i;
        EXPECT_EQ(box(i)->palette().color(QPalette::Base), face) << i;
    }
    for (const QLabel* dot : ip->findChildren<QLabel*>())
        EXPECT_FALSE(dot->isEnabled());
}

} // namespace
} // namespace kor
