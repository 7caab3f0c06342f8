#pragma once

#include "config/Result.h"

namespace kor {

struct LinkContext;

// Identification: the camera's firmware release from its server report, before an installation
// (the application files may differ per release).
class IdentifyStep
{
public:
    explicit IdentifyStep(LinkContext& context) : m_ctx(context) {}

    // Stores the release in the context. A failure has been logged already: the camera refused the
    // credentials, or it does not answer, or its report cannot be read.
    Status Run();

private:
    LinkContext& m_ctx;
};

} // namespace kor
