#include "platform/SizeText.h"

#include <iterator>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kUnits[] = {u" bytes", u" KB", u" MB", u" GB", u" TB"};
constexpr std::size_t kNumberChars = 4;

}  // namespace

std::u16string SizeText(std::uint64_t bytes) {
  // Dividing by 1024 k times is a shift, so the quotient's decimal digits
  // come out exactly from the remainder, with no floating-point rounding.
  unsigned shift = 0;
  std::size_t unit = 0;
  while (unit + 1 < std::size(kUnits) && (bytes >> shift) >= 1024) shift += 10, ++unit;
  const std::uint64_t whole = bytes >> shift;
  std::uint64_t remainder = bytes - (whole << shift);  // below 2^40, so times 10 fits

  std::u16string text = ToDecimal(std::int64_t(whole));
  if (text.size() + 1 < kNumberChars && remainder != 0) {
    text.push_back(u'.');
    while (text.size() < kNumberChars && remainder != 0) {
      remainder *= 10;
      text.push_back(char16_t(u'0' + (remainder >> shift)));
      remainder &= (std::uint64_t(1) << shift) - 1;
    }
  }
  return text.append(kUnits[unit]);
}

}  // namespace kva
