#pragma once

#include "actions/EditorForm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// The fields of a remote device alarm action (type 5): the target's address and credentials, and
// either an event source of another camera with the alarm application (DEV=0, SEN = its rule
// index) or a detector input (DEV=1, SEN = the detector event number).
struct RemoteAlarmAction
{
    std::string Ip;
    std::string Port;
    std::string User;
    std::string Password;
    bool Detector = false;
    std::string Sen;

    bool operator==(const RemoteAlarmAction&) const = default;
};

// IP, PORT, USR, PWD, DEV, SEN.
std::string BuildRemoteAlarmParams(const RemoteAlarmAction& action);

// What a stored action gives back: the fields, and DEV as a number (nothing when it is missing or
// not a number: the load then ends after the address fields).
struct RemoteAlarmLoad
{
    RemoteAlarmAction Fields;
    std::optional<std::int64_t> Dev;
};
RemoteAlarmLoad LoadRemoteAlarmParams(std::string_view params);

// SEN as a number; 0 when it does not read as one.
std::int64_t SenNumber(std::string_view sen);

// The smallest power of two 2^k (k = 0..30) not below n; 0 when even 2^30 is below n.
std::int64_t NextPow2(std::int64_t n);

// The numbering of a detector's devices and ports (DetectorProfile).
struct DetectorNumbering
{
    std::int16_t DeviceCount = 0;
    std::int16_t FirstDevice = 0;
    std::int16_t PortCount = 0;
    std::int16_t FirstPort = 0;
};

// SEN = edge x NextPow2(ports x devices) + device x ports + port. Worked out in wide integers, so
// a large profile cannot overflow.
std::int64_t DetectorEventNumber(std::int64_t edge, std::int64_t device, std::int64_t port,
                                 const DetectorNumbering& numbering);

// The list positions (from 0) that a stored detector event number selects again: edge 0 when
// (S AND P) is 0, else 1; device ((S mod P) div ports) - 1; port S mod ports. Nothing when a
// position falls outside its list or the numbering has no ports: numbers the formula gives for
// other numberings cannot be selected back, and the load ends there instead of choosing another
// input.
struct DetectorPositions
{
    int Edge = 0;
    int Device = 0;
    int Port = 0;
};
std::optional<DetectorPositions> DetectorPositionsOf(std::int64_t sen, const DetectorNumbering& numbering);

// An entry of the event source list of another camera: a language text (or a fixed text when
// Text is 0), followed by a blank and Counter when Counter is above 0; Tag is the event source tag.
struct RemoteSource
{
    int Text = 0;
    const char* Fixed = nullptr;
    int Counter = 0;
    std::string Tag;
};

// The kinds of event source, in list order, with their caption text numbers.
struct RemoteSourceKind
{
    const char* Tag;
    int Text;
};
const std::vector<RemoteSourceKind>& RemoteSourceKinds();
// The sources of a kind ("SIMD", "EIMD", "PCAM", "SDMC", "OTHC", "SVIR"); empty for any other.
std::vector<RemoteSource> RemoteSourcesOf(std::string_view kind);
// The kind whose list holds rule index s, or "" when none does.
std::string_view RemoteKindOf(std::int64_t s);

// ---- the editor's form --------------------------------------------------------------------
// The editor's list choices, as positions (-1: nothing chosen): the kind and the source of
// another camera, or the detector's edge, device and port.
struct RemoteAlarmChoice
{
    int Kind = -1;
    int Source = -1; // in RemoteSourcesOf(the chosen kind)
    int Edge = -1;
    int Device = -1;
    int Port = -1;

    bool operator==(const RemoteAlarmChoice&) const = default;
};
// The target chosen enables its lists and disables the other's.
struct RemoteAlarmView
{
    bool CameraLists = true;
    bool DetectorLists = false;

    bool operator==(const RemoteAlarmView&) const = default;
};
RemoteAlarmView RemoteAlarmViewOf(const RemoteAlarmAction& action);

// Confirm, in its order: the address is required (text 800); an empty port becomes 80 (kept even
// when a later step stops); a missing choice of the chosen target stays open without a word;
// then the characters of what is stored. The description is stored as typed.
FormCheck CheckRemoteAlarmForm(RemoteAlarmAction& action, const RemoteAlarmChoice& choice,
                               std::string_view description, const TypedOutside& typed);
// SEN of the choices: the source's rule index, or the detector event number.
std::string RemoteAlarmSen(const RemoteAlarmAction& action, const RemoteAlarmChoice& choice,
                           const DetectorNumbering& numbering);

// A stored action as the editor shows it again. Complete is false when the load ended early (a
// DEV that is missing or not a number, a detector number that cannot be selected back): the
// fields read so far stay, the time table button stays disabled.
struct RemoteAlarmForm
{
    RemoteAlarmAction Fields;
    RemoteAlarmChoice Choice;
    bool Complete = false;
};
RemoteAlarmForm LoadRemoteAlarmForm(std::string_view params, const DetectorNumbering& numbering);

} // namespace kor
