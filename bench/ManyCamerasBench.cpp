// korctl apply --cameras against 50 simulated cameras of one kor-devicesim process: wall time with
// one run at a time and with 16 at once, and korctl's peak memory. Waits are twenty times shorter
// (a build with test hooks), as in the end-to-end tests. Needs the loopback address space and
// korctl and kor-devicesim built beside this program.
#include "DeviceSimProcess.h"
#include "TestSupport.h"

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

} // namespace

int main()
{
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
    if (!sim.Start()) {
        std::fprintf(stderr, "kor-devicesim did not start: %s\n", sim.Error().c_str());
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
    for (const int jobs : {1, 16}) {
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
    return 0;
}
