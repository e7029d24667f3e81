#pragma once
// The tool list's ordering of texts, used by its column sort and by "sort
// all": texts that read as numbers compare by value and come before all
// other texts, which compare case-insensitively. Ties between equal numbers
// ("1.0", "1") fall back to the text, so the order is total.

#include <string_view>

namespace kva {

// Negative, 0 or positive, like CompareNoCase.
int CompareListTexts(std::u16string_view a, std::u16string_view b);

struct ListTextLess {
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    return CompareListTexts(a, b) < 0;
  }
};

}  // namespace kva
