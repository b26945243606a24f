#include <gtest/gtest.h>

#include "fake/fake_startup.h"
#include "startup/startup.h"

namespace {

TEST(ParseInt, Basic) { EXPECT_EQ(ParseInt("42"), 42); }

}  // namespace
