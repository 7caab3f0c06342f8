#include "app/ui/IPTxt.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kor {
namespace {

class IPTxtTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        new QVBoxLayout(&m_window);
        m_ip = new IPTxt(&m_window);
        m_window.layout()->addWidget(m_ip);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        Box(0)->setFocus();
    }

    QLineEdit* Box(int i) const { return m_window.findChild<QLineEdit*>(QStringLiteral("TxtIp%1").arg(i)); }

    // Types as a user does: each key goes to whichever box has the focus.
    void Type(const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            QTest::keyClick(QApplication::focusWidget(), *k);
    }

    void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    void Fill(const char* b0, const char* b1, const char* b2, const char* b3)
    {
        for (int i = 0; i < 4; ++i)
            Box(i)->setText(
                QString::fromLatin1(std::array<const char*, 4>{b0, b1, b2, b3}[static_cast<std::size_t>(i)]));
    }

    // The box with the focus, and the caret in it.
    int FocusBox() const
    {
        for (int i = 0; i < 4; ++i) {
            if (Box(i)->hasFocus())
                return i;
        }
        return -1;
    }

    QStringList Boxes() const
    {
        QStringList texts;
        for (int i = 0; i < 4; ++i)
            texts << Box(i)->text();
        return texts;
    }

    QWidget m_window;
    IPTxt* m_ip = nullptr;
};

TEST_F(IPTxtTest, FourNamedBoxesAtAFixedSize)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(Box(i), nullptr) << i;
    const QSize fixed = m_ip->size();
    EXPECT_EQ(fixed.height(), 22);
    EXPECT_GE(fixed.width(), 105);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(Box(i)->width(), Box(i)->fontMetrics().horizontalAdvance(QStringLiteral("255")))
            << "box " << i << " shows three digits whole";
    }
    m_ip->resize(300, 80);
    EXPECT_EQ(m_ip->size(), fixed) << "resizing snaps back";
    EXPECT_EQ(m_ip->IPtext(), QStringLiteral("0.0.0.0"));
    EXPECT_TRUE(m_ip->IsEmpty());
}

TEST_F(IPTxtTest, TypingMovesOnByItself)
{
    struct Case
    {
        const char* Keys;
        std::array<const char*, 4> Boxes;
        int Focus;
    };
    const Case cases[] = {
        {"192168", {"192", "168", "", ""}, 1},  // the fourth digit goes on into the next box
        {"10.1.2.3", {"10", "1", "2", "3"}, 3}, // "." jumps
        {"10 0 0 7", {"10", "0", "0", "7"}, 3}, // so does a blank
        {"1.2.3.4.", {"1", "2", "3", "4"}, 3},  // a dot in the last box is swallowed
        {"255255255255", {"255", "255", "255", "255"}, 3},
        {"2552552552559", {"255", "255", "255", "255"}, 3}, // the last box takes no fourth digit
        {"256", {"25", "", "", ""}, 0},                     // 256 is refused
        {"999", {"99", "", "", ""}, 0},
        {"1a-b,2", {"12", "", "", ""}, 0}, // other characters are discarded
        {"..1", {"", "", "1", ""}, 2},
    };
    for (const Case& c : cases) {
        Fill("", "", "", "");
        Box(0)->setFocus();
        Type(c.Keys);
        QStringList expected;
        for (const char* b : c.Boxes)
            expected << QString::fromLatin1(b);
        EXPECT_EQ(Boxes(), expected) << c.Keys;
        EXPECT_EQ(FocusBox(), c.Focus) << c.Keys;
    }
    Fill("", "", "", "");
    Box(0)->setFocus();
    Type("192168");
    EXPECT_EQ(m_ip->IPtext(), QStringLiteral("192.168.0.0"));
}

