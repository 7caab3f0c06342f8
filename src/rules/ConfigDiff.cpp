#include "rules/ConfigDiff.h"

#include "config/EventSources.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"
#include "rules/ActionFields.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <unordered_map>

namespace kor {

namespace {

// pattern with %1..%9 replaced by the arguments.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < args.size()) {
            out += *(args.begin() + (next - '1'));
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

std::size_t ContentHash(const ActionRecord& a)
{
    const std::size_t h = std::hash<std::string_view>()(a.Params.View());
    return h ^ (std::hash<std::string>()(a.Name) * 31) ^ static_cast<std::size_t>(a.Type);
}

// Positions (in pairs of one type, taken in the second configuration's order) that keep their
// relative order: the longest increasing run of first-configuration positions. The others moved.
std::vector<bool> KeptInOrder(const std::vector<int>& firstPositions)
{
    const std::size_t n = firstPositions.size();
    std::vector<int> tails; // index into firstPositions of the smallest tail per length
    std::vector<int> previous(n, -1);
    for (std::size_t k = 0; k < n; ++k) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), firstPositions[k], [&](int t, int value) {
                return firstPositions[static_cast<std::size_t>(t)] < value;
            });
        if (at != tails.begin())
            previous[k] = *(at - 1);
        if (at == tails.end())
            tails.push_back(static_cast<int>(k));
        else
            *at = static_cast<int>(k);
    }
    std::vector<bool> kept(n, false);
    for (int k = tails.empty() ? -1 : tails.back(); k >= 0; k = previous[static_cast<std::size_t>(k)])
        kept[static_cast<std::size_t>(k)] = true;
    return kept;
}

class Differ
{
public:
    Differ(const LangTextLookup& langText, std::vector<ConfigChange>& out) : m_langText(langText), m_out(out)
    {}

    void Rule(int r, const SensorRule& a, const SensorRule& b, std::int16_t inputOne);
    void General(const GeneralSettings& a, const GeneralSettings& b);
    void Zelk(const ZelkSettings& a, const ZelkSettings& b);
    void Device(const DeviceLine& a, const DeviceLine& b);

private:
    std::string Word(int text) const { return m_langText(text); }
    std::string Shown(const std::string& value) const
    {
        return value.empty() ? Word(LangTextId(1209)) : value;
    }

    // Adds a change; where is the rule and action (or the page), what the change itself.
    void Add(ConfigChange change, const std::string& what)
    {
        change.Text = m_where + ": " + what;
        m_out.push_back(std::move(change));
    }
    ConfigChange At(ChangeKind kind, int action, const ActionRecord* record) const
    {
        ConfigChange c;
        c.Kind = kind;
        c.Rule = m_rule;
        c.Action = action;
        if (record)
            c.ActionName = record->Name;
        return c;
    }
    void SetActionPlace(int position, const ActionRecord& action)
    {
        m_where = m_ruleText + ", " + Fill(Word(LangTextId(1201)), {DecimalText(position), action.Name});
    }
    void Field(ConfigChange c, std::string field, const std::string& before, const std::string& after,
               bool secret);
    void WholeAction(ChangeKind kind, int position, const ActionRecord& action);
    void Paired(int from, int to, bool moved, const ActionRecord& a, const ActionRecord& b);
    void Setting(int area, std::string field, const std::string& before, const std::string& after,
                 bool secret = false);
    void Setting(int area, int label, const std::string& before, const std::string& after,
                 bool secret = false)
    {
        Setting(area, Word(label), before, after, secret);
    }

    const LangTextLookup& m_langText;
    std::vector<ConfigChange>& m_out;
    int m_rule = -1;
    std::string m_ruleText;
    std::string m_where;
};

void Differ::Field(ConfigChange c, std::string field, const std::string& before, const std::string& after,
                   bool secret)
{
    c.Field = std::move(field);
    c.Secret = secret;
    if (secret) {
        Add(std::move(c), Fill(Word(LangTextId(1206)), {c.Field}));
        return;
    }
    c.Before = before;
    c.After = after;
    Add(std::move(c), Fill(Word(LangTextId(1205)), {c.Field, Shown(before), Shown(after)}));
}

