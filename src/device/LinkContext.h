#pragma once

#include "config/Result.h"
#include "device/CompanionFiles.h"
#include "device/DeviceServices.h"
#include "device/DeviceTarget.h"
#include "device/RunHost.h"
#include "device/RunOutcomeText.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/CameraRecord.h"
#include "outside/companion/ModelRecord.h"

#include <functional>
#include <string>
#include <string_view>

namespace kor {

struct HttpResponse;
class DeviceUrl;

// The option boxes of the device link screen.
struct LinkOptions
{
    bool Install = false;        // Check4
    bool UpdateSettings = false; // Check1
    bool SendConfig = false;     // Check2
    bool IoCheck = false;        // Check3
    bool ProgramCode = false;    // Check5
    bool ProgramSensors = false; // Check6
    bool Home = false;           // Check7
};

// The connection fields of the device link screen.
struct LinkFields
{
    std::string Address;
    std::string PortText;
    std::string User;
    std::string Password;
};

// The camera and its model as the companion objects give them.
struct LinkSubject
{
    CameraRecord Camera;
    ModelRecord Model;
    AxisDevice Device;
    RelaySettings Relay;
};

// What the steps of one run share: the services, the front end, the camera, the screen's fields
// and options, and what earlier steps found. A failing step returns a Status whose reason is the
// line the run's error path logs (empty when the step has said everything already).
struct LinkContext
{
    LinkContext(DeviceServices services, RunHost& host, LinkSubject subject);

    DeviceServices S;
    RunHost& Host;
    LinkSubject Subject;
    LinkFields Fields;
    LinkOptions Options;

    std::string FirmwareRelease;           // identification's result, emptied at each run
    std::string ModelFolder;               // the model's folder under the Data folder
    HomeChoice Home;                       // the home position chosen in this run
    bool TaskListDirty = false;            // the program-wide flag as the run found it; the upload clears it
    std::string StoredConfig;              // the configuration the camera holds after a verified upload
    bool StoredDiffers = false;            // the camera kept something else than the upload sent
    RunFailure Failure = RunFailure::None; // set by a step that knows why it failed better than its stage

    void Log(const std::string& line, LogKind kind = LogKind::Plain) const;
    void LogText(int number, LogKind kind = LogKind::Plain) const;
    std::string Text(int number) const;
    // Fails with the cancelled-run line once the user has asked the run to stop.
    Status CheckCancelled() const;
    // Up to tries attempts, waitMs apart, until one succeeds; the last failure when none does.
    Status Retry(int tries, int waitMs, const std::function<Status()>& attempt) const;

    // The request targets: the screen's fields, the camera record, the device-access object.
    DeviceTarget FieldTarget() const;
    DeviceTarget CameraTarget() const;
    DeviceTarget AccessTarget() const;
    QString ModelPath() const;

    // Files of the work folder's Gen/: written afresh, read back, removed.
    Status WriteGenFile(const char* name, std::string_view bytes) const;
    Result<std::string> ReadGenFile(const char* name) const;
    void RemoveGenFile(const char* name) const;
};

// A failure number and its description (a transport error, or an HTTP status and its reason).
struct LinkError
{
    long Number = 0;
    std::string Description;

    // The error path's line: "Error", the number, a blank and the description.
    std::string Line() const;
    // The steps' own lines leave out the blank when there is no description.
    std::string ShortLine() const;
    Status Failed() const { return Status::Fail(Line()); }
};

// Why a request got no answer or an error answer, without credentials.
LinkError RequestFailure(const HttpResponse& response, const DeviceUrl& url);
// "11:" and the failure as the awaited requests report it ("11:500:Internal Server Error").
std::string AwaitedFailureLine(const HttpResponse& response, const DeviceUrl& url);
// A POST body as the camera's programs read it: the bytes and one zero byte.
std::string WithZero(std::string_view bytes);

// The time-out of every request of the run.
inline constexpr int kLinkRequestSeconds = 30;
// The failure number of a work file that cannot be written or read.
inline constexpr int kLinkFileError = 75;

} // namespace kor
