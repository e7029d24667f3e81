// The catalogue's texts that the program reads as numbers: the
// WindowsVersions filter and the list's sort comparison. Input bytes are
// UTF-8; a line feed splits them into two texts.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalog/ListTextCompare.h"
#include "catalog/WindowsVersion.h"
#include "platform/Text.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

void CheckFilter(std::u16string_view filter) {
  using kva::WindowsVersion;
  const WindowsVersion versions[] = {WindowsVersion::Of(5, 1), WindowsVersion::Of(6, 3),
                                     WindowsVersion::Of(10, 0), WindowsVersion::Of(11, 0)};
  for (const auto version : versions) kva::IsWindowsVersionSupported(filter, version);
  // A version that reads as a number is supported by exactly itself.
  const auto parsed = kva::ParseWindowsVersion(filter);
  if (parsed && filter.size() >= 3 && filter.find(u'-') == std::u16string_view::npos &&
      !kva::IsWindowsVersionSupported(filter, *parsed)) {
    std::abort();
  }
}

void CheckOrder(std::u16string_view a, std::u16string_view b) {
  if (Sign(kva::CompareListTexts(a, b)) != -Sign(kva::CompareListTexts(b, a))) std::abort();
  if (kva::CompareListTexts(a, a) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = kva::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto split = text.find(u'\n');
  const std::u16string_view all(text);
  const auto first = all.substr(0, split);
  const auto second =
      split == std::u16string_view::npos ? std::u16string_view() : all.substr(split + 1);
  CheckFilter(first);
  CheckFilter(second);
  CheckOrder(first, second);
  return 0;
}
