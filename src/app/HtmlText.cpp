#include "app/HtmlText.h"

#include "config/Cp1252.h"

#include <QString>

namespace kor {

namespace {

void AppendReference(std::string& out, unsigned codePoint)
{
    out += "&#";
    out += std::to_string(codePoint);
    out += ';';
}

} // namespace

std::string HtmlText(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    bool plainAscii = true;
    for (char c : cp1252)
        plainAscii = plainAscii && static_cast<unsigned char>(c) < 0x80;
    // Most texts are ASCII; only the others pay for the code page conversion.
    const QString unicode = plainAscii ? QString() : FromCp1252(cp1252);
    const std::size_t count = plainAscii ? cp1252.size() : static_cast<std::size_t>(unicode.size());
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned u = plainAscii ? static_cast<unsigned char>(cp1252[i])
                                      : unicode.at(static_cast<qsizetype>(i)).unicode();
        switch (u) {
        case '&':
            out += "&amp;";
            continue;
        case '<':
            out += "&lt;";
            continue;
        case '>':
            out += "&gt;";
            continue;
        case '"':
            out += "&quot;";
            continue;
        case '\'':
            out += "&#39;";
            continue;
        case '\t':
        case '\n':
        case '\r':
            out.push_back(static_cast<char>(u));
            continue;
        default:
            break;
        }
        if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            AppendReference(out, 0xFFFD);
        else if (u < 0x80)
            out.push_back(static_cast<char>(u));
        else
            AppendReference(out, u);
    }
    return out;
}

} // namespace kor
