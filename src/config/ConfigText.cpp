#include "config/ConfigText.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace kor {

namespace {

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

// The value of a field of a configuration line, as GetParam reads it once every ";" is NUL.
std::string_view FieldValue(std::string_view line, std::string_view key)
{
    return ParamValue(key, line, ';');
}

// Reads one of the four frame numbers of the general line: a number that fits, else 2.
bool ReadGeneralNumber(std::string_view line, std::string_view key, std::uint8_t& out)
{
    std::uint8_t value = 2;
    if (ReadNumberAs(FieldValue(line, key), value) == NumberRead::OutOfRange)
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
    for (auto [key, field] : {std::pair<std::string_view, std::uint8_t*>{"FS", &general.FS},
                              {"FTM", &general.FTM},
                              {"FSB", &general.FSB},
                              {"FTMB", &general.FTMB}}) {
        if (!ReadGeneralNumber(line, key, *field))
            return Status::Fail("value of " + std::string(key) + " out of range (0 to 255)");
    }
    for (auto [key, field] : {std::pair<std::string_view, std::string*>{"SMTPH", &general.SMTPH},
                              {"SMTPP", &general.SMTPP},
                              {"SNDADDR", &general.SNDADDR},
                              {"RPLYADDR", &general.RPLYADDR},
                              {"CIDHEAD", &general.CIDHEAD},
                              {"CLIENTNUM", &general.CLIENTNUM},
                              {"CRAIP", &general.CRAIP},
                              {"CRAPORT", &general.CRAPORT}})
        field->assign(FieldValue(line, key));
    return Status::Ok();
}

Status ParseZelkLine(ZelkSettings& zelk, std::string_view line)
{
    std::int16_t bc = 0;
    if (ReadNumberAs(FieldValue(line, "BC"), bc) == NumberRead::OutOfRange)
        return Status::Fail("detector base code out of range");
    zelk.BC = bc;
    for (std::size_t j = 0; j < zelk.S.size(); ++j)
        zelk.S[j] = !FieldValue(line, "S" + DecimalText(static_cast<std::int64_t>(j))).empty();
    for (std::size_t j = 0; j < zelk.MSK.size(); ++j)
        zelk.MSK[j] = !FieldValue(line, "MSK" + DecimalText(static_cast<std::int64_t>(j))).empty();
    return Status::Ok();
}

// Reads the TT value in place: the intervals are written over the value's own bytes (six bytes
// for every eight digits read, so writing never overtakes reading) and the table views them.
TimeTable ParseTimeTableInPlace(const std::shared_ptr<const void>& owner, char* text, std::size_t size)
{
    const auto timePart = [](const char* pair) -> std::uint8_t {
        if (pair[0] >= '0' && pair[0] <= '9' && pair[1] >= '0' && pair[1] <= '9')
            return static_cast<std::uint8_t>((pair[0] - '0') * 10 + (pair[1] - '0'));
        std::uint8_t value = 0;
        return ReadNumberAs(std::string_view(pair, 2), value) == NumberRead::Ok ? value : std::uint8_t{0};
    };
    const std::string_view view(text, size);
    auto* const intervals = reinterpret_cast<Interval*>(text);
    std::uint32_t count = 0;
    TimeTable::DayEnds ends{};
    std::size_t searchFrom = 0;
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        ends[static_cast<std::size_t>(day - 1)] = count;
        const char marker[2] = {'#', static_cast<char>('0' + day)};
        const std::size_t at = view.find(std::string_view(marker, 2), searchFrom);
        if (at == std::string_view::npos)
            continue;
        const std::size_t digitsFrom = at + 2;
        std::size_t digitsEnd = view.find('#', digitsFrom);
        if (digitsEnd == std::string_view::npos)
            digitsEnd = size;
        // The next day is searched after these digits (they hold no "#"), which also keeps the
        // search clear of the intervals already written over the text.
        searchFrom = digitsEnd;
        const std::size_t digits = digitsEnd - digitsFrom;
        if (digits == 0 || digits % 8 != 0)
            continue;
        for (std::size_t i = digitsFrom; i < digitsEnd; i += 8) {
            const Interval interval{{timePart(text + i), timePart(text + i + 2), 0},
                                    {timePart(text + i + 4), timePart(text + i + 6), 0}};
            new (intervals + count) Interval(interval);
            ++count;
        }
        ends[static_cast<std::size_t>(day - 1)] = count;
    }
    return TimeTable::Shared(owner, intervals, ends);
}

// The loaded text: parsed in place, and kept alive by the parameters and time tables that view it.
struct LoadBuffer
{
    std::shared_ptr<const void> Owner;
    char* Bytes = nullptr;
    std::size_t Size = 0;
};

