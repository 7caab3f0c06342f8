#include "config/ConfigJson.h"

#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "config/ValueRules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cstdint>
#include <optional>

namespace kor {

namespace {

const char* const kDayNames[TimeTable::DayCount] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

QString Q(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

// The general settings' text fields, in the order of the file's general line.
struct TextField
{
    const char* Name;
    std::string GeneralSettings::*Member;
};
const TextField kGeneralText[] = {
    {"SMTPH", &GeneralSettings::SMTPH},     {"SMTPP", &GeneralSettings::SMTPP},
    {"SNDADDR", &GeneralSettings::SNDADDR}, {"RPLYADDR", &GeneralSettings::RPLYADDR},
    {"CIDHEAD", &GeneralSettings::CIDHEAD}, {"CLIENTNUM", &GeneralSettings::CLIENTNUM},
    {"CRAIP", &GeneralSettings::CRAIP},     {"CRAPORT", &GeneralSettings::CRAPORT},
};
struct NumberField
{
    const char* Name;
    std::uint8_t GeneralSettings::*Member;
};
const NumberField kGeneralNumbers[] = {
    {"FS", &GeneralSettings::FS},
    {"FTM", &GeneralSettings::FTM},
    {"FSB", &GeneralSettings::FSB},
    {"FTMB", &GeneralSettings::FTMB},
};

// Reading: every failure names the JSON path of the value at fault.
class Reader
{
public:
    std::optional<std::string> Failure;

    bool Fail(const QString& path, const std::string& what)
    {
        if (!Failure)
            Failure = path.toStdString() + ": " + what;
        return false;
    }

    const QJsonValue* Field(const QJsonObject& o, const QString& path, const char* name, bool required)
    {
        const auto it = o.constFind(Q(name));
        if (it == o.constEnd()) {
            if (required)
                Fail(path + u'.' + Q(name), "missing");
            return nullptr;
        }
        m_held = it.value();
        return &m_held;
    }

    std::optional<std::int64_t> Integer(const QJsonValue& v, const QString& path, std::int64_t min,
                                        std::int64_t max)
    {
        const double d = v.toDouble(-1e300);
        if (!v.isDouble() || d != static_cast<double>(static_cast<std::int64_t>(d))) {
            Fail(path, "not a whole number");
            return std::nullopt;
        }
        const auto n = static_cast<std::int64_t>(d);
        if (n < min || n > max) {
            Fail(path, "outside " + std::to_string(min) + ".." + std::to_string(max));
            return std::nullopt;
        }
        return n;
    }

    // A text as Windows-1252 bytes, holding only what a value of kind can carry in the file: what
    // the file cannot carry would be stored split, never as given.
    std::optional<std::string> Text(const QJsonValue& v, const QString& path, ValueKind kind)
    {
        if (!v.isString()) {
            Fail(path, "not a text");
            return std::nullopt;
        }
        const QString text = v.toString();
        std::string bytes = ToCp1252(text);
        if (FromCp1252(bytes) != text) {
            QString lost;
            for (const QChar c : text) {
                if (FromCp1252(ToCp1252(QString(c))) != QString(c) && !lost.contains(c))
                    lost += c;
            }
            Fail(path, "holds characters a configuration file cannot store: " + lost.toStdString());
            return std::nullopt;
        }
        if (const Status carried = CheckCarried(kind, bytes, path.toStdString()); carried.failed()) {
            Failure = Failure.value_or(carried.reason());
            return std::nullopt;
        }
        return bytes;
    }

    std::optional<bool> Boolean(const QJsonValue& v, const QString& path)
    {
        if (!v.isBool()) {
            Fail(path, "not true or false");
            return std::nullopt;
        }
        return v.toBool();
    }

private:
    QJsonValue m_held;
};

std::optional<TimeOfDay> ReadTime(QStringView text)
{
    if (text.size() != 5 || text[2] != u':')
        return std::nullopt;
    bool okH = false;
    bool okM = false;
    const int h = text.left(2).toInt(&okH);
    const int m = text.mid(3).toInt(&okM);
    if (!okH || !okM || !text[0].isDigit() || !text[3].isDigit() || h > 23 || m > 59)
        return std::nullopt;
    TimeOfDay t;
    t.Hour = static_cast<std::uint8_t>(h);
    t.Minute = static_cast<std::uint8_t>(m);
    return t;
}

bool ReadAction(Reader& in, const QJsonValue& value, const QString& path, ActionRecord& action)
{
    if (!value.isObject())
        return in.Fail(path, "not an object");
    const QJsonObject o = value.toObject();
    const QJsonValue* v = in.Field(o, path, "type", true);
    if (!v)
        return false;
    const auto type = in.Integer(*v, path + QStringLiteral(".type"), INT32_MIN, INT32_MAX);
    if (!type)
        return false;
    action.Type = static_cast<std::int32_t>(*type);
    if (!(v = in.Field(o, path, "name", true)))
        return false;
    const auto name = in.Text(*v, path + QStringLiteral(".name"), ValueKind::Line);
    if (!name)
        return false;
    action.Name = *name;
    if ((v = in.Field(o, path, "deleted", false))) {
        const auto deleted = in.Boolean(*v, path + QStringLiteral(".deleted"));
        if (!deleted)
            return false;
        action.Deleted = *deleted;
    }
    if ((v = in.Field(o, path, "params", false))) {
        if (!v->isArray())
            return in.Fail(path + QStringLiteral(".params"), "not a list");
        const QJsonArray pairs = v->toArray();
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            const QString at = path + QStringLiteral(".params[%1]").arg(i);
            if (!pairs[i].isObject())
                return in.Fail(at, "not an object");
            const QJsonObject pair = pairs[i].toObject();
            const QJsonValue* k = in.Field(pair, at, "key", true);
            if (!k)
                return false;
            const auto key = in.Text(*k, at + QStringLiteral(".key"), ValueKind::Param);
            if (!key)
                return false;
            if (key->find('=') != std::string::npos)
                return in.Fail(at + QStringLiteral(".key"), "cannot hold \"=\": it ends the key");
            action.Params += *key;
            if (const QJsonValue* pv = in.Field(pair, at, "value", false)) {
                const auto text = in.Text(*pv, at + QStringLiteral(".value"), ValueKind::Param);
                if (!text)
                    return false;
                if (IsPasswordKey(*key) && *text == kMaskedPassword)
                    return in.Fail(at + QStringLiteral(".value"),
                                   "the password is masked (this JSON is a listing; write one with "
                                   "korctl convert IN OUT.json)");
                action.Params += '=';
                action.Params += *text;
            }
            action.Params.push_back('\0');
        }
        if (const QJsonValue* u = in.Field(o, path, "params_unterminated", false)) {
            const auto open = in.Boolean(*u, path + QStringLiteral(".params_unterminated"));
            if (!open)
                return false;
            if (*open && !action.Params.empty())
                action.Params.pop_back();
        }
    }
    if ((v = in.Field(o, path, "time_table", false))) {
        if (!v->isObject())
            return in.Fail(path + QStringLiteral(".time_table"), "not an object");
        const QJsonObject table = v->toObject();
        for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
            const QString dayPath = path + QStringLiteral(".time_table.") + it.key();
            int day = 0;
            for (int d = 0; d < TimeTable::DayCount; ++d) {
                if (it.key() == Q(kDayNames[d]))
                    day = d + 1;
            }
            if (day == 0)
                return in.Fail(dayPath, "not a day (Mon, Tue, Wed, Thu, Fri, Sat or Sun)");
            if (!it.value().isArray())
                return in.Fail(dayPath, "not a list");
            const QJsonArray intervals = it.value().toArray();
            for (qsizetype i = 0; i < intervals.size(); ++i) {
                const QString at = dayPath + QStringLiteral("[%1]").arg(i);
                const QString text = intervals[i].toString();
                const std::optional<TimeOfDay> start = ReadTime(QStringView(text).left(5));
                const std::optional<TimeOfDay> end = ReadTime(QStringView(text).mid(6));
                if (!intervals[i].isString() || text.size() != 11 || text[5] != u'-' || !start || !end)
                    return in.Fail(at, "not an interval HH:MM-HH:MM");
                action.TimeTable.Append(day, Interval{*start, *end});
            }
        }
    }
    return true;
}

bool ReadRules(Reader& in, const QJsonObject& root, ConfigDocument& doc)
{
    const QJsonValue* v = in.Field(root, QStringLiteral("$"), "rules", true);
    if (!v)
        return false;
    if (!v->isArray())
        return in.Fail(QStringLiteral("$.rules"), "not a list");
    const QJsonArray rules = v->toArray();
    for (qsizetype r = 0; r < rules.size(); ++r) {
        const QString path = QStringLiteral("$.rules[%1]").arg(r);
        if (!rules[r].isObject())
            return in.Fail(path, "not an object");
        const QJsonObject rule = rules[r].toObject();
        const QJsonValue* iv = in.Field(rule, path, "index", true);
        if (!iv)
            return false;
        const auto index = in.Integer(*iv, path + QStringLiteral(".index"), 0, ConfigDocument::RuleCount - 1);
        if (!index)
            return false;
        const int ruleIndex = static_cast<int>(*index);
        if (doc.IsRuleUsed(ruleIndex))
            return in.Fail(path + QStringLiteral(".index"),
                           "rule " + std::to_string(ruleIndex) + " comes twice");
        const QJsonValue* av = in.Field(rule, path, "actions", true);
        if (!av)
            return false;
        if (!av->isArray())
            return in.Fail(path + QStringLiteral(".actions"), "not a list");
        const QJsonArray actions = av->toArray();
        if (actions.size() > SensorRule::MaxActions)
            return in.Fail(path + QStringLiteral(".actions"),
                           "more than " + std::to_string(SensorRule::MaxActions) + " actions");
        for (qsizetype a = 0; a < actions.size(); ++a) {
            ActionRecord action;
            if (!ReadAction(in, actions[a], path + QStringLiteral(".actions[%1]").arg(a), action))
                return false;
            doc.AddAction(ruleIndex, std::move(action));
        }
    }
    return true;
}

bool ReadGeneral(Reader& in, const QJsonObject& root, GeneralSettings& g)
{
    const QJsonValue* v = in.Field(root, QStringLiteral("$"), "general", false);
    if (!v)
        return true;
    if (!v->isObject())
        return in.Fail(QStringLiteral("$.general"), "not an object");
    const QJsonObject o = v->toObject();
    for (const NumberField& f : kGeneralNumbers) {
        if (const QJsonValue* fv = in.Field(o, QStringLiteral("$.general"), f.Name, false)) {
            const auto n = in.Integer(*fv, QStringLiteral("$.general.") + Q(f.Name), 0, 255);
            if (!n)
                return false;
            g.*f.Member = static_cast<std::uint8_t>(*n);
        }
    }
    for (const TextField& f : kGeneralText) {
        if (const QJsonValue* fv = in.Field(o, QStringLiteral("$.general"), f.Name, false)) {
            const auto text = in.Text(*fv, QStringLiteral("$.general.") + Q(f.Name), ValueKind::Line);
            if (!text)
                return false;
            g.*f.Member = *text;
        }
    }
    return true;
}

template <std::size_t N>
bool ReadFlags(Reader& in, const QJsonObject& o, const char* name, std::array<bool, N>& flags)
{
    const QString path = QStringLiteral("$.detector.") + Q(name);
    const QJsonValue* v = in.Field(o, QStringLiteral("$.detector"), name, false);
    if (!v)
        return true;
    const QJsonArray list = v->toArray();
    if (!v->isArray() || list.size() != static_cast<qsizetype>(N))
        return in.Fail(path, "not a list of " + std::to_string(N) + " true or false values");
    for (std::size_t i = 0; i < N; ++i) {
        const auto flag = in.Boolean(list[static_cast<qsizetype>(i)], path + QStringLiteral("[%1]").arg(i));
        if (!flag)
            return false;
        flags[i] = *flag;
    }
    return true;
}

bool ReadDetector(Reader& in, const QJsonObject& root, ZelkSettings& z)
{
    const QJsonValue* v = in.Field(root, QStringLiteral("$"), "detector", false);
    if (!v)
        return true;
    if (!v->isObject())
        return in.Fail(QStringLiteral("$.detector"), "not an object");
    const QJsonObject o = v->toObject();
    if (const QJsonValue* bc = in.Field(o, QStringLiteral("$.detector"), "BC", false)) {
        const auto n = in.Integer(*bc, QStringLiteral("$.detector.BC"), INT16_MIN, INT16_MAX);
        if (!n)
            return false;
        z.BC = static_cast<std::int16_t>(*n);
    }
    return ReadFlags(in, o, "S", z.S) && ReadFlags(in, o, "MSK", z.MSK);
}

} // namespace

