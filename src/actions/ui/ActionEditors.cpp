#include "actions/ui/ActionEditors.h"

#include "actions/ActionTypes.h"
#include "actions/ui/FrmActvs.h"
#include "actions/ui/FrmAlarm.h"
#include "actions/ui/FrmMove.h"
#include "actions/ui/FrmNotify.h"
#include "actions/ui/FrmSave.h"
#include "actions/ui/FrmUsrs.h"
#include "actions/ui/Frmcall.h"
#include "actions/ui/frmContactId.h"
#include "actions/ui/frmFTP.h"
#include "actions/ui/frmMail.h"
#include "app/AppSession.h"
#include "app/ui/ScreenRegistry.h"
#include "rules/ui/ModalScreens.h"

#include <iterator>
#include <memory>

namespace kor {

namespace {

struct EditorEntry
{
    std::int32_t Type;
    ActionEditor* (*Create)(AppSession& session, QWidget* parent);
};

// One line per editor screen.
const EditorEntry kEditors[] = {
    {ActOutput, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmActvs(s, p); }},
    {ActFtp, [](AppSession& s, QWidget* p) -> ActionEditor* { return new frmFTP(s, p); }},
    {ActCall, [](AppSession& s, QWidget* p) -> ActionEditor* { return new Frmcall(s, p); }},
    {ActContactId, [](AppSession& s, QWidget* p) -> ActionEditor* { return new frmContactId(s, p); }},
    {ActMail, [](AppSession& s, QWidget* p) -> ActionEditor* { return new frmMail(s, p); }},
    {ActNotify, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmNotify(s, p); }},
    {ActRecord, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmSave(s, p); }},
    {ActUser, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmUsrs(s, p); }},
    {ActRemoteAlarm, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmAlarm(s, p); }},
    {ActMove, [](AppSession& s, QWidget* p) -> ActionEditor* { return new FrmMove(s, p); }},
};

// The first stored action of a type, so that the tour shows a loaded editor where it can.
ActionEditorRequest TourRequest(const ConfigDocument& doc, std::int32_t type)
{
    ActionEditorRequest request;
    request.Type = type;
    for (int rule = 0; rule < ConfigDocument::RuleCount; ++rule) {
        const SensorRule& actions = doc.Rule(rule);
        for (std::size_t i = 0; i < actions.Actions.size(); ++i) {
            if (actions.Actions[i].Type == type && !actions.Actions[i].Deleted) {
                request.RuleIndex = rule;
                request.ActionIndex = static_cast<int>(i);
                return request;
            }
        }
    }
    return request;
}

} // namespace

ActionEditor* CreateActionEditor(AppSession& session, std::int32_t type, QWidget* parent)
{
    for (const EditorEntry& entry : kEditors) {
        if (entry.Type == type)
            return entry.Create(session, parent);
    }
    return nullptr;
}

ActionEditor* PrepareActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* parent)
{
    ActionEditor* editor = CreateActionEditor(session, request.Type, parent);
    if (!editor)
        return nullptr;
    editor->SetActv(request.ActionIndex);
    editor->SetRuleIndex(request.RuleIndex);
    editor->SetModify(request.ActionIndex >= 0);
    if (request.Type == ActCall)
        editor->setProperty("PC", request.PC);
    return editor;
}

bool OpenActionEditor(AppSession& session, const ActionEditorRequest& request, QWidget* owner)
{
    std::unique_ptr<ActionEditor> editor(PrepareActionEditor(session, request, owner));
    if (!editor)
        return false;
    ShowModalScreen(editor.get());
    return true;
}

void RegisterActionsScreens(ScreenRegistry& screens)
{
    SetActionEditorLauncher(&OpenActionEditor);
    for (const EditorEntry& entry : kEditors) {
        const ActionEditorInfo* info = ActionEditorInfoOf(entry.Type);
        if (!info)
            continue;
        screens.AddTourScreen(QLatin1String(info->ScreenName),
                              [type = entry.Type](AppSession& session, QWidget* parent) -> QWidget* {
                                  return PrepareActionEditor(session, TourRequest(session.Document(), type),
                                                             parent);
                              });
    }
}

} // namespace kor
