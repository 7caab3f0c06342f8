#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"

#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "device/CameraRun.h"
#include "device/RunSequence.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kor::cli {

// Reads apply's run options. A usage error is printed and its exit status returned.
std::optional<int> ReadApplyRequest(const CommandSpec& self, Invocation& inv, ApplyRequest& request);

// The --home choice among the camera's stored positions, or a named preset.
Result<HomeChoice> HomeChoiceOf(const Invocation& inv, const CurrentCamera& camera);

} // namespace kor::cli
