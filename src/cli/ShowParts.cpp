#include "cli/ShowParts.h"

#include "config/ParamString.h"

namespace kor::cli {

void ForEachPair(std::string_view params, const std::function<void(const Pair& pair, bool last)>& visit)
{
    // Streams the pairs: a long string of short pairs would take many times its size as a list.
    std::size_t pos = 0;
    while (pos < params.size()) {
        std::size_t end = params.find('\0', pos);
        if (end == std::string_view::npos)
            end = params.size();
        const std::string_view pair = params.substr(pos, end - pos);
        const std::size_t eq = pair.find('=');
        Pair p{pair.substr(0, eq), eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1)};
        if (IsPasswordKey(p.Key) && !p.Value.empty())
            p.Value = "********";
        pos = end + 1;
        visit(p, pos >= params.size());
    }
}

} // namespace kor::cli
