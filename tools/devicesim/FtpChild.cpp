#include "FtpChild.h"

#include "KorBuild.h"
#include "SimReady.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace kor::devicesim {

std::string FtpChild::LauncherPath()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    // Beside the executable in the build tree; in the helpers' folder once installed.
    const std::filesystem::path beside = self.parent_path() / "kor-devicesim-ftpd.py";
    if (std::filesystem::exists(beside, ec)) {
        return beside.string();
    }
    return (self.parent_path() / build::HelpersFromPrograms / "kor-devicesim-ftpd.py")
        .lexically_normal()
        .string();
}

std::string FtpChild::PythonPath()
{
    const char* python = std::getenv("KOR_DEVICESIM_PYTHON");
    return python != nullptr && *python != '\0' ? python : "/usr/bin/python3";
}

Status FtpChild::Start(const SimOptions& options, int port, bool& addressInUse)
{
    Stop();
    addressInUse = false;
    const std::string python = PythonPath();
    std::vector<std::string> args = {
        python,
        LauncherPath(),
        "--root=" + options.root,
        "--address=" + options.address,
        "--port=" + std::to_string(port),
        "--user=" + options.user,
        "--banner=" + options.model + " Network Camera " + options.firmware + " ready.",
    };
    for (const Fault& fault : options.faults) {
        if (fault.kind == Fault::Kind::FtpRefuseLogin) {
            args.push_back("--refuse-login");
        } else if (fault.kind == Fault::Kind::FtpFailUpload) {
            args.push_back("--fail-upload=" + (fault.path.empty() ? std::string("*") : fault.path));
        }
    }
    if (Status started = m_child.Start(args, true); started.failed()) {
        return started;
    }
    // The password travels through the pipe: a command line is visible to every user (ps).
    if (Status handed = m_child.Write(options.password + "\n"); handed.failed()) {
        Stop();
        return Status::Fail("cannot hand the password to the FTP server: " + handed.reason());
    }

    const std::optional<std::string> line =
        m_child.ReadLine(std::chrono::steady_clock::now() + std::chrono::seconds(30));
    m_child.CloseOutput();
    constexpr std::string_view kReady = "ftp ready ";
    if (line && line->starts_with(kReady)) {
        m_port = std::atoi(line->c_str() + kReady.size());
        return Status::Ok();
    }
    const std::optional<int> exit = m_child.WaitForExit(std::chrono::milliseconds(0));
    addressInUse = exit == kExitAddressInUse;
    Stop();
    return Status::Fail("the FTP server (" + python + " " + args[1] + ") did not start" +
                        (exit && *exit >= 0 ? ", exit status " + std::to_string(*exit) : std::string()));
}

} // namespace kor::devicesim
