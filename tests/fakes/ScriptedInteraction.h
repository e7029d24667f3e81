#pragma once
// Records every notice and question and answers questions from a script
// (No once the script runs out), as a user at the window would.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Interaction.h"

namespace kva {

class ScriptedInteraction final : public Interaction {
 public:
  int ShowMessage(std::u16string_view text, unsigned typeBits) override {
    shown.emplace_back(text);
    if (!(typeBits & msg::kQuestion)) return msg::kOk;
    if (answers.empty()) return msg::kNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;
  std::vector<std::u16string> shown;
};

}  // namespace kva
