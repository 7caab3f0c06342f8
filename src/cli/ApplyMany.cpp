#include "cli/ApplyMany.h"

#include "cli/ApplySetup.h"
#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/LoadProject.h"
#include "cli/ManyBoard.h"

#include "app/AppPaths.h"
#include "config/ConfigFiles.h"
#include "device/DeviceDownload.h"
#include "outside/transport/CurlHttpClient.h"

#include <QDir>
#include <QFile>

#include <ostream>

namespace kor::cli {

namespace {

constexpr int kDefaultJobs = 4;
constexpr int kMostJobs = 64;

// --jobs, or the default.
Status JobsOption(const Invocation& inv, int& jobs)
{
    jobs = kDefaultJobs;
    if (!inv.Has("jobs"))
        return Status::Ok();
    std::int64_t n = 0;
    const Status read = NumberOption(inv, "jobs", 1, kMostJobs, n);
    jobs = static_cast<int>(n);
    return read;
}

// Opens the companion database, the language and the cameras; fails with korctl's exit status.
struct ManySetup
{
    CameraSession Session;
    LanguageCatalogue Catalogue;
    std::vector<ManyCamera> Cameras;
    int Jobs = kDefaultJobs;
};

std::optional<int> OpenMany(Invocation& inv, ManySetup& setup)
{
    if (const Status read = JobsOption(inv, setup.Jobs); read.failed())
        return Failure(inv, read.reason());
    if (const Status opened = OpenCompanionSession(inv, setup.Session); opened.failed())
        return Failure(inv, opened.reason());
    if (const Status loaded = LoadCliLanguage(inv, setup.Session, setup.Catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    Result<std::vector<ManyCamera>> cameras = LoadManyCameras(inv, setup.Session);
    if (cameras.failed())
        return Failure(inv, cameras.reason());
    setup.Cameras = std::move(cameras).value();
    if (inv.Has("log-dir")) {
        if (const Status made = PrivateFolder(QString::fromStdString(inv.Value("log-dir"))); made.failed())
            return Failure(inv, made.reason());
    }
    return std::nullopt;
}

} // namespace

int RunApplyMany(const CommandSpec& self, Invocation& inv)
{
    if (inv.Has("camera"))
        return UsageError(self, inv, "--camera and --cameras exclude each other");
    for (const char* single : {"ask", "dry-run", "if-unchanged"}) {
        if (inv.Has(single))
            return UsageError(self, inv, std::string("--") + single + " takes one --camera");
    }
    ApplyRequest request;
    if (const std::optional<int> stopped = ReadApplyRequest(self, inv, request))
        return *stopped;
    ManySetup setup;
    if (const std::optional<int> stopped = OpenMany(inv, setup))
        return *stopped;
    ConfigDocument project;
    if (!request.Project.empty()) {
        project.InitialiseForStartUp(1);
        if (const Status loaded = LoadProjectForCli(project, request.Project); loaded.failed())
            return Failure(inv, loaded.reason());
    }
    ManyApply shared;
    shared.Request = request;
    shared.Start = setup.Session.Start;
    shared.Project = request.Project.empty() ? nullptr : &project;
    shared.Text = LookupOf(setup.Catalogue);
    shared.DataFolder = AppPaths::Resource(QStringLiteral("Data"));
    shared.WorkRoot = AppPaths::WorkDir();
    shared.Force = inv.Has("force");

    std::vector<PoolJob> jobs;
    for (const ManyCamera& camera : setup.Cameras) {
        std::string setupFailure = camera.LoadFailure;
        HomeChoice home;
        if (setupFailure.empty() && request.Options.Home) {
            const Result<HomeChoice> chosen = HomeChoiceOf(inv, camera.Unit.Camera);
            if (chosen.ok())
                home = *chosen;
            setupFailure = chosen.reason();
        }
        jobs.push_back(ApplyJob(shared, camera.Id, camera.Unit, std::move(setupFailure), home));
    }
    ManyBoard board(inv, setup.Cameras, QString::fromStdString(inv.Value("log-dir")));
    RunPool pool(setup.Jobs);
    return board.Summarise(board.Run(pool, std::move(jobs)));
}

int RunDownloadMany(const CommandSpec& self, Invocation& inv)
{
    if (inv.Has("camera"))
        return UsageError(self, inv, "--camera and --cameras exclude each other");
    if (!inv.Has("into") || !inv.Positional.empty())
        return UsageError(self, inv, "--cameras writes into a folder: --into DIR, no OUT.kma");
    ManySetup setup;
    if (const std::optional<int> stopped = OpenMany(inv, setup))
        return *stopped;
    const QString into = QString::fromStdString(inv.Value("into"));
    // Project files hold the cameras' passwords.
    if (const Status made = PrivateFolder(into); made.failed())
        return Failure(inv, made.reason());
    const TextLookup text = LookupOf(setup.Catalogue);
    const StartValues& start = setup.Session.Start;

    std::vector<PoolJob> jobs;
    for (const ManyCamera& camera : setup.Cameras) {
        PoolJob job;
        job.Id = camera.Id;
        job.Work = [&](PoolRunHost& host) {
            if (!camera.LoadFailure.empty()) {
                host.Fail(camera.LoadFailure);
                return PoolOutcome::Failed;
            }
            CurlHttpClient http;
            ConfigDocument doc;
            doc.InitialiseForStartUp(1);
            const DownloadResult result =
                DownloadFromDevice(doc, http, CameraTargetOf(camera.Unit, start),
                                   camera.Unit.Model.ChannelCount(), camera.Unit.Camera.Channel());
            std::string message = text(result.MessageText);
            if (!result.ErrorText.empty())
                message += " (" + result.ErrorText + ")";
            if (!result.ConfigLoaded) {
                host.Fail(message);
                return PoolOutcome::Failed;
            }
            host.Log(message, LogKind::Plain);
            // Without the general settings the project holds defaults: its name says so.
            const bool incomplete = result.Outcome != DownloadOutcome::Loaded &&
                                    result.Outcome != DownloadOutcome::NoGeneralSettings;
            const QString path = QDir(into).filePath(
                QString::number(camera.Id) +
                (incomplete ? QStringLiteral(".incomplete.kma") : QStringLiteral(".kma")));
            if (const Status saved = SaveProjectFile(doc, path);
                saved.failed() || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
                host.Fail("cannot write " + path.toStdString() + ": " + saved.reason());
                return PoolOutcome::Failed;
            }
            host.Log("Wrote " + path.toStdString(), LogKind::Plain);
            if (!incomplete)
                return PoolOutcome::Succeeded;
            host.FailureLine = "general settings not read: " + message;
            return PoolOutcome::Failed;
        };
        jobs.push_back(std::move(job));
    }
    ManyBoard board(inv, setup.Cameras, QString::fromStdString(inv.Value("log-dir")));
    RunPool pool(setup.Jobs);
    return board.Summarise(board.Run(pool, std::move(jobs)));
}

} // namespace kor::cli
