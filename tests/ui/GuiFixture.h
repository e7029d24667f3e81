#pragma once
// A toolkit in one of the two themes for the windows under test.

#include <windows.h>

#include <gtest/gtest.h>

#include "settings/Theme.h"
#include "ui/Toolkit.h"

namespace kva::ui::test {

class GuiTest : public ::testing::Test {
 protected:
  Toolkit kit_{::GetModuleHandleW(nullptr), ThemeOf(ThemeId::Light)};
};

}  // namespace kva::ui::test
