#pragma once
// The tooltip shown when an entry becomes highlighted: the record's
// description, with a note when the tool installs itself.

#include <cstdint>
#include <string>
#include <string_view>

namespace kva {

class Registry;
struct ListEntry;

inline constexpr std::u16string_view kInstallNote =
    u"\r\n\r\nNote: This program installs in the local computer.";

// Shown this far up and left of the entry's icon corner; the program's own
// tip window (when balloon tips are off) is this wide.
inline constexpr int kTipOffset = 10;
inline constexpr int kTipMinWidth = 200;
inline constexpr int kTipMaxWidth = 400;

// The note needs an uninstall command longer than 4 characters.
std::u16string DescriptionTipText(std::u16string_view description,
                                  std::u16string_view uninstallCmd);

// Empty when nothing is shown: tooltips are off in optionsFlag, the entry
// has no record, or the text is empty.
std::u16string DescriptionTip(Registry& registry, const ListEntry& entry,
                              std::uint32_t optionsFlag);

}  // namespace kva
