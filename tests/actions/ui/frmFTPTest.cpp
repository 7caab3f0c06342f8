#include "EditorHarness.h"

#include "actions/ui/frmFTP.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace kor {
namespace {

class FtpEditor : public test::EditorHarness
{};

const char* const kFields[] = {"txtHost", "TxtPort", "txtUser", "txtPassword", "txtRemoteDir", "txtBaseName"};

TEST_F(FtpEditor, AllEmptyIsStoredWithTheSixKeys)
{
    auto editor = Open<frmFTP>(ActFtp, 100, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("FTP upload"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString()) << "no default description";
    for (const char* name : kFields)
        EXPECT_TRUE(Find<QLineEdit>(*editor, name)->text().isEmpty()) << name;
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(100), 1);
    EXPECT_EQ(Doc().Action(100, 0)->Type, 8);
    EXPECT_EQ(test::Visible(Doc().Action(100, 0)->Params),
              test::Visible(Params("HOST=$PORT=$USER=$PWD=$RD=$PRFX=$")));
}

TEST_F(FtpEditor, FieldsAreFreeTextStoredAsTypedAndReopened)
{
    auto editor = Open<frmFTP>(ActFtp, 100, -1);
    const char* const typed[] = {" ftp.example.invalid", "2x1", "cam era", "p;w$", "/alarms/", "door-"};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        QTest::keyClicks(Find<QLineEdit>(*editor, kFields[i]), QLatin1String(typed[i]));
    Click(*editor, "CmdAdd");
    using namespace std::string_literals;
    const std::string expected = "HOST= ftp.example.invalid\0PORT=2x1\0USER=cam era\0PWD=p;w$\0RD=/alarms/\0"
                                 "PRFX=door-\0"s;
    EXPECT_EQ(test::Visible(Doc().Action(100, 0)->Params), test::Visible(expected));

    Doc().ReplaceAction(100, 0, [] {
        ActionRecord record;
        record.Type = ActFtp;
        record.Name = "Pictures";
        record.Params = Params("HOST=h$USER=u$RD=/r$");
        return record;
    }());
    auto reopened = Open<frmFTP>(ActFtp, 100, 0);
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtHost")->text(), QStringLiteral("h"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "TxtPort")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtRemoteDir")->text(), QStringLiteral("/r"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtBaseName")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>(*reopened, "TxtDesc")->text(), QStringLiteral("Pictures"));
}

} // namespace
} // namespace kor
