#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kor {

// Configuration texts, device files and device replies are Windows-1252 bytes; widgets and the
// terminal speak Unicode. These convert at that boundary. Characters the code page lacks become "?".
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);
// Whether a Unicode character has a byte of its own in Windows-1252.
bool IsCp1252Character(char32_t c);

} // namespace kor
