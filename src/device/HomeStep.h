#pragma once

#include "config/Result.h"

namespace kor {

struct LinkContext;

// The home position: the user's choice over the camera's stored positions, written to the home
// file and sent to the camera. Its failures are logged and end nothing.
class HomeStep
{
public:
    explicit HomeStep(LinkContext& context) : m_ctx(context) {}

    void Run();
    // movetohomed.conf from the context's home choice, in the work folder's Gen/.
    Status BuildHomeFile();

private:
    Status SendHomeFile();

    LinkContext& m_ctx;
};

} // namespace kor
