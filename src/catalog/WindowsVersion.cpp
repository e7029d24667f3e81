#include "catalog/WindowsVersion.h"

#include "platform/Environment.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kMinFilterLength = 3;
// Beyond this many integer digits a version number is not meant seriously.
constexpr std::size_t kMaxIntegerDigits = 9;
constexpr std::uint32_t kHighestMinor = 9;
constexpr std::uint32_t kFirstWindows11Build = 22000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Highest minor version m with Windows at least 6.m.
WindowsVersion VersionSix(Environment& environment) {
  for (std::uint32_t minor = kHighestMinor; minor > 0; --minor) {
    if (environment.IsAtLeast(6, minor, 0)) return WindowsVersion::Of(6, minor);
  }
  return WindowsVersion::Of(6, 0);
}

}  // namespace

WindowsVersion DetectWindowsVersion(Environment& environment) {
  const auto reported = environment.ReportedVersion();
  const auto version = WindowsVersion::Of(reported.major, reported.minor);
  if (version <= WindowsVersion::Of(6, 2)) return version;
  if (environment.IsAtLeast(11, 0, 0)) return WindowsVersion::Of(11, 0);
  if (environment.IsAtLeast(10, 0, 0)) {
    return environment.IsAtLeast(10, 0, kFirstWindows11Build) ? WindowsVersion::Of(11, 0)
                                                              : WindowsVersion::Of(10, 0);
  }
  if (environment.IsAtLeast(6, 0, 0)) return VersionSix(environment);
  return version;
}

std::optional<WindowsVersion> ParseWindowsVersion(std::u16string_view text) {
  text = Trim(text);
  const auto dot = text.find(u'.');
  const auto whole = text.substr(0, dot);
  const auto fraction =
      dot == std::u16string_view::npos ? std::u16string_view() : text.substr(dot + 1);
  if (whole.empty() || whole.size() > kMaxIntegerDigits) return std::nullopt;
  std::int64_t thousandths = 0;
  for (const char16_t c : whole) {
    if (!IsDigit(c)) return std::nullopt;
    thousandths = thousandths * 10 + (c - u'0');
  }
  thousandths *= 1000;
  std::int64_t scale = 100;
  for (const char16_t c : fraction) {
    if (!IsDigit(c)) return std::nullopt;
    thousandths += (c - u'0') * scale;
    scale /= 10;
  }
  return WindowsVersion{thousandths};
}

bool IsWindowsVersionSupported(std::u16string_view filter, WindowsVersion version) {
  if (filter.size() < kMinFilterLength || Trim(filter).empty()) return true;
  const auto parts = Split(filter, u"-");
  if (parts.size() > 2) return false;
  const auto low = ParseWindowsVersion(parts.front());
  const auto high = ParseWindowsVersion(parts.back());
  if (!low || !high) return false;
  if (parts.size() == 1) return version == *low;
  return *low <= version && version <= *high;
}

}  // namespace kva
