#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigTextWriter.h"
#include "config/Result.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kor {

// Outcome of reading a configuration text. Outcome fails for a value that does not fit its field
// (or, in the file layer, an unreadable file); what was read before the fault stays applied.
struct LoadResult
{
    Status Outcome;
    int Line = 0;            // 1-based line of the fault, 0 when not tied to a line
    bool Recognised = false; // at least one rule, action, general or detector line was read
};

// Reads a TT value. Days must come in ascending order; a day whose digit count is not a multiple of
// eight, or that holds no interval, is dropped.
TimeTable ParseTimeTableText(std::string_view text);

// Parses a configuration text (upload file, project file or device answer) into the document.
// The caller resets the document first. Sets Saved before parsing; every added action clears it.
LoadResult ParseConfigText(ConfigDocument& doc, std::string_view text);
// The same on a text the document may keep: it is parsed in place, and the actions' parameters and
// time tables stay views into it.
LoadResult ParseConfigText(ConfigDocument& doc, std::shared_ptr<char[]> text, std::size_t size);

// Adds the action of one #ACTION line to a rule; fails when a number does not fit.
Status ParseActionLine(ConfigDocument& doc, int ruleIndex, std::string_view line);

// The device line (#USR=..;PWD=..;PORT=..;MAC=..;BRAND=..;) of an upload file or a camera's text;
// none when the text has no such line. A port that does not read as a number reads as 0.
std::optional<DeviceLine> ReadDeviceLine(std::string_view text);

// Whether two configuration texts say the same: the same bytes, or the same rules, actions, settings and
// device line once read (a camera may keep the text with other line ends). A text that does not read
// completely says the same as nothing else.
bool SameConfigurationText(std::string_view a, std::string_view b);

// The fields of the device's getconfig answer: four numbers and eight texts.
inline constexpr int kGetConfigFields = 12;

// Takes the general settings from the numbered lines of the device's getconfig answer. Returns how
// many fields it read; fewer than kGetConfigFields means the answer was cut or not such a text.
[[nodiscard]] int ParseGetConfigText(GeneralSettings& general, std::string_view text);

} // namespace kor
