#pragma once

#include <limits>

namespace kor {

template <typename T> NumberRead ReadNumberAs(std::string_view text, T& out)
{
    std::int64_t value = 0;
    const NumberRead read = ReadNumber64(text, value);
    if (read != NumberRead::Ok)
        return read;
    if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        value > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
        return NumberRead::OutOfRange;
    out = static_cast<T>(value);
    return NumberRead::Ok;
}

} // namespace kor
