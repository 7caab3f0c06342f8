#pragma once

#include "rules/ui/ActionEditorLauncher.h"

#include <cstdint>

class QWidget;

namespace kor {

class ActionEditor;
class AppSession;
class ScreenRegistry;

// The editor screen of a type, freshly loaded (defaults shown); nullptr when this build has no
// editor for the type.
ActionEditor* CreateActionEditor(AppSession& session, std::int32_t type, QWidget* parent);

// Creates the editor of a request and opens it as the rule list does: Actv, l_Sen, Modify (which
// loads an existing action) and, for the call editor, PC. nullptr when there is no such editor.
ActionEditor* PrepareActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* parent);

// PrepareActionEditor, then shows the editor modally over owner and frees it when it closes.
// Returns false when there is no editor for the type.
bool OpenActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* owner);

// Makes OpenActionEditor the rule lists' way of opening editors, and adds every editor to the
// screenshot tour.
void RegisterActionsScreens(ScreenRegistry& screens);

} // namespace kor
