#include "cli/ApplyMany.h"
#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"

#include "config/ConfigFiles.h"
#include "device/DeviceDownload.h"
#include "outside/transport/CurlHttpClient.h"

#include <ostream>

namespace kor::cli {

namespace {

// "site.kma" becomes "site.incomplete.kma"; other names get ".incomplete" appended.
std::string IncompleteName(const std::string& out)
{
    const std::string suffix = ".kma";
    if (out.size() > suffix.size() &&
        QString::fromStdString(out.substr(out.size() - suffix.size())).toLower().toStdString() == suffix)
        return out.substr(0, out.size() - suffix.size()) + ".incomplete" +
               out.substr(out.size() - suffix.size());
    return out + ".incomplete";
}

int RunDownload(const CommandSpec& self, Invocation& inv)
{
    if (inv.Has("cameras"))
        return RunDownloadMany(self, inv);
    for (const char* many : {"into", "jobs", "log-dir", "json"}) {
        if (inv.Has(many))
            return UsageError(self, inv, std::string("--") + many + " belongs to --cameras");
    }
    if (inv.Positional.size() != 1)
        return UsageError(self, inv, "name one OUT.kma");
    std::int64_t id = 0;
    if (!inv.Has("camera"))
        return UsageError(self, inv, "--camera is required");
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    CameraSession session;
    LanguageCatalogue catalogue;
    if (const Status opened = OpenCameraForRun(inv, static_cast<std::int32_t>(id), session, catalogue);
        opened.failed())
        return Failure(inv, opened.reason());
    const TextLookup text = LookupOf(catalogue);

    CurlHttpClient http;
    ConfigDocument doc;
    doc.InitialiseForStartUp(1);
    const DownloadResult result = DownloadFromDevice(doc, http, CameraTargetOf(session, session.Start),
                                                     session.Model.ChannelCount(), session.Camera.Channel());
    const std::string message = TerminalText(text(result.MessageText));
    if (result.Load.Outcome.failed())
        inv.Err << "korctl: the camera's configuration is damaged at line " << result.Load.Line << ": "
                << TerminalText(result.Load.Outcome.reason()) << "; what was read before is kept\n";
    if (!result.ConfigLoaded) {
        std::string reason = message;
        if (!result.ErrorText.empty())
            reason += " (" + TerminalText(result.ErrorText) + ")";
        return Failure(inv, reason);
    }
    // Without the general settings the project holds defaults, which a later send would push to the
    // camera: it goes under a name that says so, and the download counts as failed.
    const bool incomplete =
        result.Outcome != DownloadOutcome::Loaded && result.Outcome != DownloadOutcome::NoGeneralSettings;
    const std::string out = incomplete ? IncompleteName(inv.Positional[0]) : inv.Positional[0];
    if (const Status saved = SaveProjectFile(doc, QString::fromStdString(out)); saved.failed())
        return Failure(inv, "cannot write " + out + ": " + saved.reason());
    RememberCameraText(inv, static_cast<std::int32_t>(id), HistoryOperation::Read, result.ConfigText);
    const std::string reason = result.ErrorText.empty() ? "" : " (" + TerminalText(result.ErrorText) + ")";
    if (incomplete)
        return Failure(inv, "general settings not read: " + message + reason +
                                "; the rules were written to " + out + " with default general settings, " +
                                inv.Positional[0] + " was not written");
    if (result.Outcome == DownloadOutcome::Loaded)
        inv.Out << message << "\n";
    else
        inv.Err << "korctl: " << message << reason << "\n";
    inv.Out << "Wrote " << out << "\n";
    return ExitOk;
}

} // namespace

CommandSpec DownloadCommand()
{
    CommandSpec spec;
    spec.Name = "download";
    spec.Synopsis =
        "--camera ID OUT.kma [--lang es|en|it|pt]\n"
        "       korctl download --cameras LIST|all|group:NAME --into DIR [--jobs N] [--log-dir DIR] [--json]";
    spec.Summary = "Download a camera's configuration into a project file.";
    spec.Details = "Reads getaapp.cgi and getconfig.cgi of the camera. When the general settings cannot be\n"
                   "read, the rules go to OUT with \".incomplete\" before .kma (site.incomplete.kma) and\n"
                   "the exit status is 1: that project holds default general settings.\n"
                   "With --cameras every camera's configuration goes to DIR/ID.kma (ID.incomplete.kma),\n"
                   "several cameras at once.\n";
    spec.Options = {
        {"camera", "ID", "camera number in the companion database"},
        {"cameras", "LIST", "many cameras: ids and ranges (1,4,7-12), all or group:NAME"},
        {"into", "DIR", "folder for the project files (with --cameras)"},
        {"jobs", "N", "cameras read at once (with --cameras; default 4)"},
        {"log-dir", "DIR", "each camera's log as DIR/ID.log (with --cameras)"},
        {"json", "", "the summary as JSON (with --cameras)"},
        {"lang", "LANG", "language of the messages (default: the active one of the database)"},
    };
    spec.MinPositional = 0;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunDownload(spec, inv); };
    return spec;
}

} // namespace kor::cli
