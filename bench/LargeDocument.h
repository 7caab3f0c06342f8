#pragma once

#include "config/ConfigDocument.h"

namespace kor::bench {

// The largest document the format allows: 121 rules of 255 actions, each with about 150 bytes of
// parameters and a seven-day time table.
void FillLargestDocument(ConfigDocument& doc, int ruleCount = ConfigDocument::RuleCount,
                         int actionsPerRule = SensorRule::MaxActions);

} // namespace kor::bench
