#include "actions/ui/frmContactId.h"

#include "app/Language.h"
#include "config/ConfigDocument.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace kor {

frmContactId::frmContactId(AppSession& session, QWidget* parent) : ActionEditor(session, ActContactId, parent)
{
    QFormLayout* kind = AddForm();
    m_optAlarm = AddOption(kind, m_kind, "optAlarm", 1050, 1);
    m_optRestore = AddOption(kind, m_kind, "optRestore", 1051, 3);

    QFormLayout* event = AddForm();
    m_txtCode = AddText(event, "txtCIDCode", 1052);
    m_txtCode->setMaximumWidth(80);
    m_cmbCode = AddList(event, "cmbCIDCode", 1055);
    for (const ContactIdEventCode& code : ContactIdEventCodes())
        m_cmbCode->addItem(QLatin1String(code.Code) + QStringLiteral("  ") + LangText(code.Meaning),
                           QLatin1String(code.Code));
    m_cmbCode->setMaxVisibleItems(16);
    m_txtZone = AddText(event, "txtZoneCId", 1053);
    m_txtZone->setMaximumWidth(80);
    m_txtGroup = AddText(event, "txtGrCId", 1054);
    m_txtGroup->setMaximumWidth(80);
    SetSelectOnFocus(m_txtGroup);
    SetSelectOnFocus(m_txtZone);

    connect(m_cmbCode, &QComboBox::activated, this, &frmContactId::OnCodePicked);
    connect(m_txtCode, &QLineEdit::textChanged, this, &frmContactId::OnCodeTyped);

    ShowFields(ContactIdAction{});
    FinishLoad();
}

ContactIdAction frmContactId::Fields() const
{
    ContactIdAction action;
    action.Alarm = m_optAlarm->isChecked();
    action.Code = Bytes(m_txtCode);
    action.Group = Bytes(m_txtGroup);
    action.Zone = Bytes(m_txtZone);
    return action;
}

void frmContactId::ShowFields(const ContactIdAction& action)
{
    (action.Alarm ? m_optAlarm : m_optRestore)->setChecked(true);
    SetBytes(m_txtCode, action.Code);
    OnCodeTyped(m_txtCode->text()); // also when the text stays the same
    SetBytes(m_txtGroup, action.Group);
    SetBytes(m_txtZone, action.Zone);
}

bool frmContactId::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadContactIdParams(action.Params));
    return true;
}

std::string frmContactId::BuildParams()
{
    return BuildContactIdParams(Fields());
}

ActionEditor::Verdict frmContactId::Check()
{
    switch (CheckContactId(Fields())) {
    case ContactIdFault::MissingCode:
        return Verdict::Refuse(QString::fromUtf8("Debe elegir el c\xC3\xB3"
                                                 "digo del ContactID."));
    case ContactIdFault::BadZone:
        return Verdict::Refuse(QString::fromUtf8("Error c\xC3\xB3"
                                                 "digo de Zona."));
    case ContactIdFault::BadGroup:
        return Verdict::Refuse(QString::fromUtf8("Error c\xC3\xB3"
                                                 "digo de Grupo."));
    case ContactIdFault::None:
        break;
    }
    return Verdict::Store();
}

void frmContactId::OnCodePicked(int position)
{
    if (position >= 0)
        m_txtCode->setText(m_cmbCode->itemData(position).toString());
}

void frmContactId::OnCodeTyped(const QString& code)
{
    // The list shows the meaning of a known code; any other code leaves it blank.
    m_cmbCode->setCurrentIndex(m_cmbCode->findData(code.trimmed()));
}

} // namespace kor
