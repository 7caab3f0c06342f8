#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "device/DeviceDownload.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Answers getaapp.cgi and getconfig.cgi with the two halves of the input.
class ScriptedHttp final : public kor::HttpClient
{
public:
    std::string First;
    std::string Second;
    long Status = 200;
    int Calls = 0;

    kor::HttpResponse Get(const kor::DeviceUrl&, int) override
    {
        kor::HttpResponse r;
        r.Status = Status;
        r.Body = Calls++ == 0 ? First : Second;
        return r;
    }
    kor::HttpResponse Post(const kor::DeviceUrl&, const std::string&, int) override { return {}; }
};

} // namespace

// The configuration download and the input answer of the I/O check.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::string all(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = all.size() * data[0] / 256;
    ScriptedHttp http;
    http.First = all.substr(0, split);
    http.Second = all.substr(split);
    http.Status = data[0] & 1 ? 200 : 404;
    kor::ConfigDocument doc;
    const kor::DownloadResult result =
        kor::DownloadFromDevice(doc, http, {"127.0.0.2", "80", "", "", {}}, 1, 1);
    if (result.MessageText == 0)
        __builtin_trap();

    std::int16_t value = 0;
    (void)kor::ReadNumberAs(kor::ValueAfterEquals(all), value);
    return 0;
}
