#pragma once
// A toolkit in one of the two themes for the windows under test.

#include <windows.h>

#include <gtest/gtest.h>

#include "settings/Theme.h"
#include "ui/Toolkit.h"

namespace kva::ui::test {

// Both themes, each with the word that names it in traces and picture files.
struct NamedTheme {
  ThemeId id;
  const wchar_t* name;
};
inline constexpr NamedTheme kBothThemes[] = {{ThemeId::Light, L"light"}, {ThemeId::Dark, L"dark"}};

class GuiTest : public ::testing::Test {
 protected:
  Toolkit kit_{::GetModuleHandleW(nullptr), ThemeOf(ThemeId::Light)};
};

}  // namespace kva::ui::test
