#include "config/ConfigText.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <algorithm>
#include <array>

namespace kor {

namespace {

// Upload files group a rule's actions by type in this order.
constexpr std::array<std::int32_t, 10> kUploadTypeOrder = {0, 1, 3, 4, 5, 6, 2, 7, 8, 9};

void AppendTwoDigits(std::string& out, unsigned value)
{
    if (value < 100) {
        out.push_back(static_cast<char>('0' + value / 10));
        out.push_back(static_cast<char>('0' + value % 10));
        return;
    }
    out.append(DecimalText(value));
}

std::string WithNulFields(std::string_view line)
{
    std::string out(line);
    for (char& c : out) {
        if (c == ';')
            c = '\0';
    }
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix)
{
    if (text.size() < upperPrefix.size())
        return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
        if (UpperCp1252(text[i]) != upperPrefix[i])
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return text.substr(b, e - b);
}

void AppendRuleHeader(std::string& out, int ruleIndex, bool defForm)
{
    out.append("#SSTART");
    out.append(defForm ? std::string("DEF") : DecimalText(ruleIndex));
}

// Reads one of the four frame numbers of the general line: a number that fits, else 2.
bool ReadGeneralNumber(std::string_view fields, std::string_view key, std::uint8_t& out)
{
    std::uint8_t value = 2;
    if (ReadNumberAs(GetParam(key, fields), value) == NumberRead::OutOfRange)
        return false;
    out = value;
    return true;
}

LoadResult Fault(int line, std::string message)
{
    return LoadResult{Status::Fail(std::move(message)), line, true};
}

Status ParseGeneralLine(GeneralSettings& general, std::string_view line)
{
    const std::string fields = WithNulFields(line);
    for (auto [key, field] : {std::pair<std::string_view, std::uint8_t*>{"FS", &general.FS},
                              {"FTM", &general.FTM},
                              {"FSB", &general.FSB},
                              {"FTMB", &general.FTMB}}) {
        if (!ReadGeneralNumber(fields, key, *field))
            return Status::Fail("value of " + std::string(key) + " out of range (0 to 255)");
    }
    general.SMTPH = GetParam("SMTPH", fields);
    general.SMTPP = GetParam("SMTPP", fields);
    general.SNDADDR = GetParam("SNDADDR", fields);
    general.RPLYADDR = GetParam("RPLYADDR", fields);
    general.CIDHEAD = GetParam("CIDHEAD", fields);
    general.CLIENTNUM = GetParam("CLIENTNUM", fields);
    general.CRAIP = GetParam("CRAIP", fields);
    general.CRAPORT = GetParam("CRAPORT", fields);
    return Status::Ok();
}

Status ParseZelkLine(ZelkSettings& zelk, std::string_view line)
{
    const std::string fields = WithNulFields(line);
    std::int16_t bc = 0;
    if (ReadNumberAs(GetParam("BC", fields), bc) == NumberRead::OutOfRange)
        return Status::Fail("detector base code out of range");
    zelk.BC = bc;
    for (std::size_t j = 0; j < zelk.S.size(); ++j)
        zelk.S[j] = !GetParam("S" + DecimalText(static_cast<std::int64_t>(j)), fields).empty();
    for (std::size_t j = 0; j < zelk.MSK.size(); ++j)
        zelk.MSK[j] = !GetParam("MSK" + DecimalText(static_cast<std::int64_t>(j)), fields).empty();
    return Status::Ok();
}

} // namespace

void AppendTimeTableText(std::string& out, const TimeTable& table)
{
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        const auto& intervals = table.Day(day);
        if (intervals.empty())
            continue;
        out.push_back('#');
        out.append(DecimalText(day));
        for (const Interval& interval : intervals) {
            AppendTwoDigits(out, interval.Start.Hour);
            AppendTwoDigits(out, interval.Start.Minute);
            AppendTwoDigits(out, interval.End.Hour);
            AppendTwoDigits(out, interval.End.Minute);
        }
    }
}

std::string TimeTableText(const TimeTable& table)
{
    std::string out;
    AppendTimeTableText(out, table);
    return out;
}

