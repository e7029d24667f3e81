#pragma once
// An image button: a small picture and a text on a rounded face, painted
// from the theme's button style record (normal, hover, pressed, disabled,
// focus).

#include "ui/PressableControl.h"

namespace kva::ui {

class Button final : public PressableControl {
 public:
  using PressableControl::PressableControl;
  bool Create(int id, const RECT& rect, std::u16string_view text, int imageId);
  // Own colours instead of the theme's (the theme choice buttons).
  void SetStyle(const ButtonStyle& style);
  void SetFont(const FontSpec& font);
  // Picture at the left and the text wrapped beside it (narrow buttons
  // with long labels); by default both are centred on one line.
  void SetWrapping(bool wrap);

 private:
  void Paint(HDC dc, const RECT& client) override;
  void PaintFace(HDC dc, const RECT& client, const ButtonStyle& style);
  void PaintContent(HDC dc, const RECT& client, const ButtonStyle& style);
  [[nodiscard]] const ButtonStyle& StyleInUse() const;

  int imageId_ = 0;
  std::optional<ButtonStyle> style_;
  std::optional<FontSpec> font_;
  bool wrap_ = false;
};

}  // namespace kva::ui