void Differ::WholeAction(ChangeKind kind, int position, const ActionRecord& action)
{
    SetActionPlace(position, action);
    Add(At(kind, position, &action),
        Word(kind == ChangeKind::ActionAdded ? LangTextId(1202) : LangTextId(1203)));
}

void Differ::Paired(int from, int to, bool moved, const ActionRecord& a, const ActionRecord& b)
{
    SetActionPlace(to, b);
    if (moved) {
        ConfigChange c = At(ChangeKind::ActionMoved, to, &b);
        c.From = from;
        Add(std::move(c), Fill(Word(LangTextId(1204)), {DecimalText(from), DecimalText(to)}));
    }
    if (a == b)
        return;
    const std::vector<ActionField> fa = ActionFieldsOf(a, m_langText);
    const std::vector<ActionField> fb = ActionFieldsOf(b, m_langText);
    bool shown = false;
    if (fa.size() == fb.size()) {
        for (std::size_t k = 0; k < fa.size(); ++k) {
            if (fa[k].Value == fb[k].Value)
                continue;
            Field(At(ChangeKind::FieldChanged, to, &b), fa[k].Label ? Word(fa[k].Label) : fa[k].Key,
                  fa[k].Value, fb[k].Value, fa[k].Secret);
            shown = true;
        }
    }
    // Parameters no editor field shows still count: they go to the camera.
    if (!shown && a.Params != b.Params) {
        std::map<std::string, std::pair<ActionField, ActionField>> byKey;
        for (ActionField& f : RawParamFields(a.Params))
            byKey[f.Key].first = std::move(f);
        for (ActionField& f : RawParamFields(b.Params))
            byKey[f.Key].second = std::move(f);
        for (const auto& [key, values] : byKey) {
            if (values.first.Value != values.second.Value || values.first.Key != values.second.Key)
                Field(At(ChangeKind::FieldChanged, to, &b), key, values.first.Value, values.second.Value,
                      values.first.Secret || values.second.Secret);
        }
    }
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        const auto da = a.TimeTable.Day(day);
        const auto db = b.TimeTable.Day(day);
        if (std::equal(da.begin(), da.end(), db.begin(), db.end()))
            continue;
        static constexpr int kDays[] = {LangTextId(1011), LangTextId(1012), LangTextId(1013),
                                        LangTextId(1014), LangTextId(1015), LangTextId(1016),
                                        LangTextId(1017)};
        const std::string dayName = Word(kDays[day - 1]);
        std::vector<bool> usedB(db.size(), false);
        std::vector<const Interval*> removed;
        for (const Interval& i : da) {
            std::size_t k = 0;
            while (k < db.size() && (usedB[k] || !(db[k] == i)))
                ++k;
            if (k < db.size())
                usedB[k] = true;
            else
                removed.push_back(&i);
        }
        for (const Interval* i : removed) {
            ConfigChange c = At(ChangeKind::IntervalRemoved, to, &b);
            c.Field = dayName;
            c.Before = IntervalText(*i);
            Add(std::move(c), Fill(Word(LangTextId(1208)), {dayName, IntervalText(*i)}));
        }
        for (std::size_t k = 0; k < db.size(); ++k) {
            if (usedB[k])
                continue;
            ConfigChange c = At(ChangeKind::IntervalAdded, to, &b);
            c.Field = dayName;
            c.After = IntervalText(db[k]);
            Add(std::move(c), Fill(Word(LangTextId(1207)), {dayName, c.After}));
        }
    }
}

