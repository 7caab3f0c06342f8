#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kor {

// A named preset of the camera. Names the camera stores with the suffix "ZZZ" are shown without it.
struct NamedPreset
{
    std::string Name;       // as shown
    std::string StoredName; // as the home file names it
};

// The preset-list answer: a header line, then one line per preset holding a key, "=" and the name.
// Lines without "=" or with an empty name are skipped; a name ends at its first CR.
std::vector<NamedPreset> ParsePresetList(std::string_view answer);

} // namespace kor
