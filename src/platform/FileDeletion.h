#pragma once
// Deleting files and folders for the ->Delete command and the download
// phase: the last path component may hold wildcards, and a folder goes
// with everything inside it.

#include <cstdint>
#include <string_view>

#include "platform/FileSystem.h"

namespace kva {

namespace deletion {
// What is still refused after the other attempts goes at the next restart.
inline constexpr std::uint32_t kAtRestartWhenRefused = 2;
// A refused item is taken over (owner and full access) and tried again.
inline constexpr std::uint32_t kTakeOwnershipWhenRefused = 4;
}  // namespace deletion

// True when nothing the path names is left, or what is left is scheduled
// for the next restart. A missing item, or a wildcard that matches nothing,
// counts as deleted. Read-only, hidden and system items go too. The shell
// hears of every item removed now.
//
// Refused, with nothing touched: a path that is not absolute ("C:\..." or
// "\\server\share\..."), since it would depend on the current folder; a
// drive or share root, or wildcards-only at one ("C:\", "C:\*.*"), which
// would wipe the drive; a ".." that climbs above the root (others are
// resolved before anything is looked at); a name of only dots and spaces,
// which Windows would shorten; wildcards before the last component.
[[nodiscard]] bool DeleteItems(FileSystem& fs, std::u16string_view path, std::uint32_t options);

}  // namespace kva
