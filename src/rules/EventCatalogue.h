#pragma once

#include "app/DocumentHistory.h"
#include "config/ConfigDocument.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// One source kind of the catalogue: its four-letter code, caption text and image number.
struct SourceKind
{
    std::string Code;
    int TextId = 0;
    int Image = 0;
};

// One source that can be added: caption, image number and tag (code + rule index).
struct SourceItem
{
    QString Text;
    int Image = 0;
    std::string Tag;

    bool operator==(const SourceItem&) const = default;
};

// One row of the configured-sources list.
using ConfiguredSource = ListedSource;

// The kinds offered, in order: SIMD and EIMD when input 1 is a sensor; PCAM when the model has camera
// events and either more than two or input 1 is not a sensor; SDMC, OTHC and SVIR always.
std::vector<SourceKind> SourceKinds(std::int16_t inputOneAsSensor, std::int16_t cameraEventCount);

// One row for every used rule that is an event source, in ascending rule order, captions in the
// active language.
std::vector<ConfiguredSource> ConfiguredSources(const ConfigDocument& doc);

// The row of one rule index; nothing for an index that holds no event source.
std::optional<ConfiguredSource> ConfiguredSourceOf(int ruleIndex, std::int16_t inputOneAsSensor);

// The source of a rule index as the catalogue names it ("kind: source"), Windows-1252; empty for an
// index that holds no event source.
std::string SourceNameText(int ruleIndex, std::int16_t inputOneAsSensor);

// The sources of a kind that are known without asking the device: all of SIMD, EIMD, PCAM and SVIR,
// and the first item (SDMC12) of SDMC. OTHC and an unknown code give none.
std::vector<SourceItem> FixedSources(std::string_view code, std::int16_t inputOneAsSensor,
                                     std::int16_t cameraEventCount);

// Whether the kind's list is completed by questions to the device (SDMC, OTHC).
bool AsksDevice(std::string_view code);

// Whether adding or removing this source changes the task list of the device: motion windows
// (not SDMC12), camera events above PCAM50 and the other sources.
bool NeedsDeviceTask(std::string_view tag);

// The rule index after the four-letter code; nothing when it does not read as a number.
std::optional<int> TagIndex(std::string_view tag);

} // namespace kor