const char* ActionTypeName(std::int32_t type)
{
    static const char* const names[] = {"output",        "recording",    "call/SMS", "camera move",
                                        "notify client", "remote alarm", "user",     "e-mail",
                                        "FTP upload",    "Contact ID"};
    return type >= ActOutput && type <= ActContactId ? names[type] : "unknown";
}

Result<ConfigDocument> ConfigFromJson(std::string_view json)
{
    QJsonParseError error{};
    const QJsonDocument parsed =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return Result<ConfigDocument>::Fail("not valid JSON at byte " + std::to_string(error.offset) + ": " +
                                            error.errorString().toStdString());
    if (!parsed.isObject())
        return Result<ConfigDocument>::Fail("$: not an object");
    const QJsonObject root = parsed.object();
    Reader in;
    const QJsonValue* format = in.Field(root, QStringLiteral("$"), "format", true);
    if (!format)
        return Result<ConfigDocument>::Fail(*in.Failure);
    if (format->toInt(-1) != kConfigJsonFormat)
        return Result<ConfigDocument>::Fail("$.format: this program reads format " +
                                            std::to_string(kConfigJsonFormat));
    ConfigDocument doc;
    if (!ReadRules(in, root, doc) || !ReadGeneral(in, root, doc.GeneralSettings) ||
        !ReadDetector(in, root, doc.ZelkSettings))
        return Result<ConfigDocument>::Fail(*in.Failure);
    doc.Saved = true;
    return doc;
}

bool LooksLikeConfigJson(std::string_view bytes)
{
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '{';
}

} // namespace kor
