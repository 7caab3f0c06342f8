#include "SimOptions.h"

#include "KorBuild.h"

#include <arpa/inet.h>

#include <charconv>
#include <functional>
#include <map>

namespace kor::devicesim {

namespace {

bool ParseNumber(std::string_view text, long long low, long long high, long long& value)
{
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

bool ParseInt(std::string_view text, int low, int high, int& value)
{
    long long wide = 0;
    if (!ParseNumber(text, low, high, wide)) {
        return false;
    }
    value = static_cast<int>(wide);
    return true;
}

bool ParseFlag(std::string_view text, bool& value)
{
    if (text == "1" || text == "yes" || text == "on") {
        value = true;
        return true;
    }
    if (text == "0" || text == "no" || text == "off") {
        value = false;
        return true;
    }
    return false;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) {
            return parts;
        }
        start = at + 1;
    }
}

// "1=Home,2=GateZZZ"
bool ParsePresets(std::string_view text, std::vector<Preset>& presets)
{
    presets.clear();
    if (text.empty()) {
        return true;
    }
    for (std::string_view item : SplitAt(text, ',')) {
        const std::size_t eq = item.find('=');
        Preset preset;
        if (eq == std::string_view::npos || !ParseInt(item.substr(0, eq), 1, 9999, preset.number)) {
            return false;
        }
        preset.name = std::string(item.substr(eq + 1));
        presets.push_back(preset);
    }
    return true;
}

// "0=Door,1=Yard@1": window index, name, optional image source.
bool ParseMotion(std::string_view text, std::vector<MotionWindow>& windows)
{
    windows.clear();
    if (text.empty()) {
        return true;
    }
    for (std::string_view item : SplitAt(text, ',')) {
        const std::size_t eq = item.find('=');
        MotionWindow window;
        if (eq == std::string_view::npos || !ParseInt(item.substr(0, eq), 0, 99, window.index)) {
            return false;
        }
        std::string_view name = item.substr(eq + 1);
        const std::size_t at = name.rfind('@');
        if (at != std::string_view::npos) {
            if (!ParseInt(name.substr(at + 1), 0, 99, window.imageSource)) {
                return false;
            }
            name = name.substr(0, at);
        }
        window.name = std::string(name);
        windows.push_back(window);
    }
    return true;
}

std::vector<MotionWindow> DefaultMotion(int channels)
{
    std::vector<MotionWindow> windows{{0, "Entrance", 0}, {1, "Yard", 0}};
    for (int source = 1; source < channels; ++source) {
        windows.push_back({source + 1, "Camera" + std::to_string(source + 1), source});
    }
    return windows;
}

} // namespace

bool Fault::AppliesTo(std::string_view requestPath) const
{
    if (path.empty()) {
        return true;
    }
    if (path.back() == '*') {
        return requestPath.substr(0, path.size() - 1) == std::string_view(path).substr(0, path.size() - 1);
    }
    return requestPath == path;
}

const Fault* SimOptions::FindFault(Fault::Kind kind, std::string_view requestPath) const
{
    for (const Fault& fault : faults) {
        if (fault.kind == kind && fault.AppliesTo(requestPath)) {
            return &fault;
        }
    }
    return nullptr;
}

bool IsLoopbackAddress(std::string_view address)
{
    in_addr parsed{};
    const std::string text(address);
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    return (ntohl(parsed.s_addr) >> 24) == 127;
}

