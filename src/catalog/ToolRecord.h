#pragma once
// A tool's record and state: the value names as stored, and how a list
// entry (name and shown group) finds its record key and its state key.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kva {

class RegKey;
class Registry;

namespace value {
// Record values.
inline constexpr std::u16string_view kUrl1 = u"url1";
inline constexpr std::u16string_view kLinkText1 = u"linktext1";
inline constexpr std::u16string_view kDownloadFile1 = u"downloadfile";
inline constexpr std::u16string_view kUrl2 = u"url2";
inline constexpr std::u16string_view kLinkText2 = u"linktext2";
inline constexpr std::u16string_view kDownloadFile2 = u"downloadfile2";
inline constexpr std::u16string_view kZipPass = u"ZipPass";
inline constexpr std::array<std::u16string_view, 4> kCommands = {u"command1", u"command2",
                                                                 u"command3", u"command4"};
inline constexpr std::array<std::u16string_view, 4> kFlags = {u"flag1", u"flag2", u"flag3",
                                                              u"flag4"};
inline constexpr std::array<std::u16string_view, 4> kScripts = {u"CA1", u"CA2", u"CA3", u"CA4"};
inline constexpr std::u16string_view kUninstallScript = u"CAU";
inline constexpr std::u16string_view kUninstallCmd = u"UninstallCmd";
inline constexpr std::u16string_view kNewestVersionCheck = u"NVC";
inline constexpr std::u16string_view kCurrentVersionCheck = u"CVC";
inline constexpr std::u16string_view kWindowsVersions = u"WindowsVersions";
inline constexpr std::u16string_view kDescription = u"Description";
inline constexpr std::u16string_view kWebsite = u"Website";
inline constexpr std::u16string_view kImage = u"iImage";
inline constexpr std::u16string_view kIcon = u"Icon";

// State values (settings hive).
inline constexpr std::u16string_view kState = u"State";
inline constexpr std::u16string_view kHidden = u"Hidden";
inline constexpr std::u16string_view kMovedTo = u"MovedTo";
inline constexpr std::u16string_view kGroupId = u"GroupId";
inline constexpr std::u16string_view kLastUpdate = u"LastUpdate";
inline constexpr std::u16string_view kDownloadSize1 = u"PDS1";
inline constexpr std::u16string_view kDownloadSize2 = u"PDS2";

// Group key values.
inline constexpr std::u16string_view kGroupImage = u"GroupImage";  // catalogue
inline constexpr std::u16string_view kGroupState = u"GroupState";  // settings
}  // namespace value

// The group holding the record: the shown group, or for a favourite its
// GroupId (0 when missing, which finds no record).
int ResolveRecordGroup(Registry& registry, std::u16string_view name, int shownGroup);
std::u16string RecordKeyPath(std::u16string_view name, int recordGroup);
std::u16string ResolveRecordKey(Registry& registry, std::u16string_view name, int shownGroup);
std::u16string StateKeyPath(std::u16string_view name, int shownGroup);
// The settings hive's key of a group: its order list and its tools' state.
std::u16string SettingsGroupPath(int group);
std::u16string CatalogueGroupPath(int group);

// The fields of a record, read in one go for the code that works with a
// whole tool. Missing values read as empty text or 0.
struct ToolRecord {
  std::u16string url1, linkText1, downloadFile1;
  std::u16string url2, linkText2, downloadFile2;
  std::u16string zipPass;
  std::array<std::u16string, 4> commands;
  std::array<std::uint32_t, 4> flags{};
  std::array<std::u16string, 4> scripts;
  std::u16string uninstallScript;
  std::u16string uninstallCmd;
  std::u16string newestVersionCheck, currentVersionCheck;
  std::u16string windowsVersions;
  std::u16string description, website;
  std::uint32_t image = 0;
  std::u16string icon;
  bool portable = true;
};

ToolRecord ReadToolRecord(const RegKey& record);

// Portable tools have no uninstall command: UninstallCmd is absent or its
// data is shorter than 3 bytes (an empty string with its NUL).
bool IsPortable(const RegKey& record);

}  // namespace kva
