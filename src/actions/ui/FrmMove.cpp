#include "actions/ui/FrmMove.h"

#include "app/AppSession.h"
#include "app/DeviceJob.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"
#include "config/TextNumber.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"

#include <QApplication>
#include <QFormLayout>
#include <QListWidget>

#include <cstdio>

namespace kor {

namespace {

constexpr int kPresetSeconds = 30;

} // namespace

FrmMove::FrmMove(AppSession& session, QWidget* parent) : ActionEditor(session, ActMove, parent)
{
    QFormLayout* positions = AddForm(1070);
    m_lvwPrepos = new QListWidget(this);
    m_lvwPrepos->setObjectName(QStringLiteral("LvwPrepos"));
    m_lvwPrepos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvwPrepos->setMinimumHeight(160);
    positions->addRow(m_lvwPrepos);

    const CurrentCamera& camera = session.Camera();
    m_fromCamera = camera.Brand() == "AXIS" && camera.PositioningSupport();
    if (m_fromCamera)
        AskCameraPresets();
    else
        ListStoredPositions();
    FinishLoad();
}

void FrmMove::AskCameraPresets()
{
    HttpClient* http = Session().Services().Http;
    const AxisDevice* device = Session().Device();
    if (!http || !device)
        return; // no way to ask: the list stays without presets
    const DeviceUrl url = DeviceUrl::DeviceIo(Session().CameraTarget(), device->PresetListAddress());
    HttpResponse response;
    setEnabled(false);
    try {
        RunDeviceJob(Session(), [&] { response = http->Get(url, kPresetSeconds); });
    } catch (...) {
        response.Error = -1;
        response.ErrorText = "the preset question ended unexpectedly";
    }
    setEnabled(true);
    if (response.FailedState()) {
        std::fprintf(stderr, "kormanager: camera presets: %s\n",
                     (response.Error != 0 ? response.ErrorText : DecimalText(response.Status)).c_str());
        return;
    }
    m_entries = CameraPresetEntries(response.Body);
    ShowEntries();
}

void FrmMove::ListStoredPositions()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<std::string> names;
    for (const CameraPosition& position : Session().Camera().Positions())
        names.push_back(position.Nm);
    m_entries = StoredPositionEntries(names);
    ShowEntries();
    QApplication::restoreOverrideCursor();
}

void FrmMove::ShowEntries()
{
    m_lvwPrepos->clear();
    for (const MoveEntry& entry : m_entries)
        m_lvwPrepos->addItem(FromCp1252(entry.Text));
}

bool FrmMove::LoadAction(const ActionRecord& action)
{
    // The list entry is found by the description; the parameters are not read back.
    const int index = FindMoveEntry(m_entries, action.Name);
    if (index >= 0)
        m_lvwPrepos->setCurrentRow(index);
    else
        m_lvwPrepos->clearSelection();
    return true;
}

MoveCamera FrmMove::Target()
{
    const CurrentCamera& camera = Session().Camera();
    return MoveCamera{camera.IpAddress(), DecimalText(camera.Port()), camera.UserName(), camera.Password(),
                      camera.Brand()};
}

FormCheck FrmMove::Check(const TypedOutside& typed)
{
    const int selected = m_lvwPrepos->selectedItems().isEmpty() ? -1 : m_lvwPrepos->currentRow();
    return CheckMoveForm(m_entries, selected, Target(), DescriptionBytes(), typed);
}

std::string FrmMove::BuildParams()
{
    const CurrentCamera& camera = Session().Camera();
    const MoveCamera target = Target();
    std::vector<MovePosition> positions;
    for (const CameraPosition& position : camera.Positions())
        positions.push_back(MovePosition{position.X, position.Y, position.z});
    const int row = m_lvwPrepos->currentRow();
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return {};
    return BuildMoveParams(target, m_entries[static_cast<std::size_t>(row)], positions)
        .value_or(std::string());
}

} // namespace kor
