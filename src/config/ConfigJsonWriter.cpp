#include "config/ConfigJson.h"

#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <ostream>
#include <span>
#include <sstream>
#include <vector>

namespace kor {

namespace {

constexpr const char* kDayNames[TimeTable::DayCount] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// JSON as QJsonDocument writes it indented (members sorted by key, four blanks a level), written
// straight to the stream through one buffer: a large project's tree of JSON values would cost
// far more time and memory than the text itself.
class JsonOut
{
public:
    explicit JsonOut(std::ostream& out)
        : m_out(out), m_buffer(std::make_unique_for_overwrite<char[]>(Capacity))
    {}
    ~JsonOut() { Flush(); }
    JsonOut(const JsonOut&) = delete;
    JsonOut& operator=(const JsonOut&) = delete;

    void Raw(std::string_view bytes)
    {
        if (bytes.size() <= Capacity - m_used) {
            std::memcpy(m_buffer.get() + m_used, bytes.data(), bytes.size());
            m_used += bytes.size();
            return;
        }
        Flush();
        if (bytes.size() > Capacity) {
            m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return;
        }
        std::memcpy(m_buffer.get(), bytes.data(), bytes.size());
        m_used = bytes.size();
    }
    void Char(char c)
    {
        if (m_used == Capacity)
            Flush();
        m_buffer[m_used++] = c;
    }
    void Number(std::int64_t value)
    {
        char text[24];
        const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
        Raw(std::string_view(text, static_cast<std::size_t>(r.ptr - text)));
    }
    void Bool(bool value) { Raw(value ? std::string_view("true") : std::string_view("false")); }
    // A Windows-1252 text as a JSON string in UTF-8.
    void String(std::string_view cp1252)
    {
        Char('"');
        const char* p = cp1252.data();
        const char* const end = p + cp1252.size();
        const char* plain = p;
        for (;;) {
            // Eight bytes at a time while none needs escaping, then byte by byte to the one that
            // does (at most eight bytes on) or to the end.
            while (end - p >= 8 && !AnyNeedsEscape(p))
                p += 8;
            while (p < end && !kNeedsEscape[static_cast<unsigned char>(*p)])
                ++p;
            if (p == end)
                break;
            Raw(std::string_view(plain, static_cast<std::size_t>(p - plain)));
            Raw(Escaped()[static_cast<unsigned char>(*p)]);
            plain = ++p;
        }
        Raw(std::string_view(plain, static_cast<std::size_t>(end - plain)));
        Char('"');
    }
    // A time-table interval as "HH:MM-HH:MM", the string form of the file's hours and minutes.
    void IntervalString(const Interval& i)
    {
        char text[32];
        char* p = text;
        *p++ = '"';
        const auto put = [&p](unsigned v) {
            if (v < 10)
                *p++ = '0';
            p = std::to_chars(p, p + 3, v).ptr;
        };
        put(i.Start.Hour);
        *p++ = ':';
        put(i.Start.Minute);
        *p++ = '-';
        put(i.End.Hour);
        *p++ = ':';
        put(i.End.Minute);
        *p++ = '"';
        Raw(std::string_view(text, static_cast<std::size_t>(p - text)));
    }
    // Opens a member: the indent of its level, the key and ": ".
    void Key(int level, std::string_view key)
    {
        const std::size_t blanks = static_cast<std::size_t>(4 * level);
        const std::size_t size = blanks + key.size() + 4;
        if (blanks > sizeof kBlanks - 1 || size > Capacity) {
            Indent(level);
            Char('"');
            Raw(key);
            Raw("\": ");
            return;
        }
        if (size > Capacity - m_used)
            Flush();
        char* p = m_buffer.get() + m_used;
        std::memset(p, ' ', blanks);
        p += blanks;
        *p++ = '"';
        std::memcpy(p, key.data(), key.size());
        p += key.size();
        std::memcpy(p, "\": ", 3);
        m_used += size;
    }
    void Indent(int level) { Raw(std::string_view(kBlanks).substr(0, static_cast<std::size_t>(4 * level))); }
    // Ends a member or element: a comma unless it is the last one, then the line end.
    void End(bool last) { Raw(last ? "\n" : ",\n"); }
    // An array or object with nothing in it, as the indented form writes one.
    void Empty(int level, const char* brackets)
    {
        Raw(std::string_view(brackets, 1));
        Raw("\n");
        Indent(level);
        Raw(std::string_view(brackets + 1, 1));
    }

private:
    static constexpr std::size_t Capacity = 64 * 1024;
    static constexpr char kBlanks[] = "                                        ";
    // Bytes a JSON string cannot hold as they are: controls, the quote, the backslash, and every
    // byte of the upper half (a Windows-1252 character that becomes UTF-8).
    static constexpr std::array<bool, 256> kNeedsEscape = [] {
        std::array<bool, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[static_cast<std::size_t>(i)] = i < 0x20 || i >= 0x80 || i == '"' || i == '\\';
        return t;
    }();

