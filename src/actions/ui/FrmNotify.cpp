#include "actions/ui/FrmNotify.h"

#include "app/ui/IPTxt.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

namespace kor {

FrmNotify::FrmNotify(AppSession& session, QWidget* parent) : ActionEditor(session, ActNotify, parent)
{
    QFormLayout* client = AddForm(1075);
    m_ipTxt1 = AddIp(client, "IPTxt1", 105);
    // A port that is not a number is stored as the default one, so only digits are typed.
    m_txtPort = AddNumber(client, "TxtPort", 106);
    m_txtPort->setMaximumWidth(80);
    m_chkSound = AddCheck(client, "chkSound", 1076);
    ShowFields(NotifyAction{});
    FinishLoad();
}

NotifyAction FrmNotify::Fields() const
{
    NotifyAction action;
    action.Client = ToCp1252(m_ipTxt1->IPtext());
    action.Port = Bytes(m_txtPort);
    action.Sound = m_chkSound->isChecked();
    return action;
}

void FrmNotify::ShowFields(const NotifyAction& action)
{
    if (IsEmptyAddress(action.Client))
        m_ipTxt1->Clear();
    else
        m_ipTxt1->SetIPtext(FromCp1252(action.Client));
    SetBytes(m_txtPort, action.Port);
    m_chkSound->setChecked(action.Sound);
}

bool FrmNotify::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadNotifyParams(action.Params));
    return true;
}

std::string FrmNotify::BuildParams()
{
    return BuildNotifyParams(Fields(), RuleIndex(), DescriptionBytes());
}

FormCheck FrmNotify::Check(const TypedOutside& typed)
{
    return CheckNotifyForm(Fields(), DescriptionBytes(), typed);
}

} // namespace kor
