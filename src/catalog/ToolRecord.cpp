#include "catalog/ToolRecord.h"

#include <climits>

#include "catalog/Groups.h"
#include "catalog/KeyAccess.h"
#include "catalog/Names.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

constexpr std::size_t kMinUninstallBytes = 3;

std::u16string Join(std::u16string_view root, int group, std::u16string_view name = {}) {
  std::u16string path(root);
  path += u'\\';
  path += GroupKeyName(group);
  if (!name.empty()) {
    path += u'\\';
    path += name;
  }
  return path;
}

std::u16string String(const RegKey& key, std::u16string_view name) {
  std::u16string text;
  ReadString(key, name, text);
  return text;
}

std::uint32_t Dword(const RegKey& key, std::u16string_view name) {
  std::uint32_t number = 0;
  ReadDword(key, name, number);
  return number;
}

}  // namespace

int ResolveRecordGroup(Registry& registry, std::u16string_view name, int shownGroup) {
  if (shownGroup != kFavourites) return shownGroup;
  const auto origin = ReadDwordAt(registry, StateKeyPath(name, kFavourites), value::kGroupId);
  // A GroupId no group can have finds no record, like a missing one.
  return origin > INT_MAX ? 0 : int(origin);
}

std::u16string RecordKeyPath(std::u16string_view name, int recordGroup) {
  return recordGroup == kOwnTools ? Join(kSettingsRootPath, kOwnTools, name)
                                  : Join(kCatalogueRootPath, recordGroup, name);
}

std::u16string ResolveRecordKey(Registry& registry, std::u16string_view name, int shownGroup) {
  return RecordKeyPath(name, ResolveRecordGroup(registry, name, shownGroup));
}

std::u16string StateKeyPath(std::u16string_view name, int shownGroup) {
  return Join(kSettingsRootPath, shownGroup, name);
}

std::u16string SettingsGroupPath(int group) { return Join(kSettingsRootPath, group); }

std::u16string CatalogueGroupPath(int group) { return Join(kCatalogueRootPath, group); }

ToolRecord ReadToolRecord(const RegKey& record) {
  ToolRecord r;
  r.url1 = String(record, value::kUrl1);
  r.linkText1 = String(record, value::kLinkText1);
  r.downloadFile1 = String(record, value::kDownloadFile1);
  r.url2 = String(record, value::kUrl2);
  r.linkText2 = String(record, value::kLinkText2);
  r.downloadFile2 = String(record, value::kDownloadFile2);
  r.zipPass = String(record, value::kZipPass);
  for (std::size_t i = 0; i < r.commands.size(); ++i) {
    r.commands[i] = String(record, value::kCommands[i]);
    r.flags[i] = Dword(record, value::kFlags[i]);
    r.scripts[i] = String(record, value::kScripts[i]);
  }
  r.uninstallScript = String(record, value::kUninstallScript);
  r.uninstallCmd = String(record, value::kUninstallCmd);
  r.newestVersionCheck = String(record, value::kNewestVersionCheck);
  r.currentVersionCheck = String(record, value::kCurrentVersionCheck);
  r.windowsVersions = String(record, value::kWindowsVersions);
  r.description = String(record, value::kDescription);
  r.website = String(record, value::kWebsite);
  r.image = Dword(record, value::kImage);
  r.icon = String(record, value::kIcon);
  r.portable = IsPortable(record);
  return r;
}

bool IsPortable(const RegKey& record) {
  RegValue data;
  if (!ReadRaw(record, value::kUninstallCmd, data)) return true;
  return data.data.size() < kMinUninstallBytes;
}

}  // namespace kva
