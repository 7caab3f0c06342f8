// korctl apply --cameras against 50 simulated cameras of one kor-devicesim process: wall time with
// one run at a time and with 16 at once, and korctl's peak memory; with the window built, the
// longest stall of the window's event loop while its cameras screen runs the same 50. Waits are twenty times
// shorter (a build with test hooks), as in the end-to-end tests. Needs the loopback address space and korctl
// and kor-devicesim built beside this program.
#include "DeviceSimProcess.h"
#include "TestSupport.h"

#ifdef KOR_BENCH_WINDOW
#include "Heartbeat.h"

#include "app/AppSession.h"
#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/ScriptedDialogs.h"
#include "config/ConfigFiles.h"
#include "device/ui/FrmCameras.h"

#include <QApplication>
#include <QCheckBox>
#include <QTreeWidget>
#endif

#include <QDir>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kCameras = 50;

struct Figures
{
    int Status = -1;
    double Seconds = 0;
    long PeakKiB = 0;
};

// Runs korctl with its output thrown away; its own peak memory from the kernel.
Figures Korctl(std::vector<std::string> args)
{
    args.insert(args.begin(), std::string(KOR_BINARY_DIR) + "/bin/korctl");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::fflush(stdout); // the child must not print our buffer again
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Figures figures;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    figures.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    figures.PeakKiB = usage.ru_maxrss;
    return figures;
}

#ifdef KOR_BENCH_WINDOW
// The cameras screen sends the project to every camera of the database, 16 at once, while a heartbeat
// measures how long the window's event loop is held up.
void WindowStall(const std::string& db, const std::string& project, const QString& work)
{
    kor::ScriptedDialogs dialogs;
    dialogs.SetDefaultAnswer(kor::Answer::Yes); // send what the checks find
    kor::AppSession session(dialogs);
    const kor::Status opened[] = {kor::LoadLanguageByCode(u"en"),
                                  kor::OpenClientDatabase(session.Connection(), QString::fromStdString(db)),
                                  kor::LoadConfig(session.Document(), project, false)};
    for (const kor::Status& step : opened) {
        if (step.failed()) {
            std::fprintf(stderr, "window: %s\n", step.reason().c_str());
            return;
        }
    }
    session.Document().InputOneAsSensor = 1;
    session.Services().WorkFolder = work;
    kor::FrmCameras screen(session);
    screen.resize(900, 600);
    screen.show();
    auto* list = screen.findChild<QTreeWidget*>(QStringLiteral("LvwCameras"));
    for (int n = 1; n <= kCameras; ++n)
        list->findItems(QString::number(n), Qt::MatchExactly).value(0)->setCheckState(0, Qt::Checked);
    for (const char* box : {"Check1", "Check2"})
        screen.findChild<QCheckBox*>(QLatin1String(box))->setChecked(true);
    QCoreApplication::processEvents();
    kor::bench::Heartbeat heartbeat;
    heartbeat.Start();
    heartbeat.SetBusy(true);
    const auto start = kor::bench::BenchClock::now();
    QCoreApplication::processEvents(); // the heartbeat's first beat
    screen.Run();
    heartbeat.SetBusy(false);
    heartbeat.Stop();
    int succeeded = 0;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        succeeded += list->topLevelItem(row)->text(5) == kor::LangText(1728);
    std::printf("window, %d cameras listed: %d succeeded, %.1f s, longest event-loop stall %.1f ms "
                "(%.1f ms of the GUI thread's own work)\n",
                list->topLevelItemCount(), succeeded, kor::bench::MsSince(start) / 1000.0,
                heartbeat.LongestBusy(), heartbeat.LongestWork());
}
#endif

} // namespace

int main(int argc, char** argv)
{
#ifdef KOR_BENCH_WINDOW
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KOR_RESOURCES", KOR_BINARY_DIR "/bin/resources");
    QApplication app(argc, argv);
#endif
    QTemporaryDir dir;
    qputenv("KOR_WORK_DIR", QDir(dir.path()).filePath(QStringLiteral("work")).toUtf8());
    qputenv("KOR_WAIT_DIVISOR", "20");
    const std::string db = QDir(dir.path()).filePath(QStringLiteral("site.ddd")).toStdString();
    const std::string project = QDir(dir.path()).filePath(QStringLiteral("site.kma")).toStdString();

    kor::test::DeviceSimProcess::Options options;
    options.cameras = kCameras;
    options.ftp = false; // settings and configuration go over HTTP
    options.args = {"--installed", "--restart-seconds", "0"};
    kor::test::DeviceSimProcess sim(options);
    if (const kor::Status started = sim.Start(); started.failed()) {
        std::fprintf(stderr, "kor-devicesim did not start: %s\n", started.reason().c_str());
        return 1;
    }
    for (int n = 1; n <= kCameras; ++n) {
        const Figures added = Korctl({"--database", db,
                                      "cameras",    "add",
                                      "--id",       std::to_string(n),
                                      "--name",     "Cam" + std::to_string(n),
                                      "--ip",       sim.CameraAddress(n),
                                      "--port",     std::to_string(sim.CameraHttpPort(n)),
                                      "--user",     "root",
                                      "--password", "pass",
                                      "--brand",    "AXIS",
                                      "--model",    "DEMO-1"});
        if (added.Status != 0) {
            std::fprintf(stderr, "cannot add camera %d\n", n);
            return 1;
        }
    }
    // The demo project without its direct call, which the demo models place only through a PC.
    std::istringstream sample(
        kor::test::ReadBytes(QStringLiteral(KOR_SOURCE_DIR "/resources/samples/demo.kma")));
    std::string text;
    for (std::string line; std::getline(sample, line);) {
        if (line.rfind("#ACTION=Call", 0) != 0)
            text += line + "\n";
    }
    kor::test::WriteBytes(QString::fromStdString(project), text);

    std::printf("%d cameras, --update-settings --send-config, waits / 20\n", kCameras);
    double oneAtATime = 0;
    // --window-only: the window's figure alone.
    const bool korctlRuns = !(argc > 1 && std::string(argv[1]) == "--window-only");
    for (const int jobs : {1, 16}) {
        if (!korctlRuns)
            break;
        const Figures run =
            Korctl({"--database", db, "apply", "--cameras", "1-" + std::to_string(kCameras), "--jobs",
                    std::to_string(jobs), "--project", project, "--update-settings", "--send-config"});
        if (jobs == 1)
            oneAtATime = run.Seconds;
        std::printf(
            "--jobs %2d: exit %d, %.1f s, korctl peak memory %.1f MiB%s\n", jobs, run.Status, run.Seconds,
            static_cast<double>(run.PeakKiB) / 1024.0,
            jobs == 1 ? ""
                      : (", " + std::to_string(oneAtATime / run.Seconds).substr(0, 4) + "x faster").c_str());
    }
#ifdef KOR_BENCH_WINDOW
    WindowStall(db, project, QDir(dir.path()).filePath(QStringLiteral("window")));
#endif
    return 0;
}
