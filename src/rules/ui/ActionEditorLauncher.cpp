#include "rules/ui/ActionEditorLauncher.h"

namespace kor {

namespace {

ActionEditorLauncher& Launcher()
{
    static ActionEditorLauncher launcher;
    return launcher;
}

} // namespace

void SetActionEditorLauncher(ActionEditorLauncher launcher)
{
    Launcher() = std::move(launcher);
}

bool LaunchActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* owner)
{
    const ActionEditorLauncher launcher = Launcher();
    return launcher && launcher(session, request, owner);
}

} // namespace kor
