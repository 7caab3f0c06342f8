// Sending a 1 MiB configuration (350 pieces) to the simulated camera on loopback, with the real
// libcurl transport. Needs the loopback address space and kor-devicesim built beside this program.
#include "DeviceSimProcess.h"

#include "config/SaveFile.h"
#include "device/LinkContext.h"
#include "device/UploadStep.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>

namespace kor::bench {
namespace {

class QuietHost final : public RunHost
{
public:
    void Log(const std::string&, LogKind) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    HomeChoice ChooseHome(const std::vector<CameraPosition>&) override { return {}; }
    void SetBusy(bool) override {}
    void Progress(int done, int) override { Pieces = done; }
    bool Cancelled() override { return false; }
    int Pieces = 0;
};

// A simulated camera and a run's context to send to it, with file as the work folder's alarm_app.
class UploadSetup
{
public:
    explicit UploadSetup(const std::string& file)
    {
        if (const Status started = m_sim.Start(); started.failed()) {
            Error = "kor-devicesim did not start: " + started.reason();
            return;
        }
        if (SaveFileAtomically(QDir(m_work.path()).filePath(QStringLiteral("alarm_app")), file).failed()) {
            Error = "cannot write alarm_app";
            return;
        }
        LinkSubject subject;
        subject.Model.ChannelCount = 1;
        const DeviceServices services{&m_http,       &m_ftp, &m_ping,         &m_clock, {},
                                      m_work.path(), {},     m_sim.FtpPort(), {}};
        Context.emplace(services, Host, subject);
        Context->Fields = {m_sim.Address(), std::to_string(m_sim.HttpPort()), "root", "pass"};
    }

    std::string Error;
    QuietHost Host;
    std::optional<LinkContext> Context;

private:
    test::DeviceSimProcess m_sim{{"--installed"}, false};
    QTemporaryDir m_work;
    CurlHttpClient m_http;
    CurlFtpClient m_ftp;
    IcmpPinger m_ping;
    SystemClock m_clock;
};

void BM_UploadConfiguration(benchmark::State& state)
{
    std::string file(static_cast<std::size_t>(state.range(0)), 'x');
    for (std::size_t i = 0; i < file.size(); i += 60)
        file[i] = '\n';
    UploadSetup setup(file);
    if (!setup.Error.empty()) {
        state.SkipWithError(setup.Error.c_str());
        return;
    }
    for (auto _ : state) {
        if (UploadStep(*setup.Context).SendConfiguration().failed()) {
            state.SkipWithError("the upload failed");
            return;
        }
    }
    const double pieces = setup.Host.Pieces;
    state.counters["pieces"] = pieces;
    state.counters["ms_per_piece"] =
        benchmark::Counter(pieces * static_cast<double>(state.iterations()) / 1000.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_UploadConfiguration)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// What the read-back after an upload adds to a run: one request for the configuration and the
// comparison, for a sample-sized file (2 kB) and the 1 MiB one above.
void BM_VerifyConfiguration(benchmark::State& state)
{
    std::string file;
    for (int i = 0; file.size() < static_cast<std::size_t>(state.range(0)); ++i)
        file +=
            "#SSTART" + std::to_string(i % 100) + "\n#ACTION=Siren;TP=0;PARAMS=DISP=1$ON=2$TM=10S$;TT=;\n";
    UploadSetup setup(file);
    if (!setup.Error.empty()) {
        state.SkipWithError(setup.Error.c_str());
        return;
    }
    UploadStep step(*setup.Context);
    if (step.SendConfiguration().failed()) {
        state.SkipWithError("the upload failed");
        return;
    }
    for (auto _ : state) {
        if (step.VerifyConfiguration().failed()) {
            state.SkipWithError("the read-back failed");
            return;
        }
    }
}
BENCHMARK(BM_VerifyConfiguration)->Arg(2 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kor::bench

BENCHMARK_MAIN();
