#pragma once

namespace kor {

// Marks a language text number kept in a table for a later lookup, so that the catalogue check
// finds it: write LangTextId(314), never a bare 314.
constexpr int LangTextId(int n)
{
    return n;
}

} // namespace kor
