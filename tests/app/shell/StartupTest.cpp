#include "ShellFixture.h"

#include "TestSupport.h"

#include "app/Language.h"
#include "app/LocalSettings.h"
#include "app/ProgramArguments.h"
#include "app/ui/MainCommands.h"
#include "app/ui/MainLoad.h"
#include "app/ui/frmmain.h"
#include "device/HttpClient.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"

#include <QDir>

namespace kor::test {
namespace {

// Every request runs out of time.
class TimingOutHttp : public HttpClient
{
public:
    HttpResponse Get(const DeviceUrl&, int) override { return Timeout(); }
    HttpResponse Post(const DeviceUrl&, const std::string&, int) override { return Timeout(); }
    int Requests = 0;

private:
    HttpResponse Timeout()
    {
        ++Requests;
        HttpResponse response;
        response.Error = kRequestTimeoutError;
        response.ErrorText = "timed out";
        return response;
    }
};

class Startup : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        // The start-up opens the database again and loads the language itself.
        FreeLanguage();
    }

    // Points camera 0 at a camera nobody answers for, of a model without the input/output
    // capability: the start-up needs no detector check and the download fails at once.
    void QuietCamera()
    {
        ModelRecord model;
        model.ModelName = "NO-IO";
        model.ModelFolderName = "DEMO-1";
        model.InputOutput = false;
        ASSERT_TRUE(IsOk(ModelTable::Add(m_session.Connection(), model)));
        ChangeCamera([](CameraRecord& camera) {
            camera.ModelName = "NO-IO";
            camera.IpAddress = "127.0.1.254";
        });
    }

    bool Run(const std::string& commandLine = std::string())
    {
        MakeWindow();
        m_load = std::make_unique<MainLoad>(*m_window, m_session, *m_commands);
        m_load->SetCameraChoice([this](const QString& why) -> std::optional<std::int16_t> {
            m_why << why;
            if (m_choices.empty())
                return std::nullopt;
            const std::int16_t id = m_choices.front();
            m_choices.erase(m_choices.begin());
            return id;
        });
        ProgramArguments arguments;
        arguments.CommandLine = commandLine;
        arguments.DatabasePath = DatabasePath();
        LocalSettings settings(m_dir.filePath(QStringLiteral("settings")));
        const bool started = m_load->Run(arguments, settings);
        if (!started)
            MainLoad::Unload(m_session);
        return started;
    }

    std::unique_ptr<MainLoad> m_load;
    std::vector<std::int16_t> m_choices;
    QStringList m_why;
};

TEST_F(Startup, ChecksTheDetectorLoopAndDownloads)
{
    StartCamera({"--installed"}, ReadBytes(SamplePath()), BufferConf());
    ASSERT_TRUE(Run());
    EXPECT_TRUE(m_load->CheckedDetectorLoop());
    const ConfigDocument& doc = m_session.Document();
    EXPECT_EQ(doc.InputOneAsSensor, 1) << "the simulated detector answers on input 1";
    EXPECT_TRUE(doc.IsRuleUsed(3)) << "downloaded; the outcomes are the download's own";
    EXPECT_TRUE(m_dialogs.Questions().isEmpty());
    EXPECT_EQ(m_window->Caption(),
              LangText(174) + QStringLiteral(" Demo camera ") + QString::fromStdString(m_sim->Address()));
    EXPECT_EQ(LanguageCode(), QStringLiteral("en")) << "the language the companion database marks active";
    bool stopped = false;
    for (const auto& request : m_sim->Requests())
        stopped = stopped || request.path == "/cgi-bin/recordings/stopchkiod.cgi";
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(QDir(m_session.Services().WorkFolder).exists(QStringLiteral("Gen")));
}

TEST_F(Startup, WithoutALoopAnswerTheUserDecides)
{
    StartCamera({"--installed", "--wiring", "open"}, ReadBytes(SamplePath()), BufferConf());
    m_dialogs.QueueAnswer(Answer::No);
    ASSERT_TRUE(Run());
    ASSERT_EQ(m_dialogs.Questions(), QStringList{LangText(176) + u'\n' + LangText(177)});
    EXPECT_EQ(m_dialogs.History().front().Title, LangText(178));
    EXPECT_EQ(m_session.Document().InputOneAsSensor, 0);
}

