#include "platform/TextEncoding.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "platform/Text.h"

namespace kva {
namespace {

// Windows-1252 0x80-0x9F. The five bytes the code page leaves undefined map
// to the C1 controls of the same value, as Windows converts them, so that
// any byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark) {
  return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// A trailing odd byte cannot form a code unit; it shows as U+FFFD rather
// than vanishing, so that damage stays visible.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = bytes[i], second = bytes[i + 1];
    out.push_back(char16_t(bigEndian ? (first << 8 | second) : (second << 8 | first)));
  }
  if (bytes.size() % 2 != 0) out.push_back(u'\uFFFD');
  return out;
}

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char AnsiByte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
  const auto* end = std::end(kCp1252High);
  const auto* it = std::find(std::begin(kCp1252High), end, c);
  return it != end ? char(0x80 + (it - std::begin(kCp1252High))) : '?';
}

}  // namespace

DecodedText DecodeText(std::span<const std::uint8_t> bytes, WithoutMark rule) {
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
    return {Utf8ToUtf16(AsChars(bytes.subspan(3))), TextEncoding::Utf8};
  }
  if (StartsWith(bytes, {0xFF, 0xFE}))
    return {DecodeUtf16(bytes.subspan(2), false), TextEncoding::Utf16Le};
  if (StartsWith(bytes, {0xFE, 0xFF}))
    return {DecodeUtf16(bytes.subspan(2), true), TextEncoding::Utf16Be};
  if (rule == WithoutMark::Utf8IfValid && IsValidUtf8(AsChars(bytes))) {
    return {Utf8ToUtf16(AsChars(bytes)), TextEncoding::Utf8};
  }
  return {AnsiToUtf16(AsChars(bytes)), TextEncoding::Ansi};
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (const char ch : ansi) {
    const auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char16_t(b));
  }
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A surrogate pair is one character, so it becomes one '?'.
    const bool pair =
        IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    out.push_back(pair ? '?' : AnsiByte(text[i]));
    if (pair) ++i;
  }
  return out;
}

std::vector<std::uint8_t> EncodeUtf16Le(std::u16string_view text, bool withMark) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size() * 2 + 2);
  if (withMark) out.insert(out.end(), {0xFF, 0xFE});
  for (const char16_t c : text) {
    out.push_back(std::uint8_t(c & 0xFF));
    out.push_back(std::uint8_t(c >> 8));
  }
  return out;
}

}  // namespace kva
