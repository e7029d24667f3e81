#pragma once
// A painted child control: one Win32 child window whose messages reach
// this object. A click notifies the parent with WM_COMMAND (its id), which
// the window records as the last command.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Toolkit.h"

namespace kva::ui {

class Window;

class Control {
 public:
  explicit Control(Window& owner) : owner_(owner) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  [[nodiscard]] HWND Handle() const { return window_; }
  [[nodiscard]] int Id() const { return id_; }
  void SetText(std::u16string_view text);
  [[nodiscard]] std::u16string Text() const;
  void Enable(bool enabled) { ::EnableWindow(window_, enabled); }
  [[nodiscard]] bool IsEnabled() const { return ::IsWindowEnabled(window_); }
  void Show(bool shown) { ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE); }
  void Move(const RECT& rect);
  // The colour behind the control (COLORREF); the owner's background when unset.
  void SetBackdrop(std::uint32_t colorRef);
  void SetTextColor(std::uint32_t colorRef);
  void Invalidate() { ::InvalidateRect(window_, nullptr, FALSE); }

 protected:
  bool Create(const wchar_t* className, int id, const RECT& rect, std::u16string_view text,
              DWORD style = 0);
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // Messages a control handles itself; the rest go to DefWindowProc.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Tells the owner that the control was clicked.
  void NotifyClick();

  [[nodiscard]] Toolkit& Kit() const;
  [[nodiscard]] std::uint32_t Backdrop() const;
  [[nodiscard]] std::uint32_t TextColor() const;
  [[nodiscard]] const ThemeColours& OwnerColors() const;
  [[nodiscard]] bool IsHot() const { return hot_; }
  // Whether the control has the keyboard focus; it repaints when that changes.
  [[nodiscard]] bool HasFocus() const { return focused_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void TrackHover();

  Window& owner_;
  HWND window_ = nullptr;  // a child: destroyed with its parent
  int id_ = 0;
  bool hot_ = false;
  bool focused_ = false;
  std::optional<std::uint32_t> backdrop_;
  std::optional<std::uint32_t> textColor_;
};

}  // namespace kva::ui
