// The layer's pure parts, and what only the fake can show: handles left
// open, injected failures, a delete aimed at a whole root.
#include "platform/RegistryAccess.h"

#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "fakes/RecordingPump.h"
#include "platform/Text.h"

namespace kva {
namespace {

using namespace std::string_view_literals;

TEST(ParseRoot, SplitsRootViewAndSubkey) {
  struct Case {
    const char* name;
    std::u16string_view path;
    KeyHandle root;
    std::uint32_t view;
    std::u16string_view rest;
  };
  const Case cases[] = {
      {"short root", u"HKLM\\SOFTWARE\\X", reg::kLocalMachine, 0, u"SOFTWARE\\X"},
      {"long root", u"HKEY_CURRENT_USER\\Software", reg::kCurrentUser, 0, u"Software"},
      {"lower case 32", u"hklm32\\SOFTWARE\\Microsoft", reg::kLocalMachine, reg::kWow64_32,
       u"SOFTWARE\\Microsoft"},
      {"long root 64", u"HKEY_CLASSES_ROOT64\\.txt", reg::kClassesRoot, reg::kWow64_64, u".txt"},
      {"root alone", u"HKU", reg::kUsers, 0, u""},
      {"root and backslash", u"HKCC\\", reg::kCurrentConfig, 0, u""},
      {"suffix only on the first part", u"HKCU\\Software64", reg::kCurrentUser, 0, u"Software64"},
      {"unknown root", u"HKXX\\Software", reg::kNoKey, 0, u"HKXX\\Software"},
      {"unknown with suffix", u"HKLM6\\Software", reg::kNoKey, 0, u"HKLM6\\Software"},
      {"HKLMALL is not a root", u"HKLMALL\\Software", reg::kNoKey, 0, u"HKLMALL\\Software"},
      {"empty", u"", reg::kNoKey, 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string path(c.path);
    std::uint32_t access = reg::kRead;
    EXPECT_EQ(ParseRoot(path, access), c.root);
    EXPECT_EQ(access, reg::kRead | c.view);
    EXPECT_EQ(path, c.rest);
  }
}

TEST(SecurityObjectName, MapsRootsAndTheThirtyTwoBitView) {
  struct Case {
    const char* name;
    std::u16string_view path, want;
  };
  const Case cases[] = {
      {"machine", u"HKLM\\SOFTWARE\\X", u"MACHINE\\SOFTWARE\\X"},
      {"machine long 64", u"HKEY_LOCAL_MACHINE64\\SYSTEM", u"MACHINE\\SYSTEM"},
      {"root alone", u"HKLM", u"MACHINE"},
      {"32-bit under SOFTWARE", u"HKLM32\\SOFTWARE\\Vendor\\App",
       u"MACHINE\\SOFTWARE\\WOW6432Node\\Vendor\\App"},
      {"32-bit SOFTWARE itself", u"hklm32\\software", u"MACHINE\\SOFTWARE\\WOW6432Node"},
      {"32-bit path already in WOW6432Node", u"HKLM32\\SOFTWARE\\WOW6432Node\\App",
       u"MACHINE\\SOFTWARE\\WOW6432Node\\App"},
      {"32-bit outside SOFTWARE", u"HKEY_LOCAL_MACHINE32\\SYSTEM\\X", u"MACHINE\\SYSTEM\\X"},
      {"32-bit, a longer name than SOFTWARE", u"HKLM32\\SOFTWAREX", u"MACHINE\\SOFTWAREX"},
      {"classes 64", u"HKCR64\\.txt", u"CLASSES_ROOT\\.txt"},
      {"current user", u"HKEY_CURRENT_USER\\Software", u"CURRENT_USER\\Software"},
      {"users", u"HKU\\.DEFAULT", u"USERS\\.DEFAULT"},
      {"machine name skipped", u"\\\\PC-01\\HKLM\\SOFTWARE", u"MACHINE\\SOFTWARE"},
      {"machine name only", u"\\\\PC-01", u""},
      {"current config has no name", u"HKCC\\System", u""},
      {"32-bit current user has no name", u"HKCU32\\Software", u""},
      {"unknown root", u"HKXX\\Software", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SecurityObjectName(c.path), c.want);
  }
}

TEST(RegKey, OwnsOneHandle) {
  FakeRegistry registry;
  RegKey first(registry);
  ASSERT_TRUE(Open(first, u"HKCU\\Software", reg::kRead));
  RegKey second = std::move(first);
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(registry.OpenHandleCount(), 1u);
  ASSERT_TRUE(Open(first, u"HKCU\\Software", reg::kRead));
  second = std::move(first);  // the handle second held is closed
  EXPECT_EQ(registry.OpenHandleCount(), 1u);
  const KeyHandle detached = second.Detach();
  second.Reset(reg::kLocalMachine);  // predefined roots are never closed
  second.Reset();
  EXPECT_EQ(registry.OpenHandleCount(), 1u);
  registry.CloseKey(detached);
  // A failed open does not leave the key on what it held before.
  ASSERT_TRUE(Open(second, u"HKCU\\Software", reg::kRead));
  EXPECT_FALSE(Open(second, u"HKCU\\Software\\Missing", reg::kRead));
  EXPECT_FALSE(second.IsOpen());
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// Open handles would keep a hive from unloading.
TEST(RegistryAccess, LeavesNoHandleOpen) {
  FakeRegistry registry;
  RecordingPump pump;
  ASSERT_TRUE(WriteDwordAt(registry, u"HKCU\\Software\\A\\B", u"v", 1));
  ASSERT_TRUE(WriteStringAt(registry, u"HKCU\\Software\\A", u"s", reg::kSz, u"x"));
  EXPECT_EQ(CopyTree(registry, u"HKCU\\Software\\A", u"HKCU\\Software\\C", pump), 2u);
  EXPECT_TRUE(PathExists(registry, u"HKCU\\Software\\C\\B", u"v"sv));
  EXPECT_TRUE(KeyExists(registry, reg::kCurrentUser, u"Software\\C"));
  EXPECT_TRUE(ResetKeySecurity(registry, u"HKCU\\Software\\C"));
  EXPECT_TRUE(ForceSetValue(registry, u"HKCU\\Software\\C", u"w", DwordValue(2)));
  RegKey key(registry);
  EXPECT_TRUE(ForceDelete(key, u"HKCU\\Software\\C", u"w"sv));
  EXPECT_TRUE(DeleteValueAt(key, u"HKCU\\Software\\C\\B", u"v"sv));
  EXPECT_TRUE(DeleteTree(key, u"HKCU\\Software\\A"));
  EXPECT_TRUE(ForceDelete(key, u"HKCU\\Software\\C"));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(RegistryAccess, RefusesToDeleteAWholeRoot) {
  FakeRegistry registry;
  ASSERT_TRUE(WriteDwordAt(registry, u"HKCU\\Software\\Keep", u"v", 1));
  RegKey key(registry);
  for (const auto path : {u"HKCU"sv, u"HKCU\\"sv, u"HKEY_CURRENT_USER32"sv}) {
    SCOPED_TRACE(Utf16ToUtf8(path));
    EXPECT_FALSE(DeleteTree(key, path));
    EXPECT_FALSE(ForceDelete(key, path));
    EXPECT_FALSE(DeleteValueAt(key, path, std::nullopt));
  }
  EXPECT_TRUE(PathExists(registry, u"HKCU\\Software\\Keep", u"v"sv));
}

TEST(RegistryAccess, FailedPortCallsLeaveClearedOutputs) {
  FakeRegistry registry;
  ASSERT_TRUE(WriteStringAt(registry, u"HKCU\\Software\\A", u"s", reg::kSz, u"x"));
  RegKey key(registry);
  ASSERT_TRUE(Open(key, u"HKCU\\Software\\A", reg::kRead));
  registry.FailNext(FakeRegistry::Call::kQueryValue, reg::kAccessDenied);
  std::u16string text = u"stale";
  EXPECT_FALSE(ReadString(key, u"s", text));
  EXPECT_EQ(text, u"");
  registry.FailNext(FakeRegistry::Call::kQueryInfo, reg::kAccessDenied);
  EXPECT_EQ(ValueCount(key), 0u);
  EXPECT_EQ(ValueCount(key), 1u);  // only the next call failed
  registry.FailNext(FakeRegistry::Call::kSaveHive, reg::kAccessDenied);
  RecordingPump pump;
  EXPECT_FALSE(SaveKey(key, u"C:\\a.hiv", pump));
  EXPECT_FALSE(registry.HiveFileExists(u"C:\\a.hiv"));
}

TEST(RegistryAccess, CopyTreeCountsOnlyValuesWritten) {
  FakeRegistry registry;
  RecordingPump pump;
  for (const auto name : {u"a", u"b", u"c"}) {
    ASSERT_TRUE(WriteDwordAt(registry, u"HKCU\\Software\\From", name, 1));
  }
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_EQ(CopyTree(registry, u"HKCU\\Software\\From", u"HKCU\\Software\\To", pump), 2u);
}

// Windows behaviour the Wine run cannot confirm, because Wine differs.
TEST(FakeRegistry, FollowsWindowsWhereWineDiffers) {
  FakeRegistry registry;
  RegKey key(registry);
  for (const auto name : {u"A_B", u"AB", u"Ab2"}) {
    ASSERT_TRUE(Open(key, u"HKCU\\Software\\Order\\" + std::u16string(name), kOpenOrCreate));
  }
  ASSERT_TRUE(Open(key, u"HKCU\\Software\\Order", reg::kRead));
  std::u16string names;
  std::u16string name;
  for (std::uint32_t i = 0; EnumKey(key, i, name); ++i) names += name + u' ';
  EXPECT_EQ(names, u"AB Ab2 A_B ");  // upper-cased comparison puts '_' after letters
  key.Reset();

  KeyHandle handle = reg::kNoKey;
  EXPECT_EQ(registry.CreateKey(reg::kLocalMachine, u"kva_direct", 0, reg::kAllAccess, handle),
            reg::kAccessDenied);
  EXPECT_EQ(registry.CreateKey(reg::kUsers, u"kva_direct", 0, reg::kAllAccess, handle),
            reg::kAccessDenied);
  EXPECT_EQ(registry.RemoveKey(reg::kLocalMachine, u"HARDWARE", 0), reg::kAccessDenied);

  registry.WriteHiveFile(u"C:\\h.hiv", FakeKey{u"Root", {{u"v", DwordValue(1)}}, {}});
  EXPECT_EQ(registry.LoadHive(reg::kCurrentUser, u"kva_h", u"C:\\h.hiv"), reg::kInvalidParameter);
  EXPECT_EQ(registry.LoadHive(reg::kLocalMachine, u"SOFTWARE\\kva_h", u"C:\\h.hiv"),
            reg::kInvalidParameter);
  ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_h", u"C:\\h.hiv"), reg::kSuccess);
  EXPECT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_h2", u"C:\\H.HIV"), reg::kSharingViolation);
  EXPECT_EQ(registry.RemoveKey(reg::kLocalMachine, u"kva_h", 0), reg::kAccessDenied);
  EXPECT_FALSE(registry.RemoveHiveFile(u"C:\\h.hiv"));  // in use
  EXPECT_EQ(registry.UnloadHive(reg::kCurrentUser, u"Software"), reg::kInvalidParameter);
  EXPECT_EQ(registry.UnloadHive(reg::kLocalMachine, u"SOFTWARE"), reg::kAccessDenied);
  ASSERT_TRUE(WriteDwordAt(registry, u"HKLM\\kva_h\\Sub", u"w", 2));
  ASSERT_EQ(registry.UnloadHive(reg::kLocalMachine, u"kva_h"), reg::kSuccess);
  const auto file = registry.ReadHiveFile(u"C:\\h.hiv");  // unload wrote the changes back
  ASSERT_TRUE(file);
  ASSERT_EQ(file->subkeys.size(), 1u);
  EXPECT_EQ(file->subkeys[0], (FakeKey{u"Sub", {{u"w", DwordValue(2)}}, {}}));

  registry.WriteUnreadableHiveFile(u"C:\\bad.hiv");
  EXPECT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_bad", u"C:\\bad.hiv"), reg::kBadFormat);
  EXPECT_FALSE(registry.Snapshot(reg::kLocalMachine, u"kva_bad"));
}

TEST(FakeRegistry, ClassesRootIsTheMachinesClasses) {
  FakeRegistry registry;
  ASSERT_TRUE(WriteStringAt(registry, u"HKCR\\.kva", u"", reg::kSz, u"Kelvara.Selection"));
  EXPECT_TRUE(PathExists(registry, u"HKLM\\SOFTWARE\\Classes\\.kva", u""sv));
  EXPECT_FALSE(PathExists(registry, u"HKCU\\Software\\Classes\\.kva"));
}

}  // namespace
}  // namespace kva
