#pragma once

#include "DeviceSimProcess.h"
#include "FakeDevice.h"

#include "device/RunSequence.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
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

// The camera of the device link's tests. At first a camera of fakes at 10.0.0.5:8080 (root/pass),
// model DEMO with its application files in a temporary Data folder; StartSim puts kor-devicesim on a
// loopback address and the real transports in its place (waits twenty times shorter, instant
// restarts, the application files of resources/Data).
class CameraFixture : public ::testing::Test
{
public:
    CameraFixture();

    // One press of the run button with the fixture's document, fields and task-list flag.
    RunOutcome Run(const LinkOptions& options);
    // The option boxes ticked: Ticked({&LinkOptions::SendConfig, &LinkOptions::IoCheck}).
    static LinkOptions Ticked(std::initializer_list<bool LinkOptions::*> boxes);
    DeviceServices Services();

    // Starts the simulator with these options (its FTP server only when asked) for the camera and
    // model of UseModel; fails the test when it does not come up.
    bool StartSim(std::vector<std::string> args, bool ftp = false);
    // A camera record and model profile like the companion database's seed (DEMO-1 or DEMO-4).
    void UseModel(const std::string& model);
    // Authenticated requests of the simulator to this path.
    std::vector<DeviceSimProcess::Request> SimRequests(const std::string& path) const;

    // The fake camera keeps the configuration pieces it is sent and answers getaapp.cgi with them
    // (set up by the constructor; again after Http is replaced).
    void KeepsUploads();
    void AddDataFile(const QString& relative, const std::string& bytes = "x");
    std::string LogText() const { return Host.Joined(); }
    // An output activation (output 1 timed on for 10 seconds).
    static ActionRecord Siren(const std::string& name = "Siren");

    QTemporaryDir Work;
    QTemporaryDir Data;
    FakeHttp Http;
    FakeFtp Ftp;
    FakePinger Ping;
    FakeClock Clock;
    RecordingHost Host;
    TextLookup Texts; // none: lines show "[n]"
    LinkSubject Subject;
    LinkFields Fields{"10.0.0.5", "8080", "root", "pass"};
    ConfigDocument Doc;
    bool TaskListDirty = false;
    std::string ModelFolder; // of the last run

    std::unique_ptr<DeviceSimProcess> Sim;
    bool RealTransports = false; // set by StartSim
    CurlHttpClient SimHttp;
    CurlFtpClient SimFtp;
    LoopbackCameraPinger SimPing;
    SystemClock SimClock{20};
};

} // namespace kor::test
