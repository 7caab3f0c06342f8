#pragma once

#include "actions/EditorForm.h"

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

// ---- the editor's form --------------------------------------------------------------------
// The list the camera's preset answer gives: the answer split at LF; line 0 (a header) and a last
// line without its LF are skipped; the first line without "=" ends the list; a name is the text
// after the first "=", cut before its first CR. A name of 4 or more characters ending in "ZZZ" is
// listed without the suffix (tag "PV" + line), any other name as sent (tag "P" + line).
std::vector<MoveEntry> CameraPresetEntries(std::string_view answer);
// The list of the camera record's stored positions, by name (tags 1..n).
std::vector<MoveEntry> StoredPositionEntries(const std::vector<std::string>& names);
// Without a selected entry confirm closes without storing. Otherwise the characters of what is
// stored: the description, the entry's name (it comes from the camera, and travels inside the
// parameters) and the camera's credentials.
FormCheck CheckMoveForm(const std::vector<MoveEntry>& entries, int selected, const MoveCamera& camera,
                        std::string_view description, const TypedOutside& typed);

} // namespace kor
