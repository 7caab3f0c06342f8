#pragma once

#include "Detector.h"
#include "DeviceFolder.h"
#include "DeviceRequest.h"
#include "SimOptions.h"

#include <string>

namespace kor::devicesim {

// The alarm application's CGI programs under /cgi-bin/recordings/. Everything they store lives in
// the device folder:
//   etc/alarm_app, etc/alarm_app<N>      configuration (getaapp/setaapp/appendaapp, "?N" = channel N)
//   etc/bufferd.conf, etc/bufferd<N>.conf buffer settings (getconfig/setconfig)
//   etc/movetohomed.conf                 home file (setmovetohomed)
//   etc/task.list                        task list of the event system (gettasklist/settasklist)
class AlarmApplication
{
public:
    static constexpr std::string_view kPrefix = "/cgi-bin/recordings/";

    AlarmApplication(const SimOptions& options, DeviceFolder& folder, Detector& detector);

    // The reply for a path under kPrefix (404 for programs the application does not have).
    DeviceReply Answer(const DeviceRequest& request);

    // The store a channel query selects: "etc/alarm_app" or "etc/alarm_app<N>" and the same for the
    // buffer file. False when the query is not a channel number of this camera.
    bool ChannelFiles(std::string_view rawQuery, std::string& configFile, std::string& bufferFile) const;

private:
    DeviceReply ReadFile(const std::string& file);
    DeviceReply StoreBody(const DeviceRequest& request, const std::string& file, bool append,
                          bool dropLastAction = false);

    const SimOptions& m_options;
    DeviceFolder& m_folder;
    Detector& m_detector;
};

} // namespace kor::devicesim
