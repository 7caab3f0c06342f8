#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kor::devicesim {

// What the detector makes of one pattern sent to output 1.
struct PulseDecode
{
    enum class Kind
    {
        Unknown,
        PatternA,
        PatternB,
        Code,
        Sensor,
        Mask
    };
    Kind kind = Kind::Unknown;
    int code = -1;              // Code: the six-bit detector code
    int sensor = -1;            // Sensor: 0..7
    bool sensorFlag = false;    // Sensor: the sensor's flag
    std::array<bool, 6> mask{}; // Mask: MSK[0..5]
};

// Undoes the model's output inversion and pulse time: returns the pattern with the base step
// written as 30, or false when a level mark or a duration is not one the model sends.
bool NormalisePattern(std::string_view sent, bool invertedOutput, int pulseTime, std::string& normalised);

// Recognises the loop test patterns and the programming patterns of the detector.
PulseDecode DecodePulsePattern(std::string_view sent, bool invertedOutput, int pulseTime);

const char* PulseKindName(PulseDecode::Kind kind);

} // namespace kor::devicesim
