#include "config/ConfigTextWriter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kor {

namespace {

// Upload files group a rule's actions by type in this order.
constexpr std::array<std::int32_t, 10> kUploadTypeOrder = {0, 1, 3, 4, 5, 6, 2, 7, 8, 9};

// The writers go through one of these: a counter that sizes the text, a string reserved to that
// size, or a fixed buffer that hands its bytes on whenever it fills.
struct CountOut
{
    std::size_t Size = 0;
    void Append(std::string_view bytes) { Size += bytes.size(); }
    void AppendNulAsDollar(std::string_view bytes) { Size += bytes.size(); }
    void Push(char) { ++Size; }
};

// Files hold "$" where the pairs of a parameter string end with NUL.
void NulToDollar(char* from, char* to)
{
    std::replace(from, to, '\0', '$');
}

struct StringOut
{
    std::string& Text;
    void Append(std::string_view bytes) { Text.append(bytes); }
    void AppendNulAsDollar(std::string_view bytes)
    {
        const std::size_t from = Text.size();
        Text.append(bytes);
        NulToDollar(Text.data() + from, Text.data() + Text.size());
    }
    void Push(char c) { Text.push_back(c); }
};

class SinkOut
{
public:
    static constexpr std::size_t Capacity = 256 * 1024;

    explicit SinkOut(const TextSink& sink) : m_sink(sink) { m_buffer.reserve(Capacity); }

    void Append(std::string_view bytes)
    {
        if (m_buffer.size() + bytes.size() > Capacity)
            Flush();
        if (bytes.size() >= Capacity)
            m_ok = m_ok && m_sink(bytes);
        else
            m_buffer.append(bytes);
    }
    void AppendNulAsDollar(std::string_view bytes)
    {
        if (bytes.size() >= Capacity) {
            std::string copy(bytes);
            NulToDollar(copy.data(), copy.data() + copy.size());
            Append(copy);
            return;
        }
        if (m_buffer.size() + bytes.size() > Capacity)
            Flush();
        const std::size_t from = m_buffer.size();
        m_buffer.append(bytes);
        NulToDollar(m_buffer.data() + from, m_buffer.data() + m_buffer.size());
    }
    void Push(char c)
    {
        if (m_buffer.size() == Capacity)
            Flush();
        m_buffer.push_back(c);
    }
    bool Finish()
    {
        Flush();
        return m_ok;
    }

private:
    void Flush()
    {
        if (!m_buffer.empty())
            m_ok = m_ok && m_sink(m_buffer);
        m_buffer.clear();
    }

    const TextSink& m_sink;
    std::string m_buffer;
    bool m_ok = true;
};

template <typename Out> void PutNumber(Out& out, std::int64_t value)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    const bool negative = value < 0;
    auto magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--p = '-';
    out.Append(std::string_view(p, static_cast<std::size_t>(end - p)));
}

template <typename Out> void PutTwoDigits(Out& out, unsigned value)
{
    if (value >= 100) {
        PutNumber(out, value);
        return;
    }
    const char pair[2] = {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    out.Append(std::string_view(pair, 2));
}

template <typename Out> void PutTimeTable(Out& out, const TimeTable& table)
{
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        const std::span<const Interval> intervals = table.Day(day);
        if (intervals.empty())
            continue;
        out.Push('#');
        out.Push(static_cast<char>('0' + day));
        for (const Interval& interval : intervals) {
            PutTwoDigits(out, interval.Start.Hour);
            PutTwoDigits(out, interval.Start.Minute);
            PutTwoDigits(out, interval.End.Hour);
            PutTwoDigits(out, interval.End.Minute);
        }
    }
}

template <typename Out> void PutActionLine(Out& out, const ActionRecord& action)
{
    out.Append("#ACTION=");
    out.Append(action.Name);
    out.Append(";TP=");
    PutNumber(out, action.Type);
    out.Append(";PARAMS=");
    out.AppendNulAsDollar(action.Params);
    out.Append(";TT=");
    PutTimeTable(out, action.TimeTable);
    out.Push(';');
}

template <typename Out> void PutRuleHeader(Out& out, int ruleIndex, bool defForm)
{
    out.Append("#SSTART");
    if (defForm)
        out.Append("DEF");
    else
        PutNumber(out, ruleIndex);
}

