#pragma once

#include <cstdint>
#include <string>

namespace kor {

// The tag of the event source behind a rule index (SIMD3, PCAM52, OTHC100 …); empty for an index
// that holds no event source.
std::string EventSourceTag(int ruleIndex, std::int16_t inputOneAsSensor);

// Whether a rule index names an event source of the catalogue.
bool IsEventSourceIndex(int ruleIndex);

} // namespace kor
