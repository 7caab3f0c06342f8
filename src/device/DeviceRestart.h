#pragma once

#include "config/Result.h"

namespace kor {

struct LinkContext;

// Restarting the camera and waiting for it: the ping shows it going away and coming back, then
// its web server answers again. Each wait reports its seconds as progress and ends early when the
// run is cancelled.
class DeviceRestart
{
public:
    explicit DeviceRestart(LinkContext& context) : m_ctx(context) {}

    Status OpenRestartUrl();
    void WaitForDeviceDown();
    Status WaitForDeviceUp();
    // The restart that ends an installation: the restart request (tried for ten seconds), the wait
    // (through the relay a fixed one), then polls until the web server answers.
    Status RestartAfterInstallation();
    // The restart after a new task list; its failures end nothing.
    void RestartDevice();

private:
    LinkContext& m_ctx;
};

} // namespace kor
