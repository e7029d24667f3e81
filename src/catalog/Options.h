#pragma once
// The program's option bits, kept as OptionsFlag at the root of the
// settings hive.

#include <cstdint>
#include <string_view>

namespace kva {

class Registry;

namespace options {
inline constexpr std::uint32_t kShowTooltips = 0x1;
inline constexpr std::uint32_t kSaveTicks = 0x2;           // State is written and read
inline constexpr std::uint32_t kSaveGroupStates = 0x4;     // also shows group header images
inline constexpr std::uint32_t kLetComputerSleep = 0x8;    // clear: keep machine and display awake
inline constexpr std::uint32_t kAskPassword = 0x10;
inline constexpr std::uint32_t kAllowShutdown = 0x20;      // clear: block shut-down during runs
inline constexpr std::uint32_t kCheckProgramUpdate = 0x40;
inline constexpr std::uint32_t kCheckCatalogueUpdate = 0x80;
inline constexpr std::uint32_t kKeepArchives = 0x400;
inline constexpr std::uint32_t kSearchDescriptions = 0x800;
inline constexpr std::uint32_t kReportsDisabled = 0x8000;

inline constexpr std::uint32_t kDefault =
    kShowTooltips | kSaveTicks | kSaveGroupStates | kCheckProgramUpdate | kCheckCatalogueUpdate;
static_assert(kDefault == 199);
}  // namespace options

inline constexpr std::u16string_view kOptionsFlagValue = u"OptionsFlag";

// OptionsFlag from the settings root; when it is missing (or not a DWORD)
// the default is written and returned.
std::uint32_t LoadOptionsFlag(Registry& registry);
bool SaveOptionsFlag(Registry& registry, std::uint32_t flags);

}  // namespace kva
