#include "config/ValueRules.h"

#include "config/Cp1252.h"

#include <QList>

namespace kor {

bool CanCarry(ValueKind kind, char byte)
{
    switch (kind) {
    case ValueKind::Param:
        return byte != '\0' && byte != ';' && byte != '$' && byte != '\r' && byte != '\n';
    case ValueKind::Line:
        return byte != '\0' && byte != ';' && byte != '\r' && byte != '\n';
    case ValueKind::CompanionLine:
        return byte != '\n';
    }
    return false;
}

std::optional<char> FirstRefusedByte(ValueKind kind, std::string_view bytes)
{
    for (const char c : bytes) {
        if (!CanCarry(kind, c))
            return c;
    }
    return std::nullopt;
}

std::optional<char32_t> FirstRefusedCharacter(ValueKind kind, QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        if (!IsCp1252Character(c) || (c < 0x80 && !CanCarry(kind, static_cast<char>(c))))
            return c;
    }
    return std::nullopt;
}

Status CheckCarried(ValueKind kind, std::string_view bytes, std::string_view field)
{
    const std::optional<char> refused = FirstRefusedByte(kind, bytes);
    if (!refused)
        return Status::Ok();
    std::string name;
    switch (*refused) {
    case '\0':
        name = "the zero character";
        break;
    case '\r':
        name = "a line break (CR)";
        break;
    case '\n':
        name = "a line break (LF)";
        break;
    default:
        name = std::string("\"") + *refused + '"';
        break;
    }
    return Status::Fail(std::string(field) + ": cannot hold " + name +
                        ": the configuration file has no escaping and would split the value there");
}

} // namespace kor
