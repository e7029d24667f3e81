#include "platform/win32/Win32Explorer.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {

bool Win32Explorer::OpenInShell(std::u16string_view target) {
  const std::wstring file = Wide(target);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No shell error boxes: the caller decides what the user is told.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ::ShellExecuteExW(&info) != FALSE;
}

bool Win32Explorer::ShowSelected(std::u16string_view folder,
                                 std::span<const std::u16string> items) {
  const UniqueItemIdList folderList(::ILCreateFromPathW(Wide(folder).c_str()));
  if (!folderList.IsValid()) return false;
  std::vector<UniqueItemIdList> owned;
  std::vector<PCUITEMID_CHILD> children;
  for (const auto& item : items) {
    owned.emplace_back(::ILCreateFromPathW(Wide(item).c_str()));
    if (!owned.back().IsValid()) return false;
    // The items are named relative to the folder: their last ids.
    children.push_back(::ILFindLastID(owned.back().Get()));
  }
  return SUCCEEDED(::SHOpenFolderAndSelectItems(folderList.Get(), UINT(children.size()),
                                                children.data(), 0));
}

}  // namespace kva::win32
