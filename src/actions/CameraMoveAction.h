#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// An entry of the camera move list: a camera preset (tag "P" + line, or "PV" + line for a name
// the camera stores with the suffix "ZZZ", shown without it) or stored position n (tag n).
struct MoveEntry
{
    std::string Text;
    std::string Tag;
};

// The camera the action moves: the selected camera's record.
struct MoveCamera
{
    std::string Ip;
    std::string Port; // decimal
    std::string User;
    std::string Password;
    std::string Brand;
};

// A stored position of the camera record.
struct MovePosition
{
    double X = 0;
    double Y = 0;
    double Z = 0;
};

// IP, PORT, USR, PWD, BRAND, then CAMPRESET and POSNAME for a preset, or X, Y, Z (point
// separator) and POSNAME for stored position n. Nothing when the tag names a position that the
// record does not hold.
std::optional<std::string> BuildMoveParams(const MoveCamera& camera, const MoveEntry& entry,
                                           const std::vector<MovePosition>& positions);

// The first entry whose text equals name without regard to letter case; -1 for none or an empty
// name.
int FindMoveEntry(const std::vector<MoveEntry>& entries, std::string_view name);

} // namespace kor
