#pragma once
// A list view in report mode for the small windows (saved selections,
// hidden tools): a header with columns, one 16 x 16 picture per row, check
// boxes when asked, and the theme's colours. Its notifications go to the
// window it sits in.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "settings/Theme.h"

namespace kva::ui {
class Toolkit;
}

namespace kva::win32 {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::ImageList_Destroy(h); }
};

struct ReportColumn {
  std::u16string_view title;
  int width = 0;
};

class ReportList {
 public:
  bool Create(ui::Toolkit& kit, HWND parent, int id, const RECT& rect,
              std::span<const ReportColumn> columns, int imageId, bool checkBoxes,
              const ThemeColours& colours);
  [[nodiscard]] HWND Handle() const { return list_; }

  // Each row: one text per column.
  void SetRows(std::span<const std::vector<std::u16string>> rows);
  [[nodiscard]] std::optional<std::size_t> Selected() const;
  void Select(std::optional<std::size_t> row);
  [[nodiscard]] bool IsChecked(std::size_t row) const;
  void SetChecked(std::size_t row, bool checked);

 private:
  HWND list_ = nullptr;  // a child: destroyed with its parent
  UniqueHandle<ImageListTraits> images_;
};

}  // namespace kva::win32
