#include "config/ConfigJson.h"

#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <array>
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

std::string IntervalText(const Interval& i)
{
    std::string out;
    const auto put = [&out](unsigned v, char after) {
        if (v < 10)
            out.push_back('0');
        out += DecimalText(v);
        if (after)
            out.push_back(after);
    };
    put(i.Start.Hour, ':');
    put(i.Start.Minute, '-');
    put(i.End.Hour, ':');
    put(i.End.Minute, 0);
    return out;
}

void WriteParams(JsonOut& j, int level, std::string_view params, bool mask)
{
    const std::vector<ParamPair> pairs = SplitParams(params);
    if (pairs.empty()) {
        j.Empty(level, "[]");
        return;
    }
    j.Raw("[\n");
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const ParamPair& pair = pairs[i];
        j.Indent(level + 1);
        j.Raw("{\n");
        j.Key(level + 2, "key");
        j.String(pair.Key);
        if (pair.HasValue) {
            const bool hide = mask && !pair.Value.empty() && UpperCp1252(pair.Key) == "PWD";
            j.End(false);
            j.Key(level + 2, "value");
            j.String(hide ? std::string_view(kMaskedPassword) : pair.Value);
        }
        j.End(true);
        j.Indent(level + 1);
        j.Raw("}");
        j.End(i + 1 == pairs.size());
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
            j.String(IntervalText(intervals[i]));
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
