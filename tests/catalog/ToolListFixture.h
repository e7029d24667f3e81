#pragma once
// A tool list filled by the real loader from small hives: favourites,
// own tools, two catalogue groups and the built-in repairs. Tools whose
// names hold "zip" in different cases let the finder be tested.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogueFixture.h"
#include "catalog/Options.h"
#include "catalog/ToolListLoader.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolState.h"
#include "catalog/ToolTile.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"

namespace kva::apptest {

inline constexpr std::u16string_view kToolHives = uR"(
[HKLM\kva_tools]
"1"="My favorite tools"
"2"="My own tools"
"3"="Anti rootkit/bootkit tools"
"4"="Malware removal tools"
"5"="Adware removal tools"
"6"="System repair tools"
[HKLM\kva_tools\1]
[HKLM\kva_tools\2]
[HKLM\kva_tools\3]
[HKLM\kva_tools\4]
[HKLM\kva_tools\5\7-Zip Portable]
"Description"="A file archiver"
[HKLM\kva_tools\5\WinZIP Installer]
"Description"="Compresses files"
"UninstallCmd"="UniKey=>HKLM32=>WinZip"
[HKLM\kva_tools\5\Short Uninstall]
"Description"="Removes itself"
"UninstallCmd"="abc"
[HKLM\kva_tools\5\Favourite One]
"Description"="Liked a lot"
[HKLM\kva_tools\6\Repair Delta]
"Description"="Unpacks .ZIP archives"
[HKLM\kva_tools\6\Repair Echo]
"UninstallCmd"=""
[HKLM\kva_tools\1001\1-Auto-logon the current user]
[HKLM\kva_settings\1]
"0"="Favourite One"
"1"="Own Favourite"
[HKLM\kva_settings\1\Favourite One]
"GroupId"=dword:00000005
[HKLM\kva_settings\1\Own Favourite]
"GroupId"=dword:00000002
[HKLM\kva_settings\2]
"0"="My Own Tool"
"1"="Own Favourite"
[HKLM\kva_settings\2\My Own Tool]
"command1"="mine.exe"
[HKLM\kva_settings\2\Own Favourite]
"MovedTo"=dword:00000001
[HKLM\kva_settings\3]
[HKLM\kva_settings\4]
[HKLM\kva_settings\5]
"0"="7-Zip Portable"
"1"="WinZIP Installer"
"2"="Short Uninstall"
"3"="Favourite One"
[HKLM\kva_settings\5\Favourite One]
"MovedTo"=dword:00000001
[HKLM\kva_settings\6]
"0"="Repair Delta"
"1"="Repair Echo"
[HKLM\kva_settings\1001]
"0"="1-Auto-logon the current user"
)";

class ToolListFixture : public CatalogueFixture {
 protected:
  void SetUp() override {
    Import(kToolHives);
    Reload();
  }
  void Reload() { ASSERT_EQ(LoadToolList(registry, tiles, {}, {}, list).code, 0); }

  std::size_t IndexOf(std::u16string_view name) {
    for (std::size_t i = 0; i < list.EntryCount(); ++i) {
      if (list.Entry(i).name == name) return i;
    }
    ADD_FAILURE() << Utf16ToUtf8(name) << " is not listed";
    return list.EntryCount();
  }
  std::vector<std::u16string> Ticked() {
    std::vector<std::u16string> names;
    for (const auto& entry : list.Entries()) {
      if (entry.ticked) names.push_back(entry.name);
    }
    return names;
  }
  void Tick(std::initializer_list<std::u16string_view> names) {
    for (const auto name : names) list.SetTicked(IndexOf(name), true);
  }
  bool Collapsed(int group) { return list.FindGroup(group)->collapsed; }

  // Selection files as the program writes them: UTF-16LE with its mark.
  void WriteUtf16(std::u16string_view path, std::u16string_view text) {
    const auto slash = path.find_last_of(u'\\');
    files.CreateFolders(path.substr(0, slash));
    ASSERT_TRUE(files.WriteAll(path, EncodeUtf16Le(text)));
  }
  std::optional<std::u16string> ReadUtf16(std::u16string_view path) {
    std::vector<std::uint8_t> bytes;
    if (!files.ReadAll(path, bytes)) return std::nullopt;
    return DecodeText(bytes).text;
  }

  ToolTileReader tiles{registry, files, environment};
  ToolListModel list;
  ToolState state{registry, list, tiles};
};

}  // namespace kva::apptest
