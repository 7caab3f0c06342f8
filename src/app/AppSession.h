#pragma once

#include "app/DocumentHistory.h"
#include "app/StartCommandLine.h"
#include "config/ConfigDocument.h"
#include "device/DeviceServices.h"
#include "device/DeviceTarget.h"
#include "device/LinkRunner.h"
#include "device/RelaySettings.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CurrentCamera.h"
#include "outside/companion/ModelProfile.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kor {

// The relay the start values name.
RelaySettings RelayOf(const StartValues& start);
// Points a device at the camera of that model, through the start values' relay.
void PointDevice(AxisDevice& device, const StartValues& start, const CurrentCamera& camera,
                 const ModelProfile& model);

class UserDialogs;

// Everything that is program-wide in the window: one per program, created by the start routine
// (or a test) and handed to every screen by reference. It owns
//
// - the configuration document being edited (Document()) and the undo history of the window's
//   changes to it (History());
// - the start values of the command line (Start()) and the relay settings derived from them;
// - whether the task list changed (TaskListDirty()), set by the event source catalogue, cleared by
//   the task-list upload;
// - the companion client objects: connection, current camera, model profile and, once start-up
//   has created it for an "AXIS" camera, the device-access object;
//
// and gives access to
//
// - the dialog seam (Dialogs()): every message box, question and file dialog goes through it;
// - the device services (Services()), the engine's worker (Runner(); RunDeviceJob in DeviceJob.h
//   runs an operation on it and waits without freezing the window) and whether a device operation
//   is running (DeviceBusy()): while one runs no screen switch, command or close may start.
//
// The active language is program-wide already (Language.h: LangText, LanguageCode).
//
// Single-threaded: only the GUI thread touches the session. A device operation on the worker
// thread gets copies of what it needs (CameraTarget(), the records) and hands its results back
// to the GUI thread.
class AppSession
{
public:
    // dialogs is not owned and must outlive the session.
    explicit AppSession(UserDialogs& dialogs);
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    ConfigDocument& Document() { return m_document; }
    const ConfigDocument& Document() const { return m_document; }
    // The undo history of the window's changes to the document.
    DocumentHistory& History() { return m_history; }
    const DocumentHistory& History() const { return m_history; }

    StartValues& Start() { return m_start; }
    const StartValues& Start() const { return m_start; }
    // The relay part of the start values, as every device request address needs it.
    RelaySettings Relay() const;

    // Whether the device tasks of the configuration changed since the task list was last sent.
    bool TaskListDirty() const { return m_taskListDirty; }
    void SetTaskListDirty(bool dirty) { m_taskListDirty = dirty; }
    // The flag itself, for the catalogue's form model, which sets it as sources come and go.
    bool& TaskListDirtyFlag() { return m_taskListDirty; }

    ClientConnection& Connection() { return m_connection; }
    const ClientConnection& Connection() const { return m_connection; }
    CurrentCamera& Camera() { return m_camera; }
    const CurrentCamera& Camera() const { return m_camera; }
    ModelProfile& Model() { return m_model; }
    const ModelProfile& Model() const { return m_model; }
    // The device-access object; nullptr until start-up creates it for an "AXIS" camera.
    AxisDevice* Device() { return m_device ? &*m_device : nullptr; }
    const AxisDevice* Device() const { return m_device ? &*m_device : nullptr; }
    // Creates it from the start values and the current camera (start-up).
    AxisDevice& CreateDevice();

    // The current camera's address, port and credentials with the relay settings: what the
    // configuration download and the other camera-record requests are addressed with.
    DeviceTarget CameraTarget() const;
    // The camera's display name (Unicode), the title of the download's messages.
    QString CameraDisplayName() const;

    // The camera's firmware release as the last identification found it; empty until then.
    const std::string& FirmwareRelease() const { return m_firmwareRelease; }
    void SetFirmwareRelease(std::string release) { m_firmwareRelease = std::move(release); }

    UserDialogs& Dialogs() { return *m_dialogs; }
    void SetDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }

    DeviceServices& Services() { return m_services; }
    const DeviceServices& Services() const { return m_services; }

    // The worker thread of device operations; Runner().Cancel() asks the running one to stop.
    LinkRunner& Runner() { return m_runner; }

    bool DeviceBusy() const { return m_deviceBusy; }
    // Set by whoever starts and ends a device operation; observers (the main window's tool bar,
    // the close guard) hear of every change.
    void SetDeviceBusy(bool busy);
    // Adds an observer; the number removes it again (an observer must go before what it uses).
    int OnDeviceBusyChanged(std::function<void(bool)> observer);
    void RemoveDeviceBusyObserver(int id);

private:
    UserDialogs* m_dialogs;
    ConfigDocument m_document;
    StartValues m_start;
    ClientConnection m_connection;
    CurrentCamera m_camera;
    ModelProfile m_model;
    std::optional<AxisDevice> m_device;
    DeviceServices m_services;
    bool m_taskListDirty = false;
    DocumentHistory m_history{m_document, m_taskListDirty};
    bool m_deviceBusy = false;
    std::string m_firmwareRelease;
    // Last, so that it is destroyed first: a running operation ends before what it uses goes.
    LinkRunner m_runner;
    std::vector<std::pair<int, std::function<void(bool)>>> m_busyObservers;
    int m_nextObserver = 1;
};

} // namespace kor
