// The file-system contract against the real Win32 calls, in a scratch
// folder of its own under the temporary folder.
#include <windows.h>

#include <atomic>

#include "platform/FileDeletion.h"
#include "platform/Text.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"
#include "platform/FileSystemContract.h"

namespace kva::win32 {
namespace {

std::u16string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  wchar_t longForm[MAX_PATH + 1];
  const DWORD longLength = ::GetLongPathNameW(buffer, longForm, MAX_PATH + 1);
  return longLength > 0 && longLength <= MAX_PATH ? FromWide(longForm, longLength)
                                                  : FromWide(buffer, length);
}

// Clears read-only attributes on the way, so that what a test left behind goes.
void RemoveTree(FileSystem& fs, const std::u16string& folder) {
  for (const auto& entry : fs.Find(folder + u"\\*")) {
    const std::u16string path = folder + u"\\" + entry.name;
    if (entry.attributes & attr::kDirectory) {
      RemoveTree(fs, path);
    } else {
      fs.SetAttributes(path, attr::kNormal);
      fs.RemoveFile(path);
    }
  }
  fs.RemoveFolder(folder);
}

class Win32Scratch final : public FileSystemScratch {
 public:
  Win32Scratch() : previous_(files_.CurrentFolder()) {
    static std::atomic<unsigned> counter{0};
    root_ = TempFolder() + u"kva_contract_" + ToDecimal(::GetCurrentProcessId()) + u"_" +
            ToDecimal(counter++);
    files_.CreateFolders(root_);
  }
  ~Win32Scratch() override {
    files_.SetCurrentFolder(previous_);
    RemoveTree(files_, root_);
  }
  FileSystem& Files() override { return files_; }
  std::u16string Root() override { return root_; }

 private:
  Win32FileSystem files_;
  std::u16string previous_;
  std::u16string root_;
};

INSTANTIATE_TEST_SUITE_P(Win32, FileSystemContract,
                         ::testing::Values(FileSystemBackend{
                             "Win32", [] { return std::make_unique<Win32Scratch>(); }}),
                         BackendName);

TEST(Win32FileSystem, ScratchFolderIsCleanedUp) {
  std::u16string root;
  {
    Win32Scratch scratch;
    root = scratch.Root();
    ASSERT_TRUE(IsFolder(scratch.Files(), root));
    ASSERT_TRUE(scratch.Files().CreateFolders(root + u"\\a\\b"));
  }
  Win32FileSystem fs;
  EXPECT_FALSE(Exists(fs, root));
}

// The deletion service on real files: attributes that block a removal, a
// tree, and a file in use, which only the restart can take.
TEST(Win32FileSystem, DeletionServiceRemovesMatchesTreesAndSchedulesFilesInUse) {
  Win32Scratch scratch;
  FileSystem& fs = scratch.Files();
  const std::u16string root = scratch.Root();
  const auto write = [&](std::u16string_view name, std::uint32_t attributes) {
    const std::u16string path = root + u"\\" + std::u16string(name);
    ASSERT_TRUE(fs.WriteAll(path, std::vector<std::uint8_t>{'x'}));
    ASSERT_TRUE(fs.SetAttributes(path, attributes));
  };
  ASSERT_TRUE(fs.CreateFolders(root + u"\\tool.txt\\deep"));
  write(u"a.txt", attr::kReadOnly);
  write(u"b.txt", attr::kHidden | attr::kSystem);
  write(u"keep.log", attr::kNormal);
  write(u"tool.txt\\deep\\index.dat", attr::kReadOnly | attr::kHidden);

  EXPECT_TRUE(DeleteItems(fs, root + u"\\*.txt", deletion::kTakeOwnershipWhenRefused));
  std::vector<std::u16string> left;
  for (const auto& found : fs.Find(root + u"\\*")) left.push_back(found.name);
  EXPECT_EQ(left, std::vector<std::u16string>{u"keep.log"});

  // Opened without delete sharing: DeleteFileW fails with a sharing violation.
  const std::u16string inUse = root + u"\\keep.log";
  UniqueKernelHandle held(::CreateFileW(Wide(inUse).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.IsValid());
  EXPECT_FALSE(DeleteItems(fs, inUse, 0));
  EXPECT_TRUE(DeleteItems(fs, inUse, deletion::kAtRestartWhenRefused));
  EXPECT_TRUE(Exists(fs, inUse)) << "until the restart";
  held.Reset();
  EXPECT_TRUE(DeleteItems(fs, inUse, 0));
  EXPECT_FALSE(Exists(fs, inUse));
}

}  // namespace
}  // namespace kva::win32
