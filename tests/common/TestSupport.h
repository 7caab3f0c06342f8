#pragma once

#include "config/Result.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kor::test {

// Folder of the source tree and of the build tree, for test data and built programs.
QString SourceDir();
QString BinaryDir();
// Path of a program built into build/bin.
QString BuiltProgram(const QString& name);

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

// Turns control characters into visible escapes so that failed byte comparisons read well.
std::string Visible(std::string_view bytes);

// Success, or a failed assertion that shows the reason: ASSERT_TRUE(IsOk(Operation())).
template <typename R>::testing::AssertionResult IsOk(const R& result)
{
    if (result.ok())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.reason();
}

// Whether an operation failed, keeping its reason for the checks that follow.
template <typename R> bool Fails(const R& result, std::string& reason)
{
    reason = result.reason();
    return result.failed();
}

// The value of a result that must succeed (an empty value, and a failed test, otherwise).
template <typename T> T ValueOf(Result<T> result)
{
    EXPECT_TRUE(IsOk(result));
    return result.ok() ? std::move(result).value() : T();
}

} // namespace kor::test
