#include "settings/Theme.h"

#include <vector>

#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace kva {
namespace {

constexpr std::u16string_view kSection = u"UI";
constexpr std::u16string_view kKey = u"CurrentTheme";

ButtonStyle ThemedButtons(const std::array<std::uint32_t, 7>& colours) {
  ButtonStyle style;
  style.cornerRadius = 5.0f;
  style.borderWidth = 2;
  style.colours = colours;
  style.flag = 1;
  return style;
}

// The file as it is, or an empty one when there is none; one that cannot
// be read gives nothing, so that it is not rewritten without its lines.
std::optional<IniFile> ReadIni(FileSystem& files, std::u16string_view path) {
  if (!Exists(files, path)) return IniFile();
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(path, bytes)) return std::nullopt;
  return IniFile::Parse(bytes);
}

}  // namespace

Theme ThemeOf(ThemeId id) {
  if (id == ThemeId::Light) {
    return {id,
            {0x301020, 0xFFFEFC, 0x000000, 0xA06060},
            ThemedButtons({0xFFFFFEFC, 0xFFEFEEEC, 0xFFEFEEEC, 0xFFDFDEDC, 0xFF101010,
                           0xFF151515, 0xFF000000})};
  }
  return {ThemeId::Dark,
          {0x606060, 0x301020, 0xFFFFFF, 0xFFA0A0},
          ThemedButtons({0xFFEFEEEC, 0xFFDFDEDC, 0xFFFFFEFC, 0xFFEFEEEC, 0xFFC0C0C0,
                         0xFFE0E0E0, 0xFF000000})};
}

ButtonStyle UnthemedButtonStyle() {
  ButtonStyle style;
  style.cornerRadius = 4.0f;
  style.borderWidth = 6;
  style.colours = {0xFF606070, 0xFF202030, 0xFF808090, 0xFF404050,
                   0xA09F9F9F, 0xE0EFEFEF, 0x00FFFFFF};
  return style;
}

std::int64_t ReadCurrentTheme(FileSystem& files, std::u16string_view iniPath) {
  const auto ini = ReadIni(files, iniPath);
  if (!ini || !ini->ReadString(kSection, kKey)) return kNoTheme;
  return ini->ReadInt(kSection, kKey);
}

bool WriteCurrentTheme(FileSystem& files, std::u16string_view iniPath, ThemeId id) {
  auto ini = ReadIni(files, iniPath);
  return ini && ini->WriteInt(kSection, kKey, static_cast<int>(id)) &&
         WriteIniFile(files, iniPath, *ini);
}

Theme ApplyTheme(FileSystem& files, std::u16string_view iniPath, ThemeId id) {
  // Not stored only means the chooser asks again at the next start.
  WriteCurrentTheme(files, iniPath, id);
  return ThemeOf(id);
}

Theme StartUpTheme(FileSystem& files, std::u16string_view iniPath, bool interactive,
                   const ThemeChooser& choose) {
  const auto stored = ReadCurrentTheme(files, iniPath);
  if (stored == 0 || stored == 1) return ThemeOf(static_cast<ThemeId>(stored));
  const auto chosen = interactive && choose ? choose() : std::nullopt;
  return ApplyTheme(files, iniPath, chosen.value_or(ThemeId::Dark));
}

}  // namespace kva
