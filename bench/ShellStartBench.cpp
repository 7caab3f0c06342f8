// Measures the window against the simulated camera: the time from the program's start to the
// shown main window, the memory the window takes, and the longest stall of the GUI thread while
// the start-up loop check and the download run (a 5 ms heartbeat timer; a stall is the longest gap
// between two beats). Prints its figures; never a test.
//
//   build/bench/bench_shell_start [RUNS] [--delay MS]
//
// --delay makes the camera answer every request MS milliseconds late, so the device waits are
// long enough to show whether the window keeps beating through them.

#include "DeviceSimProcess.h"
#include "Heartbeat.h"
#include "TestSupport.h"

#include "app/AppSession.h"
#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/LocalSettings.h"
#include "app/ProgramArguments.h"
#include "app/ScriptedDialogs.h"
#include "app/shell/AllScreens.h"
#include "app/ui/MainCommands.h"
#include "app/ui/MainLoad.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmSkinAux.h"
#include "app/ui/frmmain.h"
#include "outside/companion/CameraTable.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/SystemClock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using kor::bench::Heartbeat;
using kor::bench::MsSince;
using kor::bench::RssKiB;
using Clock = kor::bench::BenchClock;

struct Run
{
    double ToShown = 0;
    double ToReady = 0;
    double StallStart = 0;
    double StallStartBusy = 0;
    double StallDownload = 0;
    long WindowKiB = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const auto processStart = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
        qputenv("KOR_RESOURCES", (kor::test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
    QApplication app(argc, argv);
    const double appCreated = MsSince(processStart);

    int runs = 5;
    int delay = 0;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--delay") && i + 1 < args.size())
            delay = args[++i].toInt();
        else
            runs = std::max(1, args[i].toInt());
    }

    QTemporaryDir dir;
    qputenv("KOR_WORK_DIR", dir.filePath(QStringLiteral("work")).toUtf8());
    kor::test::DeviceSimProcess::Options options;
    options.args = {"--installed"};
    if (delay > 0) {
        options.args.push_back("--fault");
        options.args.push_back("delay=" + std::to_string(delay));
    }
    options.ftp = false;
    kor::test::DeviceSimProcess sim(options);
    if (const kor::Status started = sim.Start(); started.failed()) {
        std::fprintf(stderr, "bench_shell_start: %s\n", started.reason().c_str());
        return 1;
    }
    sim.WriteDeviceFile("etc/alarm_app", kor::test::ReadBytes(kor::test::SourceDir() +
                                                              QStringLiteral("/resources/samples/demo.kma")));
    sim.WriteDeviceFile("etc/bufferd.conf",
                        "127.0.0.1\n80\nroot\npass\n3\n4\n5\n2\nAXIS2100\nmail.example.invalid\n25\n"
                        "camera@example.invalid\n\n5000\n1234\n127.0.0.9\n9999\n");
    const QString database = dir.filePath(QStringLiteral("orgend.ddd"));
    {
        kor::ClientConnection connection;
        kor::Status stored = connection.Open(database);
        if (stored.ok()) {
            const kor::Result<std::optional<kor::CameraRecord>> found = kor::CameraTable::Find(connection, 0);
            kor::CameraRecord camera = found.ok() && found->has_value() ? **found : kor::CameraRecord();
            camera.IpAddress = sim.Address();
            camera.Port = sim.HttpPort();
            stored = found.ok() ? kor::CameraTable::Update(connection, camera) : found.status();
        }
        if (stored.failed()) {
            std::fprintf(stderr, "bench_shell_start: %s\n", stored.reason().c_str());
            return 1;
        }
    }

    kor::frmSkinAux skin;
    skin.Load();
    kor::ScreenRegistry screens;
    kor::RegisterAllScreens(screens);
    Heartbeat heartbeat;
    std::vector<Run> results;
    for (int i = 0; i < runs; ++i) {
        const auto start = i == 0 ? processStart : Clock::now();
        const long rssBefore = RssKiB();
        Run run;
        kor::ScriptedDialogs dialogs;
        dialogs.SetDefaultAnswer(kor::Answer::Yes);
        auto session = std::make_unique<kor::AppSession>(dialogs);
        kor::CurlHttpClient http;
        kor::SystemClock clock;
        session->Services().Http = &http;
        session->Services().Wait = &clock;
        session->Services().WorkFolder = dir.filePath(QStringLiteral("work"));
        const int observer = session->OnDeviceBusyChanged([&](bool busy) { heartbeat.SetBusy(busy); });
        auto window = std::make_unique<kor::frmmain>(*session, screens);
        auto* commands = new kor::MainCommands(*window, *session);
        kor::MainLoad load(*window, *session, *commands);
        kor::ProgramArguments arguments;
        arguments.DatabasePath = database;
        kor::LocalSettings settings(dir.filePath(QStringLiteral("settings")));

        bool shown = false;
        QTimer showWatch;
        showWatch.setInterval(1);
        QObject::connect(&showWatch, &QTimer::timeout, [&] {
            if (!shown && window->isVisible()) {
                shown = true;
                run.ToShown = MsSince(start);
            }
        });
        showWatch.start();
        heartbeat.Start();
        const bool started = load.Run(arguments, settings);
        heartbeat.Stop();
        showWatch.stop();
        run.ToReady = MsSince(start);
        run.StallStart = heartbeat.Longest();
        run.StallStartBusy = heartbeat.LongestBusy();
        if (!started || dialogs.Messages().value(0) != kor::LangText(190)) {
            std::fprintf(stderr, "bench_shell_start: the start-up did not download (%s)\n",
                         qPrintable(dialogs.Messages().join(QStringLiteral(" | "))));
            return 1;
        }
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 100)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        run.WindowKiB = RssKiB() - rssBefore;

        heartbeat.Start();
        commands->Download();
        heartbeat.Stop();
        run.StallDownload = heartbeat.LongestBusy();

        session->RemoveDeviceBusyObserver(observer);
        window.reset();
        kor::MainLoad::Unload(*session);
        session.reset();
        results.push_back(run);
        std::printf("run %d: shown after %.1f ms, ready (check + download) after %.1f ms, window %+ld KiB; "
                    "longest GUI stall: start-up %.1f ms (%.1f ms during device jobs), download %.1f ms\n",
                    i + 1, run.ToShown, run.ToReady, run.WindowKiB, run.StallStart, run.StallStartBusy,
                    run.StallDownload);
    }

    std::vector<double> shownTimes, readyTimes, stalls;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (i > 0) { // the first run also pays for the application object and the first fonts
            shownTimes.push_back(results[i].ToShown);
            readyTimes.push_back(results[i].ToReady);
        }
        stalls.push_back(std::max(results[i].StallStartBusy, results[i].StallDownload));
    }
    std::printf("\nQApplication created %.1f ms after the start\n", appCreated);
    std::printf("first start (cold, from main): window shown after %.1f ms, ready after %.1f ms\n",
                results.front().ToShown, results.front().ToReady);
    if (!shownTimes.empty())
        std::printf("later starts (median): window shown after %.1f ms, ready after %.1f ms\n",
                    Median(shownTimes), Median(readyTimes));
    std::printf("longest GUI stall while a device job ran: %.1f ms (camera delay %d ms per request)\n",
                *std::max_element(stalls.begin(), stalls.end()), delay);
    std::printf("process memory: %ld KiB resident after %zu runs\n", RssKiB(), results.size());
    return 0;
}
