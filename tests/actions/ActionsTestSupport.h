#pragma once

#include "TestSupport.h"

#include <string>

namespace kor::test {

// "A=1$B=2$" written with NUL ends, as the editors build them.
inline std::string Params(std::string text)
{
    for (char& c : text) {
        if (c == '$')
            c = '\0';
    }
    return text;
}

} // namespace kor::test
