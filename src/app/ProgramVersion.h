#pragma once
// The program's name and version for the windows that show them, apart
// from the application object so that they need not include it. The
// version is the project's version in CMake, as the version resource has it.

#include <string_view>

namespace kva {

inline constexpr std::u16string_view kProductName = u"Kelvara";
inline constexpr std::u16string_view kProgramVersion = u"" KVA_PROGRAM_VERSION;

}  // namespace kva
