#pragma once

#include <limits>

namespace kor {

template <typename T>
NumberRead ReadNumberAs(std::string_view text, T& out)
{
    if (!IsNumberText(text))
        return NumberRead::NotNumber;
    const std::optional<std::int64_t> value = ReadNumber(text);
    if (!value || *value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        *value > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
        return NumberRead::OutOfRange;
    out = static_cast<T>(*value);
    return NumberRead::Ok;
}

} // namespace kor
