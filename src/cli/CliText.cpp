#include "cli/CliText.h"

#include "config/Cp1252.h"

#include <cstdio>

namespace kor::cli {

std::string TerminalText(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size());
    for (const char c : cp1252) {
        const auto u = static_cast<unsigned char>(c);
        // C0 controls, DEL and the C1 controls the code page leaves undefined.
        const bool control = (u < 0x20 && c != '\t' && c != '\n') || u == 0x7F || u == 0x81 || u == 0x8D ||
                             u == 0x8F || u == 0x90 || u == 0x9D;
        if (control) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            out += escaped;
        } else if (u < 0x80) {
            out.push_back(c);
        } else {
            out += FromCp1252(std::string_view(&c, 1)).toStdString();
        }
    }
    return out;
}

Result<std::string> ArgumentBytes(const std::string& utf8, std::string_view field,
                                  std::optional<ValueKind> kind)
{
    Result<std::string> bytes = ToCp1252Exact(QString::fromStdString(utf8), field);
    if (bytes.ok() && kind) {
        if (const Status carried = CheckCarried(*kind, *bytes, field); carried.failed())
            return Result<std::string>::Fail(carried.reason());
    }
    return bytes;
}

} // namespace kor::cli
