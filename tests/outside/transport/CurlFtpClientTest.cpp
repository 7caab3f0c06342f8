#include "outside/transport/CurlFtpClient.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kor {
namespace {

// pyftpdlib, Debian's FTP server library, on a loopback port over a temporary folder.
class FtpServer
{
public:
    FtpServer()
    {
        m_port = 20000 + static_cast<int>(QRandomGenerator::global()->bounded(20000));
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments({QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                                QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port),
                                QStringLiteral("-w"), QStringLiteral("-d"), Root.path(), QStringLiteral("-u"),
                                QStringLiteral("op@x"), QStringLiteral("-P"), QStringLiteral("p w:d")});
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start();
        for (int i = 0; i < 100 && m_process.state() != QProcess::NotRunning; ++i) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(m_port));
            if (probe.waitForConnected(100)) {
                Ready = true;
                break;
            }
            m_process.waitForFinished(50);
        }
    }
    ~FtpServer()
    {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    int Port() const { return m_port; }

    QTemporaryDir Root;
    bool Ready = false;

private:
    QProcess m_process;
    int m_port = 0;
};

TEST(CurlFtpClientTest, InstallationOperations)
{
    FtpServer server;
    if (!server.Ready)
        GTEST_SKIP() << "pyftpdlib is not installed (scripts/install-deps installs it)";
    QDir(server.Root.path()).mkpath(QStringLiteral("etc"));
    QDir(server.Root.path()).mkpath(QStringLiteral("mnt/flash"));
    test::WriteBytes(server.Root.path() + QStringLiteral("/etc/inittab"), "::sysinit\nlast");

    CurlFtpClient ftp;
    EXPECT_TRUE(ftp.Connect("127.0.0.1", server.Port(), "op@x", "wrong").failed());
    EXPECT_NE(ftp.LastResponseText().find("\n331 "), std::string::npos) << ftp.LastResponseText();
    EXPECT_EQ(ftp.LastResponseCode(), 530);

    ASSERT_TRUE(test::IsOk(ftp.Connect("127.0.0.1", server.Port(), "op@x", "p w:d")));
    EXPECT_TRUE(ftp.ChangeDir("/nowhere").failed());
    ASSERT_TRUE(test::IsOk(ftp.ChangeDir("/etc")));
    const Result<std::string> inittab = ftp.Get("inittab");
    ASSERT_TRUE(test::IsOk(inittab));
    EXPECT_EQ(*inittab, "::sysinit\nlast");
    EXPECT_TRUE(ftp.Get("boa.conf").failed());

    EXPECT_TRUE(test::IsOk(ftp.MakeDir("/mnt/flash/bin")));
    ASSERT_TRUE(test::IsOk(ftp.ChangeDir("/mnt/flash/bin")));
    const std::string program = std::string("\x7F"
                                            "ELF\0\r\n\xFF",
                                            8);
    ASSERT_TRUE(test::IsOk(ftp.Put("alarm d", program)));
    EXPECT_TRUE(test::IsOk(ftp.Command("SITE chmod 755 /mnt/flash/bin/alarm d")));
    const QString stored = server.Root.path() + QStringLiteral("/mnt/flash/bin/alarm d");
    EXPECT_EQ(test::ReadBytes(stored), program);
    EXPECT_EQ(QFile::permissions(stored) & QFileDevice::ExeOwner, QFileDevice::ExeOwner);
    EXPECT_TRUE(ftp.MakeDir("/mnt/flash/bin").failed()); // exists already
    ftp.Close();
    EXPECT_TRUE(ftp.Put("x", "y").failed());
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
