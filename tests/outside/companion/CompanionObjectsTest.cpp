#include "CompanionFixture.h"

#include "outside/companion/AxisDevice.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CurrentCamera.h"
#include "outside/companion/DetectorProfile.h"
#include "outside/companion/ModelProfile.h"
#include "outside/companion/ModelTable.h"

namespace kor::test {
namespace {

class CompanionObjects : public CompanionTest
{
protected:
    void SetUp() override { ASSERT_TRUE(IsOk(m_connection.Open(Path("orgend.ddd")))); }

    ClientConnection m_connection;
};

TEST_F(CompanionObjects, DemoCameraLoadsWithEveryProperty)
{
    CurrentCamera camera;
    camera.SetConnection(&m_connection);
    ASSERT_TRUE(IsOk(camera.Load(0)));
    EXPECT_EQ(camera.DisplayName(), "Demo camera");
    EXPECT_EQ(camera.IpAddress(), "127.0.0.2");
    EXPECT_EQ(camera.Port(), 80);
    EXPECT_EQ(camera.UserName(), "root");
    EXPECT_EQ(camera.Password(), "pass");
    EXPECT_EQ(camera.Channel(), 1);
    EXPECT_EQ(camera.Brand(), "AXIS");
    EXPECT_EQ(camera.ModelName(), "DEMO-1");
    EXPECT_EQ(CameraTable::MacText(camera.MacAddress()), "02:00:00:00:00:01");
    EXPECT_EQ(camera.MacAddress()[6], 0);
    EXPECT_TRUE(camera.PositioningSupport());
    ASSERT_EQ(camera.Positions().size(), 3u);
    EXPECT_EQ(camera.Positions()[1].Nm, "Gate");
    EXPECT_DOUBLE_EQ(camera.Positions()[1].X, 12.5);
    EXPECT_DOUBLE_EQ(camera.Positions()[1].Y, -4.25);
    EXPECT_DOUBLE_EQ(camera.Positions()[1].z, 2.0);
}

TEST_F(CompanionObjects, CameraLoadFailuresForgetThePreviousRecord)
{
    CurrentCamera camera;
    std::string error;
    EXPECT_TRUE(Fails(camera.Load(0), error)); // no connection yet
    camera.SetConnection(&m_connection);
    ASSERT_TRUE(IsOk(camera.Load(0)));
    EXPECT_TRUE(Fails(camera.Load(7), error));
    EXPECT_NE(error.find("no camera 7"), std::string::npos) << error;
    EXPECT_FALSE(camera.IsLoaded());
    EXPECT_EQ(camera.IpAddress(), "");

    // A record whose values do not fit is reported, not read as zero.
    RawDatabase raw(m_connection.DatabasePath());
    raw.Exec(QStringLiteral(
        "INSERT INTO CAMERAS (ID, NAME, IP, PORT, CHANNEL) VALUES (3, 'x', '1.2.3.4', 80, 300);"
        "INSERT INTO CAMERAS (ID, NAME, IP, PORT, MAC) VALUES (4, 'y', '1.2.3.4', 80, '02:00')"));
    EXPECT_TRUE(Fails(camera.Load(3), error));
    EXPECT_NE(error.find("channel"), std::string::npos) << error;
    EXPECT_TRUE(Fails(camera.Load(4), error));
    EXPECT_NE(error.find("MAC"), std::string::npos) << error;
}

TEST_F(CompanionObjects, CamerasAreAddedAndRemovedWholly)
{
    CameraRecord record;
    record.Id = 12;
    record.DisplayName = "C\xE1mara \x80"; // Windows-1252 bytes survive the Unicode database
    record.IpAddress = "127.0.0.3";
    record.Port = 8080;
    record.UserName = "op";
    record.Password = "p@ss:w/rd";
    record.Channel = 3;
    record.Brand = "AXIS";
    record.ModelName = "DEMO-4";
    record.Mac = {0x02, 0xAB, 0x00, 0x10, 0xFF, 0x0E, 0, 0};
    record.Positions = {{"Door", 1.5, 2, 0}, {"", -1e-3, 0, 3}};
    std::string error;
    ASSERT_TRUE(IsOk(CameraTable::Add(m_connection, record)));

    CurrentCamera camera;
    camera.SetConnection(&m_connection);
    ASSERT_TRUE(IsOk(camera.Load(12)));
    EXPECT_EQ(camera.DisplayName(), record.DisplayName);
    EXPECT_EQ(camera.Password(), record.Password);
    EXPECT_EQ(camera.Channel(), 3);
    EXPECT_EQ(camera.MacAddress(), record.Mac);
    ASSERT_EQ(camera.Positions().size(), 2u);
    EXPECT_EQ(camera.Positions()[0].Nm, "Door");
    EXPECT_DOUBLE_EQ(camera.Positions()[1].X, -1e-3);

    EXPECT_TRUE(Fails(CameraTable::Add(m_connection, record), error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;

    ASSERT_TRUE(IsOk(CameraTable::Remove(m_connection, 12)));
    EXPECT_TRUE(Fails(camera.Load(12), error));
    EXPECT_TRUE(Fails(CameraTable::Remove(m_connection, 12), error));
    EXPECT_NE(error.find("no camera"), std::string::npos) << error;
    RawDatabase raw(m_connection.DatabasePath());
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM POSITIONS WHERE CAMID = 12")),
              QStringLiteral("0"));
}

TEST_F(CompanionObjects, CameraUpdateReplacesTheRecordAndItsPositions)
{
    std::string error;
    const std::optional<CameraRecord> found = ValueOf(CameraTable::Find(m_connection, 0));
    ASSERT_TRUE(found.has_value());
    CameraRecord record = *found;
    record.DisplayName = "Gate camera";
    record.IpAddress = "127.0.0.4";
    record.Positions = {{"Only", 1, 2, 3}};
    ASSERT_TRUE(IsOk(CameraTable::Update(m_connection, record)));

    CurrentCamera camera;
    camera.SetConnection(&m_connection);
    ASSERT_TRUE(IsOk(camera.Load(0)));
    EXPECT_EQ(camera.DisplayName(), "Gate camera");
    EXPECT_EQ(camera.IpAddress(), "127.0.0.4");
    EXPECT_EQ(camera.Password(), "pass");
    ASSERT_EQ(camera.Positions().size(), 1u);
    EXPECT_EQ(camera.Positions()[0].Nm, "Only");

    record.Id = 99;
    EXPECT_TRUE(Fails(CameraTable::Update(m_connection, record), error));
    EXPECT_NE(error.find("no camera"), std::string::npos) << error;
    EXPECT_TRUE(Fails(camera.Load(99), error)) << "a failed update adds nothing";
}

TEST_F(CompanionObjects, MacTextsAreReadStrictly)
{
    const struct
    {
        const char* Text;
        bool Valid;
    } cases[] = {
        {"02:00:00:00:00:01", true},
        {"aa:bb:cc:dd:ee:ff", true},
        {"AA:BB:CC:DD:EE", false},
        {"AA-BB-CC-DD-EE-FF", false},
        {"AA:BB:CC:DD:EE:FG", false},
        {"AA:BB:CC:DD:EE:FF:", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const auto mac = CameraTable::ParseMac(c.Text);
        EXPECT_EQ(mac.has_value(), c.Valid);
        if (mac) {
            EXPECT_EQ(CameraTable::MacText(*mac), QString::fromLatin1(c.Text).toUpper().toStdString());
        }
    }
}

TEST_F(CompanionObjects, DemoModelProfilesHoldWhatTheDeviceLinkReads)
{
    ModelProfile one;
    std::string error;
    ASSERT_TRUE(IsOk(one.Load(m_connection, "DEMO-1", "AXIS")));
    EXPECT_EQ(one.ChannelCount(), 1);
    EXPECT_EQ(one.ModelFolderName(), "DEMO-1");
    EXPECT_FALSE(one.PerFirmwareFolder());
    EXPECT_TRUE(one.InputOutput());
    for (std::uint32_t bit = 1; bit <= 256; bit <<= 1)
        EXPECT_TRUE(one.HasCapability(Capability(bit))) << bit;
    EXPECT_FALSE(one.InvertedOutput());
    EXPECT_EQ(one.PulseTime(), 30);
    EXPECT_FALSE(one.CgiBinLayout());
    EXPECT_NE(("#" + one.ProgramList() + "#").find("#movetohomed#"), std::string::npos);

    ModelProfile four;
    ASSERT_TRUE(IsOk(four.Load(m_connection, "demo-4", "axis"))); // letter case ignored
    EXPECT_EQ(four.ModelName(), "DEMO-4");
    EXPECT_EQ(four.ChannelCount(), 4);
    EXPECT_TRUE(four.PerFirmwareFolder());
    EXPECT_TRUE(four.CgiBinLayout());
    EXPECT_FALSE(four.HasCapability(Capability::Presets));
    EXPECT_NE(("#" + four.ProgramList()).find("#@"), std::string::npos);

    EXPECT_TRUE(Fails(four.Load(m_connection, "DEMO-4", "CANON"), error));
    EXPECT_FALSE(four.IsLoaded());
    EXPECT_EQ(four.ChannelCount(), 1);
}

TEST_F(CompanionObjects, ModelsAreAddedOnceAndListed)
{
    ModelRecord model;
    model.ModelName = "Q-2";
    model.ChannelCount = 2;
    model.ModelFolderName = "Q2";
    model.CapabilityFlags = 0xFFFFFFFFu;
    model.CameraEventCount = 3;
    model.InvertedOutput = true;
    model.PulseTime = 45;
    model.ProgramList = "a#@b";
    std::string error;
    ASSERT_TRUE(IsOk(ModelTable::Add(m_connection, model)));
    model.ModelName = "q-2";
    EXPECT_TRUE(Fails(ModelTable::Add(m_connection, model), error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;

    std::vector<ModelRecord> models;
    models = ValueOf(ModelTable::List(m_connection));
    ASSERT_EQ(models.size(), 3u);
    const ModelRecord& q = models[2];
    EXPECT_EQ(q.ModelName, "Q-2");
    EXPECT_EQ(q.CapabilityFlags, 0xFFFFFFFFu);
    EXPECT_TRUE(q.InvertedOutput);
    EXPECT_EQ(q.PulseTime, 45);
    EXPECT_EQ(q.ProgramList, "a#@b");
}

TEST_F(CompanionObjects, DeviceRequestAddressesFollowTheChannelCount)
{
    AxisDevice device;
    device.SetRemote(true, "relay.example", 900, "rp", true, 901);
    device.SetCamera("127.0.0.2", 8080, "root", "pass", 3, "AXIS", "DEMO-4");
    EXPECT_EQ(device.DeviceBrand(), "AXIS");
    EXPECT_EQ(device.Address(), "127.0.0.2");
    EXPECT_EQ(device.Port(), 8080);
    EXPECT_EQ(device.UserName(), "root");
    EXPECT_EQ(device.Password(), "pass");
    EXPECT_TRUE(device.RelayEnabled());
    EXPECT_EQ(device.OutputRequestAddress(1), "/axis-cgi/io/output.cgi?action=1:");
    EXPECT_EQ(device.OutputRequestAddress(2), "/axis-cgi/io/output.cgi?action=2:");
    EXPECT_EQ(device.InputRequestAddress(1), "/axis-cgi/io/input.cgi?check=1");

    const struct
    {
        std::int16_t Channels;
        const char* Expected;
    } cases[] = {
        {1, "/axis-cgi/com/ptz.cgi?query=presetposall"},
        {2, "/axis-cgi/com/ptz.cgi?query=presetposall&camera=3"},
        {4, "/axis-cgi/com/ptz.cgi?query=presetposall&camera=3"},
    };
    for (const auto& c : cases) {
        device.SetChannelCount(c.Channels);
        EXPECT_EQ(device.PresetListAddress(), c.Expected) << c.Channels;
    }
}

TEST_F(CompanionObjects, DetectorProfileNumbersDevicesFromOneAndPortsFromZero)
{
    DetectorProfile detector;
    std::string error;
    ASSERT_TRUE(IsOk(detector.Load(m_connection, "VELTRIX", "VELTRIX Net-ZELK 7730D")));
    EXPECT_EQ(detector.DeviceCount(), 2);
    EXPECT_EQ(detector.FirstDeviceNumber(), 1);
    EXPECT_EQ(detector.PortCount(), 4);
    EXPECT_EQ(detector.FirstPortNumber(), 0);
    EXPECT_TRUE(Fails(detector.Load(m_connection, "VELTRIX", "Other"), error));
    EXPECT_FALSE(detector.IsLoaded());
}

} // namespace
} // namespace kor::test
