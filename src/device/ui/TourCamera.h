#pragma once

#include "config/Result.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kor {

// The simulated camera (kor-devicesim, beside the running program) for the screenshot tour: one
// process on a free loopback address, the alarm application installed, no FTP. Stopped by its
// process id when this object goes.
class TourCamera
{
public:
    TourCamera() = default;
    ~TourCamera();
    TourCamera(const TourCamera&) = delete;
    TourCamera& operator=(const TourCamera&) = delete;

    // Fails when no simulator could be started.
    Status Start();
    const QString& Address() const { return m_address; }
    int HttpPort() const { return m_httpPort; }

private:
    // Whether the simulator is ready on that address; addressInUse tells why it is not.
    bool StartOn(const QString& program, const QString& address, bool& addressInUse);
    void Stop();

    QTemporaryDir m_root;
    QProcess m_process;
    QString m_address;
    int m_httpPort = 0;
};

} // namespace kor