TEST_F(IPTxtTest, The255RuleHoldsWhereverTheDigitGoes)
{
    Fill("25", "", "", "");
    Box(0)->setFocus();
    Box(0)->setCursorPosition(2);
    Type("5");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("255"));
    Box(0)->setText(QStringLiteral("25"));
    Box(0)->setCursorPosition(2);
    Type("6");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("25"));

    // In front of the digits: 925 would be above 255.
    Box(0)->setCursorPosition(0);
    Type("9");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("25"));
    Type("1");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("125"));

    // A selected box is typed over.
    Box(0)->selectAll();
    Type("7");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("7"));

    // A full box passes the digit on only when the next box stays an octet.
    Fill("192", "26", "", "");
    Box(0)->setFocus();
    Box(0)->setCursorPosition(3);
    Type("9");
    EXPECT_EQ(Box(1)->text(), QStringLiteral("26"));
    EXPECT_EQ(FocusBox(), 1);
    Fill("192", "2", "", "");
    Box(0)->setFocus();
    Box(0)->setCursorPosition(3);
    Type("9");
    EXPECT_EQ(Box(1)->text(), QStringLiteral("29"));
    EXPECT_EQ(Box(1)->cursorPosition(), 2);
    Fill("192", "168", "", "");
    Box(0)->setFocus();
    Box(0)->setCursorPosition(3);
    Type("1");
    EXPECT_EQ(Box(1)->text(), QStringLiteral("168")) << "a full next box takes nothing";
    EXPECT_EQ(FocusBox(), 1);
}

TEST_F(IPTxtTest, BackspaceAndArrowsAtTheEdges)
{
    Fill("10", "20", "30", "40");
    Box(1)->setFocus();
    Box(1)->setCursorPosition(2);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Box(1)->text(), QStringLiteral("2"));
    EXPECT_EQ(FocusBox(), 1) << "backspace stays in its box";

    Box(1)->setCursorPosition(0);
    Press(Qt::Key_Left);
    EXPECT_EQ(FocusBox(), 0);
    Box(0)->setCursorPosition(0);
    Press(Qt::Key_Left);
    EXPECT_EQ(FocusBox(), 0) << "no box before the first";

    Box(0)->setCursorPosition(2);
    Press(Qt::Key_Right);
    EXPECT_EQ(FocusBox(), 1) << "caret at position 2 crosses to the next box";
    Box(1)->setText(QStringLiteral("5"));
    Box(1)->setCursorPosition(1);
    Press(Qt::Key_Right);
    EXPECT_EQ(FocusBox(), 1) << "only position 2 crosses";
    Box(3)->setFocus();
    Box(3)->setCursorPosition(2);
    Press(Qt::Key_Right);
    EXPECT_EQ(FocusBox(), 3) << "no box after the last";
}

TEST_F(IPTxtTest, ReadAndWriteTheAddress)
{
    m_ip->SetIPtext(QStringLiteral("10.1.2.3"));
    EXPECT_EQ(m_ip->IPtext(), QStringLiteral("10.1.2.3"));
    EXPECT_FALSE(m_ip->IsEmpty());
    m_ip->SetIPtext(QStringLiteral("77"));
    EXPECT_EQ(Boxes(), (QStringList{QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("2"),
                                    QStringLiteral("77")}))
        << "without a dot only the last box changes";
    Fill("007", "abc", "", "300");
    EXPECT_EQ(m_ip->IPtext(), QStringLiteral("7.0.0.300"));
    m_ip->Clear();
    EXPECT_EQ(Boxes(), (QStringList{QString(), QString(), QString(), QString()}));
    EXPECT_TRUE(m_ip->IsEmpty());
    EXPECT_EQ(m_ip->property("IPtext").toString(), QStringLiteral("0.0.0.0"));
}

TEST_F(IPTxtTest, EnabledGreysAllBoxes)
{
    EXPECT_TRUE(m_ip->Enabled());
    const QColor face = m_ip->palette().color(QPalette::Active, QPalette::Button);
    m_ip->SetEnabled(false);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Box(i)->isEnabled()) << i;
        EXPECT_EQ(Box(i)->palette().color(QPalette::Base), face) << i;
    }
    m_ip->setProperty("Enabled", true);
    EXPECT_TRUE(m_ip->Enabled());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Box(i)->isEnabled()) << i;
        EXPECT_EQ(Box(i)->palette().color(QPalette::Base), QColor(Qt::white)) << i;
    }
}

} // namespace
} // namespace kor
