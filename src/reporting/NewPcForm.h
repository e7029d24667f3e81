#pragma once
// What the "New PC detected" window decides, without the window: the two
// check boxes, the client-name box and what Apply ends with.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

struct NewPcQuestion {
  std::u16string pcText;                // vendor, make and model
  std::vector<std::u16string> clients;  // existing client folders, for the list
};

struct NewPcAnswer {
  enum class Kind { kClient, kNoReport };
  Kind kind = Kind::kClient;
  std::u16string clientName;   // kClient: cleaned, safe as a folder name
  bool neverOnThisPc = false;  // kNoReport: Disabled=1 for this PC
  bool disableReports = false; // kNoReport: reports off for good
};

class NewPcForm {
 public:
  void SetNeverOnThisPc(bool ticked) { never_ = ticked; }
  void SetDisableReports(bool ticked) { disable_ = ticked; }
  // Either box ticked leaves the name out of it.
  [[nodiscard]] bool ClientBoxEnabled() const { return !never_ && !disable_; }

  // Apply: the answer, or empty when the name is refused (the window shows
  // kInvalidClientName and stays open).
  [[nodiscard]] std::optional<NewPcAnswer> Apply(std::u16string_view typedName) const;

 private:
  bool never_ = false;
  bool disable_ = false;
};

}  // namespace kva
