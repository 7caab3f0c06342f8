#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kor {

// The Params of an action: KEY=VALUE pairs, each ended by one NUL byte. A value read from a
// configuration text stays a view into the loaded text, which it keeps alive, so a project that is
// only opened and written again never copies its parameters one by one. Any other value owns its
// bytes. The bytes never change once set, so copies share them.
class ParamText
{
public:
    ParamText() = default;
    ParamText(std::string_view bytes);
    ParamText(const std::string& bytes) : ParamText(std::string_view(bytes)) {}
    ParamText(const char* bytes) : ParamText(std::string_view(bytes)) {}

    // Bytes inside a buffer that owner keeps alive.
    static ParamText Shared(std::shared_ptr<const void> owner, std::string_view bytes);

    std::string_view View() const { return {m_data, m_size}; }
    operator std::string_view() const { return View(); }
    std::string ToString() const { return std::string(View()); }

    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    friend bool operator==(const ParamText& a, const ParamText& b) { return a.View() == b.View(); }
    friend bool operator==(const ParamText& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const ParamText& a, const std::string& b) { return a.View() == b; }
    friend bool operator==(const ParamText& a, const char* b) { return a.View() == b; }

private:
    std::shared_ptr<const void> m_owner;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace kor
