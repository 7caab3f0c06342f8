#include "outside/transport/CurlFtpClient.h"

#include "DeviceSimProcess.h"
#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kor {
namespace {

// The operations of an installation, against the simulated camera's FTP server.
TEST(CurlFtpClientTest, InstallationOperations)
{
    test::DeviceSimProcess sim({"--user", "op@x", "--password", "p w:d"});
    ASSERT_TRUE(sim.Start()) << sim.Error();
    sim.WriteDeviceFile("etc/inittab", "::sysinit\nlast");

    CurlFtpClient ftp;
    EXPECT_TRUE(ftp.Connect(sim.Address(), sim.FtpPort(), "op@x", "wrong").failed());
    EXPECT_NE(ftp.LastResponseText().find("\n331 "), std::string::npos) << ftp.LastResponseText();
    EXPECT_EQ(ftp.LastResponseCode(), 530);

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
    EXPECT_TRUE(test::IsOk(ftp.Command("SITE chmod 755 /mnt/flash/bin/cgi-bin/alarm d")));
    EXPECT_EQ(sim.ReadDeviceFile("mnt/flash/bin/cgi-bin/alarm d"), program);
    EXPECT_TRUE(QFile::permissions(QString::fromStdString(sim.Folder() + "/mnt/flash/bin/cgi-bin/alarm d")) &
                QFileDevice::ExeOwner);
    EXPECT_TRUE(ftp.MakeDir("/mnt/flash/bin/cgi-bin").failed()); // exists already
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
