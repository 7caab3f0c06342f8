#include "actions/ActionParams.h"

#include "config/ParamString.h"

namespace kor {

std::string ReadParam(std::string_view params, std::string_view key)
{
    const std::string wanted = UpperCp1252(key);
    while (!params.empty()) {
        const std::size_t nul = params.find('\0');
        if (nul == std::string_view::npos)
            return {}; // the last pair must be ended too
        const std::string_view pair = params.substr(0, nul);
        const std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && UpperCp1252(pair.substr(0, eq)) == wanted)
            return std::string(pair.substr(eq + 1));
        params.remove_prefix(nul + 1);
    }
    return {};
}

bool IsPositiveNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return false;
    bool nonZero = false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        nonZero = nonZero || c != '0';
    }
    return nonZero;
}

} // namespace kor
