// kor-devicesim: a simulated network camera for the demo and the tests.

#include "DeviceSim.h"
#include "SimOptions.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace kor::devicesim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    kor::Result<std::vector<SimOptions>> parsed = ParseSimCameras(args);
    if (parsed.failed()) {
        std::fprintf(stderr, "kor-devicesim: %s\n(kor-devicesim --help lists the options)\n",
                     parsed.reason().c_str());
        return 2;
    }
    std::vector<SimOptions> cameras = std::move(parsed).value();
    const SimOptions& options = cameras.front();
    if (options.version) {
        std::fputs(SimVersion().c_str(), stdout);
        return 0;
    }
    if (options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    return DeviceSim(std::move(cameras)).Run();
}
