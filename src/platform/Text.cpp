#include "platform/Text.h"

#include <algorithm>
#include <limits>

namespace kva {
namespace {

struct FoldPair {
  char32_t from;
  char32_t to;
};

constexpr FoldPair kFoldTable[] = {
#include "platform/CaseFoldingTable.inc"
};

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes one code point at i and advances i; a lone surrogate is returned
// as itself so that folding leaves it untouched.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  char16_t c = text[i++];
  if (IsHighSurrogate(c) && i < text.size() && IsLowSurrogate(text[i])) {
    return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
  }
  return c;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(char16_t(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(char16_t(0xD800 + (cp >> 10)));
  out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at i; returns false (consuming one byte) when
// the sequence is malformed, overlong, a surrogate or beyond U+10FFFF.
bool NextUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) {
    cp = lead;
    return true;
  }
  int extra;
  char32_t min;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    return false;
  }
  if (s.size() - i < std::size_t(extra)) return false;
  for (int k = 0; k < extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += extra;
  return true;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    AppendUtf16(out, NextUtf8(utf8, i, cp) ? cp : kReplacement);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = NextCodePoint(text, i);
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacement;
    AppendUtf8(out, cp);
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp;
    if (!NextUtf8(bytes, i, cp)) return false;
  }
  return true;
}

std::u16string AsciiToUtf16(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

char32_t FoldCase(char32_t codePoint) {
  if (codePoint < 0x80) {
    return (codePoint >= 'A' && codePoint <= 'Z') ? codePoint + 32 : codePoint;
  }
  const auto* end = std::end(kFoldTable);
  const auto* it = std::lower_bound(std::begin(kFoldTable), end, codePoint,
                                    [](const FoldPair& p, char32_t c) { return p.from < c; });
  return (it != end && it->from == codePoint) ? it->to : codePoint;
}

std::u16string FoldCase(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, FoldCase(NextCodePoint(text, i)));
  return out;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = FoldCase(NextCodePoint(a, i));
    const char32_t y = FoldCase(NextCodePoint(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  return j < b.size() ? -1 : 0;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::size_t FindNoCase(std::u16string_view haystack, std::u16string_view needle,
                       std::size_t from) {
  if (from > haystack.size()) return kNpos;
  return FoldCase(haystack).find(FoldCase(needle), from);
}

std::u16string_view TrimLeft(std::u16string_view text, std::u16string_view chars) {
  const auto first = text.find_first_not_of(chars);
  return first == kNpos ? std::u16string_view() : text.substr(first);
}

std::u16string_view TrimRight(std::u16string_view text, std::u16string_view chars) {
  const auto last = text.find_last_not_of(chars);
  return last == kNpos ? std::u16string_view() : text.substr(0, last + 1);
}

std::u16string_view Trim(std::u16string_view text, std::u16string_view chars) {
  return TrimRight(TrimLeft(text, chars), chars);
}

std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view separator) {
  std::vector<std::u16string_view> pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (;;) {
    const auto at = text.find(separator, start);
    if (at == kNpos) break;
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::int64_t ParseLeadingInt(std::u16string_view text) {
  text = TrimLeft(text);
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    const int digit = c - u'0';
    value = (value > (kMax - digit) / 10) ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

std::u16string ToDecimal(std::int64_t value) {
  return AsciiToUtf16(std::to_string(value));
}

std::u16string ToDecimalPadded(std::int64_t value, std::size_t digits) {
  std::u16string text = ToDecimal(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), u'0');
  return text;
}

std::size_t InStr(std::size_t start1, std::u16string_view haystack, std::u16string_view needle) {
  if (start1 == 0) start1 = 1;
  const auto at = start1 - 1 > haystack.size() ? kNpos : haystack.find(needle, start1 - 1);
  return at == kNpos ? 0 : at + 1;
}

std::size_t InStrNoCase(std::size_t start1, std::u16string_view haystack,
                        std::u16string_view needle) {
  if (start1 == 0) start1 = 1;
  const auto at = FindNoCase(haystack, needle, start1 - 1);
  return at == kNpos ? 0 : at + 1;
}

std::u16string_view Mid(std::u16string_view text, std::size_t start1, std::size_t count) {
  if (start1 == 0) start1 = 1;
  if (start1 - 1 >= text.size()) return {};
  return text.substr(start1 - 1, count);
}

std::u16string_view Left(std::u16string_view text, std::size_t count) {
  return text.substr(0, std::min(count, text.size()));
}

std::u16string_view Right(std::u16string_view text, std::size_t count) {
  return text.substr(text.size() - std::min(count, text.size()));
}

std::u16string_view FolderOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u'\\');
  return slash == kNpos ? std::u16string_view() : path.substr(0, slash);
}

std::u16string_view FileNameOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u'\\');
  return slash == kNpos ? path : path.substr(slash + 1);
}

}  // namespace kva
