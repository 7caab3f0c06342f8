#include "actions/ui/FrmActvs.h"

#include "app/Language.h"
#include "app/ui/IPTxt.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace kor {

FrmActvs::FrmActvs(AppSession& session, QWidget* parent) : ActionEditor(session, ActOutput, parent)
{
    QFormLayout* output = AddForm();
    m_cmbActvs = AddList(output, "CmbActvs", 114);
    m_cmbActvs->addItem(LangText(113));
    for (int n = 1; n <= 16; ++n)
        m_cmbActvs->addItem(LangText(114) + u' ' + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    m_cmbActvs->addItem(LangText(115));
    m_cmbActvs->addItem(LangText(116));

    QFormLayout* mode = AddForm(1030);
    m_optOff = AddOption(mode, m_mode, "OptOff", 1031, OutputAction::Off);
    m_optOn = AddOption(mode, m_mode, "OptOn", 1032, OutputAction::On);
    m_optOnOff = AddOption(mode, m_mode, "OptONOFF", 1033, OutputAction::OnOff);
    m_optOffOn = AddOption(mode, m_mode, "OptOFFON", 1034, OutputAction::OffOn);
    auto* duration = new QWidget(this);
    auto* durationRow = new QHBoxLayout(duration);
    durationRow->setContentsMargins(0, 0, 0, 0);
    m_txtSeg = new QLineEdit(duration);
    m_txtSeg->setObjectName(QStringLiteral("TxtSeg"));
    m_txtSeg->setMaximumWidth(80);
    SetKeyFilter(m_txtSeg, KeyFilter::Digits);
    m_txtSeg->installEventFilter(this);
    m_cmbd = new QComboBox(duration);
    m_cmbd->setObjectName(QStringLiteral("Cmbd"));
    m_cmbd->addItem(LangText(117));
    m_cmbd->addItem(LangText(118));
    durationRow->addWidget(m_txtSeg);
    durationRow->addWidget(m_cmbd);
    durationRow->addStretch(1);
    auto* durationLabel = new QLabel(LangCaption(1035) + u':', this);
    durationLabel->setBuddy(m_txtSeg);
    mode->addRow(durationLabel, duration);

    QFormLayout* device = AddForm();
    m_check1 = AddCheck(device, "Check1", 1036);
    m_ipTxt1 = AddIp(device, "IPTxt1", 105);
    m_txtPort = AddNumber(device, "TxtPort", 106);
    m_txtPort->setMaximumWidth(80);
    m_txtUsr = AddText(device, "TxtUsr", 107);
    m_txtPwd = AddPassword(device, "TxtPwd", 108);

    connect(m_cmbActvs, &QComboBox::currentIndexChanged, this,
            [this](int position) { ShowFields(ChooseOutput(Fields(), position)); });
    connect(m_mode, &QButtonGroup::idToggled, this, &FrmActvs::ShowView);
    connect(m_check1, &QCheckBox::toggled, this, &FrmActvs::ShowView);

    ShowFields(OutputAction{});
    FinishLoad();
}

OutputAction FrmActvs::Fields() const
{
    OutputAction action;
    action.Output = std::max(0, m_cmbActvs->currentIndex());
    action.Mode = static_cast<std::uint8_t>(std::max(0, m_mode->checkedId()));
    action.Duration = Bytes(m_txtSeg);
    action.Unit = std::max(0, m_cmbd->currentIndex());
    action.OtherDevice = m_check1->isChecked();
    action.Ip = ToCp1252(m_ipTxt1->IPtext());
    action.Port = Bytes(m_txtPort);
    action.User = Bytes(m_txtUsr);
    action.Password = Bytes(m_txtPwd);
    return action;
}

void FrmActvs::ShowFields(const OutputAction& action)
{
    {
        const QSignalBlocker blocker(m_cmbActvs);
        m_cmbActvs->setCurrentIndex(action.Output);
    }
    if (QAbstractButton* option = m_mode->button(action.Mode))
        option->setChecked(true);
    m_check1->setChecked(action.OtherDevice);
    if (action.OtherDevice && IsEmptyAddress(action.Ip))
        m_ipTxt1->Clear();
    else if (action.OtherDevice)
        m_ipTxt1->SetIPtext(FromCp1252(action.Ip));
    SetBytes(m_txtPort, action.Port);
    SetBytes(m_txtUsr, action.User);
    SetBytes(m_txtPwd, action.Password);
    SetBytes(m_txtSeg, action.Duration);
    m_cmbd->setCurrentIndex(action.Unit);
    ShowView();
}

void FrmActvs::ShowView()
{
    const OutputView view = OutputViewOf(Fields());
    m_optOff->setEnabled(view.OffMode);
    m_optOnOff->setEnabled(view.TimedModes);
    m_optOffOn->setEnabled(view.TimedModes);
    m_txtSeg->setEnabled(view.Duration);
    m_cmbd->setEnabled(view.Duration);
    m_ipTxt1->SetEnabled(view.Device);
    for (QLineEdit* field : {m_txtPort, m_txtUsr, m_txtPwd})
        field->setEnabled(view.Device);
}

bool FrmActvs::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadOutputParams(action.Params));
    return true;
}

std::string FrmActvs::BuildParams()
{
    return BuildOutputParams(Fields(), ToCp1252(m_cmbd->currentText()));
}

FormCheck FrmActvs::Check(const TypedOutside& typed)
{
    return CheckOutputForm(Fields(), DescriptionBytes(), typed);
}

bool FrmActvs::eventFilter(QObject* watched, QEvent* event)
{
    // A duration left blank becomes 0.
    if (watched == m_txtSeg && event->type() == QEvent::FocusOut)
        SetBytes(m_txtSeg, DurationLeft(Bytes(m_txtSeg)));
    return ActionEditor::eventFilter(watched, event);
}

} // namespace kor
