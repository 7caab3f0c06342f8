#include "actions/ActionStore.h"

namespace kor {

std::string StoredDescription(std::string_view typed)
{
    const std::size_t first = typed.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(typed);
}

int StoreAction(ConfigDocument& doc, int ruleIndex, int actionIndex, const ActionRecord& record)
{
    if (actionIndex < 0)
        return doc.AddAction(ruleIndex, record);
    const ActionRecord* stored = doc.Action(ruleIndex, actionIndex);
    if (!stored)
        return actionIndex;
    const bool changed = stored->Type != record.Type || stored->Name != record.Name ||
                         stored->Params != record.Params || stored->Deleted;
    doc.ReplaceAction(ruleIndex, actionIndex, record);
    if (changed)
        doc.Saved = false;
    return actionIndex;
}

} // namespace kor
