#pragma once

namespace kor {

// libcurl's process-wide initialisation, done once before the first handle is made.
void EnsureCurlInitialised();

// The most bytes one reply or fetched file may hold; more is an error, not exhausted memory.
inline constexpr unsigned long kMaxReplyBytes = 16UL * 1024 * 1024;

} // namespace kor