LoadBuffer CopyToBuffer(std::string_view text)
{
    std::shared_ptr<char[]> bytes =
        std::make_shared_for_overwrite<char[]>(std::max<std::size_t>(text.size(), 1));
    std::copy(text.begin(), text.end(), bytes.get());
    LoadBuffer buffer{bytes, bytes.get(), text.size()};
    return buffer;
}

// Adds the action of one line that lies inside buffer.
Status ParseActionInPlace(ConfigDocument& doc, int ruleIndex, const LoadBuffer& buffer, std::string_view line)
{
    ActionRecord action;
    action.Name = FieldValue(line, "ACTION");
    if (ReadNumberAs(FieldValue(line, "TP"), action.Type) == NumberRead::OutOfRange)
        return Status::Fail("action type out of range");
    const std::string_view params = FieldValue(line, "PARAMS");
    const std::string_view tt = FieldValue(line, "TT");
    const bool apart = params.empty() || tt.empty() || params.data() + params.size() <= tt.data() ||
                       tt.data() + tt.size() <= params.data();
    if (apart) {
        char* paramsBytes = buffer.Bytes + (params.data() - buffer.Bytes);
        std::replace(paramsBytes, paramsBytes + params.size(), '$', '\0');
        action.Params = ParamText::Shared(buffer.Owner, params);
    } else {
        // A key was found inside the other value, so both share bytes: the parameters take a copy
        // before the time table is read over them.
        std::string copy(params);
        std::replace(copy.begin(), copy.end(), '$', '\0');
        action.Params = copy;
    }
    if (!tt.empty())
        action.TimeTable =
            ParseTimeTableInPlace(buffer.Owner, buffer.Bytes + (tt.data() - buffer.Bytes), tt.size());
    doc.AddAction(ruleIndex, std::move(action));
    return Status::Ok();
}

// Rule index named by the rest of a #SSTART line; Fault for one beyond the 16-bit range.
enum class HeaderRead
{
    Index,
    Ignored,
    Fault
};

HeaderRead ReadRuleHeader(std::string_view rest, int& ruleIndex)
{
    std::int16_t index = 0;
    switch (ReadNumberAs(rest, index)) {
    case NumberRead::Ok:
        ruleIndex = index;
        return HeaderRead::Index;
    case NumberRead::OutOfRange:
        return HeaderRead::Fault;
    case NumberRead::NotNumber:
        break;
    }
    if (rest != "DEF")
        return HeaderRead::Ignored;
    ruleIndex = 1;
    return HeaderRead::Index;
}

// Calls f(line, number) for every line of a configuration text: a line ends at LF, or at CR whose
// following byte is skipped; a last line without a line end counts like any other. Leading blanks
// are gone; lines that do not begin with "#" are skipped. Stops when f returns false.
template <typename F> void ForEachLine(std::string_view text, F&& f)
{
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char* from = text.data() + pos;
        const std::size_t rest = text.size() - pos;
        const void* lf = std::memchr(from, '\n', rest);
        std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - from) : rest;
        if (const void* cr = std::memchr(from, '\r', length))
            length = static_cast<std::size_t>(static_cast<const char*>(cr) - from);
        std::string_view line(from, length);
        const std::size_t end = pos + length;
        pos = end < text.size() ? end + (text[end] == '\r' ? 2 : 1) : end;
        ++lineNumber;
        std::size_t lead = 0;
        while (lead < line.size() && line[lead] == ' ')
            ++lead;
        line.remove_prefix(lead);
        if (line.empty() || line.front() != '#')
            continue;
        if (!f(line, lineNumber))
            return;
    }
}

// Counts the action lines of each rule, so each rule's list is allocated once.
void ReserveForText(ConfigDocument& doc, std::string_view text)
{
    std::array<std::size_t, ConfigDocument::RuleCount> counts{};
    int ruleIndex = 0;
    ForEachLine(text, [&](std::string_view line, int) {
        const std::string_view keyword = line.substr(1);
        if (StartsWithNoCase(keyword, "SSTART"))
            return ReadRuleHeader(keyword.substr(6), ruleIndex) != HeaderRead::Fault;
        if (StartsWithNoCase(keyword, "ACTION") && ConfigDocument::IsValidRule(ruleIndex))
            ++counts[static_cast<std::size_t>(ruleIndex)];
        return true;
    });
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const std::size_t count = counts[static_cast<std::size_t>(r)];
        if (count > 0)
            doc.ReserveActions(r, doc.ActionCount(r) + count);
    }
}

