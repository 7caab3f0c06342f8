#include "CliRun.h"
#include "DeviceSimProcess.h"
#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kor::cli {
namespace {

using test::CliRun;

const char kSecret[] = "Pw:@ 9/x";

// korctl download and apply against kor-devicesim; the work folder is a temporary one and the
// waits run twenty times faster.
class KorctlDevice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("orgend.ddd")).toStdString();
        qputenv("KOR_WORK_DIR", m_dir.filePath(QStringLiteral("work")).toUtf8());
        qputenv("KOR_WAIT_DIVISOR", "20");
    }
    void TearDown() override
    {
        qunsetenv("KOR_WORK_DIR");
        qunsetenv("KOR_WAIT_DIVISOR");
    }
    bool StartSim(std::vector<std::string> args)
    {
        args.insert(args.end(), {"--user", "root", "--password", kSecret, "--restart-seconds", "0"});
        m_sim = std::make_unique<kor::test::DeviceSimProcess>(args, false);
        if (!m_sim->Start()) {
            ADD_FAILURE() << m_sim->Error();
            return false;
        }
        return AddCamera("5", m_sim->Address(), std::to_string(m_sim->HttpPort()));
    }
    bool AddCamera(const std::string& id, const std::string& ip, const std::string& port)
    {
        const CliRun r =
            Run({"cameras", "add", "--id", id, "--name", "Sim", "--ip", ip, "--port", port, "--user", "root",
                 "--password", kSecret, "--brand", "AXIS", "--model", "DEMO-1"});
        EXPECT_EQ(r.Status, 0) << r.Err;
        return r.Status == 0;
    }
    CliRun Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--database", m_db});
        CliRun r = test::Korctl(args);
        EXPECT_EQ(r.Out.find(kSecret), std::string::npos) << "password printed: " << r.Out;
        EXPECT_EQ(r.Err.find(kSecret), std::string::npos) << "password printed: " << r.Err;
        return r;
    }
    std::string File(const char* name) const
    {
        return m_dir.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir m_dir;
    std::string m_db;
    std::unique_ptr<kor::test::DeviceSimProcess> m_sim;
};

TEST_F(KorctlDevice, DownloadApplyDownloadRoundTrip)
{
    ASSERT_TRUE(StartSim({"--installed"}));
    const std::string sample =
        (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString();
    CliRun r = Run({"apply", "--camera", "5", "--project", sample, "--send-config", "--update-settings"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_NE(r.Out.find("DEMO-1"), std::string::npos) << r.Out;

    r = Run({"download", "--camera", "5", File("first.kma")});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    r = Run({"apply", "--camera", "5", "--project", File("first.kma"), "--send-config"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    r = Run({"download", "--camera", "5", File("second.kma")});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    const std::string first = kor::test::ReadBytes(QString::fromStdString(File("first.kma")));
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(kor::test::ReadBytes(QString::fromStdString(File("second.kma"))), first);
}

TEST_F(KorctlDevice, OpenLoopDecidesRuleOneAsTheWindowDoes)
{
    ASSERT_TRUE(StartSim({"--installed", "--wiring", "open"}));
    const std::string sample =
        (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString();
    const struct
    {
        std::vector<std::string> Extra;
        int Status;
        const char* RuleOne; // header of rule 1 on the camera afterwards; nullptr: not sent
    } cases[] = {
        {{}, 0, "#SSTARTDEF\n"},
        {{"--input-one-as-sensor", "1"}, 0, "#SSTART1\n"},
        {{"--io-check"}, 1, nullptr},
    };
    for (const auto& c : cases) {
        m_sim->WriteDeviceFile("etc/alarm_app", "");
        std::vector<std::string> args{"apply", "--camera", "5", "--project", sample, "--send-config"};
        args.insert(args.end(), c.Extra.begin(), c.Extra.end());
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, c.Status) << r.Out << r.Err;
        const std::string stored = m_sim->ReadDeviceFile("etc/alarm_app");
        if (c.RuleOne)
            EXPECT_NE(stored.find(c.RuleOne), std::string::npos) << stored;
        else
            EXPECT_EQ(stored, "");
    }
}

TEST_F(KorctlDevice, NoCameraAtTheAddress)
{
    ASSERT_TRUE(AddCamera("6", "127.0.0.254", "80"));
    const CliRun r =
        Run({"apply", "--camera", "6", "--project",
             (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString(),
             "--send-config"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Out.find("Error 7 "), std::string::npos) << r.Out;
    EXPECT_NE(r.Err.find("the run ended with an error"), std::string::npos) << r.Err;

    const CliRun d = Run({"download", "--camera", "6", File("none.kma")});
    EXPECT_EQ(d.Status, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File("none.kma"))));
}

TEST_F(KorctlDevice, DownloadWithoutApplicationWritesNothing)
{
    ASSERT_TRUE(StartSim({}));
    const CliRun r = Run({"download", "--camera", "5", File("out.kma")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("korctl: "), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File("out.kma"))));
}

TEST_F(KorctlDevice, OptionsTheScreenWouldNotOffer)
{
    ASSERT_TRUE(AddCamera("7", "127.0.0.254", "80"));
    EXPECT_EQ(Run({"apply", "--camera", "7", "--program-code"}).Status, 2);
    EXPECT_EQ(Run({"apply", "--project", "x.kma"}).Status, 2);
    const CliRun nothing = Run({"apply", "--camera", "7"});
    EXPECT_EQ(nothing.Status, 2);
    EXPECT_NE(nothing.Err.find("say what to do"), std::string::npos) << nothing.Err;
    const CliRun relay =
        Run({"--start", "REMOTE#x#127.0.0.1#900#pw#1#901", "apply", "--camera", "7", "--install"});
    EXPECT_EQ(relay.Status, 1);
    EXPECT_NE(relay.Err.find("relay"), std::string::npos) << relay.Err;
    const CliRun home = Run({"apply", "--camera", "7", "--home", "9"});
    EXPECT_EQ(home.Status, 1);
    EXPECT_NE(home.Err.find("--home"), std::string::npos) << home.Err;
}

} // namespace
} // namespace kor::cli
