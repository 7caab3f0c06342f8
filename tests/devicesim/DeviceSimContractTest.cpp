// What the engine and the tests rely on in the simulated camera: the answer formats, both
// authentication schemes, the faults a run cannot show, the relay's refusals, and nothing left behind when it
// stops. Its stores, restarts and installation are exercised by the device link's end-to-end tests.
#include "DeviceSimProcess.h"
#include "TestSupport.h"

#include "device/DeviceUrl.h"
#include "outside/transport/CurlHttpClient.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

namespace kor::test {
namespace {

const std::string kPassword = "p:w@d";

DeviceTarget Target(const DeviceSimProcess& sim, const std::string& password = kPassword)
{
    return {sim.Address(), std::to_string(sim.HttpPort()), "operator", password, {}};
}

HttpResponse Get(const DeviceSimProcess& sim, const std::string& path,
                 const std::string& password = kPassword, int timeoutSeconds = 20)
{
    CurlHttpClient http;
    return http.Get(DeviceUrl::Build(Target(sim, password), !password.empty(), true, path), timeoutSeconds);
}

HttpResponse Post(const DeviceSimProcess& sim, const std::string& path, const std::string& body)
{
    CurlHttpClient http;
    return http.Post(DeviceUrl::Build(Target(sim), true, true, path), body, 20);
}

DeviceSimProcess::Options WithCredentials(std::vector<std::string> args, bool ftp = false)
{
    DeviceSimProcess::Options options;
    options.args = {"--user", "operator", "--password", kPassword};
    options.args.insert(options.args.end(), args.begin(), args.end());
    options.ftp = ftp;
    return options;
}

bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

TEST(DeviceSimContract, AnswerFormats)
{
    DeviceSimProcess sim(WithCredentials({"--presets", "1=Home,2=GateZZZ", "--motion", "0=Door,3=Yard",
                                          "--temperature", "0", "--channels", "2"}));
    ASSERT_TRUE(IsOk(sim.Start()));
    const struct
    {
        std::string Path;
        long Status;
        std::string Expected; // contained in the body
    } rows[] = {
        {"/axis-cgi/operator/param.cgi?action=list&group=Motion", 200,
         "root.Motion.M0.Name=Door\nroot.Motion.M0.ImageSource=0\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Audio.A0", 200, "root.Audio.A0.AlarmLevel="},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.Tampering", 200,
         "Properties.Tampering.Tampering=yes\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.TemperatureSensor", 200,
         "Properties.TemperatureSensor.TemperatureSensor=no\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Nothing", 200, "# Error:"},
        {"/axis-cgi/com/ptz.cgi?query=presetposall&camera=2", 200, "Preset Positions for camera 2\n"},
        {"/axis-cgi/io/input.cgi?check=2,1", 200, "input2=0\ninput1=0\n"},
        {"/axis-cgi/io/output.cgi?action=2:/", 200, "OK"},
        {"/axis-cgi/io/output.cgi?action=9:/", 400, "Error"},
        {"/axis-cgi/nothing.cgi", 404, "404 Not Found"},
        {"/cgi-bin/recordings/getaapp.cgi", 404, "404 Not Found"}, // the application is not installed
    };
    for (const auto& row : rows) {
        const HttpResponse answer = Get(sim, row.Path);
        EXPECT_EQ(answer.Error, 0) << row.Path;
        EXPECT_EQ(answer.Status, row.Status) << row.Path;
        EXPECT_NE(answer.Body.find(row.Expected), std::string::npos) << row.Path << "\n" << answer.Body;
    }
    EXPECT_EQ(Get(sim, "/axis-cgi/com/ptz.cgi?query=presetposall").Body,
              "Preset Positions for camera 1\npresetposno1=Home\npresetposno2=GateZZZ\n");
}

TEST(DeviceSimContract, ApplicationAnswers)
{
    DeviceSimProcess sim(WithCredentials({"--installed", "--channels", "2"}));
    ASSERT_TRUE(IsOk(sim.Start()));
    EXPECT_EQ(Get(sim, "/cgi-bin/recordings/getaapp.cgi").Body, ""); // nothing stored yet
    // Stored without the trailing zero byte, and read back as stored.
    EXPECT_EQ(Post(sim, "/cgi-bin/recordings/setaapp.cgi?2", std::string("a$b\0c\0", 6)).Status, 200);
    EXPECT_EQ(Get(sim, "/cgi-bin/recordings/getaapp.cgi?2").Body, std::string("a$b\0c", 5));
    // Refused: a body without its zero byte, a channel the camera does not have, the wrong method.
    EXPECT_EQ(Post(sim, "/cgi-bin/recordings/setaapp.cgi", "no zero").Status, 400);
    EXPECT_EQ(Post(sim, "/cgi-bin/recordings/setaapp.cgi?3", std::string("x\0", 2)).Status, 400);
    EXPECT_EQ(Get(sim, "/cgi-bin/recordings/setaapp.cgi").Status, 405);
    EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), "");
}

