#pragma once

#include "device/ConnectForm.h"
#include "device/RunPool.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kor {

// The rules of the many-camera screen, free of widgets: which cameras the group filter shows, the
// option boxes (those of the device link screen), when a run may start and on which cameras, and
// what each camera's row says.

enum class CameraRowState
{
    Idle,
    Waiting,
    Running,
    Succeeded,
    Failed,
    Skipped,
    Cancelled
};

struct CameraRow
{
    std::int32_t Id = 0;
    std::string Group;
    bool Ticked = false;
    CameraRowState State = CameraRowState::Idle;
};

// The group filter's entries after "all groups": every group a camera carries, sorted, once; the
// cameras without a group have none.
std::vector<std::string> GroupsOf(const std::vector<CameraRow>& rows);

// Whether the filter (nullopt: all groups) shows the row.
bool RowShown(const CameraRow& row, const std::optional<std::string>& group);

// The device link screen's boxes as they open for a camera with inputs and outputs: each camera's
// model is checked when the run starts, and one that cannot take an option is skipped with the
// reason. The home position is chosen camera by camera on the device link screen, never here.
ConnectBoxes OpenCamerasBoxes(bool relayEnabled, const LinkOptions& remembered);

// The cameras a run takes, in the list's order: ticked and shown.
std::vector<std::int32_t> CamerasToRun(const std::vector<CameraRow>& rows,
                                       const std::optional<std::string>& group);

// The run button starts a run unless one is running, no camera is taken or nothing is to be done.
bool CamerasRunMayStart(bool running, std::size_t cameras, const LinkOptions& options);

// A finished run's row state.
CameraRowState StateOf(PoolOutcome outcome);
// The state column's text number.
int StateText(CameraRowState state);

} // namespace kor
