#pragma once

#include "PulseDecoder.h"
#include "SimOptions.h"

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kor::devicesim {

// The maker's detector wired between output 1 and input 1, and the camera's other I/O ports.
// Its state is kept in a JSON file of the device folder so that tests can read what was
// programmed; it survives restarts of the camera, as the detector is separate hardware.
class Detector
{
public:
    Detector(std::string stateFile, Wiring wiring, bool invertedOutput, int pulseTime);

    // Reads the state file when it exists, otherwise writes the fresh state.
    void Load();
    // A pattern sent to an output port.
    void OnOutput(int port, std::string_view pattern);
    // The value an input port reads.
    int Input(int port) const;
    // The I/O check program of the application was stopped (or the camera restarted, starting it).
    void SetCheckProgramStopped(bool stopped);

private:
    void Save() const;

    std::string m_stateFile;
    Wiring m_wiring;
    bool m_invertedOutput;
    int m_pulseTime;

    mutable std::mutex m_mutex;
    bool m_loopHigh = false; // what a working detector puts on input 1: set by pattern A, cleared by B
    std::optional<int> m_code;
    std::array<std::optional<bool>, 8> m_sensors{};
    std::array<std::optional<bool>, 6> m_mask{};
    std::vector<std::string> m_history;
    int m_unrecognised = 0;
    bool m_checkProgramStopped = false;
};

} // namespace kor::devicesim
