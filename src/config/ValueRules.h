#pragma once

#include "config/Result.h"

#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace kor {

// Which characters a value of the configuration can carry. The file has no escaping: a separator
// inside a value ends or splits it when the file is read back, so such a value is refused where it
// is typed instead of being stored broken.
enum class ValueKind
{
    Param,         // a value inside PARAMS: no NUL, ";", "$", CR or LF
    Line,          // an action name, a header or general-settings value: no NUL, ";", CR or LF
    CompanionLine, // a line of a companion file: no LF
};

// A camera's user name and password travel in the upload file's device line and, inside PARAMS,
// in every user action: they must carry what a parameter value can.
inline constexpr ValueKind kCameraCredentialKind = ValueKind::Param;

// Whether one Windows-1252 byte may stand in a value of that kind.
bool CanCarry(ValueKind kind, char byte);
// The first byte of a Windows-1252 value that the kind cannot carry.
std::optional<char> FirstRefusedByte(ValueKind kind, std::string_view bytes);
// The first character of typed text that the kind cannot carry: a reserved one, or one that has
// no place in Windows-1252 (it would be stored as "?").
std::optional<char32_t> FirstRefusedCharacter(ValueKind kind, QStringView text);
// The first byte of a Windows-1252 value the kind cannot carry as a plain-English failure naming the
// field and the byte ("--password: cannot hold \";\": ..."); Ok when every byte can stand there.
Status CheckCarried(ValueKind kind, std::string_view bytes, std::string_view field);

} // namespace kor
