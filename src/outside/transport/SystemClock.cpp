#include "outside/transport/SystemClock.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace kor {

void SystemClock::SleepMs(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(1000LL * milliseconds / m_divisor));
}

int SystemClock::DivisorFromEnvironment()
{
#ifndef KOR_TEST_HOOKS
    // A shipped program keeps every wait: a user's environment must not cut the pauses that
    // protect a restarting camera.
    return 1;
#else
    const char* text = std::getenv("KOR_WAIT_DIVISOR");
    if (!text)
        return 1;
    const long value = std::strtol(text, nullptr, 10);
    return value >= 1 && value <= 1000 ? static_cast<int>(value) : 1;
#endif
}

} // namespace kor
