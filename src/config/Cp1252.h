#pragma once

#include "config/Result.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace kor {

// Configuration texts, device files and device replies are Windows-1252 bytes; widgets and the
// terminal speak Unicode. These convert at that boundary. Characters the code page lacks become "?".
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);
// Whether a Unicode character has a byte of its own in Windows-1252.
bool IsCp1252Character(char32_t c);

// The first character of text that the code page lacks.
std::optional<char32_t> FirstOutsideCp1252(QStringView text);
// text as Windows-1252 bytes, or the failure naming the field and the characters it cannot hold:
// a value that would be stored changed (a password with "?" in it) is never stored.
Result<std::string> ToCp1252Exact(const QString& text, std::string_view field);

} // namespace kor
