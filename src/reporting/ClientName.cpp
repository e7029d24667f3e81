#include "reporting/ClientName.h"

#include <algorithm>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";

constexpr std::u16string_view kDeviceNames[] = {
    u"CON", u"PRN", u"AUX", u"NUL", u"COM1", u"COM2", u"COM3", u"COM4", u"COM5", u"COM6",
    u"COM7", u"COM8", u"COM9", u"LPT1", u"LPT2", u"LPT3", u"LPT4", u"LPT5", u"LPT6", u"LPT7",
    u"LPT8", u"LPT9", u"CONIN$", u"CONOUT$"};

// Windows opens the device for "NUL", "nul.txt" and "NUL .txt" alike.
bool IsDeviceName(std::u16string_view name) {
  const std::u16string_view stem = TrimRight(name.substr(0, name.find(u'.')));
  return std::any_of(std::begin(kDeviceNames), std::end(kDeviceNames),
                     [&](std::u16string_view device) { return EqualsNoCase(stem, device); });
}

}  // namespace

std::optional<std::u16string> CleanClientName(std::u16string_view typed) {
  std::u16string name;
  for (const char16_t c : typed) {
    if (kForbidden.find(c) == kNpos) name += c;
  }
  const bool control = std::any_of(name.begin(), name.end(), [](char16_t c) { return c < 32; });
  if (name.empty() || control || name.back() == u'.' || name.back() == u' ' || IsDeviceName(name)) {
    return std::nullopt;
  }
  return name;
}

}  // namespace kva
