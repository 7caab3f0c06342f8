#pragma once

#include "config/Result.h"

namespace kor {

struct LinkContext;

// The home position: the user's choice over the camera's stored positions, written to the home
// file and sent to the camera. A file that could not be built or sent is logged and fails the run
// once the home question is over.
class HomeStep
{
public:
    explicit HomeStep(LinkContext& context) : m_ctx(context) {}

    // Whether a home position was set (false: the user kept the old one).
    Result<bool> Run();
    // movetohomed.conf from the context's home choice, in the work folder's Gen/.
    Status BuildHomeFile();

private:
    Status SendHomeFile();

    LinkContext& m_ctx;
};

} // namespace kor
