#include "device/StartDecisions.h"

namespace kor {

std::optional<std::int16_t> DecideInputOneAsSensor(bool modelHasIo, DetectorLoopResult loop,
                                                   const std::function<bool()>& inputOneIsTheLoop)
{
    if (!modelHasIo)
        return 1;
    switch (loop) {
    case LoopConnected:
        return 1;
    case LoopNotAnswered:
        return inputOneIsTheLoop() ? 1 : 0;
    case LoopTimedOut:
        break;
    }
    return std::nullopt;
}

OfferedLinkOptions OfferedLinkOptionsFor(bool modelHasIo, bool hasPresets, bool relayEnabled,
                                         std::int16_t inputOneAsSensor)
{
    OfferedLinkOptions offered;
    offered.Install = !relayEnabled;
    offered.IoCheck = modelHasIo && inputOneAsSensor == 1;
    offered.Home = hasPresets;
    return offered;
}

} // namespace kor
