#include "device/PresetList.h"

namespace kor {

std::vector<NamedPreset> ParsePresetList(std::string_view answer)
{
    std::vector<NamedPreset> presets;
    std::size_t pos = answer.find('\n');
    while (pos != std::string_view::npos && pos < answer.size()) {
        const std::size_t start = pos + 1;
        const std::size_t end = answer.find('\n', start);
        std::string_view line =
            answer.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        pos = end;
        // A name never carries a CR into a stored file: it ends at the first one.
        line = line.substr(0, line.find('\r'));
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq + 1 == line.size())
            continue;
        NamedPreset preset;
        preset.StoredName = std::string(line.substr(eq + 1));
        preset.Name = preset.StoredName;
        if (preset.Name.size() > 3 && preset.Name.ends_with("ZZZ"))
            preset.Name.resize(preset.Name.size() - 3);
        presets.push_back(std::move(preset));
    }
    return presets;
}

} // namespace kor
