#include "app/DataLocations.h"

#include "platform/Text.h"

namespace kva {
namespace {

std::u16string_view NameOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u'\\');
  return slash == kNpos ? path : path.substr(slash + 1);
}

std::u16string Join(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  path += u'\\';
  path += name;
  return path;
}

// A launcher named "Kelvara64.exe" is restarted as "Kelvara.exe".
std::u16string RestartName(std::u16string_view exeName) {
  constexpr std::u16string_view k64 = u"64.exe";
  if (!EndsWithNoCase(exeName, k64)) return std::u16string(exeName);
  return std::u16string(exeName.substr(0, exeName.size() - k64.size())) + u".exe";
}

}  // namespace

DataLocations ComputeDataLocations(std::u16string_view programPath,
                                   std::u16string_view commonAppData, std::u16string_view tempDir) {
  DataLocations d;
  d.programPath = programPath;
  const auto exeFolder = FolderOf(programPath);
  if (EndsWithNoCase(exeFolder, u"\\Kelvara tools")) {
    d.toolsDir = exeFolder;
    d.programDir = FolderOf(exeFolder);
  } else {
    d.programDir = exeFolder;
    d.toolsDir = Join(exeFolder, u"Kelvara tools");
  }
  d.restartExe = Join(d.programDir, RestartName(NameOf(programPath)));
  d.sevenZipPath = Join(d.toolsDir, u"7za.exe");
  d.toolsHivePath = Join(d.toolsDir, u"kva_tools.dat");
  d.settingsHivePath = Join(d.toolsDir, u"kva_settings.dat");
  d.uiIniPath = Join(d.toolsDir, u"KVASettings.ini");
  d.programDataDir = Join(commonAppData, u"Kelvara");
  d.resumeSelectionPath = Join(d.programDataDir, u"_kva_sel.kvasel");
  d.windowIniPath = Join(d.programDataDir, u"Settings.ini");
  d.tempDir = tempDir;
  d.tempToolsHivePath = Join(tempDir, u"kva_tools.dat");
  d.tempSettingsHivePath = Join(tempDir, u"kva_settings.dat");
  return d;
}

}  // namespace kva
