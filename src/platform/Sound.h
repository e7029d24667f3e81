#pragma once
// The sound port: a wave file or the system beeper, each played to its end
// before the call returns.

#include <string_view>

namespace kva {

class Sound {
 public:
  virtual ~Sound() = default;

  // Plays the wave file at path once. False when it could not be played (no
  // such file, not a wave file, no sound device); no default sound stands in.
  virtual bool PlayWaveFile(std::u16string_view path) = 0;
  // A tone of frequency hertz for that long. False when it could not sound.
  virtual bool Beep(unsigned frequency, unsigned milliseconds) = 0;
};

}  // namespace kva
