#pragma once

#include "config/ConfigDocument.h"

#include <string>
#include <string_view>

namespace kor {

// The description an editor stores: the typed text, or "" when it holds nothing but blanks (the
// text itself is kept untrimmed).
std::string StoredDescription(std::string_view typed);

// The confirm step shared by every editor. An existing action (actionIndex 0 or more) is replaced,
// keeping its time table; a new one is added. Returns the action's index (AddAction's result for a
// new one). Replacing with different contents marks the document as changed, so that an edited
// action is not lost without the question about unsaved changes.
int StoreAction(ConfigDocument& doc, int ruleIndex, int actionIndex, const ActionRecord& record);

} // namespace kor
