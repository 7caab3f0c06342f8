#pragma once

#include "app/StartCommandLine.h"
#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "device/DeviceServices.h"
#include "device/RunPool.h"
#include "device/RunSequence.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CurrentCamera.h"
#include "outside/companion/ModelProfile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kor {

// One camera's run away from the window's own camera: what korctl and the window's many-camera
// screen both build on. Everything here is free of widgets and of the terminal.

// One camera as a run reads it: its record, its model profile and the device-access object. Plain
// values, so that a camera's run can take them to its own thread.
struct CameraUnit
{
    CurrentCamera Camera;
    ModelProfile Model;
    AxisDevice Device;
};

// Camera id of the connection's database into unit, with the start values' relay. The model profile
// is loaded with the brand "AXIS", as the start-up does. Fails for an identifier beyond 16 bits, an
// unknown camera, one without address or without a profile for its model.
Status LoadCameraUnit(const ClientConnection& connection, const StartValues& start, std::int32_t id,
                      CameraUnit& unit);

// The camera as the device link reads it, and its address, port and credentials with the relay.
LinkSubject SubjectOf(const CameraUnit& unit, const StartValues& start);
DeviceTarget CameraTargetOf(const CameraUnit& unit, const StartValues& start);
// The connection fields as the device link screen fills them from the camera record.
LinkFields FieldsOf(const CameraUnit& unit);

// What every camera's run is asked to do.
struct ApplyRequest
{
    LinkOptions Options;
    std::optional<std::int16_t> InputOneAnswer; // the answer when the detector loop does not answer
    bool AskOnTerminal = false;                 // ask the host instead
    bool YesAnswer = false;                     // the answer to the run's yes/no questions
    bool NoTaskList = false;
    std::string Project; // empty: each camera's own configuration
};

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
    // The camera's number and the work folder whose history keeps the system files an installation
    // replaces (empty: none kept, and an installation stops before patching).
    std::int32_t CameraId = 0;
    QString HistoryFolder;
};

// How a camera's run ended, with what the camera held (read at the start when the run downloaded
// the camera's own configuration, and read back after the upload), empty when not read.
struct CameraRunEnd
{
    RunOutcome Outcome = RunOutcome::NotStarted;
    std::string OutcomeText; // the run's outcome line
    std::string DownloadedText;
    std::string StoredText;
    std::string Firmware; // as the identification read it, for the history
};

// Before the run: the document it will send and whether the task list goes too; a failure stops
// the camera before anything is sent.
using SendCheck = std::function<Status(const ConfigDocument& doc, bool taskListDirty)>;

// As at the window's start, then the device link: the detector loop decides rule 1 (the request's
// answer, or the host's with AskOnTerminal, where the loop does not answer), the project or the
// camera's own configuration (say gets the download's message), then the run sequence on the
// camera's own transports and clock. A failure is a reason why the run could not start
// (Windows-1252 text).
Result<CameraRunEnd> ApplyToCamera(const CameraRunInput& in, RunHost& host,
                                   const std::function<void(const std::string&)>& say,
                                   const SendCheck& check = {});

// A folder for files that hold passwords: created when missing, readable by the user alone.
Status PrivateFolder(const QString& path);
// The camera's own work folder under root, made private: runs at once must not share alarm_app and
// Gen/.
Result<QString> CameraWorkFolder(const QString& root, std::int32_t id);

// What every camera of a many-camera apply shares. It must outlive the pool's run.
struct ManyApply
{
    ApplyRequest Request;
    StartValues Start;
    const ConfigDocument* Project = nullptr; // nullptr: each camera's own configuration
    TextLookup Text;
    QString DataFolder;
    QString WorkRoot;   // the cameras' work folders go below it
    bool Force = false; // run cameras whose model does not fit the configuration, listing why
};

// One camera's job in the pool: a setup failure (the camera could not be read, no work folder)
// fails it at once; a camera that does not fit is skipped (unless forced) before anything is sent;
// otherwise it is the single run, its outcome line the failure line. The unit must outlive the run.
PoolJob ApplyJob(const ManyApply& shared, std::int32_t id, const CameraUnit& unit, std::string setupFailure,
                 HomeChoice home = {});

} // namespace kor
