#pragma once

#include "actions/EditorForm.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kor {

class AppSession;
class IPTxt;
struct ActionRecord;

// The frame every action editor shares: the description (TxtDesc), the time table button (BTL1),
// confirm (CmdAdd) and cancel (CmdCancel), and the way an editor is opened, loaded and stored.
//
// Opening (OpenActionEditor does it for the rule list): construct the editor, then SetActv,
// SetRuleIndex (l_Sen) and SetModify. SetModify(true) captions CmdAdd "304", fills TxtDesc from
// the action's Name, lets the editor load its fields (LoadAction) and enables BTL1; SetModify(false)
// captions CmdAdd "302", makes Actv -1 and keeps the defaults. CmdAdd runs Check, builds the record
// (Type, the description rule, BuildParams) and stores it: ReplaceAction for an existing action
// (its time table kept), AddAction for a new one (Actv takes the new index); then it closes.
// CmdCancel closes without touching the document. BTL1 opens FrmTT on the stored action; for a new
// action it is disabled, its tool tip saying to store the action first.
//
// ---- How to add an editor -----------------------------------------------------------------
// 1. The codec and form model, in src/actions/ (no widgets): a struct of the editor's fields
//    with the defaults of a new action, Build<Name>Params(fields) -> parameter string
//    (AppendParam, keys in the editor's order, conditional keys left out) and
//    Load<Name>Params(params) -> fields (read keys with ReadParam of ActionParams.h, apply the
//    load defaults); then the screen's rules as functions of the fields: which controls are
//    enabled, what a choice fills in, and Check<Name>Form, the checks in their order ending with
//    the characters of what is stored (CheckStoredTexts of EditorForm.h). Add the editor to the
//    tables of tests/actions/.
// 2. The screen, src/actions/ui/<Screen>.h/.cpp: a class derived from ActionEditor. Its
//    constructor passes the type to ActionEditor, builds its controls below the description with
//    the helpers below (AddForm, AddText, AddNumber, AddPassword, AddIp, AddCheck, AddList,
//    AddOption: they name the controls and give "n:" captions that ApplyLanguageTexts replaces),
//    applies the field rules (SetKeyFilter, SetSelectOnFocus), connects its screen rules, shows
//    the defaults (a default-constructed struct) and ends with FinishLoad(). Then it overrides
//      - LoadAction(action): Load<Name>Params(action.Params) into the controls; return false
//        when the load fails part-way (BTL1 then stays disabled);
//      - BuildParams(): the controls into the struct, Build<Name>Params;
//      - Check(typed): the form model's Check<Name>Form on the controls' fields (a refusal is
//        shown with the exclamation icon, nothing stored, the editor stays open);
//      - KeepsTypedDescription() when the description is stored as typed (no blank rule).
//    What an editor may need besides its fields: RuleIndex() (l_Sen), DescriptionBytes() (the
//    description as typed), Session() (the camera record, the model, the device services; device
//    questions run with RunDeviceJob on the worker thread). Anything the rule list sets besides
//    the common three is a Q_PROPERTY of the editor (the call editor's PC): OpenActionEditor sets
//    it by name.
// 3. One line in the table of ActionEditors.cpp: the type and a function creating the screen.
//    The rule list then opens it, and the screenshot tour pictures it (on the sample project's
//    first action of that type, or as a new action).
// 4. Widget tests only for what a table cannot show (EditorHarness.h opens an editor as the rule
//    list does).
// ----------------------------------------------------------------------------------------------
class ActionEditor : public QDialog
{
    Q_OBJECT

public:
    ActionEditor(AppSession& session, std::int32_t type, QWidget* parent = nullptr);

    std::int32_t Type() const { return m_type; }
    int Actv() const { return m_actv; }
    void SetActv(int actionIndex) { m_actv = actionIndex; }
    // l_Sen: the rule whose action is edited.
    int RuleIndex() const { return m_ruleIndex; }
    void SetRuleIndex(int ruleIndex) { m_ruleIndex = ruleIndex; }
    // True: edit the existing action Actv (loads it); false: a new action.
    void SetModify(bool modify);
    // Whether the last confirm stored the action.
    bool Stored() const { return m_stored; }

    // The confirm button's work (CmdAdd); the cancel button's (CmdCancel); the time table (BTL1).
    void Confirm();
    void Cancel();
    void OpenTimeTable();

protected:
    virtual bool LoadAction(const ActionRecord& action) = 0;
    virtual std::string BuildParams() = 0;
    // typed: the first character of each named text box that the code page lacks.
    virtual FormCheck Check(const TypedOutside& typed) = 0;
    virtual bool KeepsTypedDescription() const { return false; }

    // Ends the load step of a derived constructor: the language texts of every caption.
    void FinishLoad();

    AppSession& Session() { return m_session; }
    // The description as typed, Windows-1252.
    std::string DescriptionBytes() const;

    // ---- building the body -----------------------------------------------------------------
    // Where rows go. Title 0: the editor's main form, whose rows follow the description and align
    // with it (every call gives the same form, rows are appended in order). Otherwise a new framed
    // group with that caption, with a form of its own, appended to the main form.
    QFormLayout* AddForm(int title = 0);
    // A row of the form: caption text number (0: no caption) and a control.
    QLineEdit* AddText(QFormLayout* form, const char* name, int caption);
    // A text box with a key filter.
    QLineEdit* AddNumber(QFormLayout* form, const char* name, int caption,
                         KeyFilter keys = KeyFilter::Digits);
    QLineEdit* AddPassword(QFormLayout* form, const char* name, int caption);
    IPTxt* AddIp(QFormLayout* form, const char* name, int caption);
    QCheckBox* AddCheck(QFormLayout* form, const char* name, int caption);
    QComboBox* AddList(QFormLayout* form, const char* name, int caption);
    // An option button of a group (the group is made on first use, parented to the editor).
    QRadioButton* AddOption(QFormLayout* form, QButtonGroup*& group, const char* name, int caption, int id);

    // ---- field rules -----------------------------------------------------------------------
    // Typed characters the filter refuses are dropped.
    static void SetKeyFilter(QLineEdit* field, KeyFilter keys);
    // On focus the caret goes to the start and the whole text is selected.
    static void SetSelectOnFocus(QLineEdit* field);
    // A control of a form row and its caption, enabled or disabled together.
    static void EnableRow(QFormLayout* form, QWidget* field, bool enabled);
    // Windows-1252 bytes of a field, and back.
    static std::string Bytes(const QLineEdit* field);
    static void SetBytes(QLineEdit* field, std::string_view bytes);

private:
    TypedOutside TypedOutsideCodePage() const;
    void ShowRefusal(const FormCheck& check);
    void ShowTimeTableButton(const TimeTableButton& button);

    AppSession& m_session;
    std::int32_t m_type;
    int m_actv = -1;
    int m_ruleIndex = 0;
    bool m_stored = false;
    QLineEdit* m_txtDesc = nullptr;
    QFormLayout* m_form = nullptr;
    QPushButton* m_btl1 = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace kor
