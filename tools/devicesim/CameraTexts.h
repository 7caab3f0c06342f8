#pragma once

#include "SimOptions.h"

#include <string>
#include <string_view>

namespace kor::devicesim {

// The texts the camera firmware answers with, in its public HTTP API formats.

// Serial number (and MAC address digits) derived from the loopback address.
std::string SerialNumber(const SimOptions& options);
std::string ServerReport(const SimOptions& options);
// param.cgi?action=list&group=...; an error line for groups the camera does not have.
std::string ParameterList(const SimOptions& options, std::string_view group);
// ptz.cgi?query=presetposall: a header line, then presetposno<k>=<name> per preset.
std::string PresetList(const SimOptions& options, int camera);
std::string IndexPage(const SimOptions& options);
// The web server's error pages; they hold "<status> <reason>" as the tool looks for it.
std::string ErrorPage(int status, std::string_view path);
std::string ReasonPhrase(int status);

} // namespace kor::devicesim
