#include "app/ui/MainCommands.h"

#include "app/AppSession.h"
#include "app/DeviceJob.h"
#include "app/HistoryForm.h"
#include "app/Language.h"
#include "app/MainForm.h"
#include "app/ProjectFiles.h"
#include "app/UserDialogs.h"
#include "app/ui/FrmDoc.h"
#include "app/ui/frmmain.h"

#include <QApplication>

#include <cstdio>
#include <exception>

namespace kor {

MainCommands::MainCommands(frmmain& window, AppSession& session)
    : QObject(&window), m_window(window), m_session(session)
{
    connect(&window, &frmmain::CommandRequested, this, &MainCommands::Run);
    window.SetCloseGuard([this] { return MayClose(); });
}

void MainCommands::Guarded(const std::function<void()>& command)
{
    // No exception leaves a command: an unexpected failure takes the common ending.
    try {
        command();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kormanager: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kormanager: unexpected failure\n");
    }
    CommonEnding();
}

void MainCommands::Run(int position)
{
    if (m_session.DeviceBusy())
        return;
    switch (position) {
    case frmmain::ToolNew:
        NewConfiguration();
        break;
    case frmmain::ToolOpen:
        OpenProject();
        break;
    case frmmain::ToolDownload:
        Download();
        break;
    case frmmain::ToolSave:
        SaveProject();
        break;
    case frmmain::ToolPrint:
        PrintReport();
        break;
    case frmmain::ToolReport:
        ShowReport();
        break;
    case frmmain::ToolAssistant:
        RestartWorkflow();
        break;
    default:
        break;
    }
}

void MainCommands::CommonEnding()
{
    if (m_window.NoticeLoaded()) {
        m_window.UnloadNotice();
        QApplication::processEvents();
        m_session.Dialogs().Message(MessageIcon::Exclamation, m_window.Caption(), LangText(802));
    }
    if (!m_window.CommandsEnabled())
        m_window.SetCommandsEnabled(true);
}

void MainCommands::NewConfiguration()
{
    Guarded([this] {
        ProjectFiles files(m_session, [this] { return m_window.Caption(); });
        if (files.NewConfiguration())
            m_window.ShowScreen(m_window.ScreenIndex());
    });
}

void MainCommands::OpenProject()
{
    Guarded([this] {
        ProjectFiles files(m_session, [this] { return m_window.Caption(); });
        if (files.OpenProject())
            m_window.ShowScreen(m_window.ScreenIndex());
    });
}

void MainCommands::SaveProject()
{
    Guarded([this] {
        // The screen shown may hold an edit it writes on leaving; nothing of it is pending here,
        // because every screen writes straight into the document.
        ProjectFiles files(m_session, [this] { return m_window.Caption(); });
        files.SaveProject();
    });
}

std::optional<DownloadOutcome> MainCommands::Download()
{
    std::optional<DownloadOutcome> outcome;
    Guarded([this, &outcome] {
        ProjectFiles files(m_session, [this] { return m_window.Caption(); });
        if (!files.KeepOrDiscardChanges())
            return;
        m_window.SetCommandsEnabled(false);
        m_window.ShowNotice(LangText(183));

        // The worker fills a copy; the window keeps showing the document until the copy is taken.
        ConfigDocument work = m_session.Document();
        const DeviceTarget camera = m_session.CameraTarget();
        const int channelCount = m_session.Model().ChannelCount();
        const int channel = m_session.Camera().Channel();
        HttpClient* http = m_session.Services().Http;
        DownloadResult result;
        if (http) {
            // The notice lives on this thread; the download tells it from the worker.
            const DownloadNotice notice = [this](int text) {
                QMetaObject::invokeMethod(
                    this, [this, text] { m_window.ShowNotice(LangText(text)); }, Qt::QueuedConnection);
            };
            RunDeviceJob(m_session, [&] {
                result = DownloadFromDevice(work, *http, camera, channelCount, channel, notice);
            });
        } else {
            result.ErrorText = "no HTTP transport";
            result.MessageText = DownloadMessageText(result.Outcome);
        }
        if (result.ConfigLoaded) {
            if (result.Load.Outcome.ok() && result.Outcome == DownloadOutcome::Loaded)
                work.Saved = true; // the document equals what the camera holds
            m_session.Document() = std::move(work);
            m_session.History().Restart();
        }
        if (result.ConfigLoaded && result.Load.Outcome.ok() && !m_session.Services().WorkFolder.isEmpty()) {
            // The camera's history keeps every configuration read from it.
            if (const Status kept =
                    HistoryIn(m_session.Services().WorkFolder)
                        .Remember(m_session.Camera().Id(), HistoryOperation::Read, result.ConfigText);
                kept.failed())
                std::fprintf(stderr, "kormanager: history: %s\n", kept.reason().c_str());
        }
        if (!result.ErrorText.empty())
            std::fprintf(stderr, "kormanager: download: %s\n", result.ErrorText.c_str());
        outcome = result.Outcome;
        ReactToDownload(result);
    });
    return outcome;
}

void MainCommands::ReactToDownload(const DownloadResult& result)
{
    const QString title = m_session.CameraDisplayName();
    UserDialogs& dialogs = m_session.Dialogs();
    const QString text = LangText(result.MessageText);
    // The notice goes first, so that it never stands over the message.
    m_window.UnloadNotice();
    const DownloadReaction reaction = ReactionToDownload(result.Outcome);
    dialogs.Message(reaction.Icon, title, text);
    if (reaction.HideWorkflowButtons)
        m_window.SetWorkflowButtonsVisible(false);
    m_window.ShowScreen(reaction.Screen);
}

void MainCommands::PrintReport()
{
    Guarded([this] {
        if (m_window.ScreenIndex() != kReportScreen)
            m_window.ShowScreen(kReportScreen);
        if (auto* report = qobject_cast<FrmDoc*>(m_window.ActiveScreen()))
            report->PrintReport();
    });
}

void MainCommands::ShowReport()
{
    Guarded([this] { m_window.ShowScreen(kReportScreen); });
}

void MainCommands::RestartWorkflow()
{
    Guarded([this] {
        // Both buttons follow the step, so Next works again after the last step was reached.
        m_window.SetStepIndex(0);
        m_window.ShowStep();
        m_window.SetWorkflowButtonsVisible(true);
    });
}

bool MainCommands::MayClose()
{
    if (m_session.DeviceBusy())
        return false;
    ProjectFiles files(m_session, [this] { return m_window.Caption(); });
    return files.KeepOrDiscardChanges();
}

} // namespace kor
