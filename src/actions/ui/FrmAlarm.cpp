#include "actions/ui/FrmAlarm.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ui/IPTxt.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"
#include "config/TextNumber.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace kor {

FrmAlarm::FrmAlarm(AppSession& session, QWidget* parent) : ActionEditor(session, ActRemoteAlarm, parent)
{
    // Without a profile the detector lists stay empty and a detector target cannot be stored.
    if (m_profile.Load(session.Connection(), "VELTRIX", "VELTRIX Net-ZELK 7730D").ok())
        m_numbering = DetectorNumbering{m_profile.DeviceCount(), m_profile.FirstDeviceNumber(),
                                        m_profile.PortCount(), m_profile.FirstPortNumber()};

    QFormLayout* device = AddForm();
    m_ipTxt1 = AddIp(device, "IPTxt1", 105);
    m_txtPort = AddNumber(device, "TxtPort", 106);
    m_txtPort->setMaximumWidth(80);
    m_txtUsr = AddText(device, "TxtUsr", 107);
    m_txtPwd = AddPassword(device, "TxtPwd", 108);

    QFormLayout* target = AddForm(1095);
    AddOption(target, m_optDevice, "optDevice0", 1096, 0);
    AddOption(target, m_optDevice, "optDevice1", 172, 1);

    m_cameraForm = AddForm(1096);
    m_cmbNameSens = AddList(m_cameraForm, "cmbNameSens", 1099);
    for (const RemoteSourceKind& kind : RemoteSourceKinds())
        m_cmbNameSens->addItem(LangText(kind.Text), QLatin1String(kind.Tag));
    m_cmbListSens = AddList(m_cameraForm, "cmbListSens", 1003);

    m_detectorForm = AddForm(172);
    m_cmbEdge = AddList(m_detectorForm, "cmbEdge", 1098);
    m_cmbEdge->addItem(QStringLiteral("1 -> 0"), QStringLiteral("E0"));
    m_cmbEdge->addItem(QStringLiteral("0 -> 1"), QStringLiteral("E1"));
    m_cmbDevice = AddList(m_detectorForm, "cmbDevice", 100);
    for (int d = m_numbering.FirstDevice; d < m_numbering.FirstDevice + m_numbering.DeviceCount; ++d)
        m_cmbDevice->addItem(LangTextNumbered(100, d), QStringLiteral("D%1").arg(d));
    m_cmbPort = AddList(m_detectorForm, "cmbPort", 106);
    for (int p = m_numbering.FirstPort; p < m_numbering.FirstPort + m_numbering.PortCount; ++p)
        m_cmbPort->addItem(LangTextNumbered(106, p), QStringLiteral("P%1").arg(p));
    connect(m_optDevice, &QButtonGroup::idToggled, this, &FrmAlarm::ShowView);
    connect(m_cmbNameSens, &QComboBox::activated, this, &FrmAlarm::FillSources);

    ShowForm(RemoteAlarmAction{}, RemoteAlarmChoice{});
    FinishLoad();
}

RemoteAlarmAction FrmAlarm::Fields() const
{
    RemoteAlarmAction action;
    action.Ip = ToCp1252(m_ipTxt1->IPtext());
    action.Port = Bytes(m_txtPort);
    action.User = Bytes(m_txtUsr);
    action.Password = Bytes(m_txtPwd);
    action.Detector = m_optDevice->checkedId() == 1;
    return action;
}

RemoteAlarmChoice FrmAlarm::Choice() const
{
    return RemoteAlarmChoice{m_cmbNameSens->currentIndex(), m_cmbListSens->currentIndex(),
                             m_cmbEdge->currentIndex(), m_cmbDevice->currentIndex(),
                             m_cmbPort->currentIndex()};
}

void FrmAlarm::ShowForm(const RemoteAlarmAction& action, const RemoteAlarmChoice& choice)
{
    if (IsEmptyAddress(action.Ip))
        m_ipTxt1->Clear();
    else
        m_ipTxt1->SetIPtext(FromCp1252(action.Ip));
    SetBytes(m_txtPort, action.Port);
    SetBytes(m_txtUsr, action.User);
    SetBytes(m_txtPwd, action.Password);
    m_optDevice->button(action.Detector ? 1 : 0)->setChecked(true);
    m_cmbNameSens->setCurrentIndex(choice.Kind);
    FillSources(choice.Kind);
    m_cmbListSens->setCurrentIndex(choice.Source);
    m_cmbEdge->setCurrentIndex(choice.Edge);
    m_cmbDevice->setCurrentIndex(choice.Device);
    m_cmbPort->setCurrentIndex(choice.Port);
    ShowView();
}

void FrmAlarm::ShowView()
{
    const RemoteAlarmView view = RemoteAlarmViewOf(Fields());
    EnableRow(m_cameraForm, m_cmbNameSens, view.CameraLists);
    EnableRow(m_cameraForm, m_cmbListSens, view.CameraLists);
    for (QComboBox* list : {m_cmbEdge, m_cmbDevice, m_cmbPort})
        EnableRow(m_detectorForm, list, view.DetectorLists);
}

void FrmAlarm::FillSources(int kind)
{
    m_cmbListSens->clear();
    const std::vector<RemoteSourceKind>& kinds = RemoteSourceKinds();
    if (kind >= 0 && kind < static_cast<int>(kinds.size())) {
        for (const RemoteSource& source : RemoteSourcesOf(kinds[static_cast<std::size_t>(kind)].Tag)) {
            QString text = source.Fixed ? QLatin1String(source.Fixed) : LangText(source.Text);
            if (source.Counter > 0)
                text += u' ' + QString::number(source.Counter);
            m_cmbListSens->addItem(text, FromCp1252(source.Tag));
        }
    }
    m_cmbListSens->setCurrentIndex(-1);
}

FormCheck FrmAlarm::Check(const TypedOutside& typed)
{
    RemoteAlarmAction action = Fields();
    const FormCheck check = CheckRemoteAlarmForm(action, Choice(), DescriptionBytes(), typed);
    SetBytes(m_txtPort, action.Port); // an empty port became 80
    return check;
}

std::string FrmAlarm::BuildParams()
{
    RemoteAlarmAction action = Fields();
    action.Sen = RemoteAlarmSen(action, Choice(), m_numbering);
    return BuildRemoteAlarmParams(action);
}

bool FrmAlarm::LoadAction(const ActionRecord& action)
{
    const RemoteAlarmForm form = LoadRemoteAlarmForm(action.Params, m_numbering);
    ShowForm(form.Fields, form.Choice);
    return form.Complete;
}

} // namespace kor
