#pragma once

#include "DeviceSimProcess.h"
#include "FakeDevice.h"

#include "device/DeviceLink.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kor::test {

// Loopback addresses always answer ICMP, so a restarting simulated camera would never seem down:
// this pinger answers like a camera does, only while the simulator's ports accept connections.
class LoopbackCameraPinger final : public Pinger
{
public:
    std::int32_t PingDevice(const std::string& address) override;
    int HttpPort = 0;
    int FtpPort = 0;

private:
    IcmpPinger m_icmp;
};

// The device link with its real transports against kor-devicesim on a loopback address. Waits run
// twenty times faster than their numbers say; the simulator restarts at once.
class SimFixture : public ::testing::Test
{
protected:
    // Starts the simulator with these options (plus --restart-seconds 0); skips the test when it
    // cannot start.
    bool StartSim(std::vector<std::string> args, bool ftp = true);
    // A camera record and model profile like the companion database's seed.
    void UseModel(const std::string& model);

    DeviceLink& Link();
    // The next Link() is made afresh (after a new simulator).
    void ResetLink() { m_link.reset(); }
    DeviceLink::RunResult Run(const LinkOptions& options);
    std::vector<DeviceSimProcess::Request> Requests(const std::string& path) const;
    std::string LogText() const { return Host.Joined(); }
    ActionRecord Action(const std::string& name = "Siren") const;

    std::unique_ptr<DeviceSimProcess> Sim;
    QTemporaryDir Work;
    CurlHttpClient Http;
    CurlFtpClient Ftp;
    LoopbackCameraPinger Ping;
    SystemClock Clock{20};
    RecordingHost Host;
    LinkSubject Subject;
    LinkFields Fields;
    ConfigDocument Doc;
    bool TaskListDirty = false;

private:
    std::unique_ptr<DeviceLink> m_link;
};

} // namespace kor::test