template <typename Out> void PutGeneralLine(Out& out, const GeneralSettings& g)
{
    const std::pair<std::string_view, std::uint8_t> numbers[] = {
        {"#GENERAL;FS=", g.FS}, {";FTM=", g.FTM}, {";FSB=", g.FSB}, {";FTMB=", g.FTMB}};
    for (const auto& [key, value] : numbers) {
        out.Append(key);
        PutNumber(out, value);
    }
    const std::pair<std::string_view, const std::string*> texts[] = {
        {";SMTPH=", &g.SMTPH},       {";SMTPP=", &g.SMTPP},     {";SNDADDR=", &g.SNDADDR},
        {";RPLYADDR=", &g.RPLYADDR}, {";CIDHEAD=", &g.CIDHEAD}, {";CLIENTNUM=", &g.CLIENTNUM},
        {";CRAIP=", &g.CRAIP},       {";CRAPORT=", &g.CRAPORT}};
    for (const auto& [key, value] : texts) {
        out.Append(key);
        out.Append(*value);
    }
    out.Push(';');
}

template <typename Out> void PutZelkLine(Out& out, const ZelkSettings& zelk)
{
    out.Append("#ZELK;BC=");
    PutNumber(out, zelk.BC);
    out.Push(';');
    for (std::size_t j = 0; j < zelk.S.size(); ++j) {
        if (zelk.S[j]) {
            out.Push('S');
            PutNumber(out, static_cast<std::int64_t>(j));
            out.Append("=1;");
        }
    }
    for (std::size_t j = 0; j < zelk.MSK.size(); ++j) {
        if (zelk.MSK[j]) {
            out.Append("MSK");
            PutNumber(out, static_cast<std::int64_t>(j));
            out.Append("=1;");
        }
    }
}

template <typename Out> void PutAlarmAppText(Out& out, const ConfigDocument& doc, const DeviceLine& device)
{
    out.Append("#USR=");
    out.Append(device.User);
    out.Append(";PWD=");
    out.Append(device.Password);
    out.Append(";PORT=");
    PutNumber(out, device.Port);
    out.Append(";MAC=");
    out.Append(device.Mac);
    out.Append(";BRAND=");
    out.Append(device.Brand);
    out.Append(";\n");
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        PutRuleHeader(out, r, r == 1 && doc.InputOneAsSensor != 1);
        out.Push('\n');
        for (std::int32_t type : kUploadTypeOrder) {
            for (const ActionRecord& action : rule.Actions) {
                if (action.Type != type || action.Deleted)
                    continue;
                PutActionLine(out, action);
                out.Push('\n');
            }
        }
    }
    PutGeneralLine(out, doc.GeneralSettings);
    out.Push('\n');
    PutZelkLine(out, doc.ZelkSettings);
    out.Push('\n');
}

template <typename Out> void PutProjectText(Out& out, const ConfigDocument& doc)
{
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        PutRuleHeader(out, r, false);
        out.Append("\r\n");
        for (const ActionRecord& action : rule.Actions) {
            if (action.Deleted)
                continue;
            PutActionLine(out, action);
            out.Append("\r\n");
        }
    }
    PutGeneralLine(out, doc.GeneralSettings);
    out.Append("\n\r\n");
    PutZelkLine(out, doc.ZelkSettings);
    out.Append("\r\n");
}

// Sizes the text first, so the string is allocated once at its final size.
template <typename Put> std::string BuildSized(const Put& put)
{
    CountOut count;
    put(count);
    std::string text;
    text.reserve(count.Size);
    StringOut out{text};
    put(out);
    return text;
}

} // namespace

void AppendTimeTableText(std::string& out, const TimeTable& table)
{
    StringOut o{out};
    PutTimeTable(o, table);
}

std::string TimeTableText(const TimeTable& table)
{
    return BuildSized([&](auto& out) { PutTimeTable(out, table); });
}

void AppendActionLine(std::string& out, const ActionRecord& action)
{
    StringOut o{out};
    PutActionLine(o, action);
}

std::string ActionLineText(const ActionRecord& action)
{
    return BuildSized([&](auto& out) { PutActionLine(out, action); });
}

std::string GeneralLineText(const GeneralSettings& general)
{
    return BuildSized([&](auto& out) { PutGeneralLine(out, general); });
}

std::string ZelkLineText(const ZelkSettings& zelk)
{
    return BuildSized([&](auto& out) { PutZelkLine(out, zelk); });
}

std::string BuildAlarmAppText(const ConfigDocument& doc, const DeviceLine& device)
{
    return BuildSized([&](auto& out) { PutAlarmAppText(out, doc, device); });
}

std::string BuildProjectText(const ConfigDocument& doc)
{
    return BuildSized([&](auto& out) { PutProjectText(out, doc); });
}

bool WriteAlarmAppText(const ConfigDocument& doc, const DeviceLine& device, const TextSink& sink)
{
    SinkOut out(sink);
    PutAlarmAppText(out, doc, device);
    return out.Finish();
}

bool WriteProjectText(const ConfigDocument& doc, const TextSink& sink)
{
    SinkOut out(sink);
    PutProjectText(out, doc);
    return out.Finish();
}

} // namespace kor
