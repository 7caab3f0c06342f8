#pragma once

#include "cli/Command.h"

namespace kor::cli {

// apply --cameras: one configuration to many cameras at once, a result per camera.
int RunApplyMany(const CommandSpec& self, Invocation& inv);
// download --cameras: every camera's configuration into a folder, one project file each.
int RunDownloadMany(const CommandSpec& self, Invocation& inv);

} // namespace kor::cli
