#pragma once
// The base of every window of the program: a popup of its own class,
// centred on its parent, painted in the theme's colours inside a 4-pixel
// frame, holding painted controls, and run modally: show, pump messages,
// and hand each command of the window to OnCommand until one ends it.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/Control.h"
#include "settings/Theme.h"
#include "ui/Toolkit.h"
#include "ui/Tooltips.h"
#include "ui/UniqueWindow.h"

namespace kva::ui {

class Button;
class CheckBox;
class Label;
class LinkLabel;

struct WindowSpec {
  const wchar_t* className = nullptr;
  std::u16string title = {};  // the window text; shown as a title line when drawTitle
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // owner: the window is centred on it and modal over it
  BYTE opacity = 255;     // below 255 the window is layered
  bool drawTitle = false;
  std::optional<ThemeColours> palette = {};  // instead of the theme's colours
  FontSpec font = Points(10);                // check boxes and links
  DWORD extraExStyle = 0;
  // The main window adds sizing and the system menu to these.
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  UINT classStyle = CS_DBLCLKS;
};

class Window {
 public:
  Window(Toolkit& kit, WindowSpec spec);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  bool Create();
  [[nodiscard]] HWND Handle() const { return window_.Get(); }
  [[nodiscard]] Toolkit& Kit() const { return kit_; }
  [[nodiscard]] const ThemeColours& Colors() const { return palette_; }
  [[nodiscard]] const WindowSpec& Spec() const { return spec_; }

  // Escape and friends: the key acts as a click on command.
  void AddKey(int virtualKey, int command) { keys_.emplace_back(virtualKey, command); }
  void SetFocusTo(const Control& control);

  // Shows the window, disables its owner, and pumps messages until
  // OnCommand accepts a command or the window is closed (kClosed).
  int RunModal();
  void Show();
  void Hide();
  // Top-left corner at a screen point, kept on the screen's work area.
  void PlaceAt(POINT topLeft);

 protected:
  // Creates the controls; called once the window exists.
  virtual void Build() {}
  // true ends the modal loop with this command; by default every command does.
  virtual bool OnCommand(int command);
  // A control of this window was clicked; by default it becomes the last command.
  virtual void OnControlClicked(int id);
  // Extra painting over the framed background (bands, title, pictures).
  virtual void PaintContent(HDC dc, const RECT& client);
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  Button& AddButton(int id, const RECT& rect, std::u16string_view text, int imageId,
                    std::u16string_view tooltip);
  CheckBox& AddCheckBox(int id, const RECT& rect, std::u16string_view text,
                        std::u16string_view tooltip);
  LinkLabel& AddLink(int id, const RECT& rect, std::u16string_view markup,
                     std::u16string_view tooltip, int imageId = 0);
  Label& AddLabel(const RECT& rect, std::u16string_view text, const FontSpec& font,
                  UINT format = DT_LEFT | DT_WORDBREAK);
  // A new size, centred again on the owner.
  void Resize(int width, int height);
  // The window and its controls go; Create starts afresh.
  void Destroy();
  template <typename T>
  T& Adopt(std::unique_ptr<T> control) {
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
  }

  Toolkit& kit_;
  Tooltips tips_;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target);
  void CenterOnOwner();
  void MoveInside(const RECT& area, LONG x, LONG y);
  // Keys of the key table and Tab; true when the message was used up.
  bool TranslateKey(const MSG& message);
  [[nodiscard]] bool Owns(HWND window) const;

  WindowSpec spec_;
  ThemeColours palette_;
  UniqueWindow window_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::pair<int, int>> keys_;
  HWND focus_ = nullptr;
  bool disabledOwner_ = false;
};

}  // namespace kva::ui
