#pragma once

namespace kor {

// Every wait of the device link goes through here so that tests can make the waits instant while
// the code keeps its numbers.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual void SleepMs(int milliseconds) = 0;
};

} // namespace kor
