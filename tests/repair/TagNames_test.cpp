#include "repair/TagNames.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Text.h"

namespace kva {
namespace {

TEST(TagOfCommand, TakesTheTextUpToTheFirstClosingBracket) {
  struct Case {
    const char* name;
    std::u16string_view command;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"tag alone", u"<FlushDNS>", u"<FlushDNS>"},
      {"tag with switch", u"<ResetChrome> -AllUsers", u"<ResetChrome>"},
      {"four-letter name", u"<Beep> 3", u"<Beep>"},
      {"three-letter name goes to the launcher", u"<Abc> x", u""},
      {"no closing bracket", u"<FlushDNS", u""},
      {"text before the tag", u" <FlushDNS>", u""},
      {"command line", u"%SystemDir%\\cmd.exe /c dir > out.txt", u""},
      {"empty", u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToUtf8(TagOfCommand(c.command)), Utf16ToUtf8(c.want));
  }
}

TEST(IsKnownTag, KnowsEveryStageInAnyLetterCase) {
  EXPECT_TRUE(IsKnownTag(u"<flushdns>"));
  EXPECT_TRUE(IsKnownTag(u"<RunScfScan>"));
  EXPECT_TRUE(IsKnownTag(u"<DisableAutoUpgradeToWindows11>"));
  EXPECT_TRUE(IsKnownTag(u"<EnableAutoUpgradeToWindows11>"));
  EXPECT_FALSE(IsKnownTag(u"<FlushDNS"));
  EXPECT_FALSE(IsKnownTag(u"<FlushDNSCache>"));
}

}  // namespace
}  // namespace kva