TEST(DeviceSimContract, AuthenticationSchemes)
{
    for (const std::string scheme : {"basic", "digest"}) {
        DeviceSimProcess sim(WithCredentials({"--auth", scheme}));
        ASSERT_TRUE(IsOk(sim.Start()));
        // A pulse pattern in the address: its "\" must not spoil the digest.
        const std::string path = "/axis-cgi/io/output.cgi?action=1:/30\\30/30\\";
        EXPECT_EQ(Get(sim, path).Status, 200) << scheme;
        for (const std::string wrong : {"p:w@", "p:w@dd", ""})
            EXPECT_EQ(Get(sim, path, wrong).Status, 401) << scheme << " " << wrong;
        EXPECT_NE(Get(sim, path, "").Body.find("401 Unauthorized"), std::string::npos);
    }
    // A camera without user and password asks for none.
    DeviceSimProcess open(std::vector<std::string>{"--user", "", "--password", ""}, false);
    ASSERT_TRUE(IsOk(open.Start()));
    EXPECT_EQ(Get(open, "/axis-cgi/io/input.cgi?check=1", "").Status, 200);
}

// The faults' effects on a run are the fault matrix's; here only what it does not show: a delay
// outlasts the client's limit, and credentials are checked before any fault.
TEST(DeviceSimContract, HttpFaults)
{
    DeviceSimProcess sim(WithCredentials({"--installed", "--fault", "status=503:/axis-cgi/com/*", "--fault",
                                          "delay=5000:/axis-cgi/io/input.cgi"}));
    ASSERT_TRUE(IsOk(sim.Start()));
    EXPECT_EQ(Get(sim, "/axis-cgi/com/ptz.cgi?query=presetposall").Status, 503);
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", kPassword, 1).Error, kRequestTimeoutError);
    EXPECT_EQ(Get(sim, "/axis-cgi/com/ptz.cgi", "").Status, 401);
}

TEST(DeviceSimContract, RelayRefusesWrongPasswordsAndOtherAddresses)
{
    DeviceSimProcess device(WithCredentials({"--installed"}));
    DeviceSimProcess relay(std::vector<std::string>{"--relay-password", "s3cret"}, false);
    ASSERT_TRUE(IsOk(device.Start()));
    ASSERT_TRUE(IsOk(relay.Start()));
    const std::string deviceHost = device.Address() + ":" + std::to_string(device.HttpPort());
    const struct
    {
        std::string Password;
        std::string Host;
        long Status;
    } rows[] = {{"wrong", deviceHost, 403}, {"s3cret", "10.1.2.3:80", 403}, {"s3cret", deviceHost, 200}};
    for (const auto& row : rows) {
        DeviceTarget target = Target(device);
        target.Address = row.Host.substr(0, row.Host.find(':'));
        target.PortText = row.Host.substr(row.Host.find(':') + 1);
        target.Relay = {true, relay.Address(), relay.HttpPort(), row.Password};
        CurlHttpClient http;
        EXPECT_EQ(http.Get(DeviceUrl::Build(target, true, true, "/axis-cgi/io/input.cgi?check=1"), 20).Status,
                  row.Status)
            << row.Password << " " << row.Host;
    }
    EXPECT_EQ(device.Requests().size(), 2u); // the one allowed request: challenge and answer
}

// Gone, or a zombie waiting for a parent that does not reap.
bool ProcessEnded(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("State:"))
            return line.find('Z') != std::string::npos;
    }
    return true;
}

pid_t FtpServerOf(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    pid_t child = 0;
    in >> child;
    return child;
}

