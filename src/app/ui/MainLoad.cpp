#include "app/ui/MainLoad.h"

#include "app/AppPaths.h"
#include "app/AppSession.h"
#include "app/ClientDatabase.h"
#include "app/DeviceJob.h"
#include "app/Language.h"
#include "app/LocalSettings.h"
#include "app/MainForm.h"
#include "app/StartCamera.h"
#include "app/StartCommandLine.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/CameraChooser.h"
#include "app/ui/MainCommands.h"
#include "app/ui/frmmain.h"
#include "config/SaveFile.h"
#include "device/DetectorLoop.h"
#include "device/StartDecisions.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace kor {

namespace {

// "Language library error." goes through the session's dialogs like every other message.
class DialogLanguageErrors : public LanguageErrorSink
{
public:
    explicit DialogLanguageErrors(UserDialogs& dialogs) : m_dialogs(dialogs) {}
    void ShowLanguageError(const QString& message) override
    {
        m_dialogs.Message(MessageIcon::Critical, QStringLiteral("Kor Manager"), message);
    }

private:
    UserDialogs& m_dialogs;
};

} // namespace

MainLoad::MainLoad(frmmain& window, AppSession& session, MainCommands& commands)
    : m_window(window), m_session(session), m_commands(commands)
{
    m_choice = [this](const QString& why) -> std::optional<std::int16_t> {
        CameraChooser chooser(m_session, why, &m_window);
        if (chooser.exec() != QDialog::Accepted)
            return std::nullopt;
        return chooser.ChosenId();
    };
}

bool MainLoad::Fail(const std::string& reason)
{
    if (!reason.empty())
        std::fprintf(stderr, "kormanager: %s\n", reason.c_str());
    m_window.UnloadNotice();
    return false;
}

bool MainLoad::Run(const ProgramArguments& arguments, LocalSettings& settings)
{
    m_window.SetCommandsEnabled(false);

    StartValues& start = m_session.Start();
    if (const Status read = ApplyStartCommandLine(arguments.CommandLine, start); read.failed())
        return Fail(read.reason());

    ConfigDocument& doc = m_session.Document();
    if (!OpenLocalData(arguments, settings))
        return false;

    // The help text of step 0 while the rest of the start-up runs.
    m_window.ShowScreen(0);
    QApplication::processEvents();

    DialogLanguageErrors languageErrors(m_session.Dialogs());
    if (LoadLanguage(m_session.Connection().Database(), languageErrors).failed())
        return Fail(std::string());
    doc.InitialiseForStartUp(doc.InputOneAsSensor);

    ApplyLanguageTexts(&m_window);
    m_window.AddToolListEntries();
    // The help text again, now in the user's language.
    m_window.ShowScreen(0);
    m_window.show();

    if (!ChooseUsableCamera())
        return false;
    m_window.SetCameraCaption();

    if (!CheckDetectorLoopAtStart())
        return false;

    m_commands.Download();
    m_window.SetCommandsEnabled(true);
    m_window.raise();
    m_window.activateWindow();
    return true;
}

bool MainLoad::OpenLocalData(const ProgramArguments& arguments, LocalSettings& settings)
{
    const StartValues& start = m_session.Start();
    const QString databasePath =
        arguments.DatabasePath.isEmpty() ? ReadDatabasePath(settings) : arguments.DatabasePath;
    m_session.Connection().SetRemote(start.RemoteMode, start.RelayHost, start.RelayDataPort, start.RelayPwd);

    DeviceServices& services = m_session.Services();
    if (services.WorkFolder.isEmpty())
        services.WorkFolder = AppPaths::WorkDir();
    if (services.DataFolder.isEmpty())
        services.DataFolder = AppPaths::Resource(QStringLiteral("Data"));
    // The generated device files hold the camera password: their folder is the user's alone.
    if (const Status made = MakePrivateFolder(QDir(services.WorkFolder).filePath(QStringLiteral("Gen")),
                                              ExistingFolder::MakePrivate);
        made.failed())
        std::fprintf(stderr, "kormanager: %s\n", made.reason().c_str());

    ConfigDocument& doc = m_session.Document();
    doc.InitialiseForStartUp(0);

    if (const Status opened = OpenClientDatabase(m_session.Connection(), databasePath); opened.failed()) {
        const std::string& error = opened.reason();
        // Without the database nothing can be shown in the user's language; say why in English
        // rather than vanish.
        m_session.Dialogs().Message(MessageIcon::Critical, QStringLiteral("Kor Manager"),
                                    QStringLiteral("The companion database could not be opened:\n") +
                                        QString::fromStdString(error));
        return Fail(error);
    }
    ReadClientStartup(m_session.Connection());
    return true;
}

bool MainLoad::ChooseUsableCamera()
{
    std::int32_t cameraId = m_session.Start().CameraId;
    for (;;) {
        std::string detail;
        const CameraProblem problem = LoadStartCamera(m_session, cameraId, &detail);
        if (problem == CameraProblem::None)
            return true;
        const QString why = CameraProblemText(problem, cameraId, detail);
        std::fprintf(stderr, "kormanager: camera %d: %s\n", cameraId,
                     QString(why).replace(u'\n', u' ').toLocal8Bit().constData());
        const std::optional<std::int16_t> chosen = m_choice(why);
        if (!chosen)
            return Fail("no camera chosen");
        cameraId = *chosen;
        m_session.Start().CameraId = cameraId;
    }
}

bool MainLoad::CheckDetectorLoopAtStart()
{
    ConfigDocument& doc = m_session.Document();
    const bool inputOutput = m_session.Model().InputOutput();
    DetectorLoopResult result = LoopConnected;
    if (inputOutput) {
        m_checkedLoop = true;
        const DeviceServices& services = m_session.Services();
        if (!services.Http || !services.Wait)
            return Fail("no HTTP transport or clock for the detector check");
        m_window.ShowNotice(LangText(175));
        // The worker works on copies; the session is not touched off the GUI thread.
        const AxisDevice device = *m_session.Device();
        const ModelRecord model = m_session.Model().Record();
        const RelaySettings relay = m_session.Relay();
        HttpClient& http = *services.Http;
        Clock& clock = *services.Wait;
        RunDeviceJob(m_session, [&] { result = CheckDetectorLoop(http, clock, device, model, relay); });
        m_window.UnloadNotice();
    }
    const std::optional<std::int16_t> inputOne = DecideInputOneAsSensor(inputOutput, result, [this] {
        return m_session.Dialogs().Ask(MessageIcon::Question, LangText(178),
                                       LangText(176) + u'\n' + LangText(177), false) == Answer::Yes;
    });
    if (inputOne) {
        doc.InputOneAsSensor = *inputOne;
        return true;
    }
    m_session.Dialogs().Message(MessageIcon::Critical, LangText(178), LangText(827));
    return Fail("the camera did not answer the detector check in time");
}

void MainLoad::Unload(AppSession& session)
{
    FreeLanguage();
    if (session.Connection().IsOpen())
        session.Connection().Close();
}

} // namespace kor
