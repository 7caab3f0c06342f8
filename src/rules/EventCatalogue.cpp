#include "rules/EventCatalogue.h"

#include "app/Language.h"
#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

struct FixedRow
{
    int Index;
    int KindText;
    int Image;
    int SourceText;
};

// Rows whose texts do not depend on a number.
const FixedRow kFixedRows[] = {
    {0, LangTextId(315), 8, LangTextId(205)},  {9, LangTextId(315), 5, LangTextId(110)},
    {10, LangTextId(315), 3, LangTextId(206)}, {11, LangTextId(315), 2, LangTextId(207)},
    {12, LangTextId(317), 7, LangTextId(318)}, {102, LangTextId(406), 14, LangTextId(407)},
};

} // namespace

std::optional<ConfiguredSource> ConfiguredSourceOf(int index, std::int16_t inputOneAsSensor)
{
    // Kind, image and name as the catalogue shows them; the tag is the configuration's own.
    const auto source = [&](QString kind, int image, QString name) {
        return ConfiguredSource{std::move(kind), image, std::move(name),
                                EventSourceTag(index, inputOneAsSensor)};
    };
    for (const FixedRow& row : kFixedRows) {
        if (row.Index == index)
            return source(LangText(row.KindText), row.Image, LangText(row.SourceText));
    }
    if (index == 1 && inputOneAsSensor != 1)
        return source(LangText(316), 9, LangTextNumbered(316, 1));
    if (index >= 1 && index <= 8)
        return source(LangText(314), 1, LangTextNumbered(119, index));
    if (index >= 50 && index <= 69)
        return source(LangText(316), 9, LangTextNumbered(316, index - 49));
    if (index >= 70 && index <= 89)
        return source(LangText(317), 6, LangTextNumbered(319, index - 69));
    if (index >= 90 && index <= 99)
        return source(LangText(322), 10, LangTextNumbered(323, index - 89));
    if (index == 100)
        return source(LangText(406), 12, QStringLiteral("Audio"));
    if (index == 101)
        return source(LangText(406), 13, QStringLiteral("Tampering"));
    return std::nullopt;
}

std::string SourceNameText(int ruleIndex, std::int16_t inputOneAsSensor)
{
    const std::optional<ConfiguredSource> source = ConfiguredSourceOf(ruleIndex, inputOneAsSensor);
    return source ? ToCp1252(source->KindText + QStringLiteral(": ") + source->SourceText) : std::string();
}

std::vector<SourceKind> SourceKinds(std::int16_t inputOneAsSensor, std::int16_t cameraEventCount)
{
    std::vector<SourceKind> kinds;
    if (inputOneAsSensor == 1) {
        kinds.push_back({"SIMD", LangTextId(314), 4});
        kinds.push_back({"EIMD", LangTextId(315), 8});
    }
    if (cameraEventCount > 0 && (cameraEventCount > 2 || inputOneAsSensor == 0))
        kinds.push_back({"PCAM", LangTextId(316), 9});
    kinds.push_back({"SDMC", LangTextId(317), 6});
    kinds.push_back({"OTHC", LangTextId(406), 11});
    kinds.push_back({"SVIR", LangTextId(322), 10});
    return kinds;
}

std::vector<ConfiguredSource> ConfiguredSources(const ConfigDocument& doc)
{
    std::vector<ConfiguredSource> rows;
    for (int index = 0; index < ConfigDocument::RuleCount; ++index) {
        if (!doc.IsRuleUsed(index))
            continue;
        if (std::optional<ConfiguredSource> row = ConfiguredSourceOf(index, doc.InputOneAsSensor))
            rows.push_back(std::move(*row));
    }
    return rows;
}

std::vector<SourceItem> FixedSources(std::string_view code, std::int16_t inputOneAsSensor,
                                     std::int16_t cameraEventCount)
{
    std::vector<SourceItem> items;
    if (code == "SIMD") {
        for (int n = 1; n <= 8; ++n)
            items.push_back({LangTextNumbered(119, n), 1, "SIMD" + std::to_string(n)});
    } else if (code == "EIMD") {
        items.push_back({LangText(205), 8, "EIMD0"});
        items.push_back({LangText(110), 5, "EIMD9"});
        items.push_back({LangText(206), 3, "EIMD10"});
        items.push_back({LangText(207), 2, "EIMD11"});
    } else if (code == "PCAM") {
        // With input 1 as a sensor, rule 1 is that input, so camera event 1 is not offered.
        for (int n = inputOneAsSensor == 1 ? 2 : 1; n <= cameraEventCount; ++n)
            items.push_back({LangTextNumbered(316, n), 9,
                             n == 1 ? std::string("PCAM1") : "PCAM" + std::to_string(n + 49)});
    } else if (code == "SDMC") {
        items.push_back({LangText(318), 7, "SDMC12"});
    } else if (code == "SVIR") {
        for (int n = 1; n <= 10; ++n)
            items.push_back({LangTextNumbered(323, n), 10, "SVIR" + std::to_string(89 + n)});
    }
    return items;
}

bool AsksDevice(std::string_view code)
{
    return code == "SDMC" || code == "OTHC";
}

bool NeedsDeviceTask(std::string_view tag)
{
    const std::string_view code = tag.substr(0, 4);
    if (code == "SDMC")
        return tag != "SDMC12";
    if (code == "PCAM") {
        const std::optional<int> index = TagIndex(tag);
        return index && *index > 50;
    }
    return code == "OTHC";
}

std::optional<int> TagIndex(std::string_view tag)
{
    if (tag.size() <= 4)
        return std::nullopt;
    std::int16_t index = 0;
    if (ReadNumberAs<std::int16_t>(tag.substr(4), index) != NumberRead::Ok)
        return std::nullopt;
    return index;
}

} // namespace kor
