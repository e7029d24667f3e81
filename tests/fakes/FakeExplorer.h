#pragma once
// Records what the program asked the shell to show; refuses on request.

#include <string>
#include <vector>

#include "platform/Explorer.h"

namespace kva {

class FakeExplorer final : public Explorer {
 public:
  struct Shown {
    std::u16string folder;
    std::vector<std::u16string> items;  // empty: opened as such (a folder or an address)
    bool operator==(const Shown&) const = default;
  };

  bool OpenInShell(std::u16string_view target) override {
    shown.push_back({std::u16string(target), {}});
    return !refuse;
  }
  bool ShowSelected(std::u16string_view folder, std::span<const std::u16string> items) override {
    shown.push_back({std::u16string(folder), {items.begin(), items.end()}});
    return !refuse;
  }

  std::vector<Shown> shown;
  bool refuse = false;
};

}  // namespace kva
