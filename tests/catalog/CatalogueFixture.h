#pragma once
// Both hives mounted in an in-memory registry and filled from .reg text, so
// that a test states its catalogue and settings in a few lines:
//
//   Import(uR"([HKLM\kva_tools\5\Tool Alpha]
//   "iImage"=dword:00000096)");

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"

namespace kva {

class CatalogueFixture : public ::testing::Test {
 protected:
  CatalogueFixture();

  // The text is the body of a .reg file, without its header line.
  void Import(std::u16string_view reg);
  // Empties both hives (the catalogue root keeps its values).
  void ClearHives();

  // The order list of a settings group.
  std::vector<std::u16string> Order(int group);
  // A value of a settings key below HKLM\kva_settings: empty when missing.
  std::optional<std::uint32_t> Dword(std::u16string_view settingsKey, std::u16string_view name);
  std::optional<std::u16string> String(std::u16string_view settingsKey, std::u16string_view name);
  bool SettingsKeyExists(std::u16string_view settingsKey);

  FakeRegistry registry;
  FakeFileSystem files;
  FakeEnvironment environment;
};

// A list of names, to compare order lists with.
std::vector<std::u16string> Names(std::initializer_list<std::u16string_view> names);

}  // namespace kva
