#include "actions/ui/ActionEditor.h"

#include "actions/ActionStore.h"
#include "actions/ActionTypes.h"
#include "app/AppSession.h"
#include "app/Language.h"
#include "app/RefusedCharacter.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/IPTxt.h"
#include "config/Cp1252.h"
#include "rules/RuleListForm.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/ModalScreens.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kor {

namespace {

// Drops typed characters the filter refuses; keys without a printable character (navigation,
// Tab, Enter, shortcuts) pass.
class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(QObject* parent, KeyFilter keys) : QObject(parent), m_keys(keys) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() != 1 || !text[0].isPrint())
            return false;
        return !KeyAccepted(m_keys, text[0].unicode());
    }

private:
    KeyFilter m_keys;
};

// On focus the whole text is selected with the caret at the start.
class SelectOnFocusFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto* field = qobject_cast<QLineEdit*>(watched)) {
                // After the mouse press that gave the focus has placed its caret.
                QTimer::singleShot(0, field, [field] {
                    const int length = static_cast<int>(field->text().size());
                    field->setSelection(length, -length);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QString Caption(int caption)
{
    return LangCaption(caption) + u':';
}

} // namespace

ActionEditor::ActionEditor(AppSession& session, std::int32_t type, QWidget* parent)
    : QDialog(parent), m_session(session), m_type(type)
{
    const ActionEditorInfo* info = ActionEditorInfoOf(type);
    setObjectName(info ? QLatin1String(info->ScreenName) : QStringLiteral("ActionEditor"));
    if (info)
        setWindowTitle(LangCaption(info->TitleText));
    setModal(true);

    // One form holds the description and every untitled row, so that their captions align.
    m_form = new QFormLayout();
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_txtDesc = new QLineEdit(this);
    m_txtDesc->setObjectName(QStringLiteral("TxtDesc"));
    m_txtDesc->setMinimumWidth(260);
    if (info && info->DefaultDescription != 0)
        m_txtDesc->setText(LangText(info->DefaultDescription));
    auto* descriptionLabel = new QLabel(Caption(144), this);
    descriptionLabel->setBuddy(m_txtDesc);
    m_form->addRow(descriptionLabel, m_txtDesc);

    m_btl1 = new QPushButton(LangCaption(1000), this);
    m_btl1->setObjectName(QStringLiteral("BTL1"));
    ShowTimeTableButton(TimeTableButtonOf(false, false)); // a new action has no time table yet
    m_cmdAdd = new QPushButton(LangCaption(302), this);
    m_cmdAdd->setObjectName(QStringLiteral("CmdAdd"));
    m_cmdCancel = new QPushButton(LangCaption(307), this);
    m_cmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    for (QPushButton* button : {m_btl1, m_cmdAdd, m_cmdCancel})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(m_btl1);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAdd);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(m_form);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_cmdAdd, &QPushButton::clicked, this, &ActionEditor::Confirm);
    connect(m_cmdCancel, &QPushButton::clicked, this, &ActionEditor::Cancel);
    connect(m_btl1, &QPushButton::clicked, this, &ActionEditor::OpenTimeTable);
}

void ActionEditor::FinishLoad()
{
    ApplyLanguageTexts(this);
    adjustSize();
}

void ActionEditor::SetModify(bool modify)
{
    if (!modify) {
        m_cmdAdd->setText(LangText(302));
        m_actv = -1;
        ShowTimeTableButton(TimeTableButtonOf(false, false));
        return;
    }
    m_cmdAdd->setText(LangText(304));
    const ActionRecord* action = m_session.Document().Action(m_ruleIndex, m_actv);
    if (!action)
        return;
    SetBytes(m_txtDesc, action->Name);
    // A copy: loading must not depend on the document staying as it is.
    const ActionRecord stored = *action;
    ShowTimeTableButton(TimeTableButtonOf(true, LoadAction(stored)));
}

void ActionEditor::ShowTimeTableButton(const TimeTableButton& button)
{
    m_btl1->setEnabled(button.Enabled);
    m_btl1->setToolTip(button.ToolTip ? LangText(button.ToolTip) : QString());
}

void ActionEditor::Confirm()
{
    const FormCheck check = Check(TypedOutsideCodePage());
    if (check.What == FormCheck::Outcome::Refuse) {
        ShowRefusal(check);
        return;
    }
    if (check.What == FormCheck::Outcome::CloseWithoutStoring) {
        reject();
        return;
    }
    ActionRecord record;
    record.Type = m_type;
    const std::string typed = DescriptionBytes();
    record.Name = KeepsTypedDescription() ? typed : StoredDescription(typed);
    record.Params = BuildParams();
    const QString step =
        StepText(m_actv < 0 ? StepKind::AddAction : StepKind::ChangeAction, ActionStepSubject(record));
    m_session.History().Edit({m_ruleIndex}, step, [&] {
        m_actv = StoreAction(m_session.Document(), m_ruleIndex, m_actv, record);
    });
    m_stored = true;
    accept();
}

