#pragma once

#include <QStringView>

#include <optional>
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

// Whether one Windows-1252 byte may stand in a value of that kind.
bool CanCarry(ValueKind kind, char byte);
// The first byte of a Windows-1252 value that the kind cannot carry.
std::optional<char> FirstRefusedByte(ValueKind kind, std::string_view bytes);
// The first character of typed text that the kind cannot carry: a reserved one, or one that has
// no place in Windows-1252 (it would be stored as "?").
std::optional<char32_t> FirstRefusedCharacter(ValueKind kind, QStringView text);

} // namespace kor
