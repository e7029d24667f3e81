#include "fakes/FakeFileStreams.h"

namespace kva {
namespace {

// One spelling of each file for the streams' own bookkeeping: "\\?\C:\x" is "C:\x".
std::u16string Plain(std::u16string_view path) {
  if (path.starts_with(u"\\\\?\\")) path.remove_prefix(4);
  return std::u16string(path);
}

}  // namespace

class FakeWriteStream final : public WriteStream {
 public:
  FakeWriteStream(FakeFileStreams& owner, std::u16string path)
      : owner_(owner), path_(std::move(path)) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    return owner_.Append(path_, content_, bytes);
  }

 private:
  FakeFileStreams& owner_;
  std::u16string path_;
  std::string content_;
};

std::unique_ptr<WriteStream> FakeFileStreams::CreateForWriting(std::u16string_view extended) {
  const std::u16string path = Plain(extended);
  std::lock_guard lock(mutex_);
  if (locked_.contains(path) || IsFolder(files_, path)) return nullptr;
  // CreateFileW refuses to truncate a hidden or system file into a normal one.
  const std::uint32_t attributes = files_.Attributes(path);
  if (attributes != attr::kInvalid && (attributes & (attr::kHidden | attr::kSystem))) return nullptr;
  if (!files_.WriteAll(path, {})) return nullptr;
  ++creations;
  return std::make_unique<FakeWriteStream>(*this, path);
}

bool FakeFileStreams::Append(const std::u16string& path, std::string& content,
                             std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (diskFullAtBytes && content.size() + bytes.size() > *diskFullAtBytes) return false;
  content.append(bytes.begin(), bytes.end());
  return files_.WriteAll(path, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
}

bool FakeFileStreams::ReadHead(std::u16string_view path, std::size_t count,
                               std::vector<std::uint8_t>& out) {
  std::lock_guard lock(mutex_);
  std::vector<std::uint8_t> all;
  if (!files_.ReadAll(Plain(path), all)) return false;
  all.resize(std::min(all.size(), count));
  out = std::move(all);
  return true;
}

void FakeFileStreams::Lock(std::u16string_view path) {
  std::lock_guard lock(mutex_);
  locked_.emplace(path);
  files_.RefuseRemoval(path, FakeFileSystem::Refusal::kAlways);
}

}  // namespace kva
