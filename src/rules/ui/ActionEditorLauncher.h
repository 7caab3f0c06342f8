#pragma once

#include <cstdint>
#include <functional>

class QWidget;

namespace kor {

class AppSession;

// What the rule list asks for when it opens an action editor.
struct ActionEditorRequest
{
    int RuleIndex = 0;
    int ActionIndex = -1; // -1: a new action
    std::int32_t Type = 0;
    bool PC = false; // the call editor goes through a PC (button 3's tag is "PC")
};

// Opens the editor of a request modally over owner and returns once it is closed; false when no
// editor could be opened. The editors live in a library built on this one, so they register
// their launcher at start (RegisterActionsScreens); tests may install their own.
using ActionEditorLauncher = std::function<bool(AppSession&, const ActionEditorRequest&, QWidget* owner)>;

void SetActionEditorLauncher(ActionEditorLauncher launcher);
bool LaunchActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* owner);

} // namespace kor
