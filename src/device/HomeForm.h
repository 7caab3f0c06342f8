#pragma once

#include "device/CompanionFiles.h"
#include "device/PresetList.h"
#include "outside/companion/CameraRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kor {

// The rules of the home-position screen, free of widgets.

// One entry of the list: the camera's stored positions first, tagged with their number from 1,
// then its named presets, tagged "P" (or "PV" where the camera keeps the name with "ZZZ") and
// their number. An entry is told to be a preset by its tag, never by its text: a stored position
// named "Porch" stays a position.
struct HomeEntry
{
    std::string Text;
    std::string Tag;
    std::string PresetName; // for a preset, the name the camera knows it by
};

std::vector<HomeEntry> HomeEntries(const std::vector<CameraPosition>& positions,
                                   const std::vector<NamedPreset>& presets);

bool IsPresetTag(std::string_view tag);

struct HomeStep
{
    bool Close = false; // the screen closes with Choice
    HomeChoice Choice;
};

// Continue: without a selection the screen stays open unless the list is empty (it closes
// without a choice); a selected position gives its coordinates, a preset its name; returnHome is
// Check1.
HomeStep ContinueHome(const std::vector<HomeEntry>& entries, const std::vector<CameraPosition>& positions,
                      std::optional<std::size_t> selected, bool returnHome);

} // namespace kor
