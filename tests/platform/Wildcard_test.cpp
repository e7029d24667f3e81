#include "platform/Wildcard.h"

#include <gtest/gtest.h>

namespace kva {
namespace {

TEST(Wildcard, MatchesLongNamesTheWayWindowsDoes) {
  struct Case {
    const char* name;
    std::u16string_view pattern, file;
    bool want;
  };
  const Case cases[] = {
      {"log with one more character", u"kva_*.LOG?", u"kva_settings.dat.LOG1", true},
      {"trailing ? may match nothing", u"kva_*.LOG?", u"kva_settings.dat.LOG", true},
      {"trailing ? is one character at most", u"kva_*.LOG?", u"kva_settings.dat.LOG12", false},
      {"case-insensitive", u"kva_*.LOG?", u"KVA_Settings.DAT.log2", true},
      {"other prefix", u"kva_*.LOG?", u"old_settings.dat.LOG1", false},
      {"star takes everything", u"*", u".hidden", true},
      {"star-dot-star takes names without a period", u"*.*", u"LICENSE", true},
      {"extension must end the name", u"*.txt", u"notes.txt.bak", false},
      {"extension", u"*.TXT", u"notes.txt", true},
      {"no short-name leak", u"*.LOG", u"kva_settings.dat.LOG1", false},
      {"final star-dot: no extension", u"*.", u"README", true},
      {"final star-dot refuses an extension", u"*.", u"read.me", false},
      {"? is exactly one inside a name", u"a?c", u"ac", false},
      {"? does not take a period", u"a?c", u"a.c", false},
      {"? takes one character", u"a?c", u"abc", true},
      {"?? before a period: up to two", u"file??.*", u"file.txt", true},
      {"?? before a period: two", u"file??.*", u"file12.txt", true},
      {"?? before a period: not three", u"file??.*", u"file123.txt", false},
      {"dot-? also without the period", u"readme.?", u"readme", true},
      {"dot-? one character", u"readme.?", u"readme.1", true},
      {"dot-? not two", u"readme.?", u"readme.12", false},
      {"star spans periods", u"a*.b*", u"a.b.c", true},
      {"literal name", u"Setup.exe", u"SETUP.EXE", true},
      {"literal name differs", u"Setup.exe", u"Setup.exe1", false},
      {"beyond ASCII", u"ÉCOLE*", u"école.txt", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MatchesWildcard(c.file, c.pattern), c.want);
  }
}

TEST(Wildcard, StaysLinearOnPathologicalPatterns) {
  const std::u16string pattern = std::u16string(200, u'*') + u"b";
  const std::u16string name(5000, u'a');
  EXPECT_FALSE(MatchesWildcard(name, pattern));
  EXPECT_TRUE(MatchesWildcard(name + u"b", pattern));
}

TEST(Wildcard, KnowsWildcards) {
  EXPECT_TRUE(HasWildcard(u"kva_*.LOG"));
  EXPECT_TRUE(HasWildcard(u"a?"));
  EXPECT_FALSE(HasWildcard(u"C:\\Kelvara tools\\kva_tools.dat"));
}

}  // namespace
}  // namespace kva
