#include "actions/CameraMoveAction.h"

#include "actions/UserAction.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <cstdint>

namespace kor {

std::optional<std::string> BuildMoveParams(const MoveCamera& camera, const MoveEntry& entry,
                                           const std::vector<MovePosition>& positions)
{
    std::string params;
    AppendParam(params, "IP", camera.Ip);
    AppendParam(params, "PORT", camera.Port);
    AppendParam(params, "USR", camera.User);
    AppendParam(params, "PWD", camera.Password);
    AppendParam(params, "BRAND", camera.Brand);
    if (!entry.Tag.empty() && entry.Tag[0] == 'P') {
        const bool suffixed = entry.Tag.size() > 1 && entry.Tag[1] == 'V';
        AppendParam(params, "CAMPRESET", suffixed ? entry.Text + "ZZZ" : entry.Text);
        AppendParam(params, "POSNAME", entry.Text);
        return params;
    }
    std::int64_t n = 0;
    if (ReadNumber64(entry.Tag, n) != NumberRead::Ok || n < 1 ||
        n > static_cast<std::int64_t>(positions.size()))
        return std::nullopt;
    const MovePosition& position = positions[static_cast<std::size_t>(n - 1)];
    AppendParam(params, "X", DecimalPointText(position.X));
    AppendParam(params, "Y", DecimalPointText(position.Y));
    AppendParam(params, "Z", DecimalPointText(position.Z));
    AppendParam(params, "POSNAME", entry.Text);
    return params;
}

int FindMoveEntry(const std::vector<MoveEntry>& entries, std::string_view name)
{
    if (name.empty())
        return -1;
    const std::string wanted = UpperCp1252(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (UpperCp1252(entries[i].Text) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<MoveEntry> CameraPresetEntries(std::string_view answer)
{
    std::vector<std::string> lines;
    const int terminated = SplitText(answer, "\n", lines);
    std::vector<MoveEntry> entries;
    for (int i = 1; i < terminated; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            break;
        std::string name = line.substr(eq + 1);
        name = name.substr(0, name.find('\r'));
        const bool suffixed = name.size() >= 4 && name.ends_with("ZZZ");
        if (suffixed)
            name.resize(name.size() - 3);
        entries.push_back(MoveEntry{std::move(name), (suffixed ? "PV" : "P") + DecimalText(i)});
    }
    return entries;
}

std::vector<MoveEntry> StoredPositionEntries(const std::vector<std::string>& names)
{
    std::vector<MoveEntry> entries;
    for (const std::string& name : names)
        entries.push_back(MoveEntry{name, DecimalText(static_cast<int>(entries.size()) + 1)});
    return entries;
}

FormCheck CheckMoveForm(const std::vector<MoveEntry>& entries, int selected, const MoveCamera& camera,
                        std::string_view description, const TypedOutside& typed)
{
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return FormCheck::CloseWithoutStoring();
    std::vector<StoredText> texts{
        {kDescriptionField, std::string(description)},
        {{"", LangTextId(1070), ValueKind::Param}, entries[static_cast<std::size_t>(selected)].Text}};
    AddDeviceTexts(texts, DeviceAccess{camera.Ip, camera.Port, camera.User, camera.Password});
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
