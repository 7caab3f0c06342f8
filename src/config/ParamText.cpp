#include "config/ParamText.h"

#include <cstring>

namespace kor {

ParamText::ParamText(std::string_view bytes)
{
    if (bytes.empty())
        return;
    // One allocation holds the copy; the control block comes with it.
    std::shared_ptr<char[]> copy = std::make_shared_for_overwrite<char[]>(bytes.size());
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    m_data = copy.get();
    m_size = bytes.size();
    m_owner = std::move(copy);
}

ParamText ParamText::Shared(std::shared_ptr<const void> owner, std::string_view bytes)
{
    ParamText text;
    if (bytes.empty())
        return text;
    text.m_owner = std::move(owner);
    text.m_data = bytes.data();
    text.m_size = bytes.size();
    return text;
}

} // namespace kor
