#pragma once

#include "device/Clock.h"

namespace kor {

// Real waits. A divisor above 1 shortens every wait by that factor while the callers keep their
// numbers; end-to-end tests use it. Only a build with test hooks (KOR_TEST_HOOKS) reads it from
// KOR_WAIT_DIVISOR; the shipped programs always wait in full.
class SystemClock final : public Clock
{
public:
    explicit SystemClock(int divisor = 1) : m_divisor(divisor < 1 ? 1 : divisor) {}
    void SleepMs(int milliseconds) override;

    // The divisor KOR_WAIT_DIVISOR names in a build with test hooks; 1 otherwise, or when unset or
    // not a number.
    static int DivisorFromEnvironment();

private:
    int m_divisor;
};

} // namespace kor
