#pragma once
// The shell port on ShellExecuteExW and SHOpenFolderAndSelectItems. The
// caller has initialised COM on its thread.

#include "platform/Explorer.h"

namespace kva::win32 {

class Win32Explorer final : public Explorer {
 public:
  bool OpenInShell(std::u16string_view target) override;
  bool ShowSelected(std::u16string_view folder, std::span<const std::u16string> items) override;
};

}  // namespace kva::win32
