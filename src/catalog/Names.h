#pragma once
// Where the two hives are mounted while the program runs.

#include <cstddef>
#include <string_view>

namespace kva {

inline constexpr std::u16string_view kCatalogueHiveName = u"kva_tools";
inline constexpr std::u16string_view kSettingsHiveName = u"kva_settings";
inline constexpr std::u16string_view kCatalogueRootPath = u"HKLM\\kva_tools";
inline constexpr std::u16string_view kSettingsRootPath = u"HKLM\\kva_settings";

// Tool and group names shorter than this count as absent everywhere.
inline constexpr std::size_t kMinNameLength = 7;

inline bool IsUsableName(std::u16string_view name) { return name.size() >= kMinNameLength; }

}  // namespace kva