void Differ::Rule(int r, const SensorRule& ruleA, const SensorRule& ruleB, std::int16_t inputOne)
{
    std::vector<int> liveA;
    std::vector<int> liveB;
    for (std::size_t k = 0; k < ruleA.Actions.size(); ++k)
        if (!ruleA.Actions[k].Deleted)
            liveA.push_back(static_cast<int>(k));
    for (std::size_t k = 0; k < ruleB.Actions.size(); ++k)
        if (!ruleB.Actions[k].Deleted)
            liveB.push_back(static_cast<int>(k));
    const auto A = [&](std::size_t i) -> const ActionRecord& {
        return ruleA.Actions[static_cast<std::size_t>(liveA[i])];
    };
    const auto B = [&](std::size_t j) -> const ActionRecord& {
        return ruleB.Actions[static_cast<std::size_t>(liveB[j])];
    };
    const std::size_t n = liveA.size();
    const std::size_t m = liveB.size();
    // The common case, equal rules, costs one comparison per action.
    std::size_t head = 0;
    while (head < n && head < m && A(head) == B(head))
        ++head;
    if (head == n && head == m)
        return;

    m_rule = r;
    const std::string tag = EventSourceTag(r, inputOne);
    m_ruleText =
        Fill(Word(LangTextId(1200)), {DecimalText(r) + (tag.empty() ? std::string() : " (" + tag + ")")});
    if (n == 0 || m == 0) {
        m_where = m_ruleText;
        Add(At(n == 0 ? ChangeKind::RuleAdded : ChangeKind::RuleRemoved, -1, nullptr),
            Word(n == 0 ? LangTextId(1202) : LangTextId(1203)));
    }

    std::vector<int> matchA(n, -1);
    std::vector<int> matchB(m, -1);
    for (std::size_t k = 0; k < head; ++k)
        matchA[k] = matchB[k] = static_cast<int>(k);
    std::size_t tail = 0;
    while (tail < n - head && tail < m - head && A(n - 1 - tail) == B(m - 1 - tail)) {
        matchA[n - 1 - tail] = static_cast<int>(m - 1 - tail);
        matchB[m - 1 - tail] = static_cast<int>(n - 1 - tail);
        ++tail;
    }
    const std::size_t endA = n - tail;
    const std::size_t endB = m - tail;
    const auto pair = [&](std::size_t i, std::size_t j) {
        matchA[i] = static_cast<int>(j);
        matchB[j] = static_cast<int>(i);
    };
    // Equal content first (an action that only moved), then the same description, then the type.
    std::unordered_map<std::size_t, std::vector<std::size_t>> byContent;
    for (std::size_t i = head; i < endA; ++i)
        byContent[ContentHash(A(i))].push_back(i);
    for (std::size_t j = head; j < endB; ++j) {
        const auto bucket = byContent.find(ContentHash(B(j)));
        if (bucket == byContent.end())
            continue;
        for (std::size_t i : bucket->second) {
            if (matchA[i] < 0 && A(i) == B(j)) {
                pair(i, j);
                break;
            }
        }
    }
    for (const bool sameName : {true, false}) {
        for (std::size_t j = head; j < endB; ++j) {
            for (std::size_t i = head; i < endA && matchB[j] < 0; ++i) {
                if (matchA[i] < 0 && A(i).Type == B(j).Type && (!sameName || A(i).Name == B(j).Name))
                    pair(i, j);
            }
        }
    }

    // Moves count among the actions of one type.
    std::map<std::int32_t, std::vector<std::size_t>> pairsByType; // second-configuration positions
    for (std::size_t j = 0; j < m; ++j)
        if (matchB[j] >= 0)
            pairsByType[B(j).Type].push_back(j);
    std::vector<bool> moved(m, false);
    for (const auto& [type, js] : pairsByType) {
        std::vector<int> firsts;
        for (std::size_t j : js)
            firsts.push_back(matchB[j]);
        const std::vector<bool> kept = KeptInOrder(firsts);
        for (std::size_t k = 0; k < js.size(); ++k)
            moved[js[k]] = !kept[k];
    }

    for (std::size_t i = 0; i < n; ++i)
        if (matchA[i] < 0)
            WholeAction(ChangeKind::ActionRemoved, liveA[i], A(i));
    for (std::size_t j = 0; j < m; ++j) {
        if (matchB[j] < 0) {
            WholeAction(ChangeKind::ActionAdded, liveB[j], B(j));
            continue;
        }
        const std::size_t i = static_cast<std::size_t>(matchB[j]);
        if (moved[j] || !(A(i) == B(j)))
            Paired(liveA[i], liveB[j], moved[j], A(i), B(j));
    }
}

void Differ::Setting(int area, std::string field, const std::string& before, const std::string& after,
                     bool secret)
{
    if (before == after)
        return;
    m_rule = -1;
    m_where = Word(area);
    ConfigChange c;
    c.Kind = ChangeKind::SettingChanged;
    c.Area = area;
    Field(std::move(c), std::move(field), before, after, secret);
}

