#pragma once

#include "config/ConfigDocument.h"
#include "config/Result.h"

#include <string>

namespace kor {

struct LinkContext;

// The input/output check: output 1 drives the detector and input 1 must follow (on, off, on); then,
// as the options ask, the detector's base code and its sensor and mask flags are programmed.
class IoCheckStep
{
public:
    explicit IoCheckStep(LinkContext& context) : m_ctx(context) {}

    Status Run(const ZelkSettings& zelk);

private:
    Status SendPattern(const std::string& pattern);
    Result<int> ReadInput();

    LinkContext& m_ctx;
};

} // namespace kor
