// The GUI tests: GDI+ runs for the whole program, as in Kelvara.exe.
#include <gtest/gtest.h>

#include "ui/GdiplusSession.h"
#include "ui/UniqueWindow.h"

namespace {

// Wine makes no window without a display. Every test here needs one, and
// GoogleTest reports a skip from here as a pass, so the program fails
// instead: CI or not, a run that could show no window checked nothing.
class DisplayCheck final : public ::testing::Environment {
 public:
  void SetUp() override {
    const kva::ui::UniqueWindow probe(::CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0,
                                                        10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(probe.IsValid()) << "no display to create windows on; scripts/test starts Xvfb";
  }
};

}  // namespace

int main(int argc, char** argv) {
  kva::ui::GdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) return 2;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new DisplayCheck);  // GoogleTest owns it
  return RUN_ALL_TESTS();
}
