#include "cli/ShowParts.h"

#include "config/ParamString.h"

namespace kor::cli {

void ForEachPair(std::string_view params, const std::function<void(const Pair& pair, bool last)>& visit)
{
    const std::vector<ParamPair> pairs = SplitParams(params);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        Pair p{pairs[i].Key, pairs[i].Value};
        if (p.Key.size() == 3 && UpperCp1252(p.Key) == "PWD" && !p.Value.empty())
            p.Value = "********";
        visit(p, i + 1 == pairs.size());
    }
}

} // namespace kor::cli
