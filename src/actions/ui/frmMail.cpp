#include "actions/ui/frmMail.h"

#include "app/Language.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace kor {

frmMail::frmMail(AppSession& session, QWidget* parent) : ActionEditor(session, ActMail, parent)
{
    QFormLayout* mail = AddForm();
    m_txtTo = AddText(mail, "txtTo", 1065);
    m_txtCc = AddText(mail, "txtCC", 1066);
    m_txtSubject = AddText(mail, "txtSubject", 1067);
    m_txtMsg = new QPlainTextEdit(this);
    m_txtMsg->setObjectName(QStringLiteral("txtMsg"));
    m_txtMsg->setTabChangesFocus(true);
    m_txtMsg->setMinimumHeight(120);
    auto* label = new QLabel(LangCaption(1043) + u':', this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBuddy(m_txtMsg);
    mail->addRow(label, m_txtMsg);
    FinishLoad();
}

MailAction frmMail::Fields() const
{
    return MailAction{Bytes(m_txtTo), Bytes(m_txtCc), Bytes(m_txtSubject),
                      MessageFromBox(ToCp1252(m_txtMsg->toPlainText()))};
}

void frmMail::ShowFields(const MailAction& action)
{
    SetBytes(m_txtTo, action.To);
    SetBytes(m_txtCc, action.Cc);
    SetBytes(m_txtSubject, action.Subject);
    m_txtMsg->setPlainText(FromCp1252(MessageToBox(action.Message)));
}

bool frmMail::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadMailParams(action.Params));
    return true;
}

std::string frmMail::BuildParams()
{
    return BuildMailParams(Fields());
}

FormCheck frmMail::Check(const TypedOutside& typed)
{
    return CheckMailForm(Fields(), DescriptionBytes(), typed);
}

} // namespace kor
