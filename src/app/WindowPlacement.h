#pragma once
// The main window's size, kept in Settings.ini between runs.

#include <optional>
#include <string_view>

#include "app/Shell.h"

namespace kva {

class FileSystem;

inline constexpr int kMainWindowWidth = 770;
inline constexpr int kMainWindowHeight = 614;

// WindowCX and WindowCY of section "UI settings", when both hold at least
// three characters.
std::optional<WindowSize> ReadSavedWindowSize(FileSystem& files, std::u16string_view iniPath);
// False when the file could not be written (the size is then not kept).
[[nodiscard]] bool WriteSavedWindowSize(FileSystem& files, std::u16string_view iniPath,
                                        WindowSize size);

// A width below 740 or wider than the screen becomes 740, a height below
// 614 or taller than the screen 614.
WindowSize ClampWindowSize(WindowSize wanted, WindowSize screen);

}  // namespace kva
