#include "EditorHarness.h"

#include "actions/ui/frmMail.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace kor {
namespace {

class MailEditor : public test::EditorHarness
{};

TEST_F(MailEditor, RecipientsAndLinesAreEncodedAndReopenDecoded)
{
    auto editor = Open<frmMail>(ActMail, 9, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("E-mail"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString()) << "no default description";
    QTest::keyClicks(Find<QLineEdit>(*editor, "txtTo"), QStringLiteral("a@x.es; b@x.es"));
    QTest::keyClicks(Find<QLineEdit>(*editor, "txtCC"), QStringLiteral("c@x.es"));
    QTest::keyClicks(Find<QLineEdit>(*editor, "txtSubject"), QStringLiteral("Alarm; hall"));
    auto* message = Find<QPlainTextEdit>(*editor, "txtMsg");
    message->setFocus();
    QTest::keyClicks(message, QStringLiteral("Door open"));
    QTest::keyClick(message, Qt::Key_Return);
    message->insertPlainText(QString::fromUtf8("Revisi\xC3\xB3n"));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(9), 1);
    EXPECT_EQ(Doc().Action(9, 0)->Type, ActMail);
    EXPECT_EQ(test::Visible(Doc().Action(9, 0)->Params),
              test::Visible(Params(
                  "TO=a@x.es  b@x.es$CC=c@x.es$SUBJECT=Alarm; hall$MSG=Door open<ipncr>Revisi\xF3n$")));

    auto reopened = Open<frmMail>(ActMail, 9, 0);
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtTo")->text(), QStringLiteral("a@x.es;;b@x.es"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtCC")->text(), QStringLiteral("c@x.es"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtSubject")->text(), QStringLiteral("Alarm; hall"));
    EXPECT_EQ(Find<QPlainTextEdit>(*reopened, "txtMsg")->toPlainText(),
              QString::fromUtf8("Door open\nRevisi\xC3\xB3n"));
    Click(*reopened, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(9, 0)->Params),
              test::Visible(
                  Params("TO=a@x.es  b@x.es$CC=c@x.es$SUBJECT=Alarm; hall$MSG=Door open<ipncr>Revisi\xF3n$")))
        << "reopening and confirming changes nothing";
}

TEST_F(MailEditor, EveryLineBreakOfTheBoxIsStoredEncoded)
{
    // Pasted text may carry a lone CR or LF; a line break in the file would cut the action.
    auto editor = Open<frmMail>(ActMail, 9, -1);
    Find<QPlainTextEdit>(*editor, "txtMsg")->setPlainText(QStringLiteral("a\nb\r\nc\rd"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(9, 0)->Params),
              test::Visible(Params("TO=$CC=$SUBJECT=$MSG=a<ipncr>b<ipncr>c<ipncr>d$")));
}

TEST_F(MailEditor, AnEmptyActionStoresTheFourKeys)
{
    auto editor = Open<frmMail>(ActMail, 9, -1);
    Click(*editor, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(9, 0)->Params), test::Visible(Params("TO=$CC=$SUBJECT=$MSG=$")));
}

} // namespace
} // namespace kor
