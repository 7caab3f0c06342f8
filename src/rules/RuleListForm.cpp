#include "rules/RuleListForm.h"

#include "app/Language.h"
#include "config/ActionSummary.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "rules/ActionClipboard.h"
#include "rules/TimeTableForm.h"

#include <QStringList>

#include <array>

namespace kor {

namespace {

const std::array<ActionButtonSpec, RuleListForm::kButtonCount> kButtons = {{
    {ActOutput, LangTextId(123), nullptr, Capability::Output},
    {ActRecord, LangTextId(196), nullptr, Capability::Recording},
    {ActCall, LangTextId(203), nullptr, std::nullopt},
    {ActMove, LangTextId(193), nullptr, Capability::Presets},
    {ActNotify, 0, "Pop-Up", Capability::Notify},
    {ActRemoteAlarm, LangTextId(124), nullptr, Capability::RemoteAlarm},
    {ActUser, LangTextId(204), nullptr, Capability::User},
    {ActMail, 0, "E-mail", Capability::Mail},
    {ActFtp, 0, "FTP", Capability::Ftp},
    {ActContactId, 0, "ContactID", std::nullopt},
}};

} // namespace

QString ActionStepSubject(const ActionRecord& action)
{
    const QString name = FromCp1252(action.Name).trimmed();
    return name.isEmpty() ? FromCp1252(ActionSummary(action, LangTextBytes)) : name;
}

RuleListForm::RuleListForm(ConfigDocument& doc, std::uint32_t capabilityFlags)
    : m_doc(doc), m_capabilityFlags(capabilityFlags)
{}

const ActionButtonSpec& RuleListForm::Button(int position)
{
    return kButtons.at(static_cast<std::size_t>(position - 1));
}

QString RuleListForm::ButtonCaption(int position)
{
    const ActionButtonSpec& button = Button(position);
    return button.Caption ? LangCaption(button.Caption) : QString::fromLatin1(button.FixedCaption);
}

bool RuleListForm::ButtonEnabled(int position) const
{
    const std::optional<Capability> needs = Button(position).Needs;
    return !needs || HasCapability(m_capabilityFlags, *needs);
}

bool RuleListForm::CallThroughPc() const
{
    return HasCapability(m_capabilityFlags, Capability::CallThroughPc);
}

std::vector<int> RuleListForm::Rows() const
{
    std::vector<int> rows;
    if (!ConfigDocument::IsValidRule(m_rule))
        return rows;
    const std::vector<ActionRecord>& actions = m_doc.Rule(m_rule).Actions;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!actions[i].Deleted)
            rows.push_back(static_cast<int>(i));
    }
    return rows;
}

QString RuleListForm::TimeTableText(const TimeTable& table)
{
    QStringList days;
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        if (!table.Day(day).empty())
            days << LangText(DayNameText(day)).left(3);
    }
    if (days.isEmpty())
        return LangText(1303);
    return days.size() == TimeTable::DayCount ? LangText(1304) : days.join(u' ');
}

RuleListForm::Command RuleListForm::CommandOf(const QString& key)
{
    const QString command = key.section(u'#', 0, 0);
    if (command == QLatin1String("Copy"))
        return Command::Copy;
    if (command == QLatin1String("Paste"))
        return Command::Paste;
    if (command == QLatin1String("Delete"))
        return Command::Delete;
    return Command::None;
}

RuleListForm::MenuState RuleListForm::Menu(bool anyRowSelected, const ActionClipboard& clipboard)
{
    return MenuState{anyRowSelected, !clipboard.IsEmpty()};
}

void RuleListForm::Copy(const std::vector<int>& selectedActions, ActionClipboard& clipboard) const
{
    clipboard.Begin(m_rule);
    for (const int action : selectedActions) {
        if (action >= 0 && action <= 255)
            clipboard.Append(static_cast<std::uint8_t>(action));
    }
}

void RuleListForm::Paste(const ActionClipboard& clipboard)
{
    clipboard.PasteInto(m_doc, m_rule);
}

void RuleListForm::Delete(const std::vector<int>& actions)
{
    for (const int action : actions)
        m_doc.MarkDeleted(m_rule, action);
    // A deletion is work the user would lose without the question about unsaved changes.
    if (!actions.empty())
        m_doc.Saved = false;
}

} // namespace kor
