#pragma once
// The shell port: showing folders and files in Explorer and web addresses
// in the default browser.

#include <span>
#include <string>
#include <string_view>

namespace kva {

class Explorer {
 public:
  virtual ~Explorer() = default;

  // ShellExecuteExW "open" of a folder (Explorer shows it) or a web address
  // (the default browser opens it). False when the shell refuses; Wine
  // reports success for a web address even when no browser opens.
  virtual bool OpenInShell(std::u16string_view target) = 0;
  // SHOpenFolderAndSelectItems: Explorer shows folder with items (full
  // paths of entries inside it) selected.
  virtual bool ShowSelected(std::u16string_view folder,
                            std::span<const std::u16string> items) = 0;
};

}  // namespace kva
