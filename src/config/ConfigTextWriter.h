#pragma once

#include "config/ConfigDocument.h"

#include <cstdint>
#include <functional>
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

    bool operator==(const DeviceLine&) const = default;
};

// The time table as written in the TT field: "#d" then hhmmhhmm per interval, for each day.
std::string TimeTableText(const TimeTable& table);
// One action line without its line end: #ACTION=..;TP=..;PARAMS=..;TT=..;
std::string ActionLineText(const ActionRecord& action);
void AppendActionLine(std::string& out, const ActionRecord& action);
void AppendTimeTableText(std::string& out, const TimeTable& table);

// The upload file: device line, used rules (actions grouped by type), general and detector lines;
// LF line ends.
std::string BuildAlarmAppText(const ConfigDocument& doc, const DeviceLine& device);

// The project file: used rules in stored order, CR LF line ends, LF + CR LF after the general line.
std::string BuildProjectText(const ConfigDocument& doc);

// Receives a text piece by piece; returns false when it could not take them.
using TextSink = std::function<bool(std::string_view)>;
// The same two texts, handed on in pieces of a fixed buffer, for writing them straight to a file.
// Return false when the sink failed.
bool WriteAlarmAppText(const ConfigDocument& doc, const DeviceLine& device, const TextSink& sink);
bool WriteProjectText(const ConfigDocument& doc, const TextSink& sink);

std::string GeneralLineText(const GeneralSettings& general);
std::string ZelkLineText(const ZelkSettings& zelk);

} // namespace kor
