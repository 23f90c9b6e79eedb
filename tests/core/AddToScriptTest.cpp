#include "script/AddToScript.h"

#include <gtest/gtest.h>

namespace zarvex {
namespace {
TEST(AddToScript, Placeholder) { EXPECT_TRUE(true); }
}  // namespace
}  // namespace zarvex
