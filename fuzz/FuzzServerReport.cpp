#include "device/FirmwareRelease.h"
#include "device/PresetList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Server report and preset-list answers of the camera.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string release = kor::ParseFirmwareRelease(text);
    if (release.empty() || release.size() > 4)
        __builtin_trap();
    const auto fromHead = kor::FirmwareFromServerReport(text);
    if (fromHead && fromHead->empty())
        __builtin_trap();
    for (const kor::NamedPreset& p : kor::ParsePresetList(text)) {
        if (p.StoredName.empty() || p.StoredName.find('\n') != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
