#pragma once

#include "config/Result.h"

#include <QString>

#include <functional>
#include <string>

namespace kor {

class Clock;
class FtpClient;
class HttpClient;
class Pinger;

// Text number to Windows-1252 text (the active language).
using TextLookup = std::function<std::string(int)>;

// The transports, the clock, the language and the folders every device operation works with. The
// program gives the real ones (libcurl, ICMP, the system clock); tests give fakes or the real ones
// against the simulator. The pointers are not owned.
struct DeviceServices
{
    HttpClient* Http = nullptr;
    FtpClient* Ftp = nullptr;
    Pinger* Ping = nullptr;
    Clock* Wait = nullptr;
    TextLookup Text;    // log texts; a number without text shows as "[n]"
    QString WorkFolder; // alarm_app, Gen/ and the report are written here
    QString DataFolder; // the application files to install, one folder per model
    int FtpPort = 21;
    // Keeps the camera's start-up table and web-server configuration as fetched, before the
    // installation patches them; when it fails nothing is patched, for there would be no copy to go
    // back to. Empty: nothing is kept.
    std::function<Status(const std::string& inittab, const std::string& boaConf, const std::string& firmware)>
        KeepSystemFiles;
};

} // namespace kor