TimeTable ParseTimeTableText(std::string_view text)
{
    TimeTable table;
    std::size_t searchFrom = 0;
    const auto timePart = [](std::string_view pair) -> std::uint8_t {
        if (pair[0] >= '0' && pair[0] <= '9' && pair[1] >= '0' && pair[1] <= '9')
            return static_cast<std::uint8_t>((pair[0] - '0') * 10 + (pair[1] - '0'));
        std::uint8_t value = 0;
        return ReadNumberAs(pair, value) == NumberRead::Ok ? value : std::uint8_t{0};
    };
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        const char marker[2] = {'#', static_cast<char>('0' + day)};
        const std::size_t at = text.find(std::string_view(marker, 2), searchFrom);
        if (at == std::string_view::npos)
            continue;
        const std::size_t digitsFrom = at + 2;
        std::size_t digitsEnd = text.find('#', digitsFrom);
        if (digitsEnd == std::string_view::npos)
            digitsEnd = text.size();
        searchFrom = digitsFrom;
        const std::string_view digits = text.substr(digitsFrom, digitsEnd - digitsFrom);
        if (digits.empty() || digits.size() % 8 != 0)
            continue;
        std::vector<Interval> intervals;
        intervals.reserve(digits.size() / 8);
        for (std::size_t i = 0; i < digits.size(); i += 8) {
            Interval interval;
            interval.Start.Hour = timePart(digits.substr(i, 2));
            interval.Start.Minute = timePart(digits.substr(i + 2, 2));
            interval.End.Hour = timePart(digits.substr(i + 4, 2));
            interval.End.Minute = timePart(digits.substr(i + 6, 2));
            intervals.push_back(interval);
        }
        table.SetDay(day, std::move(intervals));
    }
    return table;
}

void AppendActionLine(std::string& out, const ActionRecord& action)
{
    out.append("#ACTION=");
    out.append(action.Name);
    out.append(";TP=");
    out.append(DecimalText(action.Type));
    out.append(";PARAMS=");
    const std::size_t paramsAt = out.size();
    out.append(action.Params);
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(paramsAt), out.end(), '\0', '$');
    out.append(";TT=");
    AppendTimeTableText(out, action.TimeTable);
    out.push_back(';');
}

std::string ActionLineText(const ActionRecord& action)
{
    std::string out;
    AppendActionLine(out, action);
    return out;
}

std::string GeneralLineText(const GeneralSettings& g)
{
    std::string out = "#GENERAL;FS=" + DecimalText(g.FS) + ";FTM=" + DecimalText(g.FTM) +
                      ";FSB=" + DecimalText(g.FSB) + ";FTMB=" + DecimalText(g.FTMB);
    out += ";SMTPH=" + g.SMTPH + ";SMTPP=" + g.SMTPP + ";SNDADDR=" + g.SNDADDR + ";RPLYADDR=" + g.RPLYADDR;
    out +=
        ";CIDHEAD=" + g.CIDHEAD + ";CLIENTNUM=" + g.CLIENTNUM + ";CRAIP=" + g.CRAIP + ";CRAPORT=" + g.CRAPORT;
    out.push_back(';');
    return out;
}

std::string ZelkLineText(const ZelkSettings& zelk)
{
    std::string out = "#ZELK;BC=" + DecimalText(zelk.BC) + ";";
    for (std::size_t j = 0; j < zelk.S.size(); ++j) {
        if (zelk.S[j])
            out += "S" + DecimalText(static_cast<std::int64_t>(j)) + "=1;";
    }
    for (std::size_t j = 0; j < zelk.MSK.size(); ++j) {
        if (zelk.MSK[j])
            out += "MSK" + DecimalText(static_cast<std::int64_t>(j)) + "=1;";
    }
    return out;
}

std::string BuildAlarmAppText(const ConfigDocument& doc, const DeviceLine& device)
{
    std::string out = "#USR=" + device.User + ";PWD=" + device.Password +
                      ";PORT=" + DecimalText(device.Port) + ";MAC=" + device.Mac + ";BRAND=" + device.Brand +
                      ";\n";
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        AppendRuleHeader(out, r, r == 1 && doc.InputOneAsSensor != 1);
        out.push_back('\n');
        for (std::int32_t type : kUploadTypeOrder) {
            for (const ActionRecord& action : rule.Actions) {
                if (action.Type != type || action.Deleted)
                    continue;
                AppendActionLine(out, action);
                out.push_back('\n');
            }
        }
    }
    out.append(GeneralLineText(doc.GeneralSettings));
    out.push_back('\n');
    out.append(ZelkLineText(doc.ZelkSettings));
    out.push_back('\n');
    return out;
}

