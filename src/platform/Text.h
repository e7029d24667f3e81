#pragma once
// UTF-16 text helpers shared by every subsystem. Case-insensitive means
// Unicode simple case folding, so a folded text keeps its length and
// positions found in folded text hold for the original.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

inline constexpr std::size_t kNpos = std::u16string_view::npos;

// Malformed input becomes U+FFFD; conversion never fails.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view bytes);

// For literals and other ASCII-only text.
std::u16string AsciiToUtf16(std::string_view ascii);

char32_t FoldCase(char32_t codePoint);
std::u16string FoldCase(std::u16string_view text);

int CompareNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);
bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix);
// 0-based position of needle at or after from, or kNpos.
std::size_t FindNoCase(std::u16string_view haystack, std::u16string_view needle,
                       std::size_t from = 0);

struct LessNoCase {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    return CompareNoCase(a, b) < 0;
  }
};

inline constexpr std::u16string_view kBlanks = u" \t";
// The folder part of a Windows path, before its last backslash; empty when
// it has none.
std::u16string_view FolderOf(std::u16string_view path);
// The last component of a Windows path: the text after its last backslash.
std::u16string_view FileNameOf(std::u16string_view path);

std::u16string_view Trim(std::u16string_view text, std::u16string_view chars = kBlanks);
std::u16string_view TrimLeft(std::u16string_view text, std::u16string_view chars = kBlanks);
std::u16string_view TrimRight(std::u16string_view text, std::u16string_view chars = kBlanks);

// Every piece between separators, empty ones included; an empty text gives
// one empty piece. The views point into text.
std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view separator);

// Leading optional sign and decimal digits after blanks; anything else
// (or nothing) reads as 0. Saturates instead of overflowing.
std::int64_t ParseLeadingInt(std::u16string_view text);
std::u16string ToDecimal(std::int64_t value);
// At least digits digits, zeros in front: ToDecimalPadded(7, 2) is "07".
std::u16string ToDecimalPadded(std::int64_t value, std::size_t digits);

// The program's string algorithms count characters from 1; these helpers
// take and return 1-based positions so that they read the same way.
// InStr: 1-based position of needle at or after start1, 0 when absent.
std::size_t InStr(std::size_t start1, std::u16string_view haystack, std::u16string_view needle);
std::size_t InStrNoCase(std::size_t start1, std::u16string_view haystack,
                        std::u16string_view needle);
// Mid: count characters from start1 (clipped to the text).
std::u16string_view Mid(std::u16string_view text, std::size_t start1,
                        std::size_t count = kNpos);
std::u16string_view Left(std::u16string_view text, std::size_t count);
std::u16string_view Right(std::u16string_view text, std::size_t count);

}  // namespace kva
