#include "ShellFixture.h"

#include "TestSupport.h"

#include "app/Language.h"
#include "app/ui/MainCommands.h"
#include "app/ui/frmmain.h"
#include "device/HttpClient.h"

#include <QPushButton>

#include <stdexcept>

namespace kor::test {
namespace {

class Download : public ShellTest
{
protected:
    // Starts the camera, loads it and builds the window on the help screen of step 0.
    void Prepare(std::vector<std::string> args, const std::string& alarmApp, const std::string& bufferConf)
    {
        StartCamera(std::move(args), alarmApp, bufferConf);
        LoadCamera();
        MakeWindow();
        m_session.Document().InputOneAsSensor = 1;
        m_window->ShowScreen(1);
        m_dialogs.Clear();
    }
};

TEST_F(Download, EveryOutcomeHasItsMessageAndScreen)
{
    using O = DownloadOutcome;
    struct Case
    {
        const char* Name;
        const char* Args; // kor-devicesim's options; "unreachable": nobody answers
        bool WithConfig;
        bool WithSettings;
        const char* Password;
        DownloadOutcome Outcome;
        int Text;
        std::uint8_t Screen;
        bool RulesLoaded;
    };
    const Case cases[] = {
        {"full", "--installed", true, true, "pass", O::Loaded, 190, 2, true},
        {"application not installed (404)", "", true, true, "pass", O::ConfigNotFound, 185, 0, false},
        {"credentials refused (401)", "--installed", true, true, "wrong", O::ConfigUnauthorized, 187, 0,
         false},
        {"camera unreachable", "unreachable", true, true, "pass", O::ConfigUnreachable, 184, 0, false},
        {"no configuration stored", "--installed", false, true, "pass", O::NoConfiguration, 182, 2, false},
        {"no general settings stored", "--installed", true, false, "pass", O::NoGeneralSettings, 188, 1,
         true},
        {"settings program missing (404)", "--installed --fault status=404:/cgi-bin/recordings/getconfig.cgi",
         true, true, "pass", O::SettingsNotFound, 185, 0, true},
        {"settings unreachable", "--installed --fault status=500:/cgi-bin/recordings/getconfig.cgi", true,
         true, "pass", O::SettingsUnreachable, 189, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool unreachable = std::string_view(c.Args) == "unreachable";
        std::vector<std::string> args;
        for (const QString& arg : QString::fromLatin1(c.Args).split(u' ', Qt::SkipEmptyParts))
            args.push_back(arg.toStdString());
        Prepare(unreachable ? std::vector<std::string>() : args,
                c.WithConfig ? ReadBytes(SamplePath()) : std::string(),
                c.WithSettings ? BufferConf() : std::string());
        // Nobody listens on this loopback address: the connection is refused at once.
        PointCamera(unreachable ? "127.0.1.254" : m_sim->Address(), m_sim->HttpPort(), "root", c.Password);
        LoadCamera();
        ConfigDocument& doc = m_session.Document();
        doc.ResetConfig();
        doc.GeneralSettings.SMTPH = "kept.test";
        doc.Saved = true;

        EXPECT_EQ(m_commands->Download(), c.Outcome);
        ASSERT_EQ(m_dialogs.Messages(), QStringList{LangText(c.Text)});
        EXPECT_EQ(m_dialogs.History().back().Title, QStringLiteral("Demo camera"))
            << "titled with the camera";
        EXPECT_EQ(m_window->ScreenIndex(), c.Screen);
        EXPECT_EQ(doc.IsRuleUsed(3), c.RulesLoaded);
        EXPECT_EQ(m_window->findChild<QPushButton*>(QStringLiteral("CmdNext"))->isHidden(), c.Screen != 0);
        if (c.Outcome == O::Loaded) {
            EXPECT_EQ(doc.GeneralSettings.SMTPH, "mail.test");
            EXPECT_TRUE(doc.Saved) << "the document equals what the camera holds";
        } else if (!c.RulesLoaded) {
            EXPECT_EQ(doc.GeneralSettings.SMTPH, "kept.test") << "a failed first fetch leaves the document";
        }
        m_window.reset();
        m_sim->Stop();
    }
}

TEST_F(Download, UnsavedChangesAreAskedAboutFirst)
{
    Prepare({"--installed"}, ReadBytes(SamplePath()), BufferConf());
    ConfigDocument& doc = m_session.Document();
    doc.ResetConfig();
    doc.AddAction(5, ActionRecord{0, "mine", std::string("DISP=1\0", 7), {}, false});
    ASSERT_FALSE(doc.Saved);

    m_dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(m_commands->Download().has_value());
    EXPECT_TRUE(doc.IsRuleUsed(5)) << "cancel keeps the work";
    EXPECT_TRUE(m_sim->Requests().empty()) << "nothing was asked of the camera";
    EXPECT_EQ(m_dialogs.Questions(), QStringList{LangText(180)});

    // No: downloaded without saving. The other answers are the save question's own.
    m_dialogs.Clear();
    m_dialogs.QueueAnswer(Answer::No);
    EXPECT_EQ(m_commands->Download(), DownloadOutcome::Loaded);
    EXPECT_FALSE(doc.IsRuleUsed(5));
}

TEST_F(Download, TheWindowIsDisabledWhileItRuns)
{
    // The camera answers after a while; meanwhile the window shows the notice and takes no command.
    Prepare({"--installed", "--fault", "delay=300:/cgi-bin/recordings/getaapp.cgi"}, ReadBytes(SamplePath()),
            BufferConf());
    m_session.Document().Saved = true;
    bool sawBusy = false;
    const int observer = m_session.OnDeviceBusyChanged([&](bool busy) {
        if (busy)
            sawBusy = !m_window->CommandsEnabled() && m_window->NoticeLoaded() && !m_window->ShowScreen(3);
    });
    EXPECT_EQ(m_commands->Download(), DownloadOutcome::Loaded);
    m_session.RemoveDeviceBusyObserver(observer);
    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(m_window->CommandsEnabled());
}

// A transport that fails in a way nobody planned for.
class ThrowingHttp : public HttpClient
{
public:
    HttpResponse Get(const DeviceUrl&, int) override { throw std::runtime_error("transport broke"); }
    HttpResponse Post(const DeviceUrl&, const std::string&, int) override { return {}; }
};

TEST_F(Download, AnUnexpectedFailureTakesTheCommonEnding)
{
    MakeWindow();
    LoadCamera();
    ThrowingHttp http;
    m_session.Services().Http = &http;
    m_session.Document().Saved = true;
    EXPECT_FALSE(m_commands->Download().has_value());
    EXPECT_EQ(m_dialogs.Messages(), QStringList{LangText(802)}) << "the interrupted command says so";
    EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Exclamation);
    EXPECT_FALSE(m_window->NoticeLoaded());
    EXPECT_TRUE(m_window->CommandsEnabled());
    EXPECT_FALSE(m_session.DeviceBusy());
}

} // namespace
} // namespace kor::test
