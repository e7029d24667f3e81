#include "platform/ProgressDialog.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

TEST(LogTimestamp, PadsEveryFieldToItsWidth) {
  struct Case {
    const char* name;
    LocalTime time;
    std::u16string want;
  };
  const Case cases[] = {
      {"all fields short", {2024, 1, 2, 3, 4, 5, 6}, u"2024/01/02 03:04:05:006"},
      {"all fields full", {2023, 12, 31, 23, 59, 59, 999}, u"2023/12/31 23:59:59:999"},
      {"milliseconds of two digits", {2025, 6, 15, 0, 0, 0, 42}, u"2025/06/15 00:00:00:042"},
      {"midnight, zero milliseconds", {2025, 6, 15, 0, 0, 0, 0}, u"2025/06/15 00:00:00:000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToUtf8(LogTimestamp(c.time)), Utf16ToUtf8(c.want));
  }
}

}  // namespace
}  // namespace kva
