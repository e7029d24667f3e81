#include "platform/CommandLineArgs.h"

#include <gtest/gtest.h>

#include "CommandLineArgsCases.h"
#include "platform/Text.h"

namespace kva {
namespace {

TEST(CommandLineArgs, SplitsAsWindowsDoes) {
  for (const auto& c : test::ArgsCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SplitArguments(c.line), c.want);
  }
}

TEST(CommandLineArgs, EmptyLineHasNoArguments) {
  EXPECT_TRUE(SplitArguments(u"").empty());
}

}  // namespace
}  // namespace kva
