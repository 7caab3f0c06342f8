#include "device/CamerasForm.h"

#include "config/LangTextId.h"

#include <algorithm>

namespace kor {

std::vector<std::string> GroupsOf(const std::vector<CameraRow>& rows)
{
    std::vector<std::string> groups;
    for (const CameraRow& row : rows) {
        if (!row.Group.empty())
            groups.push_back(row.Group);
    }
    std::sort(groups.begin(), groups.end());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
    return groups;
}

bool RowShown(const CameraRow& row, const std::optional<std::string>& group)
{
    return !group || row.Group == *group;
}

ConnectBoxes OpenCamerasBoxes(bool relayEnabled, const LinkOptions& remembered)
{
    ConnectOpening opening;
    opening.ModelInputOutput = true;
    opening.InputOneAsSensor = 1;
    opening.ModelHasPresets = false;
    opening.RelayEnabled = relayEnabled;
    opening.CameraHasAddress = true;
    opening.Remembered = remembered;
    return OpenConnectBoxes(opening);
}

std::vector<std::int32_t> CamerasToRun(const std::vector<CameraRow>& rows,
                                       const std::optional<std::string>& group)
{
    std::vector<std::int32_t> ids;
    for (const CameraRow& row : rows) {
        if (row.Ticked && RowShown(row, group))
            ids.push_back(row.Id);
    }
    return ids;
}

bool CamerasRunMayStart(bool running, std::size_t cameras, const LinkOptions& options)
{
    const bool work =
        options.Install || options.UpdateSettings || options.SendConfig || options.IoCheck || options.Home;
    return !running && cameras > 0 && work;
}

CameraRowState StateOf(PoolOutcome outcome)
{
    switch (outcome) {
    case PoolOutcome::Succeeded:
        return CameraRowState::Succeeded;
    case PoolOutcome::Failed:
        return CameraRowState::Failed;
    case PoolOutcome::Skipped:
        return CameraRowState::Skipped;
    case PoolOutcome::Cancelled:
        break;
    }
    return CameraRowState::Cancelled;
}

int StateText(CameraRowState state)
{
    switch (state) {
    case CameraRowState::Idle:
        return 0;
    case CameraRowState::Waiting:
        return LangTextId(1726);
    case CameraRowState::Running:
        return LangTextId(1727);
    case CameraRowState::Succeeded:
        return LangTextId(1728);
    case CameraRowState::Failed:
        return LangTextId(1729);
    case CameraRowState::Skipped:
        return LangTextId(1730);
    case CameraRowState::Cancelled:
        break;
    }
    return LangTextId(1731);
}

} // namespace kor