Result<Fault> ParseFault(std::string_view text)
{
    Fault fault;
    const std::size_t eq = text.find('=');
    const std::string_view name = text.substr(0, eq);
    std::string_view rest = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
    // The optional ":/path" after the number.
    std::string_view number = rest;
    const std::size_t colon = rest.find(':');
    if (colon != std::string_view::npos) {
        number = rest.substr(0, colon);
        fault.path = std::string(rest.substr(colon + 1));
        if (fault.path.empty() || fault.path.front() != '/')
            return Result<Fault>::Fail("fault " + std::string(text) + ": the path must start with /");
    }
    struct NumberFault
    {
        Fault::Kind kind;
        long long low;
        long long high;
    };
    static const std::map<std::string_view, NumberFault> numbered = {
        {"delay", {Fault::Kind::Delay, 0, 600000}},
        {"status", {Fault::Kind::Status, 400, 599}},
        {"close-after", {Fault::Kind::CloseAfter, 0, 1LL << 40}},
        {"big-reply", {Fault::Kind::BigReply, 1, 4096}},
        {"stop-after", {Fault::Kind::StopAfter, 0, 1LL << 40}},
    };
    if (name == "ftp-refuse-login" && eq == std::string_view::npos) {
        fault.kind = Fault::Kind::FtpRefuseLogin;
        return fault;
    }
    if (name == "alter-stored" && eq == std::string_view::npos) {
        fault.kind = Fault::Kind::AlterStored;
        return fault;
    }
    if (name == "ftp-fail-upload") {
        fault.kind = Fault::Kind::FtpFailUpload;
        fault.path = std::string(rest);
        if (fault.path.find('/') != std::string::npos)
            return Result<Fault>::Fail("fault ftp-fail-upload takes a file name without a folder");
        return fault;
    }
    const auto found = numbered.find(name);
    if (found == numbered.end() || eq == std::string_view::npos)
        return Result<Fault>::Fail("unknown fault: " + std::string(text));
    fault.kind = found->second.kind;
    if (!ParseNumber(number, found->second.low, found->second.high, fault.value))
        return Result<Fault>::Fail("fault " + std::string(text) + ": bad number");
    if (fault.kind == Fault::Kind::Status && fault.path.empty())
        return Result<Fault>::Fail("fault status needs a path: status=CODE:/path");
    if (fault.kind == Fault::Kind::StopAfter && !fault.path.empty())
        return Result<Fault>::Fail("fault stop-after counts every request and takes no path");
    return fault;
}

