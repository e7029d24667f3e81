#pragma once
// A settable environment: variables, known folders and the Windows version
// are whatever the test puts there. Variable names compare
// case-insensitively. Expand replaces %NAME% references the way Wine's
// ExpandEnvironmentStringsW does: a known name is replaced, an unknown one
// (or a lone %) stays as written, and a result of 4096 characters or more
// does not fit. Unexpand mirrors PathUnExpandEnvStringsW: the longest value
// of ALLUSERSPROFILE, APPDATA, ProgramFiles, SystemRoot, SystemDrive and
// USERPROFILE that starts the path is replaced by its reference.

#include <map>
#include <utility>

#include "platform/Environment.h"
#include "platform/Text.h"

namespace kva {

class FakeEnvironment final : public Environment {
 public:
  std::optional<std::u16string> Variable(std::u16string_view name) override;
  bool SetVariable(std::u16string_view name, std::u16string_view value) override;
  std::optional<std::u16string> Expand(std::u16string_view text) override;
  std::optional<std::u16string> Unexpand(std::u16string_view path) override;

  std::u16string Folder(KnownFolder folder, FolderOwner owner = FolderOwner::Process) override;
  std::u16string TempFolder() override { return tempFolder; }
  std::u16string ProgramPath() override { return programPath; }

  OsVersion ReportedVersion() override { return reportedVersion; }
  bool IsAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t build) override;

  // Test set-up.
  void SetFolder(KnownFolder folder, std::u16string path,
                 FolderOwner owner = FolderOwner::Process);
  // What GetVersionExW says and what VerifyVersionInfoW compares with.
  void SetVersion(OsVersion reported, OsVersion actual);
  void RemoveVariable(std::u16string_view name);

  std::u16string tempFolder = u"C:\\Users\\tech\\AppData\\Local\\Temp";
  std::u16string programPath = u"C:\\Kit\\Kelvara.exe";
  OsVersion reportedVersion{6, 2, 9200};
  OsVersion actualVersion{10, 0, 19045};

 private:
  std::map<std::u16string, std::u16string, LessNoCase> variables_;
  std::map<std::pair<KnownFolder, FolderOwner>, std::u16string> folders_;
};

}  // namespace kva