void ActionEditor::Cancel()
{
    reject();
}

void ActionEditor::OpenTimeTable()
{
    if (m_actv < 0 || !m_session.Document().Action(m_ruleIndex, m_actv))
        return;
    FrmTT table(m_session, this);
    table.SetSen(static_cast<std::int16_t>(m_ruleIndex));
    table.SetActv(static_cast<std::uint8_t>(m_actv));
    table.FillGrd();
    ShowModalScreen(&table);
}

std::string ActionEditor::DescriptionBytes() const
{
    return Bytes(m_txtDesc);
}

TypedOutside ActionEditor::TypedOutsideCodePage() const
{
    TypedOutside typed;
    const auto note = [&typed](const QObject* box, const QString& text) {
        if (const std::optional<char32_t> c = FirstOutsideCp1252(text))
            typed.emplace(box->objectName().toStdString(), *c);
    };
    for (const QLineEdit* box : findChildren<QLineEdit*>())
        note(box, box->text());
    for (const QPlainTextEdit* box : findChildren<QPlainTextEdit*>())
        note(box, box->toPlainText());
    return typed;
}

void ActionEditor::ShowRefusal(const FormCheck& check)
{
    QString text;
    if (check.Text != 0)
        text = LangText(check.Text);
    else if (check.Fixed)
        text = QString::fromUtf8(check.Fixed);
    else if (check.FieldCaption != 0)
        text = RefusedCharacterMessage(LangText(check.FieldCaption), check.Character);
    // The message box has no title of its own; a silent refusal shows none.
    if (!text.isEmpty())
        m_session.Dialogs().Message(MessageIcon::Exclamation, QString(), text);
}

QFormLayout* ActionEditor::AddForm(int title)
{
    if (title == 0)
        return m_form;
    auto* frame = new QGroupBox(LangCaption(title), this);
    auto* form = new QFormLayout(frame);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_form->addRow(frame);
    return form;
}

QLineEdit* ActionEditor::AddText(QFormLayout* form, const char* name, int caption)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    if (caption != 0) {
        auto* label = new QLabel(Caption(caption), this);
        label->setBuddy(field);
        form->addRow(label, field);
    } else {
        form->addRow(field);
    }
    return field;
}

QLineEdit* ActionEditor::AddNumber(QFormLayout* form, const char* name, int caption, KeyFilter keys)
{
    QLineEdit* field = AddText(form, name, caption);
    SetKeyFilter(field, keys);
    return field;
}

QLineEdit* ActionEditor::AddPassword(QFormLayout* form, const char* name, int caption)
{
    QLineEdit* field = AddText(form, name, caption);
    field->setEchoMode(QLineEdit::Password);
    return field;
}

IPTxt* ActionEditor::AddIp(QFormLayout* form, const char* name, int caption)
{
    auto* field = new IPTxt(this);
    field->setObjectName(QLatin1String(name));
    auto* label = new QLabel(Caption(caption), this);
    label->setBuddy(field->Box(0));
    form->addRow(label, field);
    return field;
}

QCheckBox* ActionEditor::AddCheck(QFormLayout* form, const char* name, int caption)
{
    auto* check = new QCheckBox(LangCaption(caption), this);
    check->setObjectName(QLatin1String(name));
    form->addRow(check);
    return check;
}

QComboBox* ActionEditor::AddList(QFormLayout* form, const char* name, int caption)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    if (caption != 0) {
        auto* label = new QLabel(Caption(caption), this);
        label->setBuddy(list);
        form->addRow(label, list);
    } else {
        form->addRow(list);
    }
    return list;
}

QRadioButton* ActionEditor::AddOption(QFormLayout* form, QButtonGroup*& group, const char* name, int caption,
                                      int id)
{
    if (!group) {
        group = new QButtonGroup(this);
        group->setExclusive(true);
    }
    auto* option = new QRadioButton(LangCaption(caption), this);
    option->setObjectName(QLatin1String(name));
    group->addButton(option, id);
    form->addRow(option);
    return option;
}

void ActionEditor::SetKeyFilter(QLineEdit* field, KeyFilter keys)
{
    field->installEventFilter(new KeyFilterObject(field, keys));
}

void ActionEditor::SetSelectOnFocus(QLineEdit* field)
{
    field->installEventFilter(new SelectOnFocusFilter(field));
}

void ActionEditor::EnableRow(QFormLayout* form, QWidget* field, bool enabled)
{
    field->setEnabled(enabled);
    if (QWidget* label = form->labelForField(field))
        label->setEnabled(enabled);
}

std::string ActionEditor::Bytes(const QLineEdit* field)
{
    return ToCp1252(field->text());
}

void ActionEditor::SetBytes(QLineEdit* field, std::string_view bytes)
{
    field->setText(FromCp1252(bytes));
}

} // namespace kor
