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

namespace {

void EnableRow(QFormLayout* form, QWidget* field, bool enabled)
{
    field->setEnabled(enabled);
    if (QWidget* label = form->labelForField(field))
        label->setEnabled(enabled);
}

QString Numbered(int text, std::int64_t n)
{
    return LangText(text) + u' ' + QString::number(n);
}

} // namespace

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
    m_cmbNameSens->setCurrentIndex(-1);
    m_cmbListSens = AddList(m_cameraForm, "cmbListSens", 1003);

    m_detectorForm = AddForm(172);
    m_cmbEdge = AddList(m_detectorForm, "cmbEdge", 1098);
    m_cmbEdge->addItem(QStringLiteral("1 -> 0"), QStringLiteral("E0"));
    m_cmbEdge->addItem(QStringLiteral("0 -> 1"), QStringLiteral("E1"));
    m_cmbDevice = AddList(m_detectorForm, "cmbDevice", 100);
    for (int d = m_numbering.FirstDevice; d < m_numbering.FirstDevice + m_numbering.DeviceCount; ++d)
        m_cmbDevice->addItem(Numbered(100, d), QStringLiteral("D%1").arg(d));
    m_cmbPort = AddList(m_detectorForm, "cmbPort", 106);
    for (int p = m_numbering.FirstPort; p < m_numbering.FirstPort + m_numbering.PortCount; ++p)
        m_cmbPort->addItem(Numbered(106, p), QStringLiteral("P%1").arg(p));
    // Nothing is chosen until the user picks it.
    for (QComboBox* list : {m_cmbEdge, m_cmbDevice, m_cmbPort})
        list->setCurrentIndex(-1);

    connect(m_optDevice, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            OnTargetChosen(id == 1);
    });
    connect(m_cmbNameSens, &QComboBox::activated, this,
            [this](int index) { FillSources(m_cmbNameSens->itemData(index).toString()); });

    m_optDevice->button(0)->setChecked(true);
    OnTargetChosen(false);
    FinishLoad();
}

void FrmAlarm::OnTargetChosen(bool detector)
{
    EnableRow(m_cameraForm, m_cmbNameSens, !detector);
    EnableRow(m_cameraForm, m_cmbListSens, !detector);
    for (QComboBox* list : {m_cmbEdge, m_cmbDevice, m_cmbPort})
        EnableRow(m_detectorForm, list, detector);
}

void FrmAlarm::FillSources(const QString& kind)
{
    m_cmbListSens->clear();
    for (const RemoteSource& source : RemoteSourcesOf(ToCp1252(kind))) {
        QString text = source.Fixed ? QLatin1String(source.Fixed) : LangText(source.Text);
        if (source.Counter > 0)
            text += u' ' + QString::number(source.Counter);
        m_cmbListSens->addItem(text, FromCp1252(source.Tag));
    }
    m_cmbListSens->setCurrentIndex(-1);
}

std::int64_t FrmAlarm::TagNumber(const QComboBox* list)
{
    return ReadNumber(ToCp1252(list->currentData().toString().mid(1))).value_or(0);
}

ActionEditor::Verdict FrmAlarm::Check()
{
    if (m_ipTxt1->IsEmpty())
        return Verdict::Refuse(LangText(800));
    if (m_txtPort->text().isEmpty())
        m_txtPort->setText(QStringLiteral("80"));
    // A missing choice keeps the editor open without a word.
    if (m_optDevice->checkedId() != 1) {
        if (m_cmbListSens->currentIndex() < 0 || m_cmbNameSens->currentIndex() < 0)
            return Verdict::Refuse();
    } else if (m_cmbEdge->currentIndex() < 0 || m_cmbDevice->currentIndex() < 0 ||
               m_cmbPort->currentIndex() < 0) {
        return Verdict::Refuse();
    }
    return Verdict::Store();
}

std::string FrmAlarm::BuildParams()
{
    RemoteAlarmAction action;
    action.Ip = ToCp1252(m_ipTxt1->IPtext());
    action.Port = Bytes(m_txtPort);
    action.User = Bytes(m_txtUsr);
    action.Password = Bytes(m_txtPwd);
    action.Detector = m_optDevice->checkedId() == 1;
    if (action.Detector)
        action.Sen = DecimalText(DetectorEventNumber(TagNumber(m_cmbEdge), TagNumber(m_cmbDevice),
                                                     TagNumber(m_cmbPort), m_numbering));
    else
        action.Sen = ToCp1252(m_cmbListSens->currentData().toString().mid(4));
    return BuildRemoteAlarmParams(action);
}

bool FrmAlarm::LoadAction(const ActionRecord& action)
{
    const RemoteAlarmLoad load = LoadRemoteAlarmParams(action.Params);
    m_ipTxt1->SetIPtext(FromCp1252(load.Fields.Ip));
    SetBytes(m_txtPort, load.Fields.Port);
    SetBytes(m_txtUsr, load.Fields.User);
    SetBytes(m_txtPwd, load.Fields.Password);
    if (!load.Dev)
        return false;
    const std::int64_t s = SenNumber(load.Fields.Sen);
    m_optDevice->button(load.Fields.Detector ? 1 : 0)->setChecked(true);
    OnTargetChosen(load.Fields.Detector);
    return load.Fields.Detector ? ReselectDetector(s) : ReselectCamera(s);
}

bool FrmAlarm::ReselectCamera(std::int64_t s)
{
    const std::string_view kind = RemoteKindOf(s);
    if (!kind.empty()) {
        const int position = m_cmbNameSens->findData(FromCp1252(kind));
        m_cmbNameSens->setCurrentIndex(position);
        FillSources(FromCp1252(kind));
    }
    for (int i = 0; i < m_cmbListSens->count(); ++i) {
        if (ReadNumber(ToCp1252(m_cmbListSens->itemData(i).toString().mid(4))) == s) {
            m_cmbListSens->setCurrentIndex(i);
            break;
        }
    }
    return true;
}

bool FrmAlarm::ReselectDetector(std::int64_t s)
{
    const std::optional<DetectorPositions> positions = DetectorPositionsOf(s, m_numbering);
    if (!positions || positions->Device >= m_cmbDevice->count() || positions->Port >= m_cmbPort->count())
        return false;
    m_cmbEdge->setCurrentIndex(positions->Edge);
    m_cmbDevice->setCurrentIndex(positions->Device);
    m_cmbPort->setCurrentIndex(positions->Port);
    return true;
}

} // namespace kor
