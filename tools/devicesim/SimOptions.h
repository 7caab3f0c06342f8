#pragma once

#include "config/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace kor::devicesim {

enum class Wiring
{
    Connected,
    Open,
    Inverted
};
enum class AuthScheme
{
    Any,
    Basic,
    Digest
};
enum class ReportStyle
{
    Plain,
    Quoted
};

// One misbehaviour asked for with --fault.
struct Fault
{
    enum class Kind
    {
        Delay,
        Status,
        CloseAfter,
        BigReply,
        StopAfter,
        FtpRefuseLogin,
        FtpFailUpload,
        AlterStored
    };
    Kind kind = Kind::Delay;
    long long value = 0; // milliseconds, status code, bytes, mebibytes or request count
    // HTTP faults: the path it applies to (decoded, exact, or a prefix when it ends in "*"); empty
    // means every path. ftp-fail-upload: the file name that fails; empty means every upload.
    std::string path;

    bool AppliesTo(std::string_view requestPath) const;
};

struct Preset
{
    int number = 0;
    std::string name;
};

struct MotionWindow
{
    int index = 0;
    std::string name;
    int imageSource = 0;
};

struct SimOptions
{
    std::string root;
    std::string address = "127.0.0.2";
    int httpPort = 80; // 0: any free port
    int ftpPort = 21;  // 0: any free port
    bool ftp = true;
    std::string user = "root";
    std::string password = "pass";
    AuthScheme auth = AuthScheme::Any;
    std::string model = "AXIS 2100";
    std::string firmware = "2.40";
    ReportStyle reportStyle = ReportStyle::Plain;
    int channels = 1;
    bool installed = false;
    Wiring wiring = Wiring::Connected;
    bool invertedOutput = false;
    int pulseTime = 30;
    std::vector<Preset> presets;
    std::vector<MotionWindow> motion;
    bool audio = true;
    bool tampering = true;
    bool temperature = false;
    int restartSeconds = 2;
    std::string requestLog;
    bool relay = false;
    std::string relayPassword;
    std::vector<Fault> faults;
    int cameras = 1;                        // --cameras N: one process serves N cameras
    std::vector<std::string> cameraOptions; // --camera N:OPTION=VALUE, one camera's own option
    bool help = false;
    bool version = false;

    // The first fault of a kind that applies to the path, or nullptr.
    const Fault* FindFault(Fault::Kind kind, std::string_view requestPath) const;
};

// Parses the command line without the program name; a usage error fails with its message.
Result<SimOptions> ParseSimOptions(const std::vector<std::string>& args);
Result<Fault> ParseFault(std::string_view text);
// The options of every camera the command line asks for: with --cameras N, camera n (1..N) listens
// on the n-th address from --address, keeps its device files in ROOT/n and its request log in
// FILE.n, and takes the options given to it alone (--camera n:OPTION=VALUE) after the common ones.
Result<std::vector<SimOptions>> ParseSimCameras(const std::vector<std::string>& args);

// The --help text.
std::string SimUsage();
// The --version text.
std::string SimVersion();

// True for a dotted IPv4 address in 127.0.0.0/8.
bool IsLoopbackAddress(std::string_view address);

} // namespace kor::devicesim
