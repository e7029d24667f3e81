#include "app/win32/ReportList.h"

#include "platform/win32/WideText.h"
#include "ui/Images.h"
#include "ui/Toolkit.h"

namespace kva::win32 {
namespace {

constexpr int kPictureSize = 16;

}  // namespace

bool ReportList::Create(ui::Toolkit& kit, HWND parent, int id, const RECT& rect,
                        std::span<const ReportColumn> columns, int imageId, bool checkBoxes,
                        const ThemeColours& colours) {
  // With shared image lists the list view leaves its pictures to this object.
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            kit.Instance(), nullptr);
  if (!list_) return false;
  DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  if (checkBoxes) extended |= LVS_EX_CHECKBOXES;
  ListView_SetExtendedListViewStyle(list_, extended);
  ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(kit.Font(ui::Points(10))), FALSE);
  ListView_SetBkColor(list_, colours.background);
  ListView_SetTextBkColor(list_, colours.background);
  ListView_SetTextColor(list_, colours.text);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring title = Wide(columns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title.data();
    column.cx = columns[i].width;
    ListView_InsertColumn(list_, static_cast<int>(i), &column);
  }
  images_.Reset(::ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR32, 1, 1));
  if (Gdiplus::Bitmap* picture = kit.Image(imageId); picture && images_.IsValid()) {
    const ui::UniqueBitmap dib = ui::MakeDib(*picture, kPictureSize, kPictureSize);
    ::ImageList_Add(images_.Get(), dib.Get(), nullptr);
    ListView_SetImageList(list_, images_.Get(), LVSIL_SMALL);
  }
  return true;
}

void ReportList::SetRows(std::span<const std::vector<std::u16string>> rows) {
  ListView_DeleteAllItems(list_);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < rows[row].size(); ++column) {
      std::wstring text = Wide(rows[row][column]);
      LVITEMW item{};
      item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE : 0);
      item.iItem = static_cast<int>(row);
      item.iSubItem = static_cast<int>(column);
      item.pszText = text.data();
      item.iImage = 0;
      if (column == 0) {
        ListView_InsertItem(list_, &item);
      } else {
        ListView_SetItem(list_, &item);
      }
    }
  }
}

std::optional<std::size_t> ReportList::Selected() const {
  const int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  if (row < 0) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void ReportList::Select(std::optional<std::size_t> row) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (!row) return;
  const int index = static_cast<int>(*row);
  ListView_SetItemState(list_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list_, index, FALSE);
}

bool ReportList::IsChecked(std::size_t row) const {
  return ListView_GetCheckState(list_, static_cast<UINT>(row)) != FALSE;
}

void ReportList::SetChecked(std::size_t row, bool checked) {
  ListView_SetCheckState(list_, static_cast<UINT>(row), checked);
}

}  // namespace kva::win32
