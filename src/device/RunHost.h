#pragma once

#include "device/CompanionFiles.h"
#include "outside/companion/CameraRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kor {

// How a log line is shown: failures in red, every other line in the log's normal colour.
enum class LogKind : std::uint8_t
{
    Plain = 0,
    Error = 3,
};

// What a device operation asks of its front end (the window or korctl). Texts are Windows-1252.
// The engine calls these on its worker thread; a front end marshals them to wherever it lives.
class RunHost
{
public:
    virtual ~RunHost() = default;

    virtual void Log(const std::string& line, LogKind kind) = 0;
    virtual bool AskYesNo(const std::string& question, const std::string& title) = 0;
    // The home-preset choice over the camera's stored positions.
    virtual HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) = 0;
    virtual void SetBusy(bool busy) = 0;
    // Progress of a long step (pieces of the upload, files of the installation).
    virtual void Progress(int done, int total) = 0;
    // One second of a wait for the restarting camera (seconds of at most total); the window shows
    // it as any progress.
    virtual void Waiting(int seconds, int total) { Progress(seconds, total); }
    // Asked between steps; a cancelled run ends through its error path.
    virtual bool Cancelled() = 0;
};

} // namespace kor
