#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/SystemClock.h"

#include "DeviceSimProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace kor {
namespace {

// The operations of an installation, against the simulated camera's FTP server.
TEST(CurlFtpClientTest, InstallationOperations)
{
    test::DeviceSimProcess sim({"--user", "op@x", "--password", "p w:d"});
    ASSERT_TRUE(test::IsOk(sim.Start()));
    sim.WriteDeviceFile("etc/inittab", "::sysinit\nlast");

    CurlFtpClient ftp; // a refused log-in is the fault matrix's
    ASSERT_TRUE(test::IsOk(ftp.Connect(sim.Address(), sim.FtpPort(), "op@x", "p w:d")));
    EXPECT_TRUE(ftp.ChangeDir("/nowhere").failed());
    ASSERT_TRUE(test::IsOk(ftp.ChangeDir("/etc")));
    const Result<std::string> inittab = ftp.Get("inittab");
    ASSERT_TRUE(test::IsOk(inittab));
    EXPECT_EQ(*inittab, "::sysinit\nlast");
    EXPECT_TRUE(ftp.Get("boa.conf").failed());

    EXPECT_TRUE(test::IsOk(ftp.MakeDir("/mnt/flash/bin/cgi-bin")));
    ASSERT_TRUE(test::IsOk(ftp.ChangeDir("/mnt/flash/bin/cgi-bin")));
    const std::string program = std::string("\x7F"
                                            "ELF\0\r\n\xFF",
                                            8);
    ASSERT_TRUE(test::IsOk(ftp.Put("alarm d", program)));
    EXPECT_EQ(sim.ReadDeviceFile("mnt/flash/bin/cgi-bin/alarm d"), program);
    EXPECT_TRUE(ftp.MakeDir("/mnt/flash/bin/cgi-bin").failed()); // exists already
    ftp.Close();
    EXPECT_TRUE(ftp.Put("x", "y").failed());
}

// A hostile FTP server on loopback, one behaviour per instance; one control connection at a time.
class ScriptedFtp
{
public:
    enum class Mode
    {
        SilentAfterGreeting,
        RefusesCwd,
        SlowTransfer // 2 bytes a second, 20 bytes in all
    };
    explicit ScriptedFtp(Mode mode) : m_mode(mode), m_listener(Listen(m_port))
    {
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int control = Accept(m_listener);
                if (control >= 0)
                    Serve(control);
            }
        });
    }
    ~ScriptedFtp()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }
    int Port() const { return m_port; }

private:
    static int Listen(int& port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof where;
        ::bind(fd, reinterpret_cast<sockaddr*>(&where), size);
        ::listen(fd, 4);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&where), &size);
        port = ntohs(where.sin_port);
        return fd;
    }
    // The next connection, or -1 after 100 ms, so that the server notices its end.
    int Accept(int fd) const
    {
        pollfd item{fd, POLLIN, 0};
        return ::poll(&item, 1, 100) > 0 ? ::accept(fd, nullptr, nullptr) : -1;
    }
    bool Send(int fd, const std::string& text) const
    {
        return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
    }
    // One command line, or "" when the client went or the server ends.
    std::string Command(int fd) const
    {
        std::string line;
        char c = 0;
        while (!m_stop) {
            pollfd item{fd, POLLIN, 0};
            if (::poll(&item, 1, 100) <= 0)
                continue;
            if (::recv(fd, &c, 1, 0) != 1)
                return {};
            if (c == '\n')
                return line;
            if (c != '\r')
                line += c;
        }
        return {};
    }
    void Serve(int control)
    {
        Send(control, "220 ready\r\n");
        int data = -1;
        int passivePort = 0;
        for (std::string line = Command(control); !line.empty(); line = Command(control)) {
            if (m_mode == Mode::SilentAfterGreeting)
                continue;
            const std::string verb = line.substr(0, line.find(' '));
            if (verb == "USER") {
                Send(control, "331 Password required\r\n");
            } else if (verb == "PASS") {
                Send(control, "230 Logged in\r\n");
            } else if (verb == "PWD") {
                Send(control, "257 \"/\"\r\n");
            } else if (verb == "CWD") {
                Send(control, m_mode == Mode::RefusesCwd ? "550 No such directory.\r\n" : "250 OK\r\n");
            } else if (verb == "EPSV") {
                data = Listen(passivePort);
                Send(control,
                     "229 Entering Extended Passive Mode (|||" + std::to_string(passivePort) + "|)\r\n");
            } else if (verb == "TYPE") {
                Send(control, "200 OK\r\n");
            } else if (verb == "RETR" && data >= 0) {
                Send(control, "150 Opening\r\n");
                const int stream = ::accept(data, nullptr, nullptr);
                for (int i = 0; i < 10 && !m_stop && Send(stream, "ab"); ++i)
                    std::this_thread::sleep_for(std::chrono::seconds(1));
                ::close(stream);
                Send(control, "226 Done\r\n");
            } else {
                Send(control, "502 Not implemented\r\n");
            }
        }
        if (data >= 0)
            ::close(data);
        ::close(control);
    }

    Mode m_mode;
    int m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Every hostile behaviour ends within the time limits and is reported for what it is; the limits
// are shortened by the tests' divisor (10: 30 s become 3 s, the 60 s floor 6 s).
TEST(CurlFtpClientTest, HostileServers)
{
    ::setenv("KOR_WAIT_DIVISOR", "10", 1);
    if (SystemClock::DivisorFromEnvironment() != 10)
        GTEST_SKIP() << "needs a build with test hooks";
    using Mode = ScriptedFtp::Mode;
    const struct
    {
        const char* Name;
        Mode Behaviour;
        bool Download;
        const char* ErrorText; // within LastErrorText
        const char* Reply;     // the start of LastResponseText
    } rows[] = {
        {"silent after the greeting", Mode::SilentAfterGreeting, false, "time-out", "220 ready"},
        {"550 to CWD after a good log-in", Mode::RefusesCwd, false, "", "550 No such directory."},
        {"2 bytes a second", Mode::SlowTransfer, true, "time-out", "150 Opening"},
    };
    for (const auto& row : rows) {
        ScriptedFtp server(row.Behaviour);
        CurlFtpClient ftp;
        const auto start = std::chrono::steady_clock::now();
        Status done = ftp.Connect("127.0.0.1", server.Port(), "op", "secret");
        if (row.Download) {
            ASSERT_TRUE(test::IsOk(done)) << row.Name;
            done = ftp.Get("file").status();
        }
        EXPECT_TRUE(done.failed()) << row.Name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << row.Name;
        EXPECT_NE(ftp.LastErrorText().find(row.ErrorText), std::string::npos)
            << row.Name << ": " << ftp.LastErrorText();
        EXPECT_EQ(ftp.LastResponseText().rfind(row.Reply, 0), 0u)
            << row.Name << ": " << ftp.LastResponseText().substr(0, 80);
        EXPECT_EQ(ftp.LastResponseText().find("331"), std::string::npos)
            << row.Name << ": only the last reply";
    }
    ::unsetenv("KOR_WAIT_DIVISOR");
}

TEST(CurlFtpClientTest, NoServer)
{
    CurlFtpClient ftp;
    EXPECT_TRUE(ftp.Connect("127.0.0.1", 1, "root", "s3cret").failed());
    EXPECT_EQ(ftp.LastResponseCode(), 0);
    EXPECT_FALSE(ftp.LastErrorText().empty());
    EXPECT_EQ(ftp.LastErrorText().find("s3cret"), std::string::npos);
}

} // namespace
} // namespace kor
