#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kor {

// The Params of an action: KEY=VALUE pairs, each ended by one NUL byte. A value read from a
// configuration text stays a view into the loaded text, which it keeps alive, so a project that is
// only opened and written again never copies its parameters one by one. Any other value owns its
// bytes. Copies share the bytes; changing a text that shares them gives it its own copy first.
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
    char back() const { return m_data[m_size - 1]; }

    // Building a text piece by piece, as with a string.
    ParamText& operator+=(std::string_view bytes);
    ParamText& operator+=(char c) { return *this += std::string_view(&c, 1); }
    void push_back(char c) { *this += c; }
    void pop_back();

    friend bool operator==(const ParamText& a, const ParamText& b) { return a.View() == b.View(); }
    friend bool operator==(const ParamText& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const ParamText& a, const std::string& b) { return a.View() == b; }
    friend bool operator==(const ParamText& a, const char* b) { return a.View() == b; }

private:
    // The string this text alone may change, made on the first change.
    std::string& Writable();
    void Refresh();

    std::shared_ptr<const void> m_owner;
    std::string* m_own = nullptr; // m_owner's string when it is one this text made
    const char* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace kor
