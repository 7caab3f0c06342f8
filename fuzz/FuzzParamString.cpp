#include "config/ParamString.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The first byte splits the input into a key or delimiter and a text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t split = data[0] % size;
    const std::string_view all(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view key = all.substr(0, std::min(split, all.size()));
    const std::string_view text = all.substr(key.size());

    (void)kor::GetParam(key, text);
    (void)kor::ReplaceAll(key, "$", text);
    (void)kor::ValueAfterEquals(text);
    std::vector<std::string> pieces;
    const auto count = kor::SplitText(text, key, pieces);
    if (count < 0 || static_cast<std::size_t>(count) > pieces.size())
        __builtin_trap();
    return 0;
}
