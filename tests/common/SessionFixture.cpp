#include "SessionFixture.h"
#include "TestSupport.h"

#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"
#include "rules/ActionClipboard.h"

#include <QDir>

namespace kor::test {

void SessionFixture::SetUp()
{
    ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(IsOk(OpenClientDatabase(m_session.Connection(), DatabasePath())));
    m_session.Services().WorkFolder = m_dir.path();
    QDir(m_dir.path()).mkpath(QStringLiteral("Gen"));
    if (m_camera == Camera::EveryCapability)
        UseModel(511, 4);
    Doc().InitialiseForStartUp(1);
    Doc().ResetConfig();
    ActionClipboard::Program().Clear();
}

void SessionFixture::TearDown()
{
    ActionClipboard::Program().Clear();
    m_sim.reset();
    FreeLanguage();
    if (m_session.Connection().IsOpen())
        m_session.Connection().Close();
}

QString SessionFixture::SamplePath()
{
    return SourceDir() + QStringLiteral("/resources/samples/demo.kma");
}

void SessionFixture::UseModel(std::uint32_t capabilityFlags, std::int16_t cameraEvents, std::int16_t channels)
{
    ModelRecord model;
    model.ModelName = "TEST-" + std::to_string(++m_models);
    model.ModelFolderName = model.ModelName;
    model.ChannelCount = channels;
    model.CapabilityFlags = capabilityFlags;
    model.CameraEventCount = cameraEvents;
    ASSERT_TRUE(IsOk(ModelTable::Add(m_session.Connection(), model)));
    ChangeCamera([&](CameraRecord& camera) { camera.ModelName = model.ModelName; });
    LoadCamera();
}

void SessionFixture::ChangeCamera(const std::function<void(CameraRecord&)>& change, std::int16_t id)
{
    const std::optional<CameraRecord> found = ValueOf(CameraTable::Find(m_session.Connection(), id));
    ASSERT_TRUE(found.has_value());
    CameraRecord camera = *found;
    change(camera);
    ASSERT_TRUE(IsOk(CameraTable::Update(m_session.Connection(), camera)));
}

void SessionFixture::PointCamera(const std::string& address, int port, const std::string& user,
                                 const std::string& password, std::uint8_t channel)
{
    ChangeCamera([&](CameraRecord& camera) {
        camera.IpAddress = address;
        camera.Port = port;
        camera.UserName = user;
        camera.Password = password;
        camera.Channel = channel;
    });
}

void SessionFixture::UseCamera(const std::string& address, int port, const std::string& user,
                               const std::string& password, std::uint8_t channel)
{
    PointCamera(address, port, user, password, channel);
    LoadCamera();
}

void SessionFixture::LoadCamera()
{
    m_session.Camera().SetConnection(&m_session.Connection());
    ASSERT_TRUE(IsOk(m_session.Camera().Load(0)));
    ASSERT_TRUE(IsOk(m_session.Model().Load(m_session.Connection(), m_session.Camera().ModelName(), "AXIS")));
    m_session.CreateDevice();
}

} // namespace kor::test
