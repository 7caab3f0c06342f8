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

    // A pick fills in the code; the list shows the meaning of a typed code it knows.
    connect(m_cmbCode, &QComboBox::activated, this,
            [this](int position) { SetBytes(m_txtCode, PickedEventCode(position)); });
    connect(m_txtCode, &QLineEdit::textChanged, this,
            [this] { m_cmbCode->setCurrentIndex(EventCodePosition(Bytes(m_txtCode))); });

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
    m_cmbCode->setCurrentIndex(EventCodePosition(action.Code)); // also when the text stays the same
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

FormCheck frmContactId::Check(const TypedOutside& typed)
{
    return CheckContactIdForm(Fields(), DescriptionBytes(), typed);
}

} // namespace kor
