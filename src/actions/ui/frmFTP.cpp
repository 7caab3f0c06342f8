#include "actions/ui/frmFTP.h"

#include "config/ConfigDocument.h"

#include <QFormLayout>
#include <QLineEdit>

namespace kor {

frmFTP::frmFTP(AppSession& session, QWidget* parent) : ActionEditor(session, ActFtp, parent)
{
    QFormLayout* server = AddForm();
    m_txtHost = AddText(server, "txtHost", 1060);
    m_txtPort = AddText(server, "TxtPort", 106);
    m_txtPort->setMaximumWidth(80);
    m_txtUser = AddText(server, "txtUser", 107);
    m_txtPassword = AddPassword(server, "txtPassword", 108);
    m_txtRemoteDir = AddText(server, "txtRemoteDir", 1061);
    m_txtBaseName = AddText(server, "txtBaseName", 1062);
    FinishLoad();
}

FtpAction frmFTP::Fields() const
{
    return FtpAction{Bytes(m_txtHost),     Bytes(m_txtPort),      Bytes(m_txtUser),
                     Bytes(m_txtPassword), Bytes(m_txtRemoteDir), Bytes(m_txtBaseName)};
}

void frmFTP::ShowFields(const FtpAction& action)
{
    SetBytes(m_txtHost, action.Host);
    SetBytes(m_txtPort, action.Port);
    SetBytes(m_txtUser, action.User);
    SetBytes(m_txtPassword, action.Password);
    SetBytes(m_txtRemoteDir, action.RemoteDir);
    SetBytes(m_txtBaseName, action.Prefix);
}

bool frmFTP::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadFtpParams(action.Params));
    return true;
}

std::string frmFTP::BuildParams()
{
    return BuildFtpParams(Fields());
}

FormCheck frmFTP::Check(const TypedOutside& typed)
{
    return CheckFtpForm(Fields(), DescriptionBytes(), typed);
}

} // namespace kor
