#include "config/ParamText.h"

namespace kor {

ParamText::ParamText(std::string_view bytes)
{
    if (bytes.empty())
        return;
    auto own = std::make_shared<std::string>(bytes);
    m_own = own.get();
    m_owner = std::move(own);
    Refresh();
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

std::string& ParamText::Writable()
{
    if (!m_own || m_owner.use_count() != 1) {
        auto own = std::make_shared<std::string>(View());
        m_own = own.get();
        m_owner = std::move(own);
    }
    return *m_own;
}

void ParamText::Refresh()
{
    m_data = m_own->data();
    m_size = m_own->size();
}

ParamText& ParamText::operator+=(std::string_view bytes)
{
    Writable().append(bytes);
    Refresh();
    return *this;
}

void ParamText::pop_back()
{
    Writable().pop_back();
    Refresh();
}

} // namespace kor
