// The file-system contract against the real Win32 calls, in a scratch
// folder of its own under the temporary folder.
#include <windows.h>

#include <atomic>

#include "platform/Text.h"
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

}  // namespace
}  // namespace kva::win32