std::string BuildProjectText(const ConfigDocument& doc)
{
    std::string out;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        AppendRuleHeader(out, r, false);
        out.append("\r\n");
        for (const ActionRecord& action : rule.Actions) {
            if (action.Deleted)
                continue;
            AppendActionLine(out, action);
            out.append("\r\n");
        }
    }
    out.append(GeneralLineText(doc.GeneralSettings));
    out.append("\n\r\n");
    out.append(ZelkLineText(doc.ZelkSettings));
    out.append("\r\n");
    return out;
}

Status ParseActionLine(ConfigDocument& doc, int ruleIndex, std::string_view line)
{
    const std::string fields = WithNulFields(line);
    ActionRecord action;
    action.Name = GetParam("ACTION", fields);
    if (ReadNumberAs(GetParam("TP", fields), action.Type) == NumberRead::OutOfRange)
        return Status::Fail("action type out of range");
    action.Params = GetParam("PARAMS", fields);
    for (char& c : action.Params) {
        if (c == '$')
            c = '\0';
    }
    action.TimeTable = ParseTimeTableText(GetParam("TT", fields));
    doc.AddAction(ruleIndex, std::move(action));
    return Status::Ok();
}

LoadResult ParseConfigText(ConfigDocument& doc, std::string_view text)
{
    doc.Saved = true;
    LoadResult result;
    int ruleIndex = 0;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at LF, or at CR whose following byte is skipped.
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        std::string_view line = text.substr(pos, end - pos);
        if (end < text.size())
            pos = end + (text[end] == '\r' ? 2 : 1);
        else
            pos = end; // the last line without a line end is processed like any other
        ++lineNumber;

        std::size_t lead = 0;
        while (lead < line.size() && line[lead] == ' ')
            ++lead;
        line.remove_prefix(lead);
        if (line.empty() || line.front() != '#')
            continue;
        const std::string_view keyword = line.substr(1);
        const bool known = StartsWithNoCase(keyword, "SSTART") || StartsWithNoCase(keyword, "ACTION") ||
                           StartsWithNoCase(keyword, "GENERAL") || StartsWithNoCase(keyword, "ZELK");
        result.Recognised = result.Recognised || known;

        if (StartsWithNoCase(keyword, "SSTART")) {
            const std::string_view rest = keyword.substr(6);
            std::int16_t index = 0;
            switch (ReadNumberAs(rest, index)) {
            case NumberRead::Ok:
                ruleIndex = index;
                break;
            case NumberRead::OutOfRange:
                return Fault(lineNumber, "rule index out of range: " + std::string(rest));
            case NumberRead::NotNumber:
                if (rest == "DEF")
                    ruleIndex = 1;
                break;
            }
        } else {
            Status read;
            if (StartsWithNoCase(keyword, "ACTION"))
                read = ParseActionLine(doc, ruleIndex, TrimBlanks(line));
            else if (StartsWithNoCase(keyword, "GENERAL"))
                read = ParseGeneralLine(doc.GeneralSettings, line);
            else if (StartsWithNoCase(keyword, "ZELK"))
                read = ParseZelkLine(doc.ZelkSettings, line);
            if (read.failed())
                return Fault(lineNumber, read.reason());
        }
    }
    return result;
}

void ParseGetConfigText(GeneralSettings& general, std::string_view text)
{
    // Line positions of the fields, counted from 1; line 9 is skipped.
    std::size_t pos = 0;
    auto nextLine = [&](std::string& out) -> bool {
        if (pos >= text.size())
            return false;
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        out.assign(text.substr(pos, end - pos));
        pos = end + 1;
        return true;
    };
    std::string line;
    for (int i = 1; i <= 4; ++i) {
        if (!nextLine(line))
            return;
    }
    for (std::uint8_t* field : {&general.FTM, &general.FS, &general.FTMB, &general.FSB}) {
        if (!nextLine(line))
            return;
        std::string_view number = line;
        if (!number.empty() && number.back() == '\r')
            number.remove_suffix(1);
        if (ReadNumberAs(number, *field) != NumberRead::Ok)
            return;
    }
    if (!nextLine(line))
        return;
    for (std::string* field : {&general.SMTPH, &general.SMTPP, &general.SNDADDR, &general.RPLYADDR,
                               &general.CIDHEAD, &general.CLIENTNUM, &general.CRAIP, &general.CRAPORT}) {
        if (!nextLine(line))
            return;
        *field = line;
    }
}

} // namespace kor
