#include "cli/ShowParts.h"

#include "config/ParamString.h"

namespace kor::cli {

void ParamPairs(std::string_view params, std::vector<Pair>& pairs)
{
    pairs.clear();
    for (const ParamPair& pair : SplitParams(params)) {
        Pair p{pair.Key, pair.Value};
        if (p.Key.size() == 3 && UpperCp1252(p.Key) == "PWD" && !p.Value.empty())
            p.Value = "********";
        pairs.push_back(p);
    }
}

} // namespace kor::cli
