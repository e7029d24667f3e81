#include "operations/SevenZipCommand.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kSevenZip = u"C:\\Kit\\Kelvara tools\\7za.exe";

TEST(SevenZipCommand, QuotesEveryPartAndRefusesWhatCannotBeQuoted) {
  struct Case {
    const char* name;
    std::u16string_view archive, destination, password;
    std::optional<std::u16string_view> want;
  };
  const Case cases[] = {
      {"no password", u"C:\\T\\a.zip", u"C:\\T\\a", u"",
       u"\"C:\\Kit\\Kelvara tools\\7za.exe\" x  -y -r \"C:\\T\\a.zip\" -o\"C:\\T\\a\""},
      {"password", u"C:\\T\\a.7z", u"C:\\T\\a", u"s3cret",
       u"\"C:\\Kit\\Kelvara tools\\7za.exe\" x  -y -r \"C:\\T\\a.7z\" -o\"C:\\T\\a\" -p\"s3cret\""},
      {"password with blanks and a dash", u"C:\\T\\a.zip", u"C:\\T\\a", u"two words -o C:\\",
       u"\"C:\\Kit\\Kelvara tools\\7za.exe\" x  -y -r \"C:\\T\\a.zip\" -o\"C:\\T\\a\" "
       u"-p\"two words -o C:\\\""},
      {"blanks in the paths", u"C:\\My Tools\\b c.zip", u"C:\\My Tools\\b c", u"",
       u"\"C:\\Kit\\Kelvara tools\\7za.exe\" x  -y -r \"C:\\My Tools\\b c.zip\" "
       u"-o\"C:\\My Tools\\b c\""},
      {"password with a double quote", u"C:\\T\\a.zip", u"C:\\T\\a", u"pa\"ss", std::nullopt},
      {"archive with a double quote", u"C:\\T\\\" -pX a.zip", u"C:\\T\\a", u"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = SevenZipExtractCommand(kSevenZip, c.archive, c.destination, c.password);
    ASSERT_EQ(got.has_value(), c.want.has_value());
    if (got) {
      EXPECT_EQ(Utf16ToUtf8(*got), Utf16ToUtf8(*c.want));
    }
  }
}

}  // namespace
}  // namespace kva