TEST_F(Startup, ALoopCheckTimeOutEndsTheStartUp)
{
    TimingOutHttp http;
    m_session.Services().Http = &http;
    PointCamera("127.0.1.254", 80);
    EXPECT_FALSE(Run());
    EXPECT_FALSE(m_session.Connection().IsOpen()) << "the unload handler closed the connection";
    EXPECT_EQ(LanguageCode(), QString()) << "and released the language";
    ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
    const auto& history = m_dialogs.History();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].Text, LangText(827));
    EXPECT_EQ(history[0].Title, LangText(178));
    EXPECT_EQ(history[0].Icon, MessageIcon::Critical);
    EXPECT_EQ(http.Requests, 1) << "the stop request timed out; no download followed";
}

// The start command line reaches the start values; a number that does not read ends the start-up
// without a message of its own. The parsing itself is StartCommandLine's.
TEST_F(Startup, CommandLines)
{
    QuietCamera();
    const std::pair<const char*, bool> cases[] = {{"REMOTE#a#b#900#q#0#901$CAMID#0", true},
                                                  {"REMOTE#a#b", false}};
    for (const auto& [commandLine, starts] : cases) {
        SCOPED_TRACE(commandLine);
        m_dialogs.Clear();
        EXPECT_EQ(Run(commandLine), starts);
        EXPECT_TRUE(m_session.Start().RemoteMode);
        EXPECT_TRUE(starts || m_dialogs.History().empty()) << "no message of its own";
        m_window.reset();
        m_session.Start() = StartValues();
    }
}

TEST_F(Startup, AnUnusableCameraOpensTheChooser)
{
    QuietCamera();
    CameraRecord other;
    other.Id = 3;
    other.DisplayName = "Yard";
    other.IpAddress = "127.0.1.254";
    other.Brand = "AXIS";
    other.ModelName = "NO-IO";
    ASSERT_TRUE(IsOk(CameraTable::Add(m_session.Connection(), other)));

    struct Case
    {
        const char* Name;
        std::function<void(CameraRecord&)> Break;
        int Text;
        const char* Detail; // each thing said once: only what the text cannot know
    };
    const Case cases[] = {
        {"brand", [](CameraRecord& c) { c.Brand = "CANON"; }, 1143, "\n(\"CANON\")"},
        {"address", [](CameraRecord& c) { c.IpAddress.clear(); }, 1144, ""},
        {"model", [](CameraRecord& c) { c.ModelName = "UNKNOWN"; }, 1142, "\n(\"UNKNOWN\")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ChangeCamera(c.Break);
        m_why.clear();
        m_choices = {3};
        ASSERT_TRUE(Run());
        ASSERT_EQ(m_why.size(), 1);
        EXPECT_EQ(m_why[0].toStdString(), (LangText(c.Text) + QString::fromLatin1(c.Detail)).toStdString());
        EXPECT_EQ(m_session.Camera().DisplayName(), "Yard");
        EXPECT_EQ(m_session.Start().CameraId, 3);
        m_window.reset();
        ChangeCamera([](CameraRecord& camera) {
            camera.Brand = "AXIS";
            camera.IpAddress = "127.0.1.254";
            camera.ModelName = "NO-IO";
        });
    }

    // Giving up in the chooser ends the start-up.
    ChangeCamera([](CameraRecord& c) { c.Brand = "CANON"; });
    m_choices.clear();
    m_why.clear();
    EXPECT_FALSE(Run());
    EXPECT_EQ(m_why.size(), 1);
}

TEST_F(Startup, ADatabaseThatCannotBeOpenedIsReported)
{
    const QString folder = m_dir.filePath(QStringLiteral("a-folder"));
    QDir().mkpath(folder);
    MakeWindow();
    MainLoad load(*m_window, m_session, *m_commands);
    ProgramArguments arguments;
    arguments.DatabasePath = folder;
    LocalSettings settings(m_dir.filePath(QStringLiteral("settings")));
    EXPECT_FALSE(load.Run(arguments, settings));
    ASSERT_EQ(m_dialogs.History().size(), 1u);
    EXPECT_EQ(m_dialogs.History()[0].Icon, MessageIcon::Critical);
}

} // namespace
} // namespace kor::test
