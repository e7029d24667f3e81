#include "platform/win32/Win32Sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/WideText.h"

namespace kva::win32 {

bool Win32Sound::PlayWaveFile(std::u16string_view path) {
  // Without SND_NODEFAULT a missing file plays the default sound and still
  // reports success.
  const std::wstring file = Wide(path);
  return ::PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT) != FALSE;
}

bool Win32Sound::Beep(unsigned frequency, unsigned milliseconds) {
  return ::Beep(frequency, milliseconds) != FALSE;
}

}  // namespace kva::win32
