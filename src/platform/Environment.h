#pragma once
// The environment port: process variables, known folders and the Windows
// version, as the process sees them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kva {

// The folders the program asks for (SHGetFolderPathW ids).
enum class KnownFolder {
  Windows,           // CSIDL_WINDOWS
  System,            // CSIDL_SYSTEM
  SystemX86,         // CSIDL_SYSTEMX86
  ProgramFiles,      // CSIDL_PROGRAM_FILES
  ProgramFilesX86,   // CSIDL_PROGRAM_FILESX86
  Desktop,           // CSIDL_DESKTOPDIRECTORY
  CommonDesktop,     // CSIDL_COMMON_DESKTOPDIRECTORY
  Documents,         // CSIDL_PERSONAL
  CommonDocuments,   // CSIDL_COMMON_DOCUMENTS
  LocalAppData,      // CSIDL_LOCAL_APPDATA
  CommonAppData,     // CSIDL_COMMON_APPDATA
  Profile,           // CSIDL_PROFILE
};

// Whose folder: the account the program runs as, or the user logged on at
// the console (resolved with that user's token).
enum class FolderOwner { Process, ConsoleUser };

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

class Environment {
 public:
  virtual ~Environment() = default;

  virtual std::optional<std::u16string> Variable(std::u16string_view name) = 0;
  virtual bool SetVariable(std::u16string_view name, std::u16string_view value) = 0;
  // ExpandEnvironmentStringsW with a buffer of 4096 characters; empty when
  // the expansion does not fit or fails.
  virtual std::optional<std::u16string> Expand(std::u16string_view text) = 0;
  // PathUnExpandEnvStringsW (260 characters); empty when nothing applies.
  virtual std::optional<std::u16string> Unexpand(std::u16string_view path) = 0;

  // Empty when the folder is unknown (or there is no console user).
  virtual std::u16string Folder(KnownFolder folder, FolderOwner owner = FolderOwner::Process) = 0;
  // GetTempPathW in long form, without a trailing backslash.
  virtual std::u16string TempFolder() = 0;
  // GetModuleFileNameW of the running program.
  virtual std::u16string ProgramPath() = 0;

  // What GetVersionExW reports (capped at 6.2 without a manifest on Windows).
  virtual OsVersion ReportedVersion() = 0;
  // VerifyVersionInfoW: the running Windows is at least major.minor and,
  // when build is not 0, at least that build.
  virtual bool IsAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t build) = 0;
};

}  // namespace kva
