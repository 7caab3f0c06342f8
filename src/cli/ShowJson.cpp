#include "cli/CliText.h"
#include "cli/ShowParts.h"

#include "config/EventSources.h"
#include "config/TextNumber.h"

#include <array>
#include <cstring>
#include <memory>
#include <span>

namespace kor::cli {

namespace {

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
        if (m_used + bytes.size() > Capacity) {
            Flush();
            if (bytes.size() > Capacity) {
                m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
                return;
            }
        }
        std::memcpy(m_buffer.get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
    }
    void Number(std::int64_t value) { Raw(DecimalText(value)); }
    void Bool(bool value) { Raw(value ? "true" : "false"); }
    // A Windows-1252 text as a JSON string in UTF-8.
    void String(std::string_view cp1252)
    {
        Raw("\"");
        std::size_t plain = 0;
        for (std::size_t i = 0; i < cp1252.size(); ++i) {
            const auto u = static_cast<unsigned char>(cp1252[i]);
            if (u >= 0x20 && u < 0x80 && u != '"' && u != '\\')
                continue;
            Raw(cp1252.substr(plain, i - plain));
            Raw(Escaped()[u]);
            plain = i + 1;
        }
        Raw(cp1252.substr(plain));
        Raw("\"");
    }
    // Opens a member: the indent of its level, the key and ": ".
    void Key(int level, std::string_view key)
    {
        Indent(level);
        Raw("\"");
        Raw(key);
        Raw("\": ");
    }
    void Indent(int level) { Raw(std::string_view(kBlanks).substr(0, static_cast<std::size_t>(4 * level))); }
    // Ends a member or element: a comma unless it is the last one, then the line end.
    void End(bool last) { Raw(last ? "\n" : ",\n"); }

private:
    static constexpr std::size_t Capacity = 64 * 1024;
    static constexpr char kBlanks[] = "                                ";

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
                        e = TerminalText(std::string_view(&c, 1));
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

void WriteActionJson(JsonOut& j, int index, const ActionRecord& action, const LangTextLookup& langText)
{
    constexpr int level = 5;
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
    j.Raw("[\n");
    ForEachPair(action.Params, [&j](const Pair& pair, bool last) {
        j.Indent(level + 1);
        j.Raw("{\n");
        j.Key(level + 2, "key");
        j.String(pair.Key);
        j.End(false);
        j.Key(level + 2, "value");
        j.String(pair.Value);
        j.End(true);
        j.Indent(level + 1);
        j.Raw("}");
        j.End(last);
    });
    j.Indent(level);
    j.Raw("]");
    j.End(false);
    j.Key(level, "summary");
    j.String(ActionSummary(action, langText));
    j.End(false);
    j.Key(level, "time_table");
    j.Raw("{\n");
    // Days by name in key order, as a JSON object sorts them.
    static constexpr int kDaysByName[] = {5, 1, 6, 7, 4, 2, 3}; // Fri Mon Sat Sun Thu Tue Wed
    int lastDay = 0;
    for (int day : kDaysByName) {
        if (!action.TimeTable.Day(day).empty())
            lastDay = day;
    }
    for (int day : kDaysByName) {
        const std::span<const Interval> intervals = action.TimeTable.Day(day);
        if (intervals.empty())
            continue;
        j.Key(level + 1, kDayNames[day - 1]);
        j.Raw("[\n");
        for (std::size_t i = 0; i < intervals.size(); ++i) {
            j.Indent(level + 2);
            j.String(IntervalText(intervals[i]));
            j.End(i + 1 == intervals.size());
        }
        j.Indent(level + 1);
        j.Raw("]");
        j.End(day == lastDay);
    }
    j.Indent(level);
    j.Raw("}");
    j.End(false);
    j.Key(level, "type");
    j.Number(action.Type);
    j.End(false);
    j.Key(level, "type_name");
    j.String(ActionTypeName(action.Type));
    j.End(true);
}

void WriteFlagsJson(JsonOut& j, const bool* flags, std::size_t count)
{
    j.Raw("[\n");
    for (std::size_t i = 0; i < count; ++i) {
        j.Indent(3);
        j.Bool(flags[i]);
        j.End(i + 1 == count);
    }
    j.Indent(2);
    j.Raw("]");
}

void WriteDocumentJson(JsonOut& j, const ConfigDocument& doc, const LangTextLookup& langText)
{
    j.Raw("{\n");
    const ZelkSettings& z = doc.ZelkSettings;
    j.Key(1, "detector");
    j.Raw("{\n");
    j.Key(2, "BC");
    j.Number(z.BC);
    j.End(false);
    j.Key(2, "MSK");
    WriteFlagsJson(j, z.MSK.data(), z.MSK.size());
    j.End(false);
    j.Key(2, "S");
    WriteFlagsJson(j, z.S.data(), z.S.size());
    j.End(true);
    j.Indent(1);
    j.Raw("}");
    j.End(false);

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

    j.Key(1, "rules");
    j.Raw("[\n");
    int lastUsed = -1;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        if (doc.IsRuleUsed(r))
            lastUsed = r;
    }
    for (int r = 0; r <= lastUsed; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        j.Indent(2);
        j.Raw("{\n");
        j.Key(3, "actions");
        j.Raw("[\n");
        for (std::size_t a = 0; a < rule.Actions.size(); ++a) {
            j.Indent(4);
            j.Raw("{\n");
            WriteActionJson(j, static_cast<int>(a), rule.Actions[a], langText);
            j.Indent(4);
            j.Raw("}");
            j.End(a + 1 == rule.Actions.size());
        }
        j.Indent(3);
        j.Raw("]");
        j.End(false);
        j.Key(3, "index");
        j.Number(r);
        j.End(false);
        j.Key(3, "tag");
        j.String(EventSourceTag(r, doc.InputOneAsSensor));
        j.End(true);
        j.Indent(2);
        j.Raw("}");
        j.End(r == lastUsed);
    }
    j.Indent(1);
    j.Raw("]");
    j.End(true);
    j.Raw("}\n");
}

} // namespace

void WriteShowJson(const ConfigDocument& doc, const LangTextLookup& langText, std::ostream& out)
{
    JsonOut json(out);
    WriteDocumentJson(json, doc, langText);
}

} // namespace kor::cli
