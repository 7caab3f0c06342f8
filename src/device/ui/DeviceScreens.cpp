#include "device/ui/DeviceScreens.h"

#include "app/AppPaths.h"
#include "app/AppSession.h"
#include "app/ui/IPTxt.h"
#include "app/ui/ScreenRegistry.h"
#include "device/PresetList.h"
#include "device/ui/FrmCameras.h"
#include "device/ui/FrmConnect.h"
#include "device/ui/FrmHome.h"
#include "devicesim/launcher/DeviceSimProcess.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>
#include <optional>

namespace kor {

namespace {

// The simulated camera's default preset list.
constexpr char kTourPresets[] = "Preset Positions for camera 1\n"
                                "presetposno1=Home\n"
                                "presetposno2=GateZZZ\n"
                                "presetposno3=Parking\n";

void Tick(FrmConnect& screen, const char* name)
{
    if (auto* box = screen.findChild<QCheckBox*>(QLatin1String(name)); box && box->isEnabled())
        box->setChecked(true);
}

// Sends the sample to a simulated camera (kor-devicesim beside the running program, the alarm
// application installed, no FTP) and checks its inputs and outputs, so the picture shows the log of
// a real run.
void RunAgainstTourCamera(AppSession& session, FrmConnect& screen)
{
    devicesim::DeviceSimProcess::Options options;
    options.args = {"--installed", "--restart-seconds", "0"};
    options.ftp = false;
    options.program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kor-devicesim")).toStdString();
    devicesim::DeviceSimProcess camera(std::move(options));
    if (const Status started = camera.Start(); started.failed()) {
        std::fprintf(stderr, "screenshot-tour: FrmConnect without a run: %s\n", started.reason().c_str());
        return;
    }
    const DeviceServices savedServices = session.Services();
    std::optional<AxisDevice> savedDevice;
    if (AxisDevice* device = session.Device()) {
        savedDevice = *device;
        device->SetCamera(camera.Address(), camera.HttpPort(), device->UserName(), device->Password(),
                          device->Channel(), device->Brand(), device->ModelName());
    }
    CurlHttpClient http;
    CurlFtpClient ftp;
    IcmpPinger ping;
    SystemClock clock;
    DeviceServices& services = session.Services();
    if (!services.Http) {
        services.Http = &http;
        services.Ftp = &ftp;
        services.Ping = &ping;
        services.Wait = &clock;
    }
    if (services.DataFolder.isEmpty())
        services.DataFolder = AppPaths::Resource(QStringLiteral("Data"));

    screen.findChild<IPTxt*>(QStringLiteral("IPTxt1"))->SetIPtext(QString::fromStdString(camera.Address()));
    screen.findChild<QLineEdit*>(QStringLiteral("TxtPort"))->setText(QString::number(camera.HttpPort()));
    Tick(screen, "Check2");
    Tick(screen, "Check3");
    screen.Run();
    // As after a press of the run button.
    screen.findChild<QPushButton*>(QStringLiteral("CmdAdd"))->setFocus();

    services = savedServices;
    if (savedDevice)
        *session.Device() = *savedDevice;
}

} // namespace

void RegisterDeviceScreens(ScreenRegistry& screens)
{
    screens.AddChildScreen(4, QStringLiteral("FrmConnect"), [](AppSession& session, QWidget* parent) {
        return new FrmConnect(session, parent);
    });

    screens.AddChildScreen(6, QStringLiteral("FrmCameras"), [](AppSession& session, QWidget* parent) {
        return new FrmCameras(session, parent);
    });

    screens.AddTourScreen(
        QStringLiteral("FrmConnect"),
        [](AppSession& session, QWidget* parent) -> QWidget* {
            auto* screen = new FrmConnect(session, parent);
            RunAgainstTourCamera(session, *screen);
            return screen;
        },
        QSize(760, 540));
    screens.AddTourScreen(QStringLiteral("FrmHome"), [](AppSession& session, QWidget* parent) -> QWidget* {
        auto* home = new FrmHome(session.Camera().Positions(), ParsePresetList(kTourPresets), parent);
        if (auto* list = home->findChild<QListWidget*>(QStringLiteral("LvwPrepos"));
            list && list->count() > 1)
            list->setCurrentRow(1);
        return home;
    });
}

} // namespace kor
