#pragma once

#include "device/Clock.h"
#include "device/HttpClient.h"
#include "device/RelaySettings.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/ModelRecord.h"

namespace kor {

enum DetectorLoopResult : int
{
    LoopNotAnswered = 0, // the user decides whether input 1 is the detector loop
    LoopConnected = 1,   // input 1 follows output 1
    LoopTimedOut = 2,    // the camera did not answer in time (text 827, start-up ends)
};

// The start-up check of the detector loop between output 1 and input 1.
DetectorLoopResult CheckDetectorLoop(HttpClient& http, Clock& clock, const AxisDevice& device,
                                     const ModelRecord& model, const RelaySettings& relay);

} // namespace kor
