#include "catalog/CatalogueFixture.h"

#include "catalog/Names.h"
#include "catalog/OrderList.h"
#include "catalog/ToolRecord.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

std::u16string SettingsPath(std::u16string_view settingsKey) {
  return std::u16string(kSettingsRootPath) + u"\\" + std::u16string(settingsKey);
}

}  // namespace

CatalogueFixture::CatalogueFixture() {
  registry.WriteHiveFile(u"C:\\tools.dat", FakeKey{u"kva_default_tools", {}, {}});
  registry.WriteHiveFile(u"C:\\settings.dat", FakeKey{u"kva_settings", {}, {}});
  EXPECT_EQ(registry.LoadHive(reg::kLocalMachine, kCatalogueHiveName, u"C:\\tools.dat"),
            reg::kSuccess);
  EXPECT_EQ(registry.LoadHive(reg::kLocalMachine, kSettingsHiveName, u"C:\\settings.dat"),
            reg::kSuccess);
}

void CatalogueFixture::Import(std::u16string_view reg) {
  const auto result =
      ImportRegText(registry, u"Windows Registry Editor Version 5.00\n" + std::u16string(reg));
  ASSERT_TRUE(result.has_value()) << Utf16ToUtf8(Describe(result.error()));
}

void CatalogueFixture::ClearHives() {
  RegKey scratch(registry);
  DeleteTree(scratch, kCatalogueRootPath);
  DeleteTree(scratch, kSettingsRootPath);
}

std::vector<std::u16string> CatalogueFixture::Order(int group) {
  RegKey key(registry);
  if (!Open(key, SettingsGroupPath(group), reg::kRead)) return {};
  return ReadOrderList(key);
}

std::optional<std::uint32_t> CatalogueFixture::Dword(std::u16string_view settingsKey,
                                                     std::u16string_view name) {
  RegKey key(registry);
  std::uint32_t number = 0;
  if (!Open(key, SettingsPath(settingsKey), reg::kRead) || !ReadDword(key, name, number)) {
    return std::nullopt;
  }
  return number;
}

std::optional<std::u16string> CatalogueFixture::String(std::u16string_view settingsKey,
                                                       std::u16string_view name) {
  RegKey key(registry);
  std::u16string text;
  if (!Open(key, SettingsPath(settingsKey), reg::kRead) || !ReadString(key, name, text)) {
    return std::nullopt;
  }
  return text;
}

bool CatalogueFixture::SettingsKeyExists(std::u16string_view settingsKey) {
  return PathExists(registry, SettingsPath(settingsKey));
}

std::vector<std::u16string> Names(std::initializer_list<std::u16string_view> names) {
  return {names.begin(), names.end()};
}

}  // namespace kva
