#include "rules/SourceDiscovery.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Parameter-list answers of the camera (param.cgi?action=list&group=…) as the event source
// discovery reads them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);
    const int channelCount = 1 + data[0] % 4;
    const int channel = 1 + (data[0] >> 2) % 4;
    if (kor::MotionWindowItems(reply, channelCount, channel).size() > 19)
        __builtin_trap();
    for (int question = 0; question < 3; ++question) {
        if (kor::OtherSourceItems(question, reply).size() > 1)
            __builtin_trap();
    }
    return 0;
}