TEST(DeviceSimContract, NothingLeftBehind)
{
    for (const bool killed : {false, true}) {
        DeviceSimProcess sim(WithCredentials({}, true));
        ASSERT_TRUE(IsOk(sim.Start()));
        const pid_t ftpServer = FtpServerOf(sim.Pid());
        ASSERT_GT(ftpServer, 0);
        // The password reaches the FTP server through a pipe: a command line is visible to every user.
        std::ifstream commandLine("/proc/" + std::to_string(ftpServer) + "/cmdline");
        const std::string arguments((std::istreambuf_iterator<char>(commandLine)),
                                    std::istreambuf_iterator<char>());
        EXPECT_NE(arguments.find("--user=operator"), std::string::npos) << arguments;
        EXPECT_EQ(arguments.find(kPassword), std::string::npos) << arguments;
        EXPECT_FALSE(PortFree(sim.Address(), sim.HttpPort()));
        EXPECT_FALSE(PortFree(sim.Address(), sim.FtpPort()));
        if (killed) { // its FTP server must not outlive it
            ASSERT_EQ(::kill(sim.Pid(), SIGKILL), 0);
        }
        const pid_t pid = sim.Pid();
        sim.Stop();
        EXPECT_TRUE(ProcessEnded(pid));
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(ftpServer); })) << killed;
        EXPECT_TRUE(WaitUntil([&] { return PortFree(sim.Address(), sim.HttpPort()); })) << killed;
        EXPECT_TRUE(WaitUntil([&] { return PortFree(sim.Address(), sim.FtpPort()); })) << killed;
    }
}

// A connection sending one request (none for an empty path) and never reading the answer.
int HeldRequest(const DeviceSimProcess& sim, const std::string& path, int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, sim.Address().c_str(), &where.sin_addr);
    if (::connect(sock, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 && !path.empty()) {
        const std::string credentials =
            QByteArray("operator:" + QByteArray::fromStdString(kPassword)).toBase64().toStdString();
        const std::string request =
            "GET " + path + " HTTP/1.1\r\nHost: camera\r\nAuthorization: Basic " + credentials + "\r\n\r\n";
        ::send(sock, request.data(), request.size(), MSG_NOSIGNAL);
    }
    return sock;
}

// Whatever a fault holds (more held requests than the server has workers, replies nobody reads, an
// FTP session), SIGTERM ends the simulator and its FTP server promptly.
TEST(DeviceSimContract, ShutdownIsBoundedUnderEveryFault)
{
    for (const char* fault : {"stop-after=0", "delay=600000", "big-reply=64", "close-after=100000",
                              "status=500:/axis-cgi/io/input.cgi", "ftp-refuse-login", "ftp-fail-upload"}) {
        DeviceSimProcess sim(WithCredentials({"--fault", fault}, true));
        ASSERT_TRUE(IsOk(sim.Start()));
        std::vector<int> sockets;
        for (int i = 0; i < 12; ++i)
            sockets.push_back(HeldRequest(sim, "/axis-cgi/io/input.cgi?check=1", sim.HttpPort()));
        sockets.push_back(HeldRequest(sim, {}, sim.FtpPort()));
        WaitUntil([&] { return sim.Requests().size() >= 8; }, std::chrono::seconds(5));
        const pid_t pid = sim.Pid();
        const pid_t ftpServer = FtpServerOf(pid);
        ASSERT_EQ(::kill(pid, SIGTERM), 0);
        // The simulator's own limit is 1.5 s; the rest is margin for a loaded machine.
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(pid); }, std::chrono::seconds(3))) << fault;
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(ftpServer); }, std::chrono::seconds(1))) << fault;
        for (const int sock : sockets)
            ::close(sock);
    }
}

// A restarting camera refuses connections for a while, even with a request held open, then
// answers again: the end-to-end tests see it go down by that.
TEST(DeviceSimContract, RestartRefusesConnectionsThenComesBack)
{
    DeviceSimProcess sim(
        WithCredentials({"--restart-seconds", "1", "--fault", "delay=60000:/axis-cgi/io/input.cgi"}));
    ASSERT_TRUE(IsOk(sim.Start()));
    HttpResponse held;
    std::thread waiting([&] { held = Get(sim, "/axis-cgi/io/input.cgi?check=1"); });
    ASSERT_TRUE(WaitUntil([&] { return !sim.Requests().empty(); }));
    EXPECT_EQ(Get(sim, "/axis-cgi/admin/restart.cgi").Status, 200);
    EXPECT_TRUE(WaitUntil([&] { return Get(sim, "/", kPassword, 2).Error == 7; })); // connection refused
    EXPECT_TRUE(WaitUntil([&] { return Get(sim, "/").Status == 200; }));
    waiting.join();
    EXPECT_NE(held.Status, 200);
}

} // namespace
} // namespace kor::test
