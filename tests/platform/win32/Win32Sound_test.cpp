#include "platform/win32/Win32Sound.h"

#include <gtest/gtest.h>

namespace kva::win32 {
namespace {

// A sound that cannot play says so, so that <Beep> does not claim it.
TEST(Win32Sound, AMissingWaveFileIsNotPlayed) {
  Win32Sound sound;
  EXPECT_FALSE(sound.PlayWaveFile(u"C:\\no such folder\\tada.wav"));
}

}  // namespace
}  // namespace kva::win32