Result<SimOptions> ParseSimOptions(const std::vector<std::string>& args)
{
    SimOptions options;
    std::string error;
    options.presets = {{1, "Home"}, {2, "GateZZZ"}, {3, "Parking"}};
    bool motionGiven = false;
    bool userGiven = false;
    bool passwordGiven = false;

    using Setter = std::function<bool(std::string_view)>;
    const std::map<std::string_view, Setter> valued = {
        {"--root",
         [&](std::string_view v) {
             options.root = std::string(v);
             return !v.empty();
         }},
        {"--address",
         [&](std::string_view v) {
             options.address = std::string(v);
             return IsLoopbackAddress(v);
         }},
        {"--http-port", [&](std::string_view v) { return ParseInt(v, 0, 65535, options.httpPort); }},
        {"--ftp-port", [&](std::string_view v) { return ParseInt(v, 0, 65535, options.ftpPort); }},
        {"--user",
         [&](std::string_view v) {
             options.user = std::string(v);
             userGiven = true;
             return v.find(':') == std::string_view::npos;
         }},
        {"--password",
         [&](std::string_view v) {
             options.password = std::string(v);
             passwordGiven = true;
             return true;
         }},
        {"--auth",
         [&](std::string_view v) {
             static const std::map<std::string_view, AuthScheme> names = {
                 {"any", AuthScheme::Any}, {"basic", AuthScheme::Basic}, {"digest", AuthScheme::Digest}};
             const auto it = names.find(v);
             return it != names.end() && (options.auth = it->second, true);
         }},
        {"--model",
         [&](std::string_view v) {
             options.model = std::string(v);
             return !v.empty();
         }},
        {"--firmware",
         [&](std::string_view v) {
             options.firmware = std::string(v);
             return !v.empty();
         }},
        {"--report-style",
         [&](std::string_view v) {
             options.reportStyle = v == "quoted" ? ReportStyle::Quoted : ReportStyle::Plain;
             return v == "quoted" || v == "plain";
         }},
        {"--channels", [&](std::string_view v) { return ParseInt(v, 1, 16, options.channels); }},
        {"--wiring",
         [&](std::string_view v) {
             static const std::map<std::string_view, Wiring> names = {
                 {"connected", Wiring::Connected}, {"open", Wiring::Open}, {"inverted", Wiring::Inverted}};
             const auto it = names.find(v);
             return it != names.end() && (options.wiring = it->second, true);
         }},
        {"--pulse-time", [&](std::string_view v) { return ParseInt(v, 1, 699, options.pulseTime); }},
        {"--presets", [&](std::string_view v) { return ParsePresets(v, options.presets); }},
        {"--motion",
         [&](std::string_view v) {
             motionGiven = true;
             return ParseMotion(v, options.motion);
         }},
        {"--audio", [&](std::string_view v) { return ParseFlag(v, options.audio); }},
        {"--tampering", [&](std::string_view v) { return ParseFlag(v, options.tampering); }},
        {"--temperature", [&](std::string_view v) { return ParseFlag(v, options.temperature); }},
        {"--restart-seconds",
         [&](std::string_view v) { return ParseInt(v, 0, 3600, options.restartSeconds); }},
        {"--request-log",
         [&](std::string_view v) {
             options.requestLog = std::string(v);
             return !v.empty();
         }},
        {"--relay-password",
         [&](std::string_view v) {
             options.relay = true;
             options.relayPassword = std::string(v);
             return true;
         }},
        {"--cameras", [&](std::string_view v) { return ParseInt(v, 1, 250, options.cameras); }},
        {"--camera",
         [&](std::string_view v) {
             options.cameraOptions.emplace_back(v);
             const std::size_t colon = v.find(':');
             int n = 0;
             return colon != std::string_view::npos && ParseInt(v.substr(0, colon), 1, 250, n) &&
                    v.find('=', colon) != std::string_view::npos;
         }},
        {"--fault",
         [&](std::string_view v) {
             Result<Fault> fault = ParseFault(v);
             if (fault.failed()) {
                 error = fault.reason();
                 return false;
             }
             options.faults.push_back(*fault);
             return true;
         }},
    };
    const std::map<std::string_view, std::function<void()>> switches = {
        {"--installed", [&] { options.installed = true; }},
        {"--inverted-output", [&] { options.invertedOutput = true; }},
        {"--no-ftp", [&] { options.ftp = false; }},
        {"--help", [&] { options.help = true; }},
        {"-h", [&] { options.help = true; }},
        {"--version", [&] { options.version = true; }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::string_view inlineValue;
        bool hasInlineValue = false;
        const std::size_t eq = arg.find('=');
        if (arg.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasInlineValue = true;
        }
        if (const auto sw = switches.find(arg); sw != switches.end() && !hasInlineValue) {
            sw->second();
            continue;
        }
        const auto setter = valued.find(arg);
        if (setter == valued.end())
            return Result<SimOptions>::Fail("unknown option: " + std::string(args[i]));
        std::string_view value = inlineValue;
        if (!hasInlineValue) {
            if (i + 1 >= args.size())
                return Result<SimOptions>::Fail("option " + std::string(arg) + " needs a value");
            value = args[++i];
        }
        error.clear();
        if (!setter->second(value)) {
            if (error.empty()) {
                error = "bad value for " + std::string(arg) + ": " + std::string(value);
            }
            return Result<SimOptions>::Fail(error);
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.root.empty())
        return Result<SimOptions>::Fail("--root DIR is required");
    if (userGiven != passwordGiven)
        return Result<SimOptions>::Fail("--user and --password go together");
    if (!motionGiven) {
        options.motion = DefaultMotion(options.channels);
    }
    return options;
}

Result<std::vector<SimOptions>> ParseSimCameras(const std::vector<std::string>& args)
{
    Result<SimOptions> base = ParseSimOptions(args);
    if (base.failed())
        return base.status();
    if (base->help || base->version || (base->cameras == 1 && base->cameraOptions.empty()))
        return std::vector<SimOptions>{std::move(base).value()};
    // The common options without the per-camera ones, which are given to their camera below.
    std::vector<std::string> common;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--cameras" || arg == "--camera") {
            ++i;
        } else if (!arg.starts_with("--cameras=") && !arg.starts_with("--camera=")) {
            common.push_back(args[i]);
        }
    }
    in_addr first{};
    inet_pton(AF_INET, base->address.c_str(), &first);
    std::vector<SimOptions> cameras;
    for (int n = 1; n <= base->cameras; ++n) {
        std::vector<std::string> own = common;
        in_addr address{htonl(ntohl(first.s_addr) + static_cast<std::uint32_t>(n - 1))};
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &address, text, sizeof text);
        own.insert(own.end(), {"--root", base->root + "/" + std::to_string(n), "--address", text});
        if (!base->requestLog.empty())
            own.insert(own.end(), {"--request-log", base->requestLog + "." + std::to_string(n)});
        for (const std::string& option : base->cameraOptions) {
            const std::size_t colon = option.find(':');
            const std::size_t eq = option.find('=', colon);
            if (option.substr(0, colon) == std::to_string(n))
                own.insert(own.end(),
                           {"--" + option.substr(colon + 1, eq - colon - 1), option.substr(eq + 1)});
            else if (std::stoi(option.substr(0, colon)) > base->cameras)
                return Result<std::vector<SimOptions>>::Fail("--camera " + option + ": there are only " +
                                                             std::to_string(base->cameras) + " cameras");
        }
        Result<SimOptions> camera = ParseSimOptions(own);
        if (camera.failed())
            return Result<std::vector<SimOptions>>::Fail("camera " + std::to_string(n) + ": " +
                                                         camera.reason());
        if (!IsLoopbackAddress(text))
            return Result<std::vector<SimOptions>>::Fail("camera " + std::to_string(n) + ": " + text +
                                                         " is not a loopback address");
        cameras.push_back(std::move(camera).value());
    }
    return cameras;
}

