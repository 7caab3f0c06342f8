// The simulated camera's HTTP side: firmware endpoints, authentication, the alarm application's
// programs and stores, installation detection across restarts, the request log.

#include "SimTestUtil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kor::test {
namespace {

TEST(DeviceSimHttp, FirmwareEndpointsAnswerInTheCameraFormats)
{
    DeviceSimProcess sim(SimOptions({"--firmware", "2.41", "--presets", "1=Home,2=GateZZZ", "--motion",
                                     "0=Door,3=Yard", "--temperature", "0"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    struct Case
    {
        std::string path;
        long status;
        std::string expected; // contained in the body
    };
    const Case cases[] = {
        {"/", 200, "AXIS 2100"},
        {"/axis-cgi/admin/serverreport.cgi", 200, "\nFirmware release: 2.41\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=Motion", 200,
         "root.Motion.M0.Name=Door\nroot.Motion.M0.ImageSource=0\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=Motion", 200,
         "root.Motion.M3.Name=Yard\nroot.Motion.M3.ImageSource=0\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Audio.A0", 200, "root.Audio.A0.AlarmLevel="},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.Tampering", 200,
         "Properties.Tampering.Tampering=yes\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.TemperatureSensor", 200,
         "Properties.TemperatureSensor.TemperatureSensor=no\n"},
        {"/axis-cgi/operator/param.cgi?action=list&group=root.Nothing", 200, "# Error:"},
        {"/axis-cgi/com/ptz.cgi?query=presetposall", 200,
         "Preset Positions for camera 1\npresetposno1=Home\npresetposno2=GateZZZ\n"},
        {"/axis-cgi/io/input.cgi?check=1", 200, "input1=0\n"},
        {"/axis-cgi/io/input.cgi?check=2,1", 200, "input2=0\ninput1=0\n"},
        {"/axis-cgi/io/output.cgi?action=2:/", 200, "OK"},
        {"/axis-cgi/io/output.cgi?action=9:/", 400, "Error"},
        {"/axis-cgi/io/output.cgi?action=1", 400, "Error"},
        {"/axis-cgi/nothing.cgi", 404, "404 Not Found"},
    };
    for (const Case& c : cases) {
        const HttpAnswer answer = Get(sim, c.path);
        EXPECT_EQ(answer.code, CURLE_OK) << c.path;
        EXPECT_EQ(answer.status, c.status) << c.path;
        EXPECT_NE(answer.body.find(c.expected), std::string::npos) << c.path << "\n" << answer.body;
    }
    // The preset list holds the header and the presets, nothing more.
    EXPECT_EQ(Get(sim, "/axis-cgi/com/ptz.cgi?query=presetposall").body,
              "Preset Positions for camera 1\npresetposno1=Home\npresetposno2=GateZZZ\n");
}

TEST(DeviceSimHttp, MultiChannelModelAndQuotedReport)
{
    DeviceSimProcess sim(SimOptions({"--channels", "2", "--report-style", "quoted", "--firmware", "2.45",
                                     "--audio", "0", "--presets", ""}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const std::string report = Get(sim, "/axis-cgi/admin/serverreport.cgi").body;
    const std::size_t release = report.find("release");
    ASSERT_LT(release, 100u) << report;
    EXPECT_EQ(report.find("\"AXIS 2100 2.45\"", release), report.find('"', release)) << report;
    EXPECT_NE(report.find("Firmware release: 2.45\n"), std::string::npos);

    EXPECT_NE(Get(sim, "/axis-cgi/operator/param.cgi?action=list&group=Motion")
                  .body.find("root.Motion.M2.Name=Camera2\nroot.Motion.M2.ImageSource=1\n"),
              std::string::npos);
    EXPECT_EQ(Get(sim, "/axis-cgi/com/ptz.cgi?query=presetposall&camera=2").body,
              "Preset Positions for camera 2\n");
    EXPECT_NE(Get(sim, "/axis-cgi/com/ptz.cgi?query=presetposall&camera=3").body.find("Error"),
              std::string::npos);
    EXPECT_NE(Get(sim, "/axis-cgi/operator/param.cgi?action=list&group=root.Audio.A0").body.find("# Error"),
              std::string::npos);
}

TEST(DeviceSimHttp, EveryRequestNeedsTheCredentials)
{
    struct Case
    {
        std::string scheme; // --auth of the camera
        unsigned long clientAuth;
        std::string user;
        std::string password;
        long status;
    };
    const Case cases[] = {
        {"any", CURLAUTH_BASIC, kUser, kPassword, 200},
        {"any", CURLAUTH_DIGEST, kUser, kPassword, 200},
        {"any", CURLAUTH_ANY, kUser, kPassword, 200},
        {"basic", CURLAUTH_BASIC, kUser, kPassword, 200},
        {"basic", CURLAUTH_DIGEST, kUser, kPassword, 401},
        {"digest", CURLAUTH_DIGEST, kUser, kPassword, 200},
        {"digest", CURLAUTH_BASIC, kUser, kPassword, 401},
        {"any", CURLAUTH_BASIC, kUser, "p:w@", 401},
        {"any", CURLAUTH_DIGEST, kUser, "p:w@dd", 401},
        {"any", CURLAUTH_ANY, "root", kPassword, 401},
        {"any", CURLAUTH_ANY, "", "", 401},
    };
    for (const std::string scheme : {"any", "basic", "digest"}) {
        DeviceSimProcess sim(SimOptions({"--auth", scheme}));
        ASSERT_TRUE(sim.Start()) << sim.Error();
        for (const Case& c : cases) {
            if (c.scheme != scheme) {
                continue;
            }
            SCOPED_TRACE(scheme + " camera, client auth " + std::to_string(c.clientAuth) + ", " + c.user +
                         ":" + c.password);
            // A pulse pattern in the address: its "\" must not spoil the digest.
            const HttpAnswer answer =
                Http(Call(sim.BaseUrl() + "/axis-cgi/io/output.cgi?action=1:/30\\30/30\\")
                         .As(c.user, c.password, c.clientAuth));
            EXPECT_EQ(answer.code, CURLE_OK);
            EXPECT_EQ(answer.status, c.status);
            if (c.status == 401) {
                EXPECT_NE(answer.body.find("401 Unauthorized"), std::string::npos) << answer.body;
            }
        }
    }

    // A camera without user and password asks for none.
    DeviceSimProcess open(std::vector<std::string>{"--user", "", "--password", ""}, false);
    ASSERT_TRUE(open.Start()) << open.Error();
    EXPECT_EQ(Http(Call(open.BaseUrl() + "/axis-cgi/io/input.cgi?check=1")).status, 200);
}

TEST(DeviceSimHttp, ApplicationProgramsAreMissingUntilInstalled)
{
    DeviceSimProcess sim(SimOptions({}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    for (const std::string program : {"getaapp.cgi", "getconfig.cgi", "gettasklist.cgi", "stopchkiod.cgi"}) {
        const HttpAnswer answer = Get(sim, "/cgi-bin/recordings/" + program);
        EXPECT_EQ(answer.status, 404) << program;
        EXPECT_NE(answer.body.find("404 Not Found"), std::string::npos) << program;
    }
    const HttpAnswer post = Post(sim, "/cgi-bin/recordings/setaapp.cgi", std::string("x\0", 2));
    EXPECT_EQ(post.status, 404);
    EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), "");
}

TEST(DeviceSimHttp, ApplicationStoresWhatItIsSent)
{
    DeviceSimProcess sim(SimOptions({"--installed", "--channels", "2"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const std::string base = "/cgi-bin/recordings/";
    const auto withZero = [](std::string text) { return text + std::string(1, '\0'); };

    // Nothing stored yet: empty answers.
    for (const std::string program : {"getaapp.cgi", "getaapp.cgi?2", "getconfig.cgi", "gettasklist.cgi"}) {
        const HttpAnswer answer = Get(sim, base + program);
        EXPECT_EQ(answer.status, 200) << program;
        EXPECT_EQ(answer.body, "") << program;
    }

    struct Case
    {
        std::string program;
        std::string body; // the zero byte is added
        std::string file;
        std::string expected;
    };
    const std::string config = "#USR=operator;PWD=;PORT=80;MAC=;BRAND=;\n#SSTART2\n";
    const Case cases[] = {
        {"setaapp.cgi", config, "etc/alarm_app", config},
        {"appendaapp.cgi", "#GENERAL;FS=2;\n", "etc/alarm_app", config + "#GENERAL;FS=2;\n"},
        {"setaapp.cgi?2", "two\n", "etc/alarm_app2", "two\n"},
        {"appendaapp.cgi?2", std::string("with$nul\0inside", 15), "etc/alarm_app2",
         std::string("two\nwith$nul\0inside", 19)},
        {"setaapp.cgi", "replaced", "etc/alarm_app", "replaced"},
        {"setconfig.cgi", "127.0.0.1\n80\n", "etc/bufferd.conf", "127.0.0.1\n80\n"},
        {"setconfig.cgi?1", "one\n", "etc/bufferd1.conf", "one\n"},
        {"setmovetohomed.cgi", "1\nPRESET=GateZZZ\n30\n", "etc/movetohomed.conf", "1\nPRESET=GateZZZ\n30\n"},
        {"settasklist.cgi", "#NOACTIONS", "etc/task.list", "#NOACTIONS"},
        {"setaapp.cgi", "", "etc/alarm_app", ""},
    };
    for (const Case& c : cases) {
        const HttpAnswer answer = Post(sim, base + c.program, withZero(c.body));
        EXPECT_EQ(answer.status, 200) << c.program;
        EXPECT_EQ(sim.ReadDeviceFile(c.file), c.expected) << c.program;
    }
    EXPECT_EQ(Get(sim, base + "getaapp.cgi?2").body, std::string("two\nwith$nul\0inside", 19));
    EXPECT_EQ(Get(sim, base + "getconfig.cgi").body, "127.0.0.1\n80\n");
    EXPECT_EQ(Get(sim, base + "getconfig.cgi?1").body, "one\n");
    EXPECT_EQ(Get(sim, base + "gettasklist.cgi").body, "#NOACTIONS");
    EXPECT_EQ(Get(sim, base + "stopchkiod.cgi").body, "\nOK\n");

    // Refused: a body without its zero byte, a channel the camera does not have, the wrong method.
    EXPECT_EQ(Post(sim, base + "setaapp.cgi", "no zero").status, 400);
    EXPECT_EQ(Post(sim, base + "setaapp.cgi?3", withZero("x")).status, 400);
    EXPECT_EQ(Post(sim, base + "setaapp.cgi?x", withZero("x")).status, 400);
    EXPECT_EQ(Get(sim, base + "setaapp.cgi").status, 405);
    EXPECT_EQ(Get(sim, base + "other.cgi").status, 404);
    EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), "");
    EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app3"), "");
}

TEST(DeviceSimHttp, InstallationIsReadFromTheStartUpTableAtEachRestart)
{
    DeviceSimProcess sim(SimOptions({"--restart-seconds", "1"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    const auto installed = [&] { return Get(sim, "/cgi-bin/recordings/getaapp.cgi").status == 200; };
    EXPECT_FALSE(installed());

    sim.WriteDeviceFile("etc/inittab", sim.ReadDeviceFile("etc/inittab") +
                                           "#v-sencamCLIENT\nalarmd:3:respawn:/mnt/flash/bin/alarmd\n"
                                           "chk1:3:respawn:/mnt/flash/bin/chkiod 1\n");
    sim.WriteDeviceFile("mnt/flash/bin/alarmd", "#!/bin/sh\n");
    sim.WriteDeviceFile("mnt/flash/bin/chkiod", "#!/bin/sh\n");
    const std::string alarmd = sim.Folder() + "/mnt/flash/bin/alarmd";
    const std::string chkiod = sim.Folder() + "/mnt/flash/bin/chkiod";
    ASSERT_EQ(::chmod(alarmd.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(chkiod.c_str(), 0644), 0);
    // Files alone change nothing until the camera restarts.
    EXPECT_FALSE(installed());
    ASSERT_TRUE(RestartAndWait(sim));
    EXPECT_FALSE(installed()) << "a program without mode 755";

    ASSERT_EQ(::chmod(chkiod.c_str(), 0755), 0);
    ASSERT_TRUE(RestartAndWait(sim));
    EXPECT_TRUE(installed());

    // The block gone from the start-up table: the application does not start any more.
    sim.WriteDeviceFile("etc/inittab", "id:3:initdefault:\n");
    ASSERT_TRUE(RestartAndWait(sim));
    EXPECT_FALSE(installed());
}

TEST(DeviceSimHttp, RequestLogHoldsEveryRequestAsSent)
{
    DeviceSimProcess sim(SimOptions({"--installed", "--channels", "4"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    // Basic credentials go with the first request, so each call is one request.
    Http(Call(sim.BaseUrl() + "/axis-cgi/io/input.cgi?check=1"));
    Http(Call(sim.BaseUrl() + "/cgi-bin/recordings/setaapp.cgi?3")
             .As(kUser, kPassword, CURLAUTH_BASIC)
             .Posting(std::string("abcd\0", 5)));
    Get(sim, "/axis-cgi/io/output.cgi?action=1:/30%5C30\\700", CURLAUTH_BASIC);

    const auto requests = sim.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/axis-cgi/io/input.cgi");
    EXPECT_EQ(requests[0].query, "check=1");
    EXPECT_FALSE(requests[0].authOk);
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].path, "/cgi-bin/recordings/setaapp.cgi");
    EXPECT_EQ(requests[1].query, "3");
    EXPECT_EQ(requests[1].bodyLength, 5u);
    EXPECT_EQ(requests[2].query, "action=1:/30%5C30\\700");
    EXPECT_TRUE(requests[2].authOk);
}

} // namespace
} // namespace kor::test
