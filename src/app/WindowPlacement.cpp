#include "app/WindowPlacement.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kSection = u"UI settings";

IniFile ReadIni(FileSystem& files, std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  files.ReadAll(path, bytes);
  return IniFile::Parse(bytes);
}

}  // namespace

std::optional<WindowSize> ReadSavedWindowSize(FileSystem& files, std::u16string_view iniPath) {
  const auto ini = ReadIni(files, iniPath);
  const auto cx = ini.ReadString(kSection, u"WindowCX");
  const auto cy = ini.ReadString(kSection, u"WindowCY");
  if (!cx || !cy || cx->size() < 3 || cy->size() < 3) return std::nullopt;
  return WindowSize{static_cast<int>(ParseLeadingInt(*cx)), static_cast<int>(ParseLeadingInt(*cy))};
}

void WriteSavedWindowSize(FileSystem& files, std::u16string_view iniPath, WindowSize size) {
  auto ini = ReadIni(files, iniPath);
  if (ini.WriteInt(kSection, u"WindowCX", size.width) &&
      ini.WriteInt(kSection, u"WindowCY", size.height)) {
    files.WriteAll(iniPath, ini.Serialize());
  }
}

WindowSize ClampWindowSize(WindowSize wanted, WindowSize screen) {
  constexpr int kNarrowest = 740;
  if (wanted.width < kNarrowest || wanted.width > screen.width) wanted.width = kNarrowest;
  if (wanted.height < kMainWindowHeight || wanted.height > screen.height) {
    wanted.height = kMainWindowHeight;
  }
  return wanted;
}

}  // namespace kva
