#include "device/ui/TourCamera.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace kor {

namespace {

constexpr int kAddressInUse = 3;
constexpr int kFirstAddress = 2;
constexpr int kLastAddress = 40;
constexpr int kStartMs = 15000;

} // namespace

TourCamera::~TourCamera()
{
    Stop();
}

Status TourCamera::Start()
{
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kor-devicesim"));
    if (!QFileInfo(program).isExecutable())
        return Status::Fail(program.toStdString() + " is missing");
    if (!m_root.isValid())
        return Status::Fail("no temporary folder");
    for (int n = kFirstAddress; n <= kLastAddress; ++n) {
        bool inUse = false;
        const QString address = QStringLiteral("127.0.0.%1").arg(n);
        if (StartOn(program, address, inUse))
            return Status::Ok();
        if (!inUse)
            return Status::Fail("kor-devicesim did not start on " + address.toStdString());
    }
    return Status::Fail("no free loopback address");
}

bool TourCamera::StartOn(const QString& program, const QString& address, bool& addressInUse)
{
    // The camera's own port when the tour may take it, so the picture shows what a user sees.
    const QString port = ::geteuid() == 0 ? QStringLiteral("80") : QStringLiteral("0");
    m_process.setProgram(program);
    m_process.setArguments({QStringLiteral("--root"), m_root.path(), QStringLiteral("--address"), address,
                            QStringLiteral("--http-port"), port, QStringLiteral("--no-ftp"),
                            QStringLiteral("--installed"), QStringLiteral("--restart-seconds"),
                            QStringLiteral("0")});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    static const QRegularExpression ready(QStringLiteral("ready on http://([0-9.]+):([0-9]+)"));
    while (m_process.waitForReadyRead(kStartMs)) {
        while (m_process.canReadLine()) {
            const QRegularExpressionMatch match = ready.match(QString::fromLatin1(m_process.readLine()));
            if (match.hasMatch()) {
                m_address = match.captured(1);
                m_httpPort = match.captured(2).toInt();
                return true;
            }
        }
    }
    m_process.waitForFinished(kStartMs);
    addressInUse = m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == kAddressInUse;
    Stop();
    return false;
}

void TourCamera::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

} // namespace kor