    // Whether any of eight bytes needs escaping: a byte with its high bit set, one below 0x20, a
    // quote or a backslash (the usual word-at-a-time tests; each is exact about "any").
    static bool AnyNeedsEscape(const char* eight)
    {
        std::uint64_t x;
        std::memcpy(&x, eight, sizeof x);
        constexpr std::uint64_t ones = 0x0101010101010101u;
        constexpr std::uint64_t highs = 0x8080808080808080u;
        const auto hasZero = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
        const std::uint64_t below20 = (x - 0x20 * ones) & ~x & highs;
        return ((x & highs) | below20 | hasZero(x ^ ('"' * ones)) | hasZero(x ^ ('\\' * ones))) != 0;
    }

    static const std::array<std::string, 256>& Escaped()
    {
        static const std::array<std::string, 256> table = [] {
            std::array<std::string, 256> t;
            for (int i = 0; i < 256; ++i) {
                const char c = static_cast<char>(i);
                std::string& e = t[static_cast<std::size_t>(i)];
                switch (c) {
                case '"':
                    e = "\\\"";
                    break;
                case '\\':
                    e = "\\\\";
                    break;
                case '\b':
                    e = "\\b";
                    break;
                case '\f':
                    e = "\\f";
                    break;
                case '\n':
                    e = "\\n";
                    break;
                case '\r':
                    e = "\\r";
                    break;
                case '\t':
                    e = "\\t";
                    break;
                default:
                    if (i < 0x20) {
                        const char hex[] = "0123456789abcdef";
                        e = std::string("\\u00") + hex[i >> 4] + hex[i & 15];
                    } else {
                        e = FromCp1252(std::string_view(&c, 1)).toStdString();
                    }
                }
            }
            return t;
        }();
        return table;
    }

    void Flush()
    {
        m_out.write(m_buffer.get(), static_cast<std::streamsize>(m_used));
        m_used = 0;
    }

    std::ostream& m_out;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
};

void WriteParams(JsonOut& j, int level, std::string_view params, bool mask)
{
    if (params.empty()) {
        j.Empty(level, "[]");
        return;
    }
    j.Raw("[\n");
    std::size_t pos = 0;
    while (pos < params.size()) {
        const ParamPair pair = NextParam(params, pos);
        j.Indent(level + 1);
        j.Raw("{\n");
        j.Key(level + 2, "key");
        j.String(pair.Key);
        if (pair.HasValue) {
            const bool hide = mask && !pair.Value.empty() && IsPasswordKey(pair.Key);
            j.End(false);
            j.Key(level + 2, "value");
            j.String(hide ? std::string_view(kMaskedPassword) : pair.Value);
        }
        j.End(true);
        j.Indent(level + 1);
        j.Raw("}");
        j.End(pos >= params.size());
    }
    j.Indent(level);
    j.Raw("]");
}

void WriteTimeTable(JsonOut& j, int level, const TimeTable& table)
{
    // Days by name in key order, as a JSON object sorts them.
    static constexpr int kDaysByName[] = {5, 1, 6, 7, 4, 2, 3}; // Fri Mon Sat Sun Thu Tue Wed
    int lastDay = 0;
    for (int day : kDaysByName) {
        if (!table.Day(day).empty())
            lastDay = day;
    }
    if (lastDay == 0) {
        j.Empty(level, "{}");
        return;
    }
    j.Raw("{\n");
    for (int day : kDaysByName) {
        const std::span<const Interval> intervals = table.Day(day);
        if (intervals.empty())
            continue;
        j.Key(level + 1, kDayNames[day - 1]);
        j.Raw("[\n");
        for (std::size_t i = 0; i < intervals.size(); ++i) {
            j.Indent(level + 2);
            j.IntervalString(intervals[i]);
            j.End(i + 1 == intervals.size());
        }
        j.Indent(level + 1);
        j.Raw("]");
        j.End(day == lastDay);
    }
    j.Indent(level);
    j.Raw("}");
}

void WriteAction(JsonOut& j, int index, const ActionRecord& action, const ConfigJsonOptions& options)
{
    constexpr int level = 5;
    const bool derived = static_cast<bool>(options.LangText);
    j.Key(level, "deleted");
    j.Bool(action.Deleted);
    j.End(false);
    j.Key(level, "index");
    j.Number(index);
    j.End(false);
    j.Key(level, "name");
    j.String(action.Name);
    j.End(false);
    j.Key(level, "params");
    WriteParams(j, level, action.Params, options.MaskPasswords);
    j.End(false);
    if (!action.Params.empty() && action.Params.back() != '\0') {
        j.Key(level, "params_unterminated");
        j.Bool(true);
        j.End(false);
    }
    if (derived) {
        j.Key(level, "summary");
        j.String(ActionSummary(action, options.LangText));
        j.End(false);
    }
    j.Key(level, "time_table");
    WriteTimeTable(j, level, action.TimeTable);
    j.End(false);
    j.Key(level, "type");
    j.Number(action.Type);
    j.End(!derived);
    if (derived) {
        j.Key(level, "type_name");
        j.String(ActionTypeName(action.Type));
        j.End(true);
    }
}

void WriteFlags(JsonOut& j, std::span<const bool> flags)
{
    j.Raw("[\n");
    for (std::size_t i = 0; i < flags.size(); ++i) {
        j.Indent(3);
        j.Bool(flags[i]);
        j.End(i + 1 == flags.size());
    }
    j.Indent(2);
    j.Raw("]");
}

void WriteRules(JsonOut& j, const ConfigDocument& doc, const ConfigJsonOptions& options)
{
    int lastUsed = -1;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        if (doc.Rule(r).IsUsed())
            lastUsed = r;
    }
    if (lastUsed < 0) {
        j.Empty(1, "[]");
        return;
    }
    j.Raw("[\n");
    for (int r = 0; r <= lastUsed; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        j.Indent(2);
        j.Raw("{\n");
        j.Key(3, "actions");
        if (rule.Actions.empty()) {
            j.Empty(3, "[]");
        } else {
            j.Raw("[\n");
            for (std::size_t a = 0; a < rule.Actions.size(); ++a) {
                j.Indent(4);
                j.Raw("{\n");
                WriteAction(j, static_cast<int>(a), rule.Actions[a], options);
                j.Indent(4);
                j.Raw("}");
                j.End(a + 1 == rule.Actions.size());
            }
            j.Indent(3);
            j.Raw("]");
        }
        j.End(false);
        j.Key(3, "index");
        j.Number(r);
        j.End(!options.LangText);
        if (options.LangText) {
            j.Key(3, "tag");
            j.String(EventSourceTag(r, doc.InputOneAsSensor));
            j.End(true);
        }
        j.Indent(2);
        j.Raw("}");
        j.End(r == lastUsed);
    }
    j.Indent(1);
    j.Raw("]");
}

} // namespace

