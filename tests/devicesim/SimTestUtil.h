#pragma once

#include "CurlClient.h"
#include "DeviceSimProcess.h"

#include <chrono>
#include <functional>
#include <string>

namespace kor::test {

// Credentials the simulators of these tests are started with.
inline const std::string kUser = "operator";
inline const std::string kPassword = "p:w@d";

// Options for a simulator with the test credentials (and, unless asked, no FTP).
DeviceSimProcess::Options SimOptions(std::vector<std::string> args, bool ftp = false);

// A GET or POST of a path ("/axis-cgi/...?...") on the simulator with the test credentials.
HttpAnswer Get(const DeviceSimProcess& sim, const std::string& pathAndQuery,
               unsigned long auth = CURLAUTH_ANY, long timeoutMs = 20000);
HttpAnswer Post(const DeviceSimProcess& sim, const std::string& pathAndQuery, const std::string& body);

// Polls the condition every 50 ms until it holds or the limit passes (only a bound, not a timing check).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit = std::chrono::seconds(20));

// restart.cgi, then waits until the camera has gone away (connections refused) and is back.
bool RestartAndWait(const DeviceSimProcess& sim);

} // namespace kor::test
