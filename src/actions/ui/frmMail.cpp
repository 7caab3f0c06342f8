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
    // Every line break of the box is a CR LF, so that all of them are encoded when stored.
    QString text = m_txtMsg->toPlainText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QStringLiteral("\r\n"));
    return MailAction{Bytes(m_txtTo), Bytes(m_txtCc), Bytes(m_txtSubject), ToCp1252(text)};
}

void frmMail::ShowFields(const MailAction& action)
{
    SetBytes(m_txtTo, action.To);
    SetBytes(m_txtCc, action.Cc);
    SetBytes(m_txtSubject, action.Subject);
    QString text = FromCp1252(action.Message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_txtMsg->setPlainText(text);
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

} // namespace kor
