#pragma once
// Where the program keeps things, worked out once from its own path.

#include <string>
#include <string_view>

namespace kva {

struct DataLocations {
  std::u16string programPath;
  std::u16string programDir;  // the executable's folder, or the parent of a tools folder
  std::u16string toolsDir;
  std::u16string restartExe;
  std::u16string sevenZipPath;
  std::u16string toolsHivePath;     // kva_tools.dat in the tools folder
  std::u16string settingsHivePath;  // kva_settings.dat in the tools folder
  std::u16string programDataDir;    // ProgramData\Kelvara
  std::u16string resumeSelectionPath;
  std::u16string windowIniPath;     // Settings.ini in ProgramData\Kelvara
  std::u16string uiIniPath;         // KVASettings.ini in the tools folder
  std::u16string tempDir;
  std::u16string tempToolsHivePath;
  std::u16string tempSettingsHivePath;
};

// programPath is the running executable; commonAppData and tempDir come
// from the environment.
DataLocations ComputeDataLocations(std::u16string_view programPath,
                                   std::u16string_view commonAppData, std::u16string_view tempDir);

}  // namespace kva
