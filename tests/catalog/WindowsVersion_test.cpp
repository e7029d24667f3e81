#include "catalog/WindowsVersion.h"

#include <gtest/gtest.h>

#include "fakes/FakeEnvironment.h"

namespace kva {
namespace {

TEST(DetectWindowsVersion, UsesTheReportedVersionUpTo62AndVerifiesAboveIt) {
  struct Case {
    const char* name;
    OsVersion reported;
    OsVersion actual;
    WindowsVersion want;
  };
  const Case cases[] = {
      {"XP", {5, 1, 2600}, {5, 1, 2600}, WindowsVersion::Of(5, 1)},
      {"Windows 7", {6, 1, 7601}, {6, 1, 7601}, WindowsVersion::Of(6, 1)},
      {"Windows 8.1 behind the cap", {6, 2, 9200}, {6, 3, 9600}, WindowsVersion::Of(6, 2)},
      {"Windows 8.1 manifested", {6, 3, 9600}, {6, 3, 9600}, WindowsVersion::Of(6, 3)},
      {"Windows 10", {10, 0, 19045}, {10, 0, 19045}, WindowsVersion::Of(10, 0)},
      {"Windows 11 by its build", {10, 0, 22631}, {10, 0, 22631}, WindowsVersion::Of(11, 0)},
      {"a later major version", {12, 0, 100}, {12, 0, 100}, WindowsVersion::Of(11, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeEnvironment environment;
    environment.SetVersion(c.reported, c.actual);
    EXPECT_EQ(DetectWindowsVersion(environment), c.want);
  }
}

TEST(IsWindowsVersionSupported, ComparesWithTheFilter) {
  const auto win7 = WindowsVersion::Of(6, 1), win81 = WindowsVersion::Of(6, 3),
             win10 = WindowsVersion::Of(10, 0), win11 = WindowsVersion::Of(11, 0);
  struct Case {
    const char* name;
    std::u16string_view filter;
    WindowsVersion version;
    bool want;
  };
  const Case cases[] = {
      {"no filter", u"", win10, true},
      {"too short to count", u"10", win7, true},
      {"only blanks", u"    ", win7, true},
      {"exactly 6.1 on 8.1", u"6.1", win81, false},
      {"exactly 6.1 on 7", u"6.1", win7, true},
      {"10.0 on Windows 11", u"10.0", win11, false},
      {"10.0 on Windows 10", u"10.0", win10, true},
      {"7 and later on 8.1", u"6.1-50", win81, true},
      {"7 and later on 11", u"6.1-50.0", win11, true},
      {"XP to 8.1 on 10", u"5.1-6.3", win10, false},
      {"XP to 8.1 on 8.1", u"5.1-6.3", win81, true},
      {"range below the version", u"5.1-6.0", win7, false},
      {"blanks around the parts", u" 6.1 - 12 ", win10, true},
      {"more decimals", u"6.25-6.3", WindowsVersion::Of(6, 2), false},
      {"a word", u"Windows 10", win10, false},
      {"a word as a bound", u"6.1-latest", win10, false},
      {"an empty bound", u"6.1-", win10, false},
      {"three parts", u"5.1-6.1-10.0", win7, false},
      {"a second dot", u"6.1.1", win7, false},
      {"a huge number", u"99999999999999999999-1", win7, false},
      {"a sign", u"+6.1", win7, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsWindowsVersionSupported(c.filter, c.version), c.want);
  }
}

}  // namespace
}  // namespace kva
