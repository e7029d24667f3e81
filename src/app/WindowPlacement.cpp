#include "app/WindowPlacement.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kSection = u"UI settings";

}  // namespace

std::optional<WindowSize> ReadSavedWindowSize(FileSystem& files, std::u16string_view iniPath) {
  const auto ini = ReadIniFile(files, iniPath);
  const auto cx = ini.ReadString(kSection, u"WindowCX");
  const auto cy = ini.ReadString(kSection, u"WindowCY");
  if (!cx || !cy || cx->size() < 3 || cy->size() < 3) return std::nullopt;
  return WindowSize{static_cast<int>(ParseLeadingInt(*cx)), static_cast<int>(ParseLeadingInt(*cy))};
}

bool WriteSavedWindowSize(FileSystem& files, std::u16string_view iniPath, WindowSize size) {
  auto ini = ReadIniFile(files, iniPath);
  return ini.WriteInt(kSection, u"WindowCX", size.width) &&
         ini.WriteInt(kSection, u"WindowCY", size.height) && WriteIniFile(files, iniPath, ini);
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
