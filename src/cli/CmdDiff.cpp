#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/CompareInput.h"

#include "app/Language.h"
#include "config/TextNumber.h"

#include <ostream>

namespace kor::cli {

namespace {

// Errors end with status 2, as diff's do: 1 means "different".
constexpr int kDiffError = 2;

int DiffError(Invocation& inv, const std::string& message)
{
    (void)Failure(inv, message);
    return kDiffError;
}

// camera:ID is read as the download reads it; anything else is a file.
Status ReadSide(Invocation& inv, const std::string& argument, CompareInput& input)
{
    if (argument.rfind("camera:", 0) != 0)
        return ReadCompareFile(argument, input);
    const std::optional<std::int64_t> id = ReadNumber(argument.substr(7));
    if (!id || *id < -32768 || *id > 32767)
        return Status::Fail(argument + ": camera:ID takes a camera number");
    CameraSession session;
    if (const Status opened = OpenCameraSession(inv, static_cast<std::int32_t>(*id), session);
        opened.failed())
        return opened;
    return ReadCameraConfig(session, input);
}

int RunDiff(const CommandSpec& self, Invocation& inv)
{
    if (!LanguageByCode(QString::fromStdString(inv.Value("lang", "en"))))
        return UsageError(self, inv, "--lang takes es, en, it or pt");
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadLanguageOption(inv, catalogue); loaded.failed())
        return DiffError(inv, loaded.reason());
    CompareInput a;
    CompareInput b;
    if (const Status read = ReadSide(inv, inv.Positional[0], a); read.failed())
        return DiffError(inv, read.reason());
    if (const Status read = ReadSide(inv, inv.Positional[1], b); read.failed())
        return DiffError(inv, read.reason());
    const LangTextLookup langText = LookupOf(catalogue);
    const std::vector<ConfigChange> changes = DiffConfigs(a.Side(), b.Side(), langText);
    PrintChanges(changes, inv.Has("json"), langText, inv.Out);
    return changes.empty() ? ExitOk : ExitFailed;
}

} // namespace

CommandSpec DiffCommand()
{
    CommandSpec spec;
    spec.Name = "diff";
    spec.Synopsis = "A B [--json] [--lang es|en|it|pt]";
    spec.Summary = "Show what turns configuration A into configuration B.";
    spec.Details =
        "A and B are project files, upload files, configuration texts, JSON forms, or camera:ID (the\n"
        "camera's configuration, read as download reads it). Rules and actions added or removed, actions\n"
        "moved, each changed field with the editor's name and values, time-table intervals, general and\n"
        "detector settings, and the device line (port, user, MAC, brand) when both sides have one.\n"
        "Passwords never show: a changed one reads \"changed\".\n"
        "Exit status 0 when equal, 1 when different, 2 on an error.";
    spec.Options = {
        {"json", "", "print the changes as JSON"},
        {"lang", "LANG", "language of the names and values: es, en (default), it or pt"},
    };
    spec.MinPositional = 2;
    spec.MaxPositional = 2;
    spec.Run = [spec](Invocation& inv) { return RunDiff(spec, inv); };
    return spec;
}

} // namespace kor::cli
