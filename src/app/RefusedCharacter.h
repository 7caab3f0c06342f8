#pragma once

#include <QString>

namespace kor {

// The message refusing a character that a value cannot carry, in the user's language: it names
// the field (its caption as shown) and the character (line breaks and the zero character by
// name, a character the code page lacks with its code as well).
QString RefusedCharacterMessage(const QString& field, char32_t c);

} // namespace kor
