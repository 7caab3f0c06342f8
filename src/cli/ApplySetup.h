#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"

#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "device/RunSequence.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kor::cli {

// What apply's options ask of every camera's run.
struct ApplyRequest
{
    LinkOptions Options;
    std::optional<std::int16_t> InputOneAnswer; // --input-one-as-sensor
    bool AskOnTerminal = false;                 // --ask
    bool YesAnswer = false;                     // --home-programs
    bool NoTaskList = false;
    std::string Project; // empty: each camera's own configuration
};

// Reads apply's run options. A usage error is printed and its exit status returned.
std::optional<int> ReadApplyRequest(const CommandSpec& self, Invocation& inv, ApplyRequest& request);

// The --home choice among the camera's stored positions, or a named preset.
Result<HomeChoice> HomeChoiceOf(const Invocation& inv, const CurrentCamera& camera);

// Why the device link screen would not offer an asked option for this camera, in the order the
// screen decides them (empty when all are offered).
std::vector<std::string> RefusedOptions(const LinkOptions& options, const CameraUnit& unit,
                                        const StartValues& start);

// One camera's run as the device link screen would make it, with everything it needs.
struct CameraRunInput
{
    const ApplyRequest& Request;
    const CameraUnit& Unit;
    const StartValues& Start;
    const ConfigDocument* Project = nullptr; // nullptr: the camera's own configuration, downloaded
    TextLookup Text;
    QString WorkFolder;
    QString DataFolder;
    // No output is switched: the loop is not checked and rule 1 is input 1 unless told otherwise.
    bool DryRun = false;
};

// How a camera's run ended, with what the camera held (read at the start when the run downloaded
// the camera's own configuration, and read back after the upload), empty when not read.
struct CameraRunEnd
{
    RunOutcome Outcome = RunOutcome::NotStarted;
    std::string OutcomeText; // the run's outcome line
    std::string DownloadedText;
    std::string StoredText;
};

// The connection fields as the device link screen fills them from the camera record.
LinkFields FieldsOf(const CameraUnit& unit);

// Before the run: the document it will send and whether the task list goes too; a failure stops
// the camera before anything is sent.
using SendCheck = std::function<Status(const ConfigDocument& doc, bool taskListDirty)>;

// As at the window's start, then the device link: the detector loop decides rule 1 (the answer
// of --input-one-as-sensor, or of the terminal with --ask, where the loop does not answer), the
// project or the camera's own configuration (say gets the download's message), then the run
// sequence on the camera's own transports and clock. A failure is a reason why the run could not
// start (Windows-1252 text).
Result<CameraRunEnd> ApplyToCamera(const CameraRunInput& in, RunHost& host,
                                   const std::function<void(const std::string&)>& say,
                                   const SendCheck& check = {});

} // namespace kor::cli
