#pragma once

#include "config/ConfigDocument.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kor {

// Output pulse patterns: "/" and "\" switch output 1 on and off, numbers wait that many
// milliseconds (base step 30, long pause 700).
inline constexpr std::string_view kPulsePatternA = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30/30\\";
inline constexpr std::string_view kPulsePatternB = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30\\30\\";

// A pattern as the model drives its output: levels swapped for an inverted output, and every "30"
// replaced by the model's pulse time.
std::string AdaptPattern(std::string_view pattern, bool invertedOutput, std::int32_t pulseTime);

// Eight "0"/"1" characters, most significant bit first.
std::string ByteToBits(std::uint8_t value);

// Detector programming patterns (before adaptation).
std::string CodePattern(std::uint8_t baseCode);
std::string SensorPattern(int sensor, bool flag);
std::string MaskPattern(const std::array<bool, 6>& mask);

} // namespace kor
