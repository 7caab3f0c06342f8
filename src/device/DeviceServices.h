#pragma once

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
};

} // namespace kor
