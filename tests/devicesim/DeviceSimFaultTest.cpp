// Misbehaviour on demand (HTTP and FTP faults) and the relay server.

#include "SimTestUtil.h"

#include <gtest/gtest.h>

#include <thread>

namespace kor::test {
namespace {

TEST(DeviceSimFault, NamedPathsAnswerTheGivenStatus)
{
    DeviceSimProcess sim(
        SimOptions({"--installed", "--fault", "status=500:/cgi-bin/recordings/setaapp.cgi", "--fault",
                    "status=404:/axis-cgi/admin/serverreport.cgi", "--fault", "status=503:/axis-cgi/com/*"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    struct Case
    {
        std::string path;
        long status;
        std::string text;
    };
    const Case cases[] = {
        {"/axis-cgi/admin/serverreport.cgi", 404, "404 Not Found"},
        {"/axis-cgi/com/ptz.cgi?query=presetposall", 503, "503"},
        {"/axis-cgi/io/input.cgi?check=1", 200, "input1="},
        {"/cgi-bin/recordings/getaapp.cgi", 200, ""},
    };
    for (const Case& c : cases) {
        const HttpAnswer answer = Get(sim, c.path);
        EXPECT_EQ(answer.status, c.status) << c.path;
        EXPECT_NE(answer.body.find(c.text), std::string::npos) << c.path;
    }
    const HttpAnswer post = Post(sim, "/cgi-bin/recordings/setaapp.cgi", std::string("x\0", 2));
    EXPECT_EQ(post.status, 500);
    EXPECT_NE(post.body.find("500 Internal Server Error"), std::string::npos);
    EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), "");
    // Credentials are still checked first.
    EXPECT_EQ(Http(Call(sim.BaseUrl() + "/axis-cgi/admin/serverreport.cgi")).status, 401);
}

TEST(DeviceSimFault, DelayHoldsTheAnswer)
{
    DeviceSimProcess sim(SimOptions({"--fault", "delay=5000:/axis-cgi/io/input.cgi"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    // A client that waits less than the delay gets no answer; other paths are not delayed.
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC, 500).code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(Get(sim, "/axis-cgi/admin/serverreport.cgi", CURLAUTH_BASIC).status, 200);
}

TEST(DeviceSimFault, ConnectionClosesMidReply)
{
    DeviceSimProcess sim(SimOptions({"--fault", "close-after=100:/axis-cgi/admin/serverreport.cgi"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const HttpAnswer cut = Get(sim, "/axis-cgi/admin/serverreport.cgi", CURLAUTH_BASIC);
    EXPECT_EQ(cut.code, CURLE_PARTIAL_FILE);
    EXPECT_EQ(cut.body.size(), 100u);
    EXPECT_TRUE(cut.body.starts_with(" ----- AXIS 2100"));
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC).code, CURLE_OK);
}

TEST(DeviceSimFault, BigReplyAndCutTogether)
{
    DeviceSimProcess sim(
        SimOptions({"--fault", "big-reply=2:/axis-cgi/admin/serverreport.cgi", "--fault",
                    "big-reply=1:/axis-cgi/io/*", "--fault", "close-after=300000:/axis-cgi/io/input.cgi"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const HttpAnswer big = Get(sim, "/axis-cgi/admin/serverreport.cgi", CURLAUTH_BASIC);
    EXPECT_EQ(big.code, CURLE_OK);
    EXPECT_EQ(big.body.size(), 2u * 1024 * 1024);
    EXPECT_TRUE(big.body.starts_with(" ----- AXIS 2100")) << big.body.substr(0, 100);
    EXPECT_NE(big.body.find("\nFirmware release: 2.40\n"), std::string::npos);

    const HttpAnswer cut = Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC);
    EXPECT_EQ(cut.code, CURLE_PARTIAL_FILE);
    EXPECT_EQ(cut.body.size(), 300000u);
    EXPECT_TRUE(cut.body.starts_with("input1=0\n"));
}

TEST(DeviceSimFault, StopsAnsweringAfterSomeRequests)
{
    DeviceSimProcess sim(SimOptions({"--fault", "stop-after=2"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC).status, 200);
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC).status, 200);
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1", CURLAUTH_BASIC, 500).code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(Get(sim, "/", CURLAUTH_BASIC, 500).code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(sim.Requests().size(), 4u); // heard, not answered
    sim.Stop();
    EXPECT_FALSE(sim.Running());
}

TEST(DeviceSimFault, FtpLogInRefusedAfterAPasswordRequest)
{
    DeviceSimProcess sim(SimOptions({"--fault", "ftp-refuse-login"}, true));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const FtpAnswer answer = FtpDownload(sim.Address(), sim.FtpPort(), kUser, kPassword, "etc/inittab");
    EXPECT_EQ(answer.code, CURLE_LOGIN_DENIED);
    const std::size_t asked = answer.serverText.find("\n331 ");
    ASSERT_NE(asked, std::string::npos) << answer.serverText;
    EXPECT_NE(answer.serverText.find("\n530 ", asked), std::string::npos) << answer.serverText;
}

TEST(DeviceSimFault, FtpUploadsFail)
{
    DeviceSimProcess sim(SimOptions({"--fault", "ftp-fail-upload=alarmd"}, true));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const FtpAnswer failed =
        FtpUpload(sim.Address(), sim.FtpPort(), kUser, kPassword, "mnt/flash/bin/alarmd", "program");
    EXPECT_EQ(failed.code, CURLE_UPLOAD_FAILED) << failed.serverText;
    EXPECT_EQ(sim.ReadDeviceFile("mnt/flash/bin/alarmd"), "");
    const FtpAnswer other =
        FtpUpload(sim.Address(), sim.FtpPort(), kUser, kPassword, "mnt/flash/bin/chkiod", "io");
    EXPECT_EQ(other.code, CURLE_OK) << other.serverText;
    EXPECT_EQ(sim.ReadDeviceFile("mnt/flash/bin/chkiod"), "io");

    DeviceSimProcess all(SimOptions({"--fault", "ftp-fail-upload"}, true));
    ASSERT_TRUE(all.Start()) << all.Error();
    EXPECT_EQ(FtpUpload(all.Address(), all.FtpPort(), kUser, kPassword, "etc/inittab", "x").code,
              CURLE_UPLOAD_FAILED);
    EXPECT_NE(all.ReadDeviceFile("etc/inittab"), "x");
}

class DeviceSimRelay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_device.Start()) << m_device.Error();
        ASSERT_TRUE(m_relay.Start()) << m_relay.Error();
    }

    // The address a client sends to the relay: the device's address after the relay prefix.
    std::string ViaRelay(const std::string& password, const std::string& deviceHostPort,
                         const std::string& path)
    {
        return m_relay.BaseUrl() + "/query.cgi?pwd=" + password + "&URL=http://" + deviceHostPort + path;
    }
    std::string Device() const { return m_device.Address() + ":" + std::to_string(m_device.HttpPort()); }

    DeviceSimProcess m_device{SimOptions({"--installed"})};
    // The relay has credentials of its own that the device's must not need to match.
    DeviceSimProcess m_relay{
        std::vector<std::string>{"--user", "relay", "--password", "other", "--relay-password", "s3cret"},
        false};
};

TEST_F(DeviceSimRelay, ForwardsRequestsAndAnswers)
{
    for (const unsigned long auth : {CURLAUTH_BASIC, CURLAUTH_DIGEST}) {
        const HttpAnswer answer =
            Http(Call(ViaRelay("s3cret", Device(), "/axis-cgi/operator/param.cgi?action=list&group=Motion"))
                     .As(kUser, kPassword, auth));
        EXPECT_EQ(answer.status, 200) << auth;
        EXPECT_NE(answer.body.find("root.Motion.M0.Name=Entrance\n"), std::string::npos) << answer.body;
    }
    // A POST with its body, and a pulse pattern with its "\".
    const HttpAnswer post = Http(Call(ViaRelay("s3cret", Device(), "/cgi-bin/recordings/setaapp.cgi"))
                                     .As(kUser, kPassword, CURLAUTH_BASIC)
                                     .Posting(std::string("relayed\0", 8)));
    EXPECT_EQ(post.status, 200);
    EXPECT_EQ(m_device.ReadDeviceFile("etc/alarm_app"), "relayed");
    const std::string patternA = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30/30\\";
    Http(Call(ViaRelay("s3cret", Device(), "/axis-cgi/io/output.cgi?action=1:" + patternA))
             .As(kUser, kPassword));
    EXPECT_EQ(
        Http(Call(ViaRelay("s3cret", Device(), "/axis-cgi/io/input.cgi?check=1")).As(kUser, kPassword)).body,
        "input1=1\n");
    // The device's refusal comes back as it is.
    const HttpAnswer refused = Http(Call(ViaRelay("s3cret", Device(), "/axis-cgi/io/input.cgi?check=1")));
    EXPECT_EQ(refused.status, 401);
    EXPECT_NE(refused.body.find("401 Unauthorized"), std::string::npos);

    bool sawPattern = false;
    for (const auto& request : m_device.Requests()) {
        sawPattern = sawPattern || request.query == "action=1:" + patternA;
    }
    EXPECT_TRUE(sawPattern);
}

TEST_F(DeviceSimRelay, RefusesWrongPasswordsAndOtherAddresses)
{
    struct Case
    {
        std::string url;
        long status;
    };
    const Case cases[] = {
        {ViaRelay("wrong", Device(), "/axis-cgi/io/input.cgi?check=1"), 403},
        {ViaRelay("", Device(), "/axis-cgi/io/input.cgi?check=1"), 403},
        {ViaRelay("s3cret", "10.1.2.3:80", "/axis-cgi/io/input.cgi?check=1"), 403},
        {ViaRelay("s3cret", "camera.example:80", "/"), 403},
        {m_relay.BaseUrl() + "/query.cgi?URL=http://" + Device() + "/", 400},
    };
    for (const Case& c : cases) {
        const HttpAnswer answer = Http(Call(c.url).As(kUser, kPassword));
        EXPECT_EQ(answer.status, c.status) << c.url;
    }
    EXPECT_TRUE(m_device.Requests().empty());
    const auto relayLog = m_relay.Requests();
    ASSERT_FALSE(relayLog.empty());
    EXPECT_FALSE(relayLog.front().authOk); // the relay password was wrong
}

TEST_F(DeviceSimRelay, ReportsADeviceThatDoesNotAnswer)
{
    const std::string gone = m_device.Address() + ":" + std::to_string(m_device.HttpPort());
    m_device.Stop();
    const HttpAnswer answer = Http(Call(ViaRelay("s3cret", gone, "/")).As(kUser, kPassword));
    EXPECT_EQ(answer.status, 502);
}

TEST(DeviceSimRelayStop, RelayGoingDownEndsItsForwards)
{
    DeviceSimProcess device(SimOptions({"--fault", "delay=60000"}));
    DeviceSimProcess relay(std::vector<std::string>{"--relay-password", "pw"}, false);
    ASSERT_TRUE(device.Start()) << device.Error();
    ASSERT_TRUE(relay.Start()) << relay.Error();
    HttpAnswer answer;
    std::thread client([&] {
        answer = Http(Call(relay.BaseUrl() + "/query.cgi?pwd=pw&URL=http://" + device.Address() + ":" +
                           std::to_string(device.HttpPort()) + "/")
                          .As(kUser, kPassword, CURLAUTH_BASIC));
    });
    ASSERT_TRUE(WaitUntil([&] { return device.Requests().size() == 1; }));
    relay.Stop();
    client.join();
    // The relay answered before it went: it was not killed while waiting for the device.
    EXPECT_EQ(answer.code, CURLE_OK);
    EXPECT_EQ(answer.status, 502);
}

} // namespace
} // namespace kor::test
