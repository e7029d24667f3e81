#include "platform/win32/Win32FileStreams.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

// WriteFile and ReadFile move at most a DWORD at a time.
constexpr std::size_t kLargestCallBytes = 1u << 30;

class Win32WriteStream final : public WriteStream {
 public:
  explicit Win32WriteStream(UniqueKernelHandle file) : file_(std::move(file)) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      const DWORD wanted = DWORD(std::min(bytes.size(), kLargestCallBytes));
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), bytes.data(), wanted, &written, nullptr) || written != wanted) {
        return false;
      }
      bytes = bytes.subspan(written);
    }
    return true;
  }

 private:
  UniqueKernelHandle file_;
};

}  // namespace

std::unique_ptr<WriteStream> Win32FileStreams::CreateForWriting(std::u16string_view path) {
  UniqueKernelHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr));
  if (!file.IsValid()) return nullptr;
  return std::make_unique<Win32WriteStream>(std::move(file));
}

bool Win32FileStreams::ReadHead(std::u16string_view path, std::size_t count,
                                std::vector<std::uint8_t>& out) {
  UniqueKernelHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  std::vector<std::uint8_t> head(std::min(count, kLargestCallBytes));
  DWORD read = 0;
  if (!::ReadFile(file.Get(), head.data(), DWORD(head.size()), &read, nullptr)) return false;
  head.resize(read);
  out = std::move(head);
  return true;
}

}  // namespace kva::win32
