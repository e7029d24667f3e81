// The GUI tests: GDI+ runs for the whole program, as in Kelvara.exe.
#include <gtest/gtest.h>

#include "ui/GdiplusSession.h"

int main(int argc, char** argv) {
  kva::ui::GdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) return 2;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
