#pragma once

#include <chrono>

namespace kor {

// Every wait of the device link goes through here so that tests can make the waits instant while
// the code keeps its numbers.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual void SleepMs(int milliseconds) = 0;
    // The time of day, for what is dated (the report): tests fix it.
    virtual std::chrono::system_clock::time_point Now() const { return std::chrono::system_clock::now(); }
};

} // namespace kor
