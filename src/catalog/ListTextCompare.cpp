#include "catalog/ListTextCompare.h"

#include <charconv>
#include <optional>
#include <string>

#include "platform/Text.h"

namespace kva {
namespace {

// Longer digit runs than this are texts, not quantities.
constexpr std::size_t kMaxNumberLength = 40;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// An optional sign, digits and an optional fraction, blanks around allowed.
std::optional<double> AsNumber(std::u16string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > kMaxNumberLength) return std::nullopt;
  std::string ascii;
  std::size_t digits = 0, dots = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      ++digits;
    } else if (c == u'.') {
      ++dots;
    } else if (!((c == u'-' || c == u'+') && i == 0)) {
      return std::nullopt;
    }
    if (c != u'+') ascii.push_back(char(c));
  }
  if (digits == 0 || dots > 1) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return value;
}

}  // namespace

int CompareListTexts(std::u16string_view a, std::u16string_view b) {
  const auto x = AsNumber(a);
  const auto y = AsNumber(b);
  if (x && y && *x != *y) return *x < *y ? -1 : 1;
  if (x.has_value() != y.has_value()) return x ? -1 : 1;
  return CompareNoCase(a, b);
}

}  // namespace kva
