#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"
#include "cli/CompareInput.h"
#include "cli/ShowParts.h"

#include "app/Language.h"
#include "config/ConfigFiles.h"
#include "config/TextNumber.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <climits>
#include <ostream>

namespace kor::cli {

namespace {

// As diff's: 1 means "different".
constexpr int kHistoryError = 2;

int HistoryError(Invocation& inv, const std::string& message)
{
    (void)Failure(inv, message);
    return kHistoryError;
}

Result<HistoryEntry> ConfigEntry(std::int32_t camera, int number)
{
    Result<HistoryEntry> e = CameraConfigRecord().Entry(camera, number);
    if (e.ok() && e->Operation == HistoryOperation::SystemFiles)
        return Status::Fail("history entry " + std::to_string(number) +
                            " holds system files, not a configuration");
    return e;
}

Status ReadEntry(std::int32_t camera, int number, CompareInput& input)
{
    const Result<HistoryEntry> e = ConfigEntry(camera, number);
    if (e.failed())
        return e.status();
    if (const Status read = ReadCompareText(e->Config, input); read.failed())
        return Status::Fail("history entry " + std::to_string(number) + " does not read: " + read.reason());
    return Status::Ok();
}

void PrintList(const std::vector<HistoryEntry>& entries, std::ostream& out)
{
    if (entries.empty())
        out << "No history.\n";
    for (const HistoryEntry& e : entries)
        out << e.Number << "  " << e.Time << "  " << OperationName(e.Operation) << "  korctl "
            << e.ToolVersion << "  firmware " << (e.Firmware.empty() ? "unknown" : TerminalText(e.Firmware))
            << "\n";
}

// Without M, N against the newest configuration: what changed since.
int DiffEntries(Invocation& inv, std::int32_t camera, int n, const LangTextLookup& langText)
{
    int m = 0;
    if (!inv.Positional.empty()) {
        const std::optional<std::int64_t> read = ReadNumber(inv.Positional[0]);
        if (!read || *read < 1 || *read > INT_MAX)
            return HistoryError(inv, "--diff N M takes two entry numbers");
        m = static_cast<int>(*read);
    } else {
        const Result<std::vector<HistoryEntry>> all = CameraConfigRecord().List(camera);
        if (all.failed())
            return HistoryError(inv, all.reason());
        for (const HistoryEntry& e : *all)
            m = e.Operation == HistoryOperation::SystemFiles ? m : e.Number;
    }
    CompareInput a;
    CompareInput b;
    if (const Status read = ReadEntry(camera, n, a); read.failed())
        return HistoryError(inv, read.reason());
    if (const Status read = ReadEntry(camera, m, b); read.failed())
        return HistoryError(inv, read.reason());
    const std::vector<ConfigChange> changes = DiffConfigs(a.Side(), b.Side(), langText);
    PrintChanges(changes, inv.Has("json"), langText, inv.Out);
    return changes.empty() ? ExitOk : ExitFailed;
}

int ShowEntry(Invocation& inv, std::int32_t camera, int n, const LangTextLookup& langText)
{
    const Result<HistoryEntry> e = CameraConfigRecord().Entry(camera, n);
    if (e.failed())
        return Failure(inv, e.reason());
    PrintList({*e}, inv.Out);
    if (e->Operation == HistoryOperation::SystemFiles) {
        inv.Out << "--- etc/inittab\n" << e->Inittab << "--- etc/httpd/conf/boa.conf\n" << e->BoaConf;
        return ExitOk;
    }
    // The configuration as show prints it: passwords stay masked.
    CompareInput input;
    if (const Status read = ReadCompareText(e->Config, input); read.failed())
        return Failure(inv, "history entry " + std::to_string(n) + " does not read: " + read.reason());
    PrintShowText(input.Doc, langText, inv.Out);
    return ExitOk;
}

int RestoreEntry(Invocation& inv, std::int32_t camera, int n)
{
    CompareInput input;
    if (const Status read = ReadEntry(camera, n, input); read.failed())
        return Failure(inv, read.reason());
    if (const Status saved = SaveProjectFile(input.Doc, QString::fromStdString(inv.Positional[0]));
        saved.failed())
        return Failure(inv, "cannot write " + inv.Positional[0] + ": " + saved.reason());
    inv.Out << "Wrote " << inv.Positional[0] << "\n";
    return ExitOk;
}

int RunHistory(const CommandSpec& self, Invocation& inv)
{
    if (!inv.Has("camera"))
        return UsageError(self, inv, "--camera is required");
    const int modes = int(inv.Has("show")) + int(inv.Has("diff")) + int(inv.Has("restore"));
    if (modes > 1)
        return UsageError(self, inv, "--show, --diff and --restore exclude each other");
    if (inv.Has("restore") && inv.Positional.empty())
        return UsageError(self, inv, "--restore N takes the project file to write");
    if (!inv.Has("restore") && !inv.Has("diff") && !inv.Positional.empty())
        return UsageError(self, inv, "unexpected argument " + inv.Positional[0]);
    if (!LanguageByCode(QString::fromStdString(inv.Value("lang", "en"))))
        return UsageError(self, inv, "--lang takes es, en, it or pt");
    std::int64_t id = 0;
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    const auto camera = static_cast<std::int32_t>(id);
    if (modes == 0) {
        const Result<std::vector<HistoryEntry>> all = CameraConfigRecord().List(camera);
        if (all.failed())
            return Failure(inv, all.reason());
        PrintList(*all, inv.Out);
        return ExitOk;
    }
    const char* mode = inv.Has("show") ? "show" : inv.Has("diff") ? "diff" : "restore";
    std::int64_t n = 0;
    if (const Status read = NumberOption(inv, mode, 1, INT_MAX, n); read.failed())
        return Failure(inv, read.reason());
    if (inv.Has("restore"))
        return RestoreEntry(inv, camera, static_cast<int>(n));
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadLanguageOption(inv, catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    const LangTextLookup langText = LookupOf(catalogue);
    if (inv.Has("diff"))
        return DiffEntries(inv, camera, static_cast<int>(n), langText);
    return ShowEntry(inv, camera, static_cast<int>(n), langText);
}

} // namespace

int RestoreSystemFiles(Invocation& inv)
{
    std::int64_t id = 0;
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    const auto camera = static_cast<std::int32_t>(id);
    std::int64_t n = 0;
    if (const Status read = NumberOption(inv, "restore-system-files", 1, INT_MAX, n); read.failed())
        return Failure(inv, read.reason());
    const Result<HistoryEntry> e = CameraConfigRecord().Entry(camera, static_cast<int>(n));
    if (e.failed())
        return Failure(inv, e.reason());
    if (e->Operation != HistoryOperation::SystemFiles)
        return Failure(inv,
                       "history entry " + std::to_string(n) + " holds a configuration, not system files");
    CameraSession session;
    if (const Status opened = OpenCameraSession(inv, camera, session); opened.failed())
        return Failure(inv, opened.reason());
    if (session.Start.RelayEnabled)
        return Failure(
            inv, "--restore-system-files needs a direct connection to the camera; the relay is enabled");
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadCliLanguage(inv, session, catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    CurlHttpClient http;
    CurlFtpClient ftp;
    IcmpPinger ping;
    SystemClock clock(SystemClock::DivisorFromEnvironment());
    TerminalHost host(inv);
    RunSequence link(CliDeviceServices(http, ftp, ping, clock, LookupOf(catalogue), camera), host,
                     SubjectOf(session, session.Start));
    if (link.RestoreSystemFiles(FieldsOf(session), e->Inittab, e->BoaConf) != RunOutcome::Completed) {
        inv.Err << "korctl: the run ended with an error (see the lines above)\n";
        return ExitFailed;
    }
    return ExitOk;
}

CommandSpec HistoryCommand()
{
    CommandSpec spec;
    spec.Name = "history";
    spec.Synopsis = "--camera ID [--show N | --diff N [M] | --restore N OUT.kma] [--json] [--lang LANG]";
    spec.Summary = "List, show, compare and restore what this tool read from or sent to a camera.";
    spec.Details =
        "Every configuration read from or sent to the camera, and the camera's etc/inittab and\n"
        "etc/httpd/conf/boa.conf as an installation found them, one numbered entry each with its time,\n"
        "operation, korctl version and firmware. The last 50 entries are kept, and always the newest of\n"
        "each kind. --diff compares entry N with M (default: the newest configuration); exit status 0\n"
        "when equal, 1 when different, 2 on an error. apply --restore-system-files N puts the system\n"
        "files of entry N back on the camera.\n";
    spec.Options = {
        {"camera", "ID", "camera number"},
        {"show", "N", "print entry N (a configuration as show prints it)"},
        {"diff", "N", "the changes from entry N to entry M or the newest configuration"},
        {"restore", "N", "write the configuration of entry N into a project file"},
        {"json", "", "print the changes of --diff as JSON"},
        {"lang", "LANG", "language of the names and values: es, en (default), it or pt"},
    };
    spec.MinPositional = 0;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunHistory(spec, inv); };
    return spec;
}

} // namespace kor::cli
