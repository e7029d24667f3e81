#include "operations/ZipEntryPath.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

TEST(ZipEntryPath, KeepsNamesInsideTheDestinationAndRefusesTheRest) {
  struct Case {
    std::string_view raw;
    bool utf8;
    std::optional<std::u16string_view> want;  // relative path, or refused
    bool isFolder = false;
  };
  const Case cases[] = {
      {"tool.exe", false, u"tool.exe"},
      {"bin/x64/tool.exe", false, u"bin\\x64\\tool.exe"},
      {"bin\\tool.exe", false, u"bin\\tool.exe"},
      {"docs/", false, u"docs", true},
      {"a..b/c...d.txt", false, u"a..b\\c...d.txt"},
      {".hidden", false, u".hidden"},
      {"console.txt", false, u"console.txt"},
      {"COM10.txt", false, u"COM10.txt"},
      {"caf\x82.txt", false, u"café.txt"},           // code page 437
      {"caf\xc3\xa9.txt", true, u"café.txt"},        // UTF-8 bit
      {"caf\xc3.txt", true, std::nullopt},            // cut UTF-8 sequence
      {"", false, std::nullopt},
      {"/", false, std::nullopt},
      {"../evil.exe", false, std::nullopt},
      {"..\\evil.exe", false, std::nullopt},
      {"bin/../../evil.exe", false, std::nullopt},
      {"bin/..", false, std::nullopt},
      {"./tool.exe", false, std::nullopt},
      {"/Windows/evil.exe", false, std::nullopt},
      {"\\Windows\\evil.exe", false, std::nullopt},
      {"//server/share/evil.exe", false, std::nullopt},
      {"C:evil.exe", false, std::nullopt},
      {"C:/Windows/evil.exe", false, std::nullopt},
      {"c:\\evil.exe", false, std::nullopt},
      {"tool.exe:stream", false, std::nullopt},
      {"bin//tool.exe", false, std::nullopt},
      {"tool.exe.", false, std::nullopt},
      {"tool.exe ", false, std::nullopt},
      {"...", false, std::nullopt},
      {"a?b.txt", false, std::nullopt},
      {"a*b.txt", false, std::nullopt},
      {"a|b.txt", false, std::nullopt},
      {"a\"b.txt", false, std::nullopt},
      {"a<b>.txt", false, std::nullopt},
      {"tab\there.txt", false, std::nullopt},
      {"CON", false, std::nullopt},
      {"bin/nul.txt", false, std::nullopt},
      {"Aux .log", false, std::nullopt},
      {"lpt1", false, std::nullopt},
      {"COM\xfd.txt", false, std::nullopt},  // COM with superscript two
      {"conin$", false, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.raw));
    const auto got = SafeZipEntryPath(c.raw, c.utf8);
    ASSERT_EQ(got.has_value(), c.want.has_value());
    if (!got) continue;
    EXPECT_EQ(Utf16ToUtf8(got->relative), Utf16ToUtf8(*c.want));
    EXPECT_EQ(got->isFolder, c.isFolder);
  }
}

}  // namespace
}  // namespace kva
