#include "downloads/PageText.h"

#include <gtest/gtest.h>

#include <string>

namespace kva::test {
namespace {

std::u16string Decode(std::string_view bytes) {
  return DecodePage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

TEST(PageTextTest, DecodesByMarkThenByLooks) {
  using namespace std::string_view_literals;
  struct Case {
    const char* name;
    std::string_view bytes;
    std::u16string_view want;
  } cases[] = {
      {"UTF-16LE mark", "\xFF\xFEh\0i\0"sv, u"hi"},
      {"UTF-16BE mark", "\xFE\xFF\0h\0i"sv, u"hi"},
      {"UTF-8 mark", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"sv, u"été"},
      {"UTF-16LE without mark", "<\0h\0t\0m\0l\0>\0\xE9\0"sv, u"<html>é"},
      {"UTF-8 without mark", "<p>\xE2\x82\xAC</p>"sv, u"<p>€</p>"},
      {"broken UTF-8", "<p>\xFF</p>"sv, u"<p>\uFFFD</p>"},
      {"odd byte after UTF-16LE mark", "\xFF\xFEh\0i"sv, u"h"},
      {"empty", ""sv, u""},
      {"one byte", "<"sv, u"<"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Decode(c.bytes), c.want);
  }
}

}  // namespace
}  // namespace kva::test
