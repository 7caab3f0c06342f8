#include "config/ParamString.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace kor {
namespace {

TEST(ParamString, placeholder)
{
    EXPECT_EQ(GetParam("tp", "#ACTION=x\0TP=3\0"s), "3");
}

} // namespace
} // namespace kor
