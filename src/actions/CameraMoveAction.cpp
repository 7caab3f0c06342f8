#include "actions/CameraMoveAction.h"

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

} // namespace kor
