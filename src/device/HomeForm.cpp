#include "device/HomeForm.h"

#include "config/TextNumber.h"

namespace kor {

std::vector<HomeEntry> HomeEntries(const std::vector<CameraPosition>& positions,
                                   const std::vector<NamedPreset>& presets)
{
    std::vector<HomeEntry> entries;
    for (std::size_t i = 0; i < positions.size(); ++i)
        entries.push_back({positions[i].Nm, std::to_string(i + 1), {}});
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const NamedPreset& preset = presets[i];
        const std::string kind = preset.StoredName != preset.Name ? "PV" : "P";
        entries.push_back({preset.Name, kind + std::to_string(i + 1), preset.StoredName});
    }
    return entries;
}

bool IsPresetTag(std::string_view tag)
{
    return !tag.empty() && tag.front() == 'P';
}

HomeStep ContinueHome(const std::vector<HomeEntry>& entries, const std::vector<CameraPosition>& positions,
                      std::optional<std::size_t> selected, bool returnHome)
{
    if (!selected || *selected >= entries.size())
        return {entries.empty(), HomeChoice()};
    const HomeEntry& entry = entries[*selected];
    HomeChoice choice;
    if (IsPresetTag(entry.Tag)) {
        choice.HomePreset = entry.PresetName;
    } else {
        const auto number = ReadNumber(entry.Tag);
        if (!number || *number < 1 || *number > static_cast<std::int64_t>(positions.size()))
            return {};
        const CameraPosition& position = positions[static_cast<std::size_t>(*number - 1)];
        choice.X = position.X;
        choice.Y = position.Y;
        choice.Z = position.z;
    }
    choice.Continue = true;
    choice.Enabled = returnHome;
    return {true, choice};
}

} // namespace kor
