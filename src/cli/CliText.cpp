#include "cli/CliText.h"

#include "config/Cp1252.h"

namespace kor::cli {

std::string TerminalText(std::string_view cp1252)
{
    return FromCp1252(cp1252).toStdString();
}

std::string ArgumentBytes(const std::string& utf8)
{
    return ToCp1252(QString::fromStdString(utf8));
}

} // namespace kor::cli
