#pragma once

#include <string>
#include <string_view>

namespace kor {

// Windows-1252 text as HTML character data, safe both between tags and inside a quoted attribute:
// the markup characters become entities and every byte above 127 a numeric character reference,
// so the result is plain ASCII and reads the same whatever code page a browser assumes. Control
// characters other than TAB, LF and CR show as U+FFFD.
std::string HtmlText(std::string_view cp1252);

} // namespace kor
