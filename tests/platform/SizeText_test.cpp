#include "platform/SizeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace kva {
namespace {

TEST(SizeText, CutsToFourCharactersOfNumber) {
  constexpr std::uint64_t kKb = 1024, kMb = kKb * 1024, kGb = kMb * 1024, kTb = kGb * 1024;
  struct Case {
    const char* name;
    std::uint64_t bytes;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"zero", 0, u"0 bytes"},
      {"below a kilobyte", 1023, u"1023 bytes"},
      {"exactly one kilobyte", kKb, u"1 KB"},
      {"just above: cut, not rounded", kKb + 1, u"1.00 KB"},
      {"half", kKb + 512, u"1.5 KB"},
      {"two decimals", 1260, u"1.23 KB"},
      {"one decimal", 12637, u"12.3 KB"},
      {"three digits: integer part", 126874, u"123 KB"},
      {"four digits, no point", kMb - 1, u"1023 KB"},
      {"megabytes", 5 * kMb + kMb / 4, u"5.25 MB"},
      {"not rounded up", 2 * kGb - 1, u"1.99 GB"},
      {"terabytes", 5 * kTb, u"5 TB"},
      {"at most four divisions", 1024 * kTb, u"1024 TB"},
      {"whole integer part kept", 12345 * kTb + kTb / 2, u"12345 TB"},
      {"largest count", std::numeric_limits<std::uint64_t>::max(), u"16777215 TB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SizeText(c.bytes), c.want);
  }
}

}  // namespace
}  // namespace kva
