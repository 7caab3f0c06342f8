#include "outside/transport/SystemClock.h"

#include <chrono>
#include <thread>

namespace kor {

void SystemClock::SleepMs(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace kor
