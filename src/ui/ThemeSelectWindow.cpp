#include "ui/ThemeSelectWindow.h"

#include <string>

#include "ui/Button.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

namespace chooser = theme_chooser;

// No theme is applied yet: black frame, white face.
constexpr ThemeColours kColours{0x000000, 0xFFFFFF, 0x000000, 0xA06060};
constexpr std::uint32_t kOpaque = 0xFF000000;

std::uint32_t ArgbOf(std::uint32_t colorRef) {
  return kOpaque | (GetRValue(colorRef) << 16) | (GetGValue(colorRef) << 8) | GetBValue(colorRef);
}

// The choice shows the theme itself: its face, its text, its highlight
// as the border (half strength until the mouse is over it).
ButtonStyle ChoiceStyle(const chooser::Choice& choice) {
  const std::uint32_t face = ArgbOf(choice.backgroundColour);
  const std::uint32_t highlight = ArgbOf(choice.highlightColour);
  ButtonStyle style;
  style.fontSize = static_cast<float>(Points(chooser::kFontSize).height);
  style.cornerRadius = 5.0f;
  style.borderWidth = 3;
  style.colours = {face,
                   face,
                   face,
                   face,
                   (highlight & 0x00FFFFFF) | 0x80000000,
                   highlight,
                   ArgbOf(choice.textColour)};
  return style;
}

class ThemeSelectWindow final : public Window {
 public:
  ThemeSelectWindow(Toolkit& kit, HWND parent)
      : Window(kit, {.className = ClassName(),
                     .title = std::u16string(chooser::kTitle),
                     .width = chooser::kWidth,
                     .height = chooser::kHeight,
                     .parent = parent,
                     .drawTitle = true,
                     .palette = kColours,
                     .font = Points(chooser::kFontSize)}) {}

 private:
  void Build() override {
    const FontSpec font = Points(chooser::kFontSize);
    AddLabel({20, 46, chooser::kWidth - 20, 96}, chooser::kPrompt, font, DT_LEFT | DT_WORDBREAK);
    AddChoice(chooser::kLight, {30, 100, chooser::kWidth - 30, 146});
    AddChoice(chooser::kDark, {30, 156, chooser::kWidth - 30, 202});
    AddLabel({20, 212, chooser::kWidth - 20, chooser::kHeight - 12}, chooser::kNote, font,
             DT_LEFT | DT_WORDBREAK);
    AddKey(VK_ESCAPE, kClosed);
  }

  void AddChoice(const chooser::Choice& choice, const RECT& rect) {
    auto& button = AddButton(static_cast<int>(choice.id) + 1, rect, choice.text, 0, {});
    button.SetStyle(ChoiceStyle(choice));
    button.SetFont(Points(chooser::kFontSize, FW_BOLD));
  }

  // The name is a literal, so its view ends in a NUL.
  static const wchar_t* ClassName() {
    return reinterpret_cast<const wchar_t*>(chooser::kClass.data());
  }
};

}  // namespace

std::optional<ThemeId> ShowThemeSelectWindow(Toolkit& kit, HWND parent) {
  ThemeSelectWindow window(kit, parent);
  const int command = window.RunModal();
  if (command == kClosed) return std::nullopt;
  return static_cast<ThemeId>(command - 1);
}

}  // namespace kva::ui
