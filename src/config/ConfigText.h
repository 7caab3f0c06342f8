#pragma once

#include "config/ConfigDocument.h"
#include "config/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kor {

// The device line that heads the upload file.
struct DeviceLine
{
    std::int32_t Port = 0;
    std::string User;
    std::string Password;
    std::string Mac;
    std::string Brand;
};

// Outcome of reading a configuration text. Outcome fails for a value that does not fit its field
// (or, in the file layer, an unreadable file); what was read before the fault stays applied.
struct LoadResult
{
    Status Outcome;
    int Line = 0;            // 1-based line of the fault, 0 when not tied to a line
    bool Recognised = false; // at least one rule, action, general or detector line was read
};

// The time table as written in the TT field: "#d" then hhmmhhmm per interval, for each day.
std::string TimeTableText(const TimeTable& table);
// Reads a TT value. Days must come in ascending order; a day whose digit count is not a multiple of
// eight, or that holds no interval, is dropped.
TimeTable ParseTimeTableText(std::string_view text);

// One action line without its line end: #ACTION=..;TP=..;PARAMS=..;TT=..;
std::string ActionLineText(const ActionRecord& action);
void AppendActionLine(std::string& out, const ActionRecord& action);
void AppendTimeTableText(std::string& out, const TimeTable& table);

// The upload file: device line, used rules (actions grouped by type), general and detector lines;
// LF line ends.
std::string BuildAlarmAppText(const ConfigDocument& doc, const DeviceLine& device);

// The project file: used rules in stored order, CR LF line ends, LF + CR LF after the general line.
std::string BuildProjectText(const ConfigDocument& doc);

std::string GeneralLineText(const GeneralSettings& general);
std::string ZelkLineText(const ZelkSettings& zelk);

// Parses a configuration text (upload file, project file or device answer) into the document.
// The caller resets the document first. Sets Saved before parsing; every added action clears it.
LoadResult ParseConfigText(ConfigDocument& doc, std::string_view text);

// Adds the action of one #ACTION line to a rule; fails when a number does not fit.
Status ParseActionLine(ConfigDocument& doc, int ruleIndex, std::string_view line);

// Takes the general settings from the numbered lines of the device's getconfig answer.
void ParseGetConfigText(GeneralSettings& general, std::string_view text);

} // namespace kor