std::string SimVersion()
{
    return std::string("kor-devicesim ") + build::Version + "\n";
}

std::string SimUsage()
{
    return R"(Usage: kor-devicesim --root DIR [options]
A simulated network camera with the alarm application's CGI programs, on one loopback address.

  --root DIR                 device file system (seeded with etc/inittab and etc/httpd/conf/boa.conf
                             when the folder is empty)
  --address 127.0.0.N        loopback address to listen on (default 127.0.0.2)
  --http-port N              HTTP port (default 80; 0 = any free port)
  --ftp-port N               FTP port (default 21; 0 = any free port)
  --no-ftp                   start no FTP server
  --user U --password P      credentials every request needs (default root / pass; both empty = none)
  --auth any|basic|digest    accepted and offered HTTP authentication schemes (default any)
  --model M                  model name in the server report (default "AXIS 2100")
  --firmware R               firmware release in the server report (default 2.40)
  --report-style plain|quoted
                             quoted: the report starts with: release "<model> <firmware>"
  --channels N               image sources / per-channel stores (default 1)
  --installed                treat the alarm application as installed whatever etc/inittab says
  --wiring connected|open|inverted
                             detector loop between output 1 and input 1 (default connected)
  --inverted-output          the model inverts its output: patterns arrive with / and \ exchanged
  --pulse-time N             the model's pulse time in ms (default 30)
  --presets LIST             PTZ presets, e.g. "1=Home,2=GateZZZ" (default 1=Home,2=GateZZZ,3=Parking;
                             "" = none)
  --motion LIST              motion windows "INDEX=NAME[@SOURCE],..." (default 0=Entrance,1=Yard and
                             one window per further channel)
  --audio 0|1                audio alarm level parameter present (default 1)
  --tampering 0|1            tampering supported (default 1)
  --temperature 0|1          temperature sensor present (default 0)
  --restart-seconds S        restart.cgi closes the camera for S seconds (default 2)
  --request-log FILE         append one JSON line per HTTP request
  --relay-password P         also act as relay server: /query.cgi?pwd=P&URL=http://127.x.x.x:port/...
  --cameras N                serve N cameras (at most 250): camera n on the n-th address from
                             --address, device files in ROOT/n, request log FILE.n
  --camera N:OPTION=VALUE    an option for camera N alone, e.g. 3:fault=stop-after=40 or
                             2:model=AXIS 241Q (repeatable)
  --fault FAULT              misbehave (repeatable):
                               delay=MS[:/path]        answer after MS milliseconds
                               status=CODE:/path       answer CODE (e.g. 500, 404) on that path
                               close-after=BYTES[:/path]  close the connection after BYTES of the body
                               big-reply=MB[:/path]    pad replies to MB mebibytes
                               stop-after=K            answer K requests, then never answer again
                               ftp-refuse-login        FTP log-in always refused (331, then 530)
                               ftp-fail-upload[=NAME]  FTP uploads (of NAME only) fail with 451
                               alter-stored            the alarm configuration is stored without its last
                                                       action line (the answer still says OK)
                             a path ending in * matches every path with that beginning
  --help                     this text
  --version                  the program's version

Prints "kor-devicesim ready on http://ADDRESS:PORT ftp PORT" once listening (a line per camera, once
all of them listen); stops on SIGTERM or
SIGINT. Exit status: 0 stopped normally, 1 failure, 2 usage error, 3 address or port in use.
)";
}

} // namespace kor::devicesim
