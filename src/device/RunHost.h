#pragma once

#include "device/CompanionFiles.h"
#include "outside/companion/CameraRecord.h"

#include <string>
#include <vector>

namespace kor {

// What a device operation asks of its front end (the window or korctl). Texts are Windows-1252.
// The engine calls these on its worker thread; a front end marshals them to wherever it lives.
class RunHost
{
public:
    virtual ~RunHost() = default;

    // kind 0 and 1 are ordinary lines; any other kind is an error line (red on the screen).
    virtual void Log(const std::string& line, int kind) = 0;
    virtual bool AskYesNo(const std::string& question, const std::string& title) = 0;
    // The home-preset choice over the camera's stored positions.
    virtual HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) = 0;
    virtual void SetBusy(bool busy) = 0;
    // Progress of a long step (pieces of the upload, files of the installation).
    virtual void Progress(int done, int total) = 0;
    // Asked between steps; a cancelled run ends through its error path.
    virtual bool Cancelled() = 0;
};

} // namespace kor
