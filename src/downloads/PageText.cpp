#include "downloads/PageText.h"

#include <string_view>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kSniffedBytes = 20;

std::u16string FromUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t first = bytes[2 * i], second = bytes[2 * i + 1];
    text[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
  }
  return text;
}

// Pages are markup: in UTF-16LE their first characters are ASCII, each a
// byte followed by a zero. A UTF-8 page has no zero bytes at all.
bool LooksLikeUtf16Le(std::span<const std::uint8_t> bytes) {
  const std::size_t pairs = std::min(bytes.size(), kSniffedBytes) / 2;
  if (pairs == 0) return false;
  for (std::size_t i = 0; i < pairs; ++i) {
    if (bytes[2 * i] == 0 || bytes[2 * i + 1] != 0) return false;
  }
  return true;
}

}  // namespace

std::u16string DecodePage(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return FromUtf16(bytes.subspan(2), false);
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return FromUtf16(bytes.subspan(2), true);
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) bytes = bytes.subspan(3);
  else if (LooksLikeUtf16Le(bytes)) return FromUtf16(bytes, false);
  return Utf8ToUtf16({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace kva
