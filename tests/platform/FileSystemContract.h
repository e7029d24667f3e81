#pragma once
// The file-system port's contract, one suite for every backend: the fake
// natively, the fake and the Win32 adapter under Wine. A backend hands out
// a file system with an empty scratch folder and removes it afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace kva {

class FileSystemScratch {
 public:
  virtual ~FileSystemScratch() = default;
  virtual FileSystem& Files() = 0;
  // The scratch folder's full path, without a trailing backslash.
  virtual std::u16string Root() = 0;
};

struct FileSystemBackend {
  const char* name;
  std::function<std::unique_ptr<FileSystemScratch>()> make;
  friend void PrintTo(const FileSystemBackend& backend, std::ostream* out) { *out << backend.name; }
};

class FileSystemContract : public ::testing::TestWithParam<FileSystemBackend> {
 protected:
  void SetUp() override { scratch_ = GetParam().make(); }
  void TearDown() override { scratch_.reset(); }

  FileSystem& Fs() { return scratch_->Files(); }
  std::u16string Root() { return scratch_->Root(); }
  std::u16string At(std::u16string_view relative) {
    return scratch_->Root() + u"\\" + std::u16string(relative);
  }
  bool Write(std::u16string_view path, std::string_view text);
  std::string Read(std::u16string_view path);
  std::vector<std::u16string> Names(std::u16string_view pattern);

 private:
  std::unique_ptr<FileSystemScratch> scratch_;
};

std::string BackendName(const ::testing::TestParamInfo<FileSystemBackend>& info);

}  // namespace kva
