#pragma once

#include "device/Clock.h"

namespace kor {

// Real waits.
class SystemClock final : public Clock
{
public:
    void SleepMs(int milliseconds) override;
};

} // namespace kor
