#pragma once
// The finder's edit box in the header. While nothing is typed it shows
// the grey cue "Find a tool (Ctrl+F)" as its text; clicking into it (or
// Ctrl+F) clears the cue, or selects what was typed. Enter searches.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/Finder.h"
#include "ui/Toolkit.h"

namespace kva::win32 {

class FinderBox {
 public:
  FinderBox() = default;
  FinderBox(const FinderBox&) = delete;
  FinderBox& operator=(const FinderBox&) = delete;

  // onEnter: Enter was pressed in the box.
  bool Create(ui::Toolkit& kit, HWND parent, const RECT& rect, std::function<void()> onEnter);
  [[nodiscard]] HWND Handle() const { return edit_; }
  // What the box holds now; the view lasts until the next call.
  FinderText Text();
  void Focus();
  void Move(const RECT& rect);
  // The text colour for WM_CTLCOLOREDIT: grey while the cue shows.
  [[nodiscard]] std::uint32_t TextColour(std::uint32_t normal) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR self);
  std::optional<LRESULT> Handle(UINT message, WPARAM wParam);
  void ShowCue();
  void ReadText();

  HWND edit_ = nullptr;  // a child: destroyed with its parent
  std::function<void()> onEnter_;
  std::u16string text_;
  bool showingCue_ = true;
};

}  // namespace kva::win32
