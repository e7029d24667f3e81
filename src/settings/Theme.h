#pragma once
// The light and dark themes: the colours every window is drawn with, the
// button style record, and CurrentTheme in section UI of KVASettings.ini
// (0 light, 1 dark), which decides at start whether the theme chooser
// opens.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace kva {

class FileSystem;

enum class ThemeId : int { Light = 0, Dark = 1 };

// COLORREF values, 0x00BBGGRR.
struct ThemeColours {
  std::uint32_t frame = 0;       // the 4-pixel border of every window
  std::uint32_t background = 0;  // solid fill
  std::uint32_t text = 0;
  std::uint32_t accent = 0;      // check boxes, links
  bool operator==(const ThemeColours&) const = default;
};

// How buttons are painted; the seven ARGB colours are in record order and
// the toolkit decides what each paints.
struct ButtonStyle {
  float fontSize = 14.0f;
  float cornerRadius = 0.0f;
  int borderWidth = 0;
  std::array<std::uint32_t, 7> colours{};
  int flag = 0;
  bool operator==(const ButtonStyle&) const = default;
};

struct Theme {
  ThemeId id = ThemeId::Dark;
  ThemeColours colours;
  ButtonStyle buttons;
  bool operator==(const Theme&) const = default;
};

Theme ThemeOf(ThemeId id);
// The button style before any theme is applied.
ButtonStyle UnthemedButtonStyle();

inline constexpr std::int64_t kNoTheme = -1;

// CurrentTheme as stored, kNoTheme when the key (or the file) is missing.
std::int64_t ReadCurrentTheme(FileSystem& files, std::u16string_view iniPath);
// Keeps the file's other lines. False, and the file untouched, when an
// existing file cannot be read or the write fails.
bool WriteCurrentTheme(FileSystem& files, std::u16string_view iniPath, ThemeId id);

// ApplyTheme: the theme to draw with from now on, remembered in the file.
Theme ApplyTheme(FileSystem& files, std::u16string_view iniPath, ThemeId id);

// The theme chooser window: the theme clicked, or empty when it was
// closed without a choice.
using ThemeChooser = std::function<std::optional<ThemeId>()>;

// Start-up: a stored 0 or 1 is used as it is; anything else asks the
// chooser and stores the answer, dark when it was closed. A quiet run
// shows no window, so it takes dark at once and stores it.
Theme StartUpTheme(FileSystem& files, std::u16string_view iniPath, bool interactive,
                   const ThemeChooser& choose);

// The chooser window's fixed parts.
namespace theme_chooser {
inline constexpr std::u16string_view kClass = u"KVA_THEME_SELECT_WND";
inline constexpr std::u16string_view kTitle = u"Kelvara Theme Selection";
inline constexpr int kWidth = 400;
inline constexpr int kHeight = 300;
inline constexpr int kFontSize = 12;  // Arial, black frame
inline constexpr std::u16string_view kPrompt =
    u"Please select below the desired UI theme to display in your application.";
inline constexpr std::u16string_view kNote =
    u"You can change the selected theme anytime from Settings. This message will not be "
    u"displayed again";

struct Choice {
  ThemeId id;
  std::u16string_view text;
  std::uint32_t textColour;  // COLORREF
  std::uint32_t highlightColour;
  std::uint32_t backgroundColour;
};
inline constexpr Choice kLight{ThemeId::Light, u" Light background, dark text", 0x000000,
                               0xA06060, 0xFFFEFC};
inline constexpr Choice kDark{ThemeId::Dark, u" Dark background, light text", 0xFFFEFF,
                              0xFFA0A0, 0x301020};
}  // namespace theme_chooser

}  // namespace kva
