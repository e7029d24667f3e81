#pragma once
// The sound port on winmm's PlaySoundW and the system beeper.

#include "platform/Sound.h"

namespace kva::win32 {

class Win32Sound final : public Sound {
 public:
  bool PlayWaveFile(std::u16string_view path) override;
  bool Beep(unsigned frequency, unsigned milliseconds) override;
};

}  // namespace kva::win32
