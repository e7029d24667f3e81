// Any bytes as a ZIP archive, extracted with a password on a fake drive.
// Whatever happens, nothing may land outside the destination, and only a
// failed write may leave anything behind when the extraction fails.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "operations/ZipExtraction.h"
#include "platform/Text.h"

namespace {

constexpr std::u16string_view kArchive = u"C:\\Downloads\\fuzz.zip";
constexpr std::u16string_view kDestination = u"C:\\Tools\\fuzz";

// Every path on drive C: outside the downloads folder.
void Collect(kva::FakeFileSystem& files, const std::u16string& folder,
             std::vector<std::u16string>& paths) {
  for (const auto& found : files.Find(folder + u"\\*")) {
    const std::u16string path = folder + u"\\" + found.name;
    if (kva::EqualsNoCase(path, u"C:\\Downloads")) continue;
    paths.push_back(path);
    if (found.attributes & kva::attr::kDirectory) Collect(files, path, paths);
  }
}

bool Inside(std::u16string_view path) {
  return kva::EqualsNoCase(path, u"C:\\Tools") || kva::EqualsNoCase(path, kDestination) ||
         kva::StartsWithNoCase(path, std::u16string(kDestination) + u"\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kva::FakeFileSystem files;
  if (!files.CreateFolders(u"C:\\Downloads") ||
      !files.WriteAll(kArchive, std::vector<std::uint8_t>(data, data + size))) {
    std::abort();
  }
  const auto result = kva::ExtractZip(files, kArchive, kDestination, u"pw");
  std::vector<std::u16string> paths;
  Collect(files, u"C:", paths);
  const bool mayLeaveFiles = result || result.error().error == kva::ZipError::kWriteFailed;
  if (!mayLeaveFiles && !paths.empty()) std::abort();
  for (const auto& path : paths) {
    if (!Inside(path)) std::abort();
  }
  return 0;
}
