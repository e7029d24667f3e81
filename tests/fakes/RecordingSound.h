#pragma once
// Records the sounds asked for; fails the ones the test says.

#include <string>
#include <vector>

#include "platform/Sound.h"
#include "platform/Text.h"

namespace kva {

class RecordingSound final : public Sound {
 public:
  bool PlayWaveFile(std::u16string_view path) override {
    played.emplace_back(path);
    return Answer();
  }
  bool Beep(unsigned frequency, unsigned milliseconds) override {
    played.push_back(u"beep " + ToDecimal(frequency) + u" Hz " + ToDecimal(milliseconds) + u" ms");
    return Answer();
  }

  std::vector<std::u16string> played;  // wave paths and "beep F Hz D ms", in order
  int failFrom = -1;                   // the 1-based sound from which every sound fails

 private:
  bool Answer() const { return failFrom < 1 || static_cast<int>(played.size()) < failFrom; }
};

}  // namespace kva
