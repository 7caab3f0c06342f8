#include "rules/ActionClipboard.h"

#include "config/ConfigDocument.h"

namespace kor {

ActionClipboard& ActionClipboard::Program()
{
    static ActionClipboard clipboard;
    return clipboard;
}

void ActionClipboard::Begin(std::int16_t sourceRule)
{
    m_sourceRule = sourceRule;
    m_indexes.clear();
}

void ActionClipboard::Append(std::uint8_t actionIndex)
{
    if (m_indexes.size() < MaxCount)
        m_indexes.push_back(actionIndex);
}

void ActionClipboard::Clear()
{
    m_sourceRule = 0;
    m_indexes.clear();
}

int ActionClipboard::PasteInto(ConfigDocument& doc, int targetRule) const
{
    int added = 0;
    for (const std::uint8_t index : m_indexes) {
        const ActionRecord* source = doc.Action(m_sourceRule, index);
        if (!source)
            continue;
        // A copy first: adding to the source rule itself may move its actions.
        ActionRecord copy;
        copy.Type = source->Type;
        copy.Name = source->Name;
        copy.Params = source->Params;
        copy.TimeTable = source->TimeTable;
        const std::uint8_t before = doc.ActionCount(targetRule);
        doc.AddAction(targetRule, std::move(copy));
        if (doc.ActionCount(targetRule) != before)
            ++added;
    }
    return added;
}

} // namespace kor