void Differ::General(const GeneralSettings& a, const GeneralSettings& b)
{
    const int page = LangTextId(171);
    Setting(page, LangTextId(1110), DecimalText(a.FS), DecimalText(b.FS));
    Setting(page, LangTextId(1111), DecimalText(a.FTM), DecimalText(b.FTM));
    Setting(page, LangTextId(1112), DecimalText(a.FSB), DecimalText(b.FSB));
    Setting(page, LangTextId(1113), DecimalText(a.FTMB), DecimalText(b.FTMB));
    const struct
    {
        int Label;
        std::string GeneralSettings::*Value;
    } texts[] = {
        {LangTextId(1060), &GeneralSettings::SMTPH},   {LangTextId(1101), &GeneralSettings::SMTPP},
        {LangTextId(1102), &GeneralSettings::SNDADDR}, {LangTextId(1103), &GeneralSettings::RPLYADDR},
        {LangTextId(1105), &GeneralSettings::CIDHEAD}, {LangTextId(1106), &GeneralSettings::CLIENTNUM},
        {LangTextId(1107), &GeneralSettings::CRAIP},   {LangTextId(1108), &GeneralSettings::CRAPORT},
    };
    for (const auto& t : texts)
        Setting(page, t.Label, a.*t.Value, b.*t.Value);
}

void Differ::Zelk(const ZelkSettings& a, const ZelkSettings& b)
{
    const int page = LangTextId(172);
    Setting(page, LangTextId(1115), DecimalText(a.BC), DecimalText(b.BC));
    const auto flag = [this](bool on, int yes, int no) { return Word(on ? yes : no); };
    for (std::size_t k = 0; k < a.S.size(); ++k)
        Setting(page, Word(LangTextId(119)) + " " + DecimalText(static_cast<std::int64_t>(k + 1)),
                flag(a.S[k], LangTextId(253), LangTextId(254)),
                flag(b.S[k], LangTextId(253), LangTextId(254)));
    for (std::size_t k = 0; k < a.MSK.size(); ++k)
        Setting(page, Word(LangTextId(1117)) + " " + DecimalText(static_cast<std::int64_t>(k + 1)),
                flag(a.MSK[k], LangTextId(1212), LangTextId(1213)),
                flag(b.MSK[k], LangTextId(1212), LangTextId(1213)));
}

void Differ::Device(const DeviceLine& a, const DeviceLine& b)
{
    const int page = LangTextId(100);
    Setting(page, LangTextId(106), DecimalText(a.Port), DecimalText(b.Port));
    Setting(page, LangTextId(107), a.User, b.User);
    Setting(page, LangTextId(108), a.Password, b.Password, true);
    Setting(page, LangTextId(1148), a.Mac, b.Mac);
    Setting(page, LangTextId(1147), a.Brand, b.Brand);
}

} // namespace

std::vector<ConfigChange> DiffConfigs(const ConfigSide& before, const ConfigSide& after,
                                      const LangTextLookup& langText)
{
    std::vector<ConfigChange> out;
    Differ differ(langText, out);
    const ConfigDocument empty;
    const ConfigDocument& a = before.Doc ? *before.Doc : empty;
    const ConfigDocument& b = after.Doc ? *after.Doc : empty;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r)
        differ.Rule(r, a.Rule(r), b.Rule(r), b.InputOneAsSensor);
    differ.General(a.GeneralSettings, b.GeneralSettings);
    differ.Zelk(a.ZelkSettings, b.ZelkSettings);
    if (before.Device && after.Device)
        differ.Device(*before.Device, *after.Device);
    return out;
}

const char* ChangeKindName(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::RuleAdded:
        return "rule-added";
    case ChangeKind::RuleRemoved:
        return "rule-removed";
    case ChangeKind::ActionAdded:
        return "action-added";
    case ChangeKind::ActionRemoved:
        return "action-removed";
    case ChangeKind::ActionMoved:
        return "action-moved";
    case ChangeKind::FieldChanged:
        return "field-changed";
    case ChangeKind::IntervalAdded:
        return "interval-added";
    case ChangeKind::IntervalRemoved:
        return "interval-removed";
    case ChangeKind::SettingChanged:
        return "setting-changed";
    }
    return "";
}

} // namespace kor
