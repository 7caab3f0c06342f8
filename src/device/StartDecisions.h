#pragma once

#include "device/DetectorLoop.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace kor {

// What the start-up makes of the detector-loop check, shared by the window and korctl so that both
// send the same rule 1 header. 1 for a model without an input/output loop or with a loop that
// answered; when the loop did not answer, the answer to the question whether input 1 is the
// detector loop (1 yes, 0 no); nothing when the camera did not answer in time (the start ends).
std::optional<std::int16_t> DecideInputOneAsSensor(bool modelHasIo, DetectorLoopResult loop,
                                                   const std::function<bool()>& inputOneIsTheLoop);

// The device link's run options that can be chosen for a camera in this state.
struct OfferedLinkOptions
{
    bool Install = false; // only over a direct connection
    bool IoCheck = false; // the loop exists and input 1 is the detector loop
    bool Home = false;    // the model has positioning presets
};
OfferedLinkOptions OfferedLinkOptionsFor(bool modelHasIo, bool hasPresets, bool relayEnabled,
                                         std::int16_t inputOneAsSensor);

} // namespace kor
