#include "config/EventSources.h"

namespace kor {

bool IsEventSourceIndex(int ruleIndex)
{
    return (ruleIndex >= 0 && ruleIndex <= 12) || (ruleIndex >= 50 && ruleIndex <= 102);
}

std::string EventSourceTag(int ruleIndex, std::int16_t inputOneAsSensor)
{
    const std::string number = std::to_string(ruleIndex);
    if (ruleIndex == 0 || (ruleIndex >= 9 && ruleIndex <= 11))
        return "EIMD" + number;
    if (ruleIndex == 1)
        return inputOneAsSensor == 1 ? "SIMD1" : "PCAM1";
    if (ruleIndex >= 2 && ruleIndex <= 8)
        return "SIMD" + number;
    if (ruleIndex == 12 || (ruleIndex >= 70 && ruleIndex <= 89))
        return "SDMC" + number;
    if (ruleIndex >= 50 && ruleIndex <= 69)
        return "PCAM" + number;
    if (ruleIndex >= 90 && ruleIndex <= 99)
        return "SVIR" + number;
    if (ruleIndex >= 100 && ruleIndex <= 102)
        return "OTHC" + number;
    return {};
}

} // namespace kor
