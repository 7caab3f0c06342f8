#include "SimTestUtil.h"

#include <thread>

namespace kor::test {

DeviceSimProcess::Options SimOptions(std::vector<std::string> args, bool ftp)
{
    DeviceSimProcess::Options options;
    options.args = {"--user", kUser, "--password", kPassword};
    options.args.insert(options.args.end(), args.begin(), args.end());
    options.ftp = ftp;
    return options;
}

HttpAnswer Get(const DeviceSimProcess& sim, const std::string& pathAndQuery, unsigned long auth,
               long timeoutMs)
{
    return Http(Call(sim.BaseUrl() + pathAndQuery).As(kUser, kPassword, auth).WaitingAtMost(timeoutMs));
}

HttpAnswer Post(const DeviceSimProcess& sim, const std::string& pathAndQuery, const std::string& body)
{
    return Http(Call(sim.BaseUrl() + pathAndQuery).As(kUser, kPassword).Posting(body));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

bool RestartAndWait(const DeviceSimProcess& sim)
{
    if (Get(sim, "/axis-cgi/admin/restart.cgi").status != 200) {
        return false;
    }
    const auto answers = [&] { return Get(sim, "/", CURLAUTH_ANY, 2000).code == CURLE_OK; };
    const bool wentAway =
        WaitUntil([&] { return Get(sim, "/", CURLAUTH_ANY, 2000).code == CURLE_COULDNT_CONNECT; });
    return wentAway && WaitUntil(answers);
}

} // namespace kor::test
