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
        if (char* p = Room(2 + kMaxEscape * cp1252.size())) {
            *p++ = '"';
            p = PutText(p, cp1252);
            *p++ = '"';
            Commit(p);
            return;
        }
        Char('"');
        Text(cp1252);
        Char('"');
    }
    // The same without the quotes.
    void Text(std::string_view cp1252)
    {
        if (char* p = Room(kMaxEscape * cp1252.size())) {
            Commit(PutText(p, cp1252));
            return;
        }
        // More than the buffer holds escaped: plain runs straight through.
        const char* p = cp1252.data();
        const char* const end = p + cp1252.size();
        const char* plain = p;
        for (; p < end; ++p) {
            if (!kNeedsEscape[static_cast<unsigned char>(*p)])
                continue;
            Raw(std::string_view(plain, static_cast<std::size_t>(p - plain)));
            Raw(Escaped()[static_cast<unsigned char>(*p)]);
            plain = p + 1;
        }
        Raw(std::string_view(plain, static_cast<std::size_t>(end - plain)));
    }

    // Direct writing for the hot paths: Room gives a place for at least n bytes (flushing first
    // when needed; null when n exceeds the whole buffer), the Put functions fill it, and Commit
    // takes it up to where they ended. No bounds checks per piece in between.
    static constexpr std::size_t kMaxEscape = 6; // "\u001f"; a Windows-1252 byte is at most 3 in UTF-8
    char* Room(std::size_t n)
    {
        if (n > Capacity)
            return nullptr;
        if (n > Capacity - m_used)
            Flush();
        return m_buffer.get() + m_used;
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_buffer.get()); }
    static char* Put(char* p, std::string_view bytes)
    {
        std::memcpy(p, bytes.data(), bytes.size());
        return p + bytes.size();
    }
    // The text escaped for a JSON string, without the quotes; at most kMaxEscape bytes per byte.
    static char* PutText(char* out, std::string_view cp1252)
    {
        const char* p = cp1252.data();
        const char* const end = p + cp1252.size();
        for (;;) {
            // Eight bytes at a time while none needs escaping, then byte by byte to the one that
            // does (at most eight bytes on) or to the end.
            while (end - p >= 8 && !AnyNeedsEscape(p)) {
                std::memcpy(out, p, 8);
                out += 8;
                p += 8;
            }
            while (p < end && !kNeedsEscape[static_cast<unsigned char>(*p)])
                *out++ = *p++;
            if (p == end)
                return out;
            out = Put(out, Escaped()[static_cast<unsigned char>(*p++)]);
        }
    }
    // A time-table interval as "HH:MM-HH:MM", the string form of the file's hours and minutes.
    static constexpr std::size_t kMaxInterval = 2 + 4 * 3 + 2; // quotes, four numbers, ':', '-', ':'
    static char* PutInterval(char* p, const Interval& i)
    {
        const auto put = [&p](unsigned v) {
            if (v < 10)
                *p++ = '0';
            p = std::to_chars(p, p + 3, v).ptr;
        };
        *p++ = '"';
        put(i.Start.Hour);
        *p++ = ':';
        put(i.Start.Minute);
        *p++ = '-';
        put(i.End.Hour);
        *p++ = ':';
        put(i.End.Minute);
        *p++ = '"';
        return p;
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

// The fixed text around an action's members, as the indented form writes it at the actions' depth:
// a member is the separator from the one before, its indent and its key, written in one piece.
struct ActionLayout
{
    static constexpr int Level = 5;

    static std::string Blanks(int level) { return std::string(static_cast<std::size_t>(4 * level), ' '); }
    // ",\n", the indent and "KEY": (the first member without the separator).
    static std::string Member(std::string_view key, bool first = false)
    {
        return (first ? "" : ",\n") + Blanks(Level) + '"' + std::string(key) + "\": ";
    }

    std::string Deleted = Member("deleted", true);
    std::string Index = Member("index");
    std::string Name = Member("name");
    std::string Params = Member("params");
    std::string Unterminated = Member("params_unterminated") + "true";
    std::string Summary = Member("summary");
    std::string TimeTable = Member("time_table");
    std::string Type = Member("type");
    std::string TypeName = Member("type_name");
    // A parameter pair: its object's opening up to the key's text, the step from the key's text to
    // the value's, and the closing after the last text.
    std::string PairOpen = Blanks(Level + 1) + "{\n" + Blanks(Level + 2) + "\"key\": \"";
    std::string PairValue = "\",\n" + Blanks(Level + 2) + "\"value\": \"";
    std::string PairClose = "\"\n" + Blanks(Level + 1) + "}";
    // A time table's day: "DAY": [ at its indent, an interval's indent, the day's closing.
    std::array<std::string, TimeTable::DayCount> DayOpen = [] {
        std::array<std::string, TimeTable::DayCount> open;
        for (std::size_t d = 0; d < open.size(); ++d)
            open[d] = Blanks(Level + 1) + '"' + kDayNames[d] + "\": [\n";
        return open;
    }();
    std::string IntervalIndent = Blanks(Level + 2);
    std::string DayClose = Blanks(Level + 1) + "]";
    std::string TableClose = "\n" + Blanks(Level) + "}";

    static const ActionLayout& Get()
    {
        static const ActionLayout layout;
        return layout;
    }
};

void WriteParams(JsonOut& j, const ActionLayout& l, std::string_view params, bool mask)
{
    if (params.empty()) {
        j.Empty(ActionLayout::Level, "[]");
        return;
    }
    j.Raw("[\n");
    std::size_t pos = 0;
    while (pos < params.size()) {
        const ParamPair pair = NextParam(params, pos);
        const bool hide = pair.HasValue && mask && !pair.Value.empty() && IsPasswordKey(pair.Key);
        const std::string_view value = hide ? std::string_view(kMaskedPassword) : pair.Value;
        const std::string_view end = pos >= params.size() ? std::string_view("\n") : std::string_view(",\n");
        const std::size_t most = l.PairOpen.size() + l.PairValue.size() + l.PairClose.size() + 2 +
                                 JsonOut::kMaxEscape * (pair.Key.size() + value.size());
        if (char* p = j.Room(most)) {
            p = JsonOut::PutText(JsonOut::Put(p, l.PairOpen), pair.Key);
            if (pair.HasValue)
                p = JsonOut::PutText(JsonOut::Put(p, l.PairValue), value);
            j.Commit(JsonOut::Put(JsonOut::Put(p, l.PairClose), end));
            continue;
        }
        j.Raw(l.PairOpen);
        j.Text(pair.Key);
        if (pair.HasValue) {
            j.Raw(l.PairValue);
            j.Text(value);
        }
        j.Raw(l.PairClose);
        j.Raw(end);
    }
    j.Indent(ActionLayout::Level);
    j.Raw("]");
}

void WriteTimeTable(JsonOut& j, const ActionLayout& l, const TimeTable& table)
{
    // Days by name in key order, as a JSON object sorts them.
    static constexpr int kDaysByName[] = {5, 1, 6, 7, 4, 2, 3}; // Fri Mon Sat Sun Thu Tue Wed
    int lastDay = 0;
    for (int day : kDaysByName) {
        if (!table.Day(day).empty())
            lastDay = day;
    }
    if (lastDay == 0) {
        j.Empty(ActionLayout::Level, "{}");
        return;
    }
    j.Raw("{\n");
    for (int day : kDaysByName) {
        const std::span<const Interval> intervals = table.Day(day);
        if (intervals.empty())
            continue;
        j.Raw(l.DayOpen[static_cast<std::size_t>(day - 1)]);
        for (std::size_t i = 0; i < intervals.size(); ++i) {
            char* p = j.Room(l.IntervalIndent.size() + JsonOut::kMaxInterval + 2);
            p = JsonOut::PutInterval(JsonOut::Put(p, l.IntervalIndent), intervals[i]);
            j.Commit(JsonOut::Put(p, i + 1 == intervals.size() ? std::string_view("\n")
                                                               : std::string_view(",\n")));
        }
        j.Raw(l.DayClose);
        if (day != lastDay)
            j.End(false);
    }
    j.Raw(l.TableClose);
}

void WriteAction(JsonOut& j, int index, const ActionRecord& action, const ConfigJsonOptions& options)
{
    const ActionLayout& l = ActionLayout::Get();
    const bool derived = static_cast<bool>(options.LangText);
    j.Raw(l.Deleted);
    j.Bool(action.Deleted);
    j.Raw(l.Index);
    j.Number(index);
    j.Raw(l.Name);
    j.String(action.Name);
    j.Raw(l.Params);
    WriteParams(j, l, action.Params, options.MaskPasswords);
    if (!action.Params.empty() && action.Params.back() != '\0')
        j.Raw(l.Unterminated);
    if (derived) {
        j.Raw(l.Summary);
        j.String(ActionSummary(action, options.LangText));
    }
    j.Raw(l.TimeTable);
    WriteTimeTable(j, l, action.TimeTable);
    j.Raw(l.Type);
    j.Number(action.Type);
    if (derived) {
        j.Raw(l.TypeName);
        j.String(ActionTypeName(action.Type));
    }
    j.End(true);
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
