#include "app/BulkTicks.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;

class BulkTicksTest : public ToolListFixture {
 protected:
  void SetUp() override { Fresh(); }
  // Ticks are saved as they change: every case starts from clean hives.
  void Fresh() {
    ClearHives();
    Import(kToolHives);
    // A favourite without GroupId resolves to no record at all.
    Import(uR"(
[HKLM\kva_settings\1]
"2"="Lost Favourite"
[HKLM\kva_settings\1\Lost Favourite]
)");
    Reload();
  }
};

TEST_F(BulkTicksTest, EachCommandTicksItsEntriesAndTheRecordOnesNeverUntick) {
  struct Case {
    const char* name;
    BulkTick command;
    std::optional<std::u16string_view> highlighted;
    std::vector<std::u16string> want;  // WinZIP and Repair Echo are ticked before
  };
  const Case cases[] = {
      {"portable", BulkTick::Portable, std::nullopt,
       Names({u"Favourite One", u"Own Favourite", u"My Own Tool", u"7-Zip Portable",
              u"WinZIP Installer", u"Repair Delta", u"Repair Echo",
              u"1-Auto-logon the current user"})},
      {"installing", BulkTick::Installing, std::nullopt,
       Names({u"WinZIP Installer", u"Short Uninstall", u"Repair Echo"})},
      {"all in the group", BulkTick::GroupAll, u"Short Uninstall",
       Names({u"7-Zip Portable", u"WinZIP Installer", u"Short Uninstall", u"Repair Echo"})},
      {"none in the group", BulkTick::GroupNone, u"Repair Delta", Names({u"WinZIP Installer"})},
      {"a group command without a highlight", BulkTick::GroupNone, std::nullopt,
       Names({u"WinZIP Installer", u"Repair Echo"})},
      {"none", BulkTick::None, std::nullopt, Names({})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    Tick({u"WinZIP Installer", u"Repair Echo"});
    std::optional<std::size_t> highlighted;
    if (c.highlighted) highlighted = IndexOf(*c.highlighted);
    const auto result =
        ApplyBulkTick(c.command, list, state, registry, options::kDefault, highlighted);
    EXPECT_EQ(result.unsaved, 0u);
    EXPECT_EQ(Ticked(), c.want);
  }
}

TEST_F(BulkTicksTest, ChangedTicksAreSavedLikeClicks) {
  Tick({u"WinZIP Installer"});
  EXPECT_EQ(ApplyBulkTick(BulkTick::All, list, state, registry, options::kDefault, {}),
            (BulkTickResult{list.EntryCount() - 1, 0}));
  EXPECT_EQ(Dword(u"5\\7-Zip Portable", u"State"), 1u);
  EXPECT_FALSE(Dword(u"5\\WinZIP Installer", u"State")) << "it did not change";

  EXPECT_EQ(ApplyBulkTick(BulkTick::None, list, state, registry,
                          options::kDefault & ~options::kSaveTicks, {}),
            (BulkTickResult{list.EntryCount(), 0}));
  EXPECT_EQ(Dword(u"5\\7-Zip Portable", u"State"), 1u) << "ticks are not saved";

  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_EQ(ApplyBulkTick(BulkTick::All, list, state, registry, options::kDefault, {}),
            (BulkTickResult{list.EntryCount(), 1}))
      << "one write refused";
  EXPECT_EQ(Ticked().size(), list.EntryCount()) << "the ticks stay for this session";
}

}  // namespace
}  // namespace kva
