#include "Detector.h"

#include "DeviceFolder.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace kor::devicesim {

namespace {

constexpr std::size_t kHistoryLimit = 200;

template <typename T> nlohmann::json OptionalJson(const std::optional<T>& value)
{
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

} // namespace

Detector::Detector(std::string stateFile, Wiring wiring, bool invertedOutput, int pulseTime)
    : m_stateFile(std::move(stateFile)), m_wiring(wiring), m_invertedOutput(invertedOutput),
      m_pulseTime(pulseTime)
{}

void Detector::Load()
{
    std::ifstream in(m_stateFile);
    if (!in) {
        std::lock_guard lock(m_mutex);
        Save(); // a fresh detector: nothing programmed yet
        return;
    }
    const nlohmann::json state = nlohmann::json::parse(in, nullptr, false);
    if (!state.is_object()) {
        std::fprintf(stderr, "kor-devicesim: ignoring unreadable %s\n", m_stateFile.c_str());
        return;
    }
    std::lock_guard lock(m_mutex);
    m_loopHigh = state.value("loop_high", false);
    if (state.contains("BC") && state["BC"].is_number_integer()) {
        m_code = state["BC"].get<int>();
    }
    const auto readFlags = [&](const char* key, auto& flags) {
        if (!state.contains(key) || !state[key].is_array()) {
            return;
        }
        for (std::size_t i = 0; i < flags.size() && i < state[key].size(); ++i) {
            if (state[key][i].is_number_integer()) {
                flags[i] = state[key][i].template get<int>() != 0;
            }
        }
    };
    readFlags("S", m_sensors);
    readFlags("MSK", m_mask);
    m_unrecognised = state.value("unrecognised", 0);
    if (state.contains("history") && state["history"].is_array()) {
        for (const auto& item : state["history"]) {
            if (item.is_string()) {
                m_history.push_back(item.get<std::string>());
            }
        }
    }
}

void Detector::OnOutput(int port, std::string_view pattern)
{
    if (port != 1) {
        return;
    }
    const PulseDecode decode = DecodePulsePattern(pattern, m_invertedOutput, m_pulseTime);
    std::lock_guard lock(m_mutex);
    switch (decode.kind) {
    case PulseDecode::Kind::PatternA:
        m_loopHigh = true;
        break;
    case PulseDecode::Kind::PatternB:
        m_loopHigh = false;
        break;
    case PulseDecode::Kind::Code:
        m_code = decode.code;
        break;
    case PulseDecode::Kind::Sensor:
        m_sensors[static_cast<std::size_t>(decode.sensor)] = decode.sensorFlag;
        break;
    case PulseDecode::Kind::Mask:
        for (std::size_t i = 0; i < m_mask.size(); ++i) {
            m_mask[i] = decode.mask[i];
        }
        break;
    case PulseDecode::Kind::Unknown:
        ++m_unrecognised;
        break;
    }
    std::string entry = PulseKindName(decode.kind);
    if (decode.kind == PulseDecode::Kind::Sensor) {
        entry += std::to_string(decode.sensor);
    }
    m_history.push_back(entry);
    if (m_history.size() > kHistoryLimit) {
        m_history.erase(m_history.begin());
    }
    Save();
}

int Detector::Input(int port) const
{
    if (port != 1) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    switch (m_wiring) {
    case Wiring::Connected:
        return m_loopHigh ? 1 : 0;
    case Wiring::Inverted:
        return m_loopHigh ? 0 : 1;
    case Wiring::Open:
        break;
    }
    return 0;
}

void Detector::SetCheckProgramStopped(bool stopped)
{
    std::lock_guard lock(m_mutex);
    m_checkProgramStopped = stopped;
    Save();
}

void Detector::Save() const
{
    nlohmann::json sensors = nlohmann::json::array();
    for (const auto& flag : m_sensors) {
        sensors.push_back(flag ? nlohmann::json(*flag ? 1 : 0) : nlohmann::json(nullptr));
    }
    nlohmann::json mask = nlohmann::json::array();
    for (const auto& flag : m_mask) {
        mask.push_back(flag ? nlohmann::json(*flag ? 1 : 0) : nlohmann::json(nullptr));
    }
    nlohmann::json state = {
        {"BC", OptionalJson(m_code)},
        {"S", sensors},
        {"MSK", mask},
        {"input1", m_wiring == Wiring::Open ? 0 : ((m_wiring == Wiring::Connected) == m_loopHigh ? 1 : 0)},
        {"loop_high", m_loopHigh},
        {"chkiod_stopped", m_checkProgramStopped},
        {"unrecognised", m_unrecognised},
        {"history", m_history},
    };
    // The state file is for the tests to read; a write that fails leaves the camera running.
    (void)WriteFileAtomically(m_stateFile, state.dump(2) + "\n");
}

} // namespace kor::devicesim
