#include "app/DescriptionTip.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;

TEST(DescriptionTipTextTest, TheNoteNeedsAnUninstallCommandOfMoreThanFourCharacters) {
  struct Case {
    const char* name;
    std::u16string_view description;
    std::u16string_view uninstallCmd;
    std::u16string want;
  };
  const std::u16string note(kInstallNote);
  const Case cases[] = {
      {"portable", u"Scans", u"", u"Scans"},
      {"three characters", u"Scans", u"abc", u"Scans"},
      {"four characters", u"Scans", u"abcd", u"Scans"},
      {"five characters", u"Scans", u"abcde", u"Scans" + note},
      {"nothing to say", u"", u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DescriptionTipText(c.description, c.uninstallCmd), c.want);
  }
}

class DescriptionTipTest : public ToolListFixture {};

TEST_F(DescriptionTipTest, TheTipComesFromTheEntrysRecordWhenTipsAreOn) {
  struct Case {
    const char* name;
    std::u16string_view entry;
    std::uint32_t optionsFlag;
    std::u16string want;
  };
  const Case cases[] = {
      {"an installer", u"WinZIP Installer", options::kDefault,
       u"Compresses files" + std::u16string(kInstallNote)},
      {"a three-character uninstall command", u"Short Uninstall", options::kDefault,
       u"Removes itself"},
      {"a favourite's record is in its origin group", u"Favourite One", options::kDefault,
       u"Liked a lot"},
      {"no description", u"My Own Tool", options::kDefault, u""},
      {"tooltips off", u"7-Zip Portable", options::kDefault & ~options::kShowTooltips, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DescriptionTip(registry, list.Entry(IndexOf(c.entry)), c.optionsFlag), c.want);
  }
}

}  // namespace
}  // namespace kva
