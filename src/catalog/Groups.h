#pragma once
// Group numbers, the built-in group names and the second-line texts of the
// tool list.

#include <array>
#include <string>
#include <string_view>

namespace kva {

inline constexpr int kFavourites = 1;
inline constexpr int kOwnTools = 2;
inline constexpr int kFirstCatalogueGroup = 3;
inline constexpr int kLastCatalogueGroup = 24;
inline constexpr int kWindowsBuiltIn = 11;
inline constexpr int kTroubleshooters = 18;
inline constexpr int kBuiltInRepair = 1001;

// Group 1001 is always shown under this name, whatever the catalogue says.
inline constexpr std::u16string_view kBuiltInRepairName = u"Built in system repair tools";

// The names of groups 1 to 24 in the built-in catalogue, exactly as it
// stores them (group 22 begins with a blank).
inline constexpr std::array<std::u16string_view, 24> kBuiltInGroupNames = {
    u"My favorite tools",
    u"My own tools",
    u"Anti rootkit/bootkit tools",
    u"Malware removal tools",
    u"Adware removal tools",
    u"System repair tools",
    u"Important updates",
    u"System maintenance tools",
    u"System information tools",
    u"Network tools",
    u"Windows built-in tools",
    u"Backup and recovery",
    u"System monitoring tools",
    u"System tweaking tools",
    u"Miscellaneous utilities",
    u"Security software installers",
    u"Security software uninstallers",
    u"Windows troubleshooters",
    u"Remote access tools",
    u"Storage device tools",
    u"Online tutorials",
    u" Essential apps from the store",
    u"Ransomware decryptors and tools",
    u"Windows and Office Install",
};

// Second lines of list entries.
inline constexpr std::u16string_view kWindowsToolLine = u"Windows built in tool";
inline constexpr std::u16string_view kTroubleshooterLine = u"Windows troubleshooter";
inline constexpr std::u16string_view kUpdatedPrefix = u"Updated: ";
inline constexpr std::u16string_view kNeverDownloadedLine = u"Never downloaded";
// An entry that comes back during the session (a restored tool).
inline constexpr std::u16string_view kUpdatedNeverLine = u"Updated: Never";

// Built-in repair actions are named "<section>-<text>"; the section (1 to
// 8) gives the second line. Empty for any other name.
std::u16string_view RepairSectionLine(std::u16string_view toolName);

// The decimal key name of a group.
std::u16string GroupKeyName(int group);

}  // namespace kva
