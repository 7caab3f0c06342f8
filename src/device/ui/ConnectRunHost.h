#pragma once

#include "device/DeviceTarget.h"
#include "device/PresetList.h"
#include "device/RunHost.h"
#include "outside/companion/AxisDevice.h"

#include <vector>

namespace kor {

class FrmConnect;
class HttpClient;
class UserDialogs;

// The device link screen as the engine's front end, on the GUI thread (the engine reaches it
// through a QueuedRunHost): lines go to the log, the yes/no question to the session's dialogs, the
// home question to FrmHome.
class ConnectRunHost final : public RunHost
{
public:
    ConnectRunHost(FrmConnect& screen, UserDialogs& dialogs);

    void Log(const std::string& line, LogKind kind) override;
    bool AskYesNo(const std::string& question, const std::string& title) override;
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) override;
    void SetBusy(bool busy) override;
    void Progress(int done, int total) override;
    bool Cancelled() override;

    // The camera's named presets the next home question offers besides the stored positions.
    void SetPresets(std::vector<NamedPreset> presets) { m_presets = std::move(presets); }

private:
    FrmConnect& m_screen;
    UserDialogs& m_dialogs;
    std::vector<NamedPreset> m_presets;
};

// Where the home question finds the camera's named presets: the preset list of the device-access
// object.
struct PresetSource
{
    HttpClient* Http = nullptr; // nullptr: no presets are offered
    DeviceTarget Target;
    AxisDevice Device;
};

// On the worker thread, in front of the engine's host: when the home question comes it first asks
// the camera for its presets (so the window never waits for the camera) and gives them to the
// screen's host; every call then goes on to next.
class PresetAskingHost final : public RunHost
{
public:
    PresetAskingHost(RunHost& next, ConnectRunHost& screenHost, PresetSource source);

    void Log(const std::string& line, LogKind kind) override { m_next.Log(line, kind); }
    bool AskYesNo(const std::string& question, const std::string& title) override
    {
        return m_next.AskYesNo(question, title);
    }
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) override;
    void SetBusy(bool busy) override { m_next.SetBusy(busy); }
    void Progress(int done, int total) override { m_next.Progress(done, total); }
    bool Cancelled() override { return m_next.Cancelled(); }

private:
    RunHost& m_next;
    ConnectRunHost& m_screenHost;
    PresetSource m_source;
};

} // namespace kor
