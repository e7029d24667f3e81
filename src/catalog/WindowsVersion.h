#pragma once
// Windows versions as the number major.minor (6.1 Windows 7, 6.3 Windows
// 8.1, 10.0, 11.0), and the WindowsVersions filter of a tool's commands.

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kva {

class Environment;

// Fixed point in thousandths, so that "6.3" read from text and 6 + 3/10
// from the system compare equal.
struct WindowsVersion {
  std::int64_t thousandths = 0;

  static constexpr WindowsVersion Of(std::int64_t major, std::int64_t minor) {
    return {major * 1000 + minor * 100};
  }
  auto operator<=>(const WindowsVersion&) const = default;
};

// GetVersionExW's answer up to 6.2; above that, where it is capped, the
// version found with VerifyVersionInfoW. Windows 11 counts as 11.0.
WindowsVersion DetectWindowsVersion(Environment& environment);

// "6.1", "10.0", "50", " 6.3 ": digits with an optional fraction, blanks
// around allowed. Anything else is not a version.
std::optional<WindowsVersion> ParseWindowsVersion(std::u16string_view text);

// The filter text is "v" (exactly that version) or "min-max". Shorter than
// 3 characters or only blanks: every version. A part that is not a number, an empty part
// or more than two parts: no version, so that a mistyped filter skips the
// tool instead of running it where it may not belong.
bool IsWindowsVersionSupported(std::u16string_view filter, WindowsVersion version);

}  // namespace kva
