#include "ConnectFixture.h"

#include "TestSupport.h"

#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/StartCamera.h"
#include "config/ConfigFiles.h"
#include "config/TextNumber.h"
#include "device/ui/FrmConnect.h"
#include "outside/companion/CameraTable.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>

namespace kor::test {

void ConnectFixture::SetUp()
{
    ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(IsOk(OpenClientDatabase(m_session.Connection(), DatabasePath())));
    FrmConnect::RunOptions() = LinkOptions();
    DeviceServices& services = m_session.Services();
    services.Http = &m_http;
    services.Ftp = &m_ftp;
    services.Ping = &m_ping;
    services.Wait = &m_clock;
    services.WorkFolder = QDir(m_folder.path()).filePath(QStringLiteral("work"));
    services.DataFolder = SourceDir() + QStringLiteral("/resources/Data");
    QDir().mkpath(QDir(services.WorkFolder).filePath(QStringLiteral("Gen")));
    m_session.Document().InitialiseForStartUp(1);
    m_session.Document().ResetConfig();
}

void ConnectFixture::TearDown()
{
    m_sim.reset();
    if (m_session.Connection().IsOpen())
        m_session.Connection().Close();
    FreeLanguage();
}

QString ConnectFixture::DatabasePath() const
{
    return QDir(m_folder.path()).filePath(QStringLiteral("orgend.ddd"));
}

QString ConnectFixture::SamplePath() const
{
    return SourceDir() + QStringLiteral("/resources/samples/demo.kma");
}

CameraRecord ConnectFixture::DemoCamera(std::int16_t id, std::vector<CameraPosition> positions)
{
    const std::array<std::uint8_t, 8> mac = {0x02, 0, 0, 0, 0, 0x01, 0, 0};
    return {id,   "Camera " + DecimalText(id), "127.0.0.2", 80, "root", "pass", 1, "AXIS", "DEMO-1", mac,
            true, std::move(positions)};
}

void ConnectFixture::UseCamera(const CameraRecord& camera)
{
    std::string error;
    ASSERT_TRUE(IsOk(CameraTable::Add(m_session.Connection(), camera)));
    ASSERT_EQ(LoadStartCamera(m_session, camera.Id, &error), CameraProblem::None) << error;
}

bool ConnectFixture::StartSim(std::vector<std::string> args, bool ftp)
{
    args.insert(args.end(), {"--installed", "--restart-seconds", "0"});
    m_sim = std::make_unique<DeviceSimProcess>(std::move(args), ftp);
    if (const kor::Status started = m_sim->Start(); started.failed()) {
        ADD_FAILURE() << "kor-devicesim did not start: " << started.reason();
        return false;
    }
    return true;
}

CameraRecord ConnectFixture::SimCamera(std::int16_t id, std::vector<CameraPosition> positions) const
{
    CameraRecord camera = DemoCamera(id, std::move(positions));
    camera.IpAddress = m_sim->Address();
    camera.Port = m_sim->HttpPort();
    return camera;
}

void ConnectFixture::LoadSample()
{
    ConfigDocument& doc = m_session.Document();
    doc.ResetConfig();
    ASSERT_TRUE(IsOk(LoadConfig(doc, SamplePath().toStdString(), false)));
    doc.InputOneAsSensor = 1;
}

QStringList ConnectFixture::Korctl(const QStringList& args, int waitDivisor, int* status) const
{
    QProcess korctl;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KOR_WORK_DIR"),
                       QDir(m_folder.path()).filePath(QStringLiteral("korctl")));
    environment.insert(QStringLiteral("KOR_WAIT_DIVISOR"), QString::number(waitDivisor));
    korctl.setProcessEnvironment(environment);
    korctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    korctl.start(BuiltProgram(QStringLiteral("korctl")),
                 QStringList{QStringLiteral("--database"), DatabasePath()} + args);
    EXPECT_TRUE(korctl.waitForFinished(120000)) << "korctl did not end";
    if (status)
        *status = korctl.exitCode();
    QStringList lines = QString::fromUtf8(korctl.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

WhenShown::WhenShown(const char* objectName, std::function<void(QWidget&)> act)
{
    auto* timer = new QTimer();
    m_timer.reset(timer);
    const QString name = QLatin1String(objectName);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, name, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && widget->isVisible()) {
                timer->stop();
                m_done = true;
                act(*widget);
                return;
            }
        }
    });
    timer->start(10);
}

WhenShown::~WhenShown() = default;

} // namespace kor::test
