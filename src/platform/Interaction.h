#pragma once
// What the program's logic needs of the user interface: notices and
// questions. A quiet run answers them itself (QuietInteraction).

#include <string_view>

namespace kva {

namespace msg {
inline constexpr unsigned kNotice = 1;       // "OK, I got it"
inline constexpr unsigned kQuestion = 2;     // "Yes, I do" / "No, I don't"
inline constexpr unsigned kWithOptions = 4;  // with kQuestion: the two operation check boxes

// Results.
inline constexpr int kNo = 0;  // No, Escape on a question, or the window closed
inline constexpr int kYes = 1;
inline constexpr int kOk = 2;
inline constexpr int kAutomate = 16;         // added to kYes
inline constexpr int kSkipUpToDate = 32;     // added to kYes
}  // namespace msg

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual int ShowMessage(std::u16string_view text, unsigned typeBits) = 0;
};

// Nothing is shown: a notice answers OK, a question Yes without options.
class QuietInteraction final : public Interaction {
 public:
  int ShowMessage(std::u16string_view, unsigned typeBits) override {
    return (typeBits & msg::kQuestion) ? msg::kYes : msg::kOk;
  }
};

}  // namespace kva