LoadResult ParseBuffer(ConfigDocument& doc, const LoadBuffer& buffer)
{
    doc.Saved = true;
    const std::string_view text(buffer.Bytes, buffer.Size);
    ReserveForText(doc, text);
    LoadResult result;
    int ruleIndex = 0;
    ForEachLine(text, [&](std::string_view line, int lineNumber) {
        const std::string_view keyword = line.substr(1);
        if (StartsWithNoCase(keyword, "SSTART")) {
            result.Recognised = true;
            if (ReadRuleHeader(keyword.substr(6), ruleIndex) == HeaderRead::Fault) {
                result = Fault(lineNumber, "rule index out of range: " + std::string(keyword.substr(6)));
                return false;
            }
        } else {
            Status read;
            if (StartsWithNoCase(keyword, "ACTION"))
                read = ParseActionInPlace(doc, ruleIndex, buffer, TrimBlanks(line));
            else if (StartsWithNoCase(keyword, "GENERAL"))
                read = ParseGeneralLine(doc.GeneralSettings, line);
            else if (StartsWithNoCase(keyword, "ZELK"))
                read = ParseZelkLine(doc.ZelkSettings, line);
            else
                return true;
            result.Recognised = true;
            if (read.failed()) {
                result = Fault(lineNumber, read.reason());
                return false;
            }
        }
        return true;
    });
    return result;
}

} // namespace

TimeTable ParseTimeTableText(std::string_view text)
{
    const LoadBuffer buffer = CopyToBuffer(text);
    return ParseTimeTableInPlace(buffer.Owner, buffer.Bytes, buffer.Size);
}

Status ParseActionLine(ConfigDocument& doc, int ruleIndex, std::string_view line)
{
    const LoadBuffer buffer = CopyToBuffer(line);
    return ParseActionInPlace(doc, ruleIndex, buffer, std::string_view(buffer.Bytes, buffer.Size));
}

LoadResult ParseConfigText(ConfigDocument& doc, std::string_view text)
{
    return ParseBuffer(doc, CopyToBuffer(text));
}

LoadResult ParseConfigText(ConfigDocument& doc, std::shared_ptr<char[]> text, std::size_t size)
{
    char* bytes = text.get();
    return ParseBuffer(doc, LoadBuffer{std::move(text), bytes, size});
}

std::optional<DeviceLine> ReadDeviceLine(std::string_view text)
{
    std::optional<DeviceLine> found;
    ForEachLine(text, [&](std::string_view line, int) {
        if (line.substr(0, 5) != "#USR=")
            return true;
        DeviceLine device;
        line.remove_prefix(1);
        while (!line.empty()) {
            const std::size_t end = std::min(line.find(';'), line.size());
            const std::string_view field = line.substr(0, end);
            line.remove_prefix(std::min(end + 1, line.size()));
            const std::size_t eq = field.find('=');
            if (eq == std::string_view::npos)
                continue;
            const std::string_view key = field.substr(0, eq);
            const std::string_view value = field.substr(eq + 1);
            if (key == "USR")
                device.User = value;
            else if (key == "PWD")
                device.Password = value;
            else if (key == "PORT")
                (void)ReadNumberAs(value, device.Port);
            else if (key == "MAC")
                device.Mac = value;
            else if (key == "BRAND")
                device.Brand = value;
        }
        found = std::move(device);
        return false;
    });
    return found;
}

bool SameConfigurationText(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    ConfigDocument first;
    ConfigDocument second;
    if (ParseConfigText(first, a).Outcome.failed() || ParseConfigText(second, b).Outcome.failed())
        return false;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        if (!(first.Rule(r) == second.Rule(r)))
            return false;
    }
    return first.GeneralSettings == second.GeneralSettings && first.ZelkSettings == second.ZelkSettings &&
           ReadDeviceLine(a) == ReadDeviceLine(b);
}

int ParseGetConfigText(GeneralSettings& general, std::string_view text)
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
    int read = 0;
    for (int i = 1; i <= 4; ++i) {
        if (!nextLine(line))
            return read;
    }
    for (std::uint8_t* field : {&general.FTM, &general.FS, &general.FTMB, &general.FSB}) {
        if (!nextLine(line))
            return read;
        std::string_view number = line;
        if (!number.empty() && number.back() == '\r')
            number.remove_suffix(1);
        if (ReadNumberAs(number, *field) != NumberRead::Ok)
            return read;
        ++read;
    }
    if (!nextLine(line))
        return read;
    for (std::string* field : {&general.SMTPH, &general.SMTPP, &general.SNDADDR, &general.RPLYADDR,
                               &general.CIDHEAD, &general.CLIENTNUM, &general.CRAIP, &general.CRAPORT}) {
        if (!nextLine(line))
            return read;
        *field = line;
        ++read;
    }
    return read;
}

} // namespace kor
