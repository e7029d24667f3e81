#include "platform/HiveFiles.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "fakes/RecordingPump.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

constexpr std::u16string_view kTarget = u"C:\\Kit\\Kelvara tools\\kva_settings.dat";
constexpr std::u16string_view kWorkingCopy = u"C:\\Temp\\kva_settings.dat";

FakeKey Tree(std::u16string_view marker) {
  FakeKey root;
  root.name = u"root";
  root.values.push_back({u"Marker", StringValue(reg::kSz, marker)});
  root.subkeys.push_back({u"5", {{u"0", StringValue(reg::kSz, u"Some tool name")}}, {}});
  return root;
}

std::optional<std::u16string> MarkerOf(const std::optional<FakeKey>& tree) {
  if (!tree || tree->values.empty()) return std::nullopt;
  const auto& data = tree->values[0].value.data;
  std::u16string text(reinterpret_cast<const char16_t*>(data.data()), data.size() / 2);
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

class SafeHiveSave : public ::testing::Test {
 protected:
  void SetUp() override {
    files.CreateFolders(u"C:\\Kit\\Kelvara tools");
    files.CreateFolders(u"C:\\Temp");
    registry.WriteHiveFile(kTarget, Tree(u"old"));
    files.SetAttributes(kTarget, attr::kHidden);
    registry.WriteHiveFile(kWorkingCopy, Tree(u"old"));
    ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_settings", kWorkingCopy), 0);
    ASSERT_TRUE(WriteStringAt(registry, u"HKLM\\kva_settings", u"Marker", reg::kSz, u"new"));
  }

  bool Save() {
    return SaveKeyToFileSafely(registry, files, pump, u"HKLM\\kva_settings", kTarget);
  }

  FakeFileSystem files;
  FakeRegistry registry{files};
  RecordingPump pump;
};

// Whatever step the save stops at, the settings file is complete: the old
// one or the new one.
TEST_F(SafeHiveSave, AStopAtAnyStepLeavesTheOldOrTheNewFile) {
  const auto pending = PendingHivePath(kTarget);
  struct Case {
    const char* name;
    std::function<void()> stop;
    const char16_t* want;
  };
  const Case cases[] = {
      {"no stop", [] {}, u"new"},
      {"stale pending file cannot be removed",
       [&] {
         registry.WriteUnreadableHiveFile(pending);
         files.FailNext(FakeFileSystem::Call::kRemoveFile, pending);
       },
       u"old"},
      {"registry save fails",
       [&] { registry.FailNext(FakeRegistry::Call::kSaveHive, 5); }, u"old"},
      {"save torn half-way", [&] { files.TearNextWrite(pending, 20); }, u"old"},
      {"replacement fails", [&] { files.FailNext(FakeFileSystem::Call::kMoveTo, pending); },
       u"old"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    registry.RemoveHiveFile(kTarget);
    registry.WriteHiveFile(kTarget, Tree(u"old"));
    files.SetAttributes(kTarget, attr::kHidden);
    c.stop();
    const bool saved = Save();
    EXPECT_EQ(saved, std::u16string_view(c.want) == u"new");
    EXPECT_EQ(MarkerOf(registry.ReadHiveFile(kTarget)), std::u16string(c.want));
    EXPECT_NE(files.Attributes(kTarget) & attr::kHidden, 0u);
  }
}

TEST_F(SafeHiveSave, AStalePendingFileFromACrashIsReplaced) {
  registry.WriteUnreadableHiveFile(PendingHivePath(kTarget));
  ASSERT_TRUE(Save());
  EXPECT_EQ(MarkerOf(registry.ReadHiveFile(kTarget)), u"new");
  EXPECT_FALSE(Exists(files, PendingHivePath(kTarget)));
}

TEST_F(SafeHiveSave, FallsBackToTheWorkingCopyWhenTheRegistryCannotSave) {
  registry.FailNext(FakeRegistry::Call::kSaveHive, 5);
  ASSERT_TRUE(SaveKeyToFileSafely(registry, files, pump, u"HKLM\\kva_settings", kTarget,
                                  u"C:\\Temp\\kva_settings.dat"));
  // The working copy holds what was loaded, not the change made since.
  EXPECT_EQ(MarkerOf(registry.ReadHiveFile(kTarget)), u"old");
}

TEST(BuildHiveFile, TurnsRegTextIntoAHiveAndCleansUp) {
  FakeFileSystem files;
  FakeRegistry registry{files};
  RecordingPump pump;
  files.CreateFolders(u"C:\\Kit");
  const std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\kva_default_tools]\r\n\"Version\"=dword:000001fd\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\kva_default_tools\\5]\r\n\"GroupImage\"=dword:000000ea\r\n";
  constexpr std::u16string_view kScratch = u"HKLM\\SOFTWARE\\Kelvara\\Built-in hive";
  ASSERT_TRUE(BuildHiveFile(registry, files, pump, text, kScratch, u"C:\\Kit\\kva_tools.dat"));
  const auto tree = registry.ReadHiveFile(u"C:\\Kit\\kva_tools.dat");
  ASSERT_TRUE(tree);
  ASSERT_EQ(tree->subkeys.size(), 1u);
  EXPECT_EQ(tree->subkeys[0].name, u"5");
  EXPECT_FALSE(PathExists(registry, kScratch));

  const auto broken = BuildHiveFile(registry, files, pump, u"REGEDIT4\r\n\"x\"=\"y\"\r\n", kScratch,
                                    u"C:\\Kit\\broken.dat");
  ASSERT_FALSE(broken);
  EXPECT_NE(broken.error().find(u"line 2"), std::u16string::npos);
  EXPECT_FALSE(Exists(files, u"C:\\Kit\\broken.dat"));
  EXPECT_FALSE(PathExists(registry, kScratch));
}

}  // namespace
}  // namespace kva
