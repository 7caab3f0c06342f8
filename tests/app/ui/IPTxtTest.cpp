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
    // One typed line through the key handler: a blank or "." jumps, other characters are dropped,
    // a full box goes on into the next.
    box(0)->setFocus();
    for (const char* k = "10 0.x1234"; *k; ++k)
        QTest::keyClick(QApplication::focusWidget(), *k);
    EXPECT_EQ(ip->IPtext(), QStringLiteral("10.0.123.4"));
    EXPECT_EQ(QApplication::focusWidget(), box(3));
    box(1)->setCursorPosition(0);
    box(1)->setFocus();
    QTest::keyClick(box(1), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), box(0)) << "Left at the start crosses to the box before";
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