void WriteConfigJson(const ConfigDocument& doc, const ConfigJsonOptions& options, std::ostream& out)
{
    JsonOut j(out);
    j.Raw("{\n");
    const ZelkSettings& z = doc.ZelkSettings;
    j.Key(1, "detector");
    j.Raw("{\n");
    j.Key(2, "BC");
    j.Number(z.BC);
    j.End(false);
    j.Key(2, "MSK");
    WriteFlags(j, z.MSK);
    j.End(false);
    j.Key(2, "S");
    WriteFlags(j, z.S);
    j.End(true);
    j.Indent(1);
    j.Raw("}");
    j.End(false);

    j.Key(1, "format");
    j.Number(kConfigJsonFormat);
    j.End(false);

    // The general line's fields in key order.
    const GeneralSettings& g = doc.GeneralSettings;
    j.Key(1, "general");
    j.Raw("{\n");
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"CIDHEAD", &g.CIDHEAD}, {"CLIENTNUM", &g.CLIENTNUM}, {"CRAIP", &g.CRAIP}, {"CRAPORT", &g.CRAPORT}};
    for (const auto& [key, value] : texts) {
        j.Key(2, key);
        j.String(*value);
        j.End(false);
    }
    const std::pair<std::string_view, std::uint8_t> numbers[] = {
        {"FS", g.FS}, {"FSB", g.FSB}, {"FTM", g.FTM}, {"FTMB", g.FTMB}};
    for (const auto& [key, value] : numbers) {
        j.Key(2, key);
        j.Number(value);
        j.End(false);
    }
    const std::pair<std::string_view, const std::string*> mail[] = {
        {"RPLYADDR", &g.RPLYADDR}, {"SMTPH", &g.SMTPH}, {"SMTPP", &g.SMTPP}, {"SNDADDR", &g.SNDADDR}};
    for (const auto& [key, value] : mail) {
        j.Key(2, key);
        j.String(*value);
        j.End(key == "SNDADDR");
    }
    j.Indent(1);
    j.Raw("}");
    j.End(false);

    j.Key(1, "passwords");
    j.String(options.MaskPasswords ? "masked" : "included");
    j.End(false);

    j.Key(1, "rules");
    WriteRules(j, doc, options);
    j.End(true);
    j.Raw("}\n");
}

QByteArray ConfigToJson(const ConfigDocument& doc, const ConfigJsonOptions& options)
{
    std::ostringstream out;
    WriteConfigJson(doc, options, out);
    const std::string text = std::move(out).str();
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kor
