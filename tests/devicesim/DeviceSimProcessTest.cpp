// The simulator as a process: command line, the seeded device folder, its FTP server, and leaving
// no process or busy port behind.

#include "SimTestUtil.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace kor::test {
namespace {

std::string Program()
{
    return std::string(KOR_BINARY_DIR) + "/bin/kor-devicesim";
}

// Runs the simulator to its end with the arguments; returns the exit status and its standard output.
int RunToEnd(const std::string& args, std::string& output)
{
    output.clear();
    std::FILE* pipe = ::popen((Program() + " " + args + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The child processes of a process (the FTP server of the simulator).
std::vector<pid_t> Children(pid_t pid)
{
    std::vector<pid_t> children;
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    pid_t child = 0;
    while (in >> child) {
        children.push_back(child);
    }
    return children;
}

// Gone, or a zombie waiting for a parent that does not reap.
bool ProcessEnded(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    if (!status) {
        return true;
    }
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("State:")) {
            return line.find('Z') != std::string::npos;
        }
    }
    return true;
}

bool PortFree(const std::string& address, int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, address.c_str(), &where.sin_addr);
    const bool free = ::bind(sock, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0;
    ::close(sock);
    return free;
}

TEST(DeviceSimProcess, CommandLine)
{
    std::string output;
    EXPECT_EQ(RunToEnd("--help", output), 0);
    for (const std::string option : {"--root", "--address", "--wiring", "--fault", "--relay-password",
                                     "--restart-seconds", "--request-log", "stop-after=K"}) {
        EXPECT_NE(output.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunToEnd("--root /tmp/x --bogus", output), 2);
    EXPECT_EQ(RunToEnd("--root /tmp/x --address 192.168.0.90", output), 2);
    EXPECT_EQ(RunToEnd("--address 127.0.0.2", output), 2);
    EXPECT_EQ(output, "");
}

TEST(DeviceSimProcess, SeedsAnEmptyFolderAndLeavesOthersAlone)
{
    DeviceSimProcess sim(SimOptions({}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const std::string inittab = sim.ReadDeviceFile("etc/inittab");
    EXPECT_NE(inittab.find("\npp:3:respawn:/bin/pppwrapper\n"), std::string::npos);
    EXPECT_EQ(inittab.find("v-sencamCLIENT"), std::string::npos);
    const std::string boa = sim.ReadDeviceFile("etc/httpd/conf/boa.conf");
    EXPECT_NE(boa.find("\nTransfer /axis-cgi/io/output.cgi "), std::string::npos);
    EXPECT_NE(boa.find("\nAuthPath "), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(sim.Folder() + "/mnt/flash/bin"));
    EXPECT_FALSE(std::filesystem::exists(sim.Folder() + "/etc/bufferd.conf"));

    // A folder with content is the camera's as it is.
    const std::string folder = sim.Folder() + "-own";
    std::filesystem::create_directories(folder + "/etc");
    std::ofstream(folder + "/etc/inittab") << "id:3:initdefault:\n";
    DeviceSimProcess::Options options;
    options.ftp = false;
    options.folder = folder;
    DeviceSimProcess own(options);
    ASSERT_TRUE(own.Start()) << own.Error();
    EXPECT_EQ(own.ReadDeviceFile("etc/inittab"), "id:3:initdefault:\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "/etc/httpd/conf/boa.conf"));
    own.Stop();
    std::filesystem::remove_all(folder);
}

TEST(DeviceSimProcess, FtpServesTheDeviceFolderAndChangesModes)
{
    DeviceSimProcess sim(SimOptions({"--restart-seconds", "1"}, true));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    ASSERT_GT(sim.FtpPort(), 0);
    const FtpAnswer download = FtpDownload(sim.Address(), sim.FtpPort(), kUser, kPassword, "etc/inittab");
    EXPECT_EQ(download.code, CURLE_OK) << download.serverText;
    EXPECT_EQ(download.body, sim.ReadDeviceFile("etc/inittab"));
    EXPECT_EQ(FtpDownload(sim.Address(), sim.FtpPort(), kUser, "wrong", "etc/inittab").code,
              CURLE_LOGIN_DENIED);

    // Installing as the tool does: the program, its mode, then the start-up table.
    const FtpAnswer put = FtpUpload(sim.Address(), sim.FtpPort(), kUser, kPassword, "mnt/flash/bin/alarmd",
                                    "#!/bin/sh\n", {"SITE chmod 755 /mnt/flash/bin/alarmd"});
    ASSERT_EQ(put.code, CURLE_OK) << put.serverText;
    struct stat info
    {};
    ASSERT_EQ(::stat((sim.Folder() + "/mnt/flash/bin/alarmd").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    const std::string inittab = download.body + "#v-sencamCLIENT\nalarmd:3:respawn:/mnt/flash/bin/alarmd\n";
    ASSERT_EQ(FtpUpload(sim.Address(), sim.FtpPort(), kUser, kPassword, "etc/inittab", inittab).code,
              CURLE_OK);
    EXPECT_EQ(Get(sim, "/cgi-bin/recordings/getaapp.cgi").status, 404);

    // After the restart the application runs, and FTP is back too.
    ASSERT_TRUE(RestartAndWait(sim));
    EXPECT_EQ(Get(sim, "/cgi-bin/recordings/getaapp.cgi").status, 200);
    EXPECT_TRUE(WaitUntil([&] {
        return FtpDownload(sim.Address(), sim.FtpPort(), kUser, kPassword, "etc/inittab").body == inittab;
    }));
}

TEST(DeviceSimProcess, StoppingLeavesNoProcessAndNoBusyPort)
{
    DeviceSimProcess sim(SimOptions({}, true));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const pid_t pid = sim.Pid();
    const std::vector<pid_t> children = Children(pid);
    ASSERT_EQ(children.size(), 1u) << "the FTP server";
    EXPECT_FALSE(PortFree(sim.Address(), sim.HttpPort()));
    EXPECT_FALSE(PortFree(sim.Address(), sim.FtpPort()));

    sim.Stop();
    EXPECT_TRUE(ProcessEnded(pid));
    EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(children[0]); }));
    EXPECT_TRUE(PortFree(sim.Address(), sim.HttpPort()));
    EXPECT_TRUE(PortFree(sim.Address(), sim.FtpPort()));
}

TEST(DeviceSimProcess, FtpServerDiesWithAKilledSimulator)
{
    DeviceSimProcess sim(SimOptions({}, true));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const std::vector<pid_t> children = Children(sim.Pid());
    ASSERT_EQ(children.size(), 1u);
    ASSERT_EQ(::kill(sim.Pid(), SIGKILL), 0);
    EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(children[0]); }));
    sim.Stop();
    EXPECT_TRUE(WaitUntil([&] { return PortFree(sim.Address(), sim.FtpPort()); }));
}

TEST(DeviceSimProcess, RestartRefusesConnectionsThenComesBack)
{
    DeviceSimProcess sim(
        SimOptions({"--restart-seconds", "1", "--fault", "delay=60000:/axis-cgi/io/input.cgi"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    // A request held by a fault does not keep the camera from going down.
    HttpAnswer held;
    std::thread waiting([&] { held = Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC); });
    ASSERT_TRUE(WaitUntil([&] { return sim.Requests().size() == 1; }));
    ASSERT_TRUE(RestartAndWait(sim));
    waiting.join();
    EXPECT_NE(held.status, 200);
    EXPECT_EQ(Get(sim, "/axis-cgi/admin/serverreport.cgi").status, 200);
}

} // namespace
} // namespace kor::test
