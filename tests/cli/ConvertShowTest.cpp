#include "CliRun.h"
#include "cli/Commands.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kor::cli {
namespace {

using test::CliRun;
using test::Korctl;

class KorctlConvertShow : public ::testing::Test
{
protected:
    std::string Path(const char* name) const
    {
        return m_dir.filePath(QString::fromLatin1(name)).toStdString();
    }
    std::string Sample() const
    {
        return (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(KorctlConvertShow, ProjectToUploadAndBackIsLossless)
{
    const std::string upload = Path("alarm_app");
    CliRun r = Korctl({"convert", Sample(), upload, "--to", "alarm_app", "--port", "8080", "--user", "root",
                       "--password", "p:w@d", "--mac", "00:40:8C:12:34:56", "--brand", "AXIS"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string bytes = kor::test::ReadBytes(QString::fromStdString(upload));
    EXPECT_EQ(bytes.rfind("#USR=root;PWD=p:w@d;PORT=8080;MAC=00:40:8C:12:34:56;BRAND=AXIS;\n#SSTART1\n", 0),
              0u);
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "upload files use LF only";

    // The demo has no rule with mixed type order issues in rule 1, so the project comes back equal.
    r = Korctl({"convert", upload, Path("back.kma")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Korctl({"convert", Sample(), Path("same.kma")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(kor::test::ReadBytes(QString::fromStdString(Path("same.kma"))),
              kor::test::ReadBytes(QString::fromStdString(Sample())));
}

TEST_F(KorctlConvertShow, InputOneAsSensorZeroWritesTheDefaultRule)
{
    const CliRun r =
        Korctl({"convert", Sample(), Path("alarm_app"), "--to", "alarm_app", "--input-one-as-sensor", "0"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(kor::test::ReadBytes(QString::fromStdString(Path("alarm_app"))).find("\n#SSTARTDEF\n"),
              std::string::npos);
}

TEST_F(KorctlConvertShow, ShowListsRulesActionsAndMasksPasswords)
{
    CliRun r = Korctl({"show", Sample()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Rule 3 SIMD3"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Rule 100 OTHC100"), std::string::npos);
    EXPECT_NE(r.Out.find("Mon 00:00-06:00 18:00-23:59"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Detector: BC=5 S=11111111 MSK=100000"), std::string::npos);
    EXPECT_EQ(r.Out.find("ftp-secret"), std::string::npos);

    r = Korctl({"show", Sample(), "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.find("ftp-secret"), std::string::npos);
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(r.Out)).object();
    const QJsonArray rules = root.value(QStringLiteral("rules")).toArray();
    ASSERT_EQ(rules.size(), 3);
    EXPECT_EQ(rules[1].toObject().value(QStringLiteral("tag")).toString(), QStringLiteral("SIMD3"));
    const QJsonObject light = rules[1].toObject().value(QStringLiteral("actions")).toArray()[0].toObject();
    EXPECT_EQ(light.value(QStringLiteral("time_table"))
                  .toObject()
                  .value(QStringLiteral("Sun"))
                  .toArray()[0]
                  .toString(),
              QStringLiteral("00:00-23:59"));
    EXPECT_EQ(root.value(QStringLiteral("general")).toObject().value(QStringLiteral("CIDHEAD")).toString(),
              QStringLiteral("5000"));
}

TEST_F(KorctlConvertShow, Windows1252TextReachesTheTerminalAsUtf8)
{
    kor::test::WriteBytes(QString::fromStdString(Path("accents.kma")),
                          "#SSTART2\r\n#ACTION=Port\xf3n \x80;TP=0;PARAMS=;TT=;\r\n");
    const CliRun r = Korctl({"show", Path("accents.kma")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Port\xc3\xb3n \xe2\x82\xac"), std::string::npos) << r.Out;
}

TEST_F(KorctlConvertShow, BadInputFailsClearlyAndWritesNothing)
{
    kor::test::WriteBytes(QString::fromStdString(Path("binary.kma")), std::string("\x7f"
                                                                                  "ELF\x02\x01\x01\0\0\0",
                                                                                  10));
    kor::test::WriteBytes(QString::fromStdString(Path("toobig.kma")),
                          "#SSTART1\r\n#ACTION=a;\r\n#GENERAL;FS=300;\r\n");
    kor::test::WriteBytes(QString::fromStdString(Path("prose.txt")),
                          "Dear customer,\nthis is not a configuration.\n");
    struct Case
    {
        std::string in;
        std::string mention;
    };
    const Case cases[] = {
        {Path("missing.kma"), "no such file"},   {m_dir.path().toStdString(), "folder"},
        {Path("binary.kma"), "binary"},          {Path("toobig.kma"), "line 3"},
        {Path("prose.txt"), "no configuration"},
    };
    for (const Case& c : cases) {
        for (const char* command : {"convert", "show"}) {
            std::vector<std::string> args{command, c.in};
            if (std::string(command) == "convert")
                args.push_back(Path("out.kma"));
            const CliRun r = Korctl(args);
            EXPECT_EQ(r.Status, 1) << command << " " << c.in;
            EXPECT_NE(r.Err.find(c.in), std::string::npos) << r.Err;
            EXPECT_NE(r.Err.find(c.mention), std::string::npos) << r.Err;
            EXPECT_TRUE(r.Out.empty());
        }
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("out.kma"))));

    const CliRun r = Korctl({"convert", Sample(), Path("no/such/dir/out.kma")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("cannot write"), std::string::npos) << r.Err;
}

TEST_F(KorctlConvertShow, UsageErrorsExitWithTwoAndHelpWithZero)
{
    const std::vector<std::vector<std::string>> usage = {
        {},
        {"frobnicate"},
        {"convert", Sample()},
        {"convert", Sample(), Path("a"), Path("b")},
        {"convert", Sample(), Path("out.txt")},
        {"convert", Sample(), Path("x.kma"), "--to", "zip"},
        {"convert", Sample(), Path("x.kma"), "--port", "eighty"},
        {"convert", Sample(), Path("x.kma"), "--input-one-as-sensor", "2"},
        {"convert", Sample(), Path("x.kma"), "--port"},
        {"show", Sample(), "--bogus"},
        {"show", Sample(), "--json=yes"},
        {"show"},
    };
    for (const auto& args : usage) {
        const CliRun r = Korctl(args);
        EXPECT_EQ(r.Status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(r.Err.find("Usage: korctl"), std::string::npos) << r.Err;
    }
    CliRun r = Korctl({"show", "--version"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_TRUE(r.Out.starts_with("korctl ") && r.Out.ends_with("\n")) << r.Out;
    r = Korctl({"--help"});
    EXPECT_EQ(r.Status, 0);
    for (const CommandSpec& command : AllCommands()) {
        EXPECT_NE(r.Out.find(command.Name), std::string::npos);
        r = Korctl({command.Name, "--help"});
        EXPECT_EQ(r.Status, 0) << command.Name;
        EXPECT_NE(r.Out.find("Usage: korctl " + command.Name), std::string::npos);
        r = Korctl({"--help"});
    }
}

TEST_F(KorctlConvertShow, JsonRoundTripAndCheckExitStatus)
{
    CliRun r = Korctl({"convert", Sample(), Path("demo.json")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Korctl({"convert", Path("demo.json"), Path("back.kma")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(kor::test::ReadBytes(QString::fromStdString(Path("back.kma"))),
              kor::test::ReadBytes(QString::fromStdString(Sample())));

    kor::test::WriteBytes(QString::fromStdString(Path("clean.kma")),
                          "#SSTART3\r\n#ACTION=U;TP=6;PARAMS=;TT=;\r\n#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;\n\r\n");
    r = Korctl({"check", Path("clean.kma")});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out, "No findings.\n");
    kor::test::WriteBytes(QString::fromStdString(Path("mail.kma")),
                          "#SSTART3\r\n#ACTION=Tell;TP=7;PARAMS=;TT=;\r\n#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;\n\r\n");
    r = Korctl({"check", Path("mail.kma"), "--json"});
    EXPECT_EQ(r.Status, 1);
    const QJsonArray findings =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.Out)).object().value(QStringLiteral("findings")).toArray();
    ASSERT_EQ(findings.size(), 1) << r.Out;
    EXPECT_EQ(findings[0].toObject().value(QStringLiteral("code")).toString(), QStringLiteral("mail-server-empty"));
    EXPECT_EQ(findings[0].toObject().value(QStringLiteral("rule")).toInt(), 3);
}

} // namespace
} // namespace kor::cli
