#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kor {

// The one way an operation that can fail reports back: success, or failure with its reason in
// plain words (already in the user's language where the caller shows it as it stands). It has no
// conversion to bool on purpose: the older code returned true on failure in some places and on
// success in others, so every test says which of ok() and failed() it means.
class [[nodiscard]] Status
{
public:
    // Success.
    Status() = default;

    static Status Ok() { return {}; }
    static Status Fail(std::string reason)
    {
        Status s;
        s.m_failed = true;
        s.m_reason = std::move(reason);
        return s;
    }

    bool ok() const { return !m_failed; }
    bool failed() const { return m_failed; }
    // Empty on success.
    const std::string& reason() const { return m_reason; }

private:
    bool m_failed = false;
    std::string m_reason;
};

// A value, or the reason there is none.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_reason(failure.reason())
    {
        if (failure.ok())
            m_reason = "internal error: a result without a value was built from a success";
    }
    static Result Fail(std::string reason) { return Result(Status::Fail(std::move(reason))); }

    bool ok() const { return m_value.has_value(); }
    bool failed() const { return !ok(); }
    const std::string& reason() const { return m_reason; }
    Status status() const { return ok() ? Status::Ok() : Status::Fail(m_reason); }

    // Only on success.
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() & { return *m_value; }
    const T& operator*() const& { return *m_value; }

private:
    std::optional<T> m_value;
    std::string m_reason;
};

} // namespace kor
