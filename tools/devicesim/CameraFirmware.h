#pragma once

#include "Detector.h"
#include "DeviceRequest.h"
#include "SimOptions.h"

#include <functional>

namespace kor::devicesim {

// The camera firmware's own CGI programs under /axis-cgi/ and its start page.
class CameraFirmware
{
public:
    CameraFirmware(const SimOptions& options, Detector& detector);

    // Called after a restart.cgi answer has gone out.
    void SetRestartHandler(std::function<void()> handler);
    // Fills the reply and returns true when the path is one of the firmware's.
    bool Answer(const DeviceRequest& request, DeviceReply& reply);

private:
    DeviceReply Output(const DeviceRequest& request);
    DeviceReply Input(const DeviceRequest& request);
    DeviceReply Parameters(const DeviceRequest& request);
    DeviceReply Ptz(const DeviceRequest& request);
    DeviceReply Restart();

    const SimOptions& m_options;
    Detector& m_detector;
    std::function<void()> m_restartHandler;
};

} // namespace kor::devicesim
