#include "downloads/DownloadValidity.h"

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace kva {
namespace {

// Self-extracting archives start as a program, except the largest, which
// some publishers ship as a plain ZIP under an .exe name.
constexpr std::uint64_t kLargeExeBytes = 31'457'280;

struct Signature {
  std::u16string_view extension;
  char first, second;
};

constexpr std::array kSignatures{
    Signature{u".zip", 'P', 'K'},         Signature{u".exe", 'M', 'Z'},
    Signature{u".dll", 'M', 'Z'},         Signature{u".ocx", 'M', 'Z'},
    Signature{u".msi", '\xD0', '\xCF'},   Signature{u".cab", 'M', 'S'},
    Signature{u".diagcab", 'M', 'S'},     Signature{u".7z", '7', 'z'},
};

bool Begins(const std::vector<std::uint8_t>& head, char first, char second) {
  return head[0] == std::uint8_t(first) && head[1] == std::uint8_t(second);
}

}  // namespace

bool IsValidDownload(FileSystem& files, FileStreams& streams, std::u16string_view path) {
  std::vector<std::uint8_t> head;
  if (!streams.ReadHead(path, 2, head) || head.empty()) return false;
  // The extension is what follows the last dot of the file name.
  const std::u16string_view name = path.substr(path.find_last_of(u"\\/") + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot == kNpos) return true;
  const std::u16string_view extension = name.substr(dot);
  for (const auto& signature : kSignatures) {
    if (!EqualsNoCase(extension, signature.extension)) continue;
    if (head.size() < 2) return false;
    if (Begins(head, signature.first, signature.second)) return true;
    std::uint64_t sizeBytes = 0;
    return signature.extension == u".exe" && Begins(head, 'P', 'K') &&
           files.SizeOf(path, sizeBytes) && sizeBytes > kLargeExeBytes;
  }
  return true;
}

}  // namespace kva
