#include "SessionFixture.h"

#include "app/Language.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"
#include "rules/ActionClipboard.h"

namespace kor::test {

void SessionFixture::SetUp()
{
    QString reason;
    ASSERT_FALSE(LoadLanguageByCode(u"en", &reason)) << reason.toStdString();
    ASSERT_TRUE(m_dir.isValid());
    std::string error;
    ASSERT_FALSE(m_session.Connection().Open(m_dir.filePath(QStringLiteral("orgend.ddd")), &error)) << error;
    m_session.Services().WorkFolder = m_dir.path();
    UseModel(511, 4);
    Doc().InitialiseForStartUp(1);
    Doc().ResetConfig();
    ActionClipboard::Program().Clear();
}

void SessionFixture::TearDown()
{
    ActionClipboard::Program().Clear();
    FreeLanguage();
}

void SessionFixture::UseModel(std::uint32_t capabilityFlags, std::int16_t cameraEvents, std::int16_t channels)
{
    ModelRecord model;
    model.ModelName = "TEST-" + std::to_string(++m_models);
    model.ModelFolderName = model.ModelName;
    model.ChannelCount = channels;
    model.CapabilityFlags = capabilityFlags;
    model.CameraEventCount = cameraEvents;
    std::string error;
    ASSERT_FALSE(ModelTable::Add(m_session.Connection(), model, &error)) << error;
    CameraRecord camera;
    bool found = false;
    ASSERT_FALSE(CameraTable::Find(m_session.Connection(), 0, camera, found, &error)) << error;
    ASSERT_TRUE(found);
    camera.ModelName = model.ModelName;
    ASSERT_FALSE(CameraTable::Update(m_session.Connection(), camera, &error)) << error;
    LoadCamera();
}

void SessionFixture::UseCamera(const std::string& address, int port, const std::string& user,
                               const std::string& password, std::uint8_t channel)
{
    CameraRecord camera;
    bool found = false;
    std::string error;
    ASSERT_FALSE(CameraTable::Find(m_session.Connection(), 0, camera, found, &error)) << error;
    camera.IpAddress = address;
    camera.Port = port;
    camera.UserName = user;
    camera.Password = password;
    camera.Channel = channel;
    ASSERT_FALSE(CameraTable::Update(m_session.Connection(), camera, &error)) << error;
    LoadCamera();
}

void SessionFixture::LoadCamera()
{
    std::string error;
    m_session.Camera().SetConnection(&m_session.Connection());
    ASSERT_FALSE(m_session.Camera().Load(0, &error)) << error;
    ASSERT_FALSE(
        m_session.Model().Load(m_session.Connection(), m_session.Camera().ModelName(), "AXIS", &error))
        << error;
    m_session.CreateDevice();
}

} // namespace kor::test
