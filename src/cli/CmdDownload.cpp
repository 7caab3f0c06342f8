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

int RunDownload(const CommandSpec& self, Invocation& inv)
{
    std::int64_t id = 0;
    if (!inv.Has("camera"))
        return UsageError(self, inv, "--camera is required");
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    CameraSession session;
    if (const Status opened = OpenCameraSession(inv, static_cast<std::int32_t>(id), session); opened.failed())
        return Failure(inv, opened.reason());
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadCliLanguage(inv, session, catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    const TextLookup text = LookupOf(catalogue);

    CurlHttpClient http;
    ConfigDocument doc;
    doc.InitialiseForStartUp(1);
    const DownloadResult result = DownloadFromDevice(doc, http, CameraTargetOf(session),
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
    if (const Status saved = SaveProjectFile(doc, QString::fromStdString(inv.Positional[0])); saved.failed())
        return Failure(inv, "cannot write " + inv.Positional[0] + ": " + saved.reason());
    RememberCameraText(inv, static_cast<std::int32_t>(id), result.ConfigText);
    if (result.Outcome == DownloadOutcome::Loaded) {
        inv.Out << message << "\n";
    } else {
        inv.Err << "korctl: general settings not read: " << message
                << (result.ErrorText.empty() ? "" : " (" + TerminalText(result.ErrorText) + ")") << "\n";
    }
    inv.Out << "Wrote " << inv.Positional[0] << "\n";
    return ExitOk;
}

} // namespace

CommandSpec DownloadCommand()
{
    CommandSpec spec;
    spec.Name = "download";
    spec.Synopsis = "--camera ID OUT.kma [--lang es|en|it|pt]";
    spec.Summary = "Download a camera's configuration into a project file.";
    spec.Details = "Reads getaapp.cgi and getconfig.cgi of the camera. The project is written whenever the\n"
                   "configuration text was read; a failed read of the general settings is reported.\n";
    spec.Options = {
        {"camera", "ID", "camera number in the companion database"},
        {"lang", "LANG", "language of the messages (default: the active one of the database)"},
    };
    spec.MinPositional = 1;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunDownload(spec, inv); };
    return spec;
}

} // namespace kor::cli
