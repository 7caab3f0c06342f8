#pragma once

#include "TestSupport.h"

#include "devicesim/launcher/DeviceSimProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <string>
#include <vector>

namespace kor::test {

using devicesim::PortFree;

// The simulated camera of an end-to-end test, the one built beside the tests:
//
//   kor::test::DeviceSimProcess sim({"--installed", "--wiring", "open"});
//   ASSERT_TRUE(IsOk(sim.Start()));
//   ... talk to sim.Address() (HTTP on sim.HttpPort(), FTP on sim.FtpPort()) ...
//   EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), expected);
//   EXPECT_EQ(sim.Requests().back().path, "/cgi-bin/recordings/setaapp.cgi");
//
// Start it from the test's own thread: the simulator ends with the thread that started it.
class DeviceSimProcess : public devicesim::DeviceSimProcess
{
public:
    explicit DeviceSimProcess(Options options) : devicesim::DeviceSimProcess(Built(std::move(options))) {}
    // Shorthand for Options with these args.
    explicit DeviceSimProcess(std::vector<std::string> args, bool ftp = true)
        : DeviceSimProcess(WithArgs(std::move(args), ftp))
    {}

    // Files of the device folder, by relative path ("etc/inittab"); empty when missing.
    std::string ReadDeviceFile(const std::string& relative) const
    {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    void WriteDeviceFile(const std::string& relative, const std::string& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        WriteBytes(Path(relative), bytes);
    }

private:
    static Options WithArgs(std::vector<std::string> args, bool ftp)
    {
        Options options;
        options.args = std::move(args);
        options.ftp = ftp;
        return options;
    }
    static Options Built(Options options)
    {
        options.program = BuiltProgram(QStringLiteral("kor-devicesim")).toStdString();
        return options;
    }
    QString Path(const std::string& relative) const
    {
        return QString::fromStdString(Folder() + "/" + relative);
    }
};

// Starts the camera of a fixture into sim (instant restarts, its FTP server only when asked); false,
// and a failed test, when it does not come up.
inline bool StartFixtureSim(std::unique_ptr<DeviceSimProcess>& sim, std::vector<std::string> args, bool ftp)
{
    args.insert(args.end(), {"--restart-seconds", "0"});
    sim = std::make_unique<DeviceSimProcess>(std::move(args), ftp);
    const kor::Status started = sim->Start();
    EXPECT_TRUE(IsOk(started)) << "kor-devicesim did not start";
    return started.ok();
}

} // namespace kor::test
