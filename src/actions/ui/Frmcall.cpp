#include "actions/ui/Frmcall.h"

#include "config/ConfigDocument.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kor {

namespace {

QLabel* NamedLabel(QFormLayout* form, QWidget* field, const char* name)
{
    auto* label = qobject_cast<QLabel*>(form->labelForField(field));
    if (label)
        label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

Frmcall::Frmcall(AppSession& session, QWidget* parent) : ActionEditor(session, ActCall, parent)
{
    QFormLayout* call = AddForm();
    m_txtTlfno = AddNumber(call, "TxtTlfno", 1040, kNumberKeys);
    m_option1 = AddOption(call, m_kind, "Option1", 1041, 0);
    m_option2 = AddOption(call, m_kind, "Option2", 1042, 1);
    m_txtMsg = AddText(call, "txtMsg", 1043);

    QFormLayout* pc = AddForm();
    m_chkpc = AddCheck(pc, "chkpc", 1044);
    m_txtIp = AddText(pc, "txt_ip", 105);
    m_txtPort = AddNumber(pc, "txt_port", 106, kPcPortKeys);
    m_txtPort->setMaximumWidth(80);
    m_lblIp = NamedLabel(pc, m_txtIp, "lbl_ip");
    m_lblPort = NamedLabel(pc, m_txtPort, "lbl_port");

    if (auto* description = findChild<QLineEdit*>(QStringLiteral("TxtDesc")))
        SetSelectOnFocus(description);
    for (QLineEdit* field : {m_txtTlfno, m_txtIp, m_txtPort})
        SetSelectOnFocus(field);

    connect(m_option2, &QRadioButton::toggled, this, &Frmcall::ShowView);
    connect(m_chkpc, &QCheckBox::toggled, this, &Frmcall::ShowView);

    ShowFields(CallAction{});
    FinishLoad();
}

void Frmcall::SetPC(bool pc)
{
    m_pc = pc;
    ShowFields(pc ? ForPc(Fields()) : Fields());
}

CallAction Frmcall::Fields() const
{
    CallAction action;
    action.Number = Bytes(m_txtTlfno);
    action.Sms = m_option2->isChecked();
    action.Message = Bytes(m_txtMsg);
    action.ThroughPc = m_chkpc->isChecked();
    action.PcAddress = Bytes(m_txtIp);
    action.PcPort = Bytes(m_txtPort);
    return action;
}

void Frmcall::ShowFields(const CallAction& action)
{
    SetBytes(m_txtTlfno, action.Number);
    SetBytes(m_txtMsg, action.Message);
    (action.Sms ? m_option2 : m_option1)->setChecked(true);
    m_chkpc->setChecked(action.ThroughPc);
    SetBytes(m_txtIp, action.PcAddress);
    SetBytes(m_txtPort, action.PcPort);
    ShowView();
}

void Frmcall::ShowView()
{
    const CallView view = CallViewOf(Fields(), m_pc);
    m_txtMsg->setEnabled(view.Message);
    for (QWidget* field : {static_cast<QWidget*>(m_txtIp), static_cast<QWidget*>(m_txtPort),
                           static_cast<QWidget*>(m_lblIp), static_cast<QWidget*>(m_lblPort)}) {
        if (field)
            field->setEnabled(view.PcFields);
    }
    m_chkpc->setEnabled(view.PcChoice);
}

bool Frmcall::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadCallParams(action.Params));
    return true;
}

std::string Frmcall::BuildParams()
{
    return BuildCallParams(Fields());
}

FormCheck Frmcall::Check(const TypedOutside& typed)
{
    return CheckCallForm(Fields(), DescriptionBytes(), typed);
}

void Frmcall::showEvent(QShowEvent* event)
{
    ActionEditor::showEvent(event);
    if (m_pc)
        m_txtIp->setFocus();
}

} // namespace kor
