#include "actions/ui/FrmUsrs.h"

#include "app/AppSession.h"
#include "config/ConfigDocument.h"
#include "config/TextNumber.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace kor {

FrmUsrs::FrmUsrs(AppSession& session, QWidget* parent) : ActionEditor(session, ActUser, parent)
{
    QFormLayout* account = AddForm();
    m_txtUsrb = AddText(account, "TxtUsrb", 1090);
    AddOption(account, m_option1, "Option10", 1091, 0);
    AddOption(account, m_option1, "Option11", 1092, 1);
    m_chkForce = AddCheck(account, "ChkForce", 1093);
    ShowFields(UserAction{});
    FinishLoad();
}

UserAction FrmUsrs::Fields() const
{
    return UserAction{Bytes(m_txtUsrb), m_option1->checkedId() != 1, m_chkForce->isChecked()};
}

void FrmUsrs::ShowFields(const UserAction& action)
{
    SetBytes(m_txtUsrb, action.Account);
    m_option1->button(action.Enable ? 0 : 1)->setChecked(true);
    m_chkForce->setChecked(action.Force);
}

bool FrmUsrs::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadUserParams(action.Params));
    return true;
}

DeviceAccess FrmUsrs::Device()
{
    const CurrentCamera& camera = Session().Camera();
    return DeviceAccess{camera.IpAddress(), DecimalText(camera.Port()), camera.UserName(), camera.Password()};
}

std::string FrmUsrs::BuildParams()
{
    return BuildUserParams(Fields(), Device());
}

FormCheck FrmUsrs::Check(const TypedOutside& typed)
{
    return CheckUserForm(Fields(), Device(), DescriptionBytes(), typed);
}

} // namespace kor
