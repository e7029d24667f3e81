#pragma once
// What the system caption would give the main window, drawn by the
// program: the minimize, maximize/restore and close buttons at the right
// of the header, and the resize grip in the bottom-right corner.

#include "ui/Control.h"

namespace kva::win32 {

enum class CaptionKind { Minimize, Maximize, Close };

class CaptionButton final : public ui::Control {
 public:
  using Control::Control;
  bool Create(int id, const RECT& rect, CaptionKind kind);

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  CaptionKind kind_ = CaptionKind::Close;
  bool pressed_ = false;
};

// Dragging it resizes the window it sits in.
class ResizeGrip final : public ui::Control {
 public:
  using Control::Control;
  bool Create(const RECT& rect);

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace kva::win32
