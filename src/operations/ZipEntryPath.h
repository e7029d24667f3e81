#pragma once
// Where a ZIP entry may land: its stored name turned into a path relative
// to the destination folder, or nothing when the name could reach outside
// it or name something Windows cannot hold.

#include <optional>
#include <string>
#include <string_view>

namespace kva {

struct ZipEntryPath {
  std::u16string relative;  // backslashes, never empty, no trailing backslash
  bool isFolder = false;    // the stored name ended with a slash
};

// The stored name as text: UTF-8 when the entry's general-purpose bit 11
// says so, code page 437 otherwise, as ZIP writers store it.
[[nodiscard]] std::u16string DecodeZipEntryName(std::string_view rawName, bool utf8);

// The raw name is decoded as above; slashes of either kind separate
// components. Refused: empty names, a leading slash (a rooted or
// UNC path), any colon (a drive letter or a data stream), empty, "." and
// ".." components, control characters and < > " | ? *, a component ending
// in a dot or blank (Windows drops them, so two names would meet), device
// names (CON, NUL, COM1, LPT1, ... with or without an extension), and
// malformed UTF-8.
[[nodiscard]] std::optional<ZipEntryPath> SafeZipEntryPath(std::string_view rawName, bool utf8);

}  // namespace kva
