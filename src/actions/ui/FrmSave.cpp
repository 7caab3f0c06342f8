#include "actions/ui/FrmSave.h"

#include "app/Language.h"
#include "app/ui/IPTxt.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <initializer_list>

namespace kor {

namespace {

// A control with its unit after it, as one form row; the unit label is returned.
QLabel* AddWithUnit(QWidget* owner, QFormLayout* form, QWidget* field, int caption, int unit)
{
    auto* row = new QWidget(owner);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    field->setParent(row);
    layout->addWidget(field);
    QLabel* unitLabel = nullptr;
    if (unit != 0) {
        unitLabel = new QLabel(LangCaption(unit), row);
        layout->addWidget(unitLabel);
    }
    layout->addStretch(1);
    auto* label = new QLabel(LangCaption(caption) + u':', owner);
    label->setBuddy(field);
    form->addRow(label, row);
    return unitLabel;
}

} // namespace

FrmSave::FrmSave(AppSession& session, QWidget* parent) : ActionEditor(session, ActRecord, parent)
{
    m_pcForm = AddForm(1080);
    AddOption(m_pcForm, m_optCamPC, "optCamPC0", 1081, 0);
    AddOption(m_pcForm, m_optCamPC, "optCamPC1", 1082, 1);
    m_ipTxt1 = AddIp(m_pcForm, "IPTxt1", 105);
    m_udFR = new QSpinBox(this);
    m_udFR->setObjectName(QStringLiteral("udFR"));
    // Any 16-bit frame rate a stored action holds reopens unchanged.
    m_udFR->setRange(0, 32767);
    m_udFR->setMaximumWidth(80);
    AddWithUnit(this, m_pcForm, m_udFR, 1084, 0);
    m_txtTime = new QLineEdit(this);
    m_txtTime->setObjectName(QStringLiteral("txtTime"));
    m_txtTime->setMaximumWidth(80);
    SetKeyFilter(m_txtTime, KeyFilter::Digits);
    AddWithUnit(this, m_pcForm, m_txtTime, 1085, 1086);
    m_chkPrealarm = AddCheck(m_pcForm, "chkPrealarm", 1083);

    m_wmForm = AddForm();
    m_check2 = AddCheck(m_wmForm, "Check2", 1087);
    m_txtWM = AddPassword(m_wmForm, "txtWM", 1088);
    m_txtWM2 = AddPassword(m_wmForm, "txtWM2", 1089);

    connect(m_optCamPC, &QButtonGroup::idToggled, this, &FrmSave::ShowView);
    connect(m_check2, &QCheckBox::toggled, this, &FrmSave::ShowView);

    ShowFields(RecordingAction{});
    FinishLoad();
}

RecordingAction FrmSave::Fields() const
{
    RecordingAction action;
    action.OnPc = m_optCamPC->checkedId() == 1;
    action.PcAddress = ToCp1252(m_ipTxt1->IPtext());
    action.PreAlarm = m_chkPrealarm->isChecked();
    action.FrameRate = ToCp1252(m_udFR->text());
    action.Time = Bytes(m_txtTime);
    action.Watermark = m_check2->isChecked();
    action.WatermarkKey = Bytes(m_txtWM);
    return action;
}

void FrmSave::ShowFields(const RecordingAction& action)
{
    m_optCamPC->button(action.OnPc ? 1 : 0)->setChecked(true);
    if (action.OnPc && !IsEmptyAddress(action.PcAddress))
        m_ipTxt1->SetIPtext(FromCp1252(action.PcAddress));
    else
        m_ipTxt1->Clear();
    m_udFR->setValue(FromCp1252(action.FrameRate).toInt());
    SetBytes(m_txtTime, action.Time);
    m_chkPrealarm->setChecked(action.PreAlarm);
    m_check2->setChecked(action.Watermark);
    SetBytes(m_txtWM, action.WatermarkKey);
    SetBytes(m_txtWM2, action.WatermarkKey);
    ShowView();
}

bool FrmSave::LoadAction(const ActionRecord& action)
{
    ShowFields(LoadRecordingParams(action.Params));
    return true;
}

std::string FrmSave::BuildParams()
{
    return BuildRecordingParams(Fields());
}

FormCheck FrmSave::Check(const TypedOutside& typed)
{
    return CheckRecordingForm(Fields(), Bytes(m_txtWM2), DescriptionBytes(), typed);
}

void FrmSave::ShowView()
{
    const RecordingView view = RecordingViewOf(Fields());
    m_ipTxt1->SetEnabled(view.PcFields);
    if (QWidget* label = m_pcForm->labelForField(m_ipTxt1))
        label->setEnabled(view.PcFields);
    for (QWidget* field : {static_cast<QWidget*>(m_udFR), static_cast<QWidget*>(m_txtTime)}) {
        // The field sits in a row with its unit: the row and its caption go together.
        EnableRow(m_pcForm, field->parentWidget(), view.PcFields);
    }
    m_chkPrealarm->setEnabled(view.PcFields);
    EnableRow(m_wmForm, m_txtWM, view.WatermarkFields);
    EnableRow(m_wmForm, m_txtWM2, view.WatermarkFields);
}

} // namespace kor
