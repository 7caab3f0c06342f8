#pragma once

#include "outside/companion/CameraRecord.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kor {

// The rules of the camera chooser and the camera editor, free of widgets.

// The editor's fields as the user sees them.
struct CameraFields
{
    int Id = 0;
    bool IdEditable = false; // only a new camera gets its identifier here
    QString Name;
    QString Address;
    int Port = 80;
    QString User;
    QString Password;
    int Channel = 1;
    QString Brand;
    QString Model;
    QString Mac; // empty: none given
};

inline constexpr int kMinPort = 1;
inline constexpr int kMaxPort = 65535;
inline constexpr int kMinChannel = 1;
inline constexpr int kMaxChannel = 255;

// What the editor opens with: a port outside 1..65535 shows 80, a channel below 1 shows 1, no
// brand shows "AXIS", an all-zero MAC address shows nothing.
CameraFields CameraFieldsOf(const CameraRecord& record, bool isNew);

enum class CameraField
{
    Name,
    User,
    Password,
    Brand,
    Model,
    Address,
    Mac
};

struct CameraFieldProblem
{
    CameraField Field;
    int Text;       // the message's language text; for a refused character the field's caption
    bool WithValue; // the message reads "<text>: <value> ?"
    std::optional<char32_t> Character; // a character the field cannot carry: the message names it
};

// The checks of the editor's save button, in their order: a text the single-byte files cannot hold
// (name, user, password, brand, model: it would be stored changed) or a user name, password or
// brand holding a character the configuration file cannot carry, an address ("0.0.0.0" counts as
// none, 800), then a MAC address that is empty or well formed (1148).
std::optional<CameraFieldProblem> CheckCameraFields(const CameraFields& fields);

// The record the editor gives back: the fields over the start record, whose stored positions
// and positioning flag stay as they were; texts trimmed where a blank cannot belong.
CameraRecord CameraRecordOf(const CameraRecord& start, const CameraFields& fields);

// The identifier a new camera is offered: the first one no camera has.
std::int16_t FirstFreeCameraId(const std::vector<CameraRecord>& cameras);

} // namespace kor
