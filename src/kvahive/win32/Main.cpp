// kvahive: registry-editor text into a hive file and a hive file back into
// text, through the same registry layer as the program, so that the hive is
// in whatever format the running Windows (or Wine) writes.
//
//   kvahive import <file.reg> <hive-file>
//   kvahive export <hive-file> [--key <shown path>]
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Privileges.h"
#include "platform/win32/Win32Registry.h"

namespace kva {
namespace {

using win32::Wide;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
// More than any catalogue; stops a wrong argument from filling memory.
constexpr LONGLONG kMaxRegFileBytes = 256LL << 20;

void PrintError(std::u16string_view message) {
  const std::string text = "kvahive: " + Utf16ToUtf8(message) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
}

std::u16string ErrorSuffix(unsigned long error) {
  return u" (error " + ToDecimal(static_cast<std::int64_t>(error)) + u")";
}

int Usage() {
  std::fputs(
      "usage: kvahive import <file.reg> <hive-file>\n"
      "       kvahive export <hive-file> [--key <shown path>]\n",
      stderr);
  return kUsageError;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::u16string_view path) {
  win32::UniqueKernelHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
  LARGE_INTEGER size{};
  if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  if (size.QuadPart > kMaxRegFileBytes) {
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_HANDLE_EOF);
    return std::nullopt;
  }
  return bytes;
}

// "file.reg line 12: ..." for the user, who knows the file, not our key.
std::u16string FileMessage(std::u16string_view file, const RegFileError& error) {
  return std::u16string(file) + (error.line != 0 ? u" " : u": ") + Describe(error);
}

// "C:\data\kva_settings.dat" gives "kva_settings".
std::u16string FileStem(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/:");
  std::u16string_view name = slash == kNpos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot != kNpos && dot > 0) name = name.substr(0, dot);
  return std::u16string(name);
}

// Names for our temporary keys: the process id keeps two runs apart, the
// counter steps over a left-over of an earlier run with the same id.
std::u16string ScratchName(unsigned attempt) {
  std::u16string name = u"kvahive_" + ToDecimal(::GetCurrentProcessId());
  if (attempt > 0) name += u"_" + ToDecimal(attempt);
  return name;
}

constexpr unsigned kScratchAttempts = 100;

// The empty key an import is written into. Windows refuses new keys
// directly under HKLM (those are hives), so it lives below HKLM\SOFTWARE.
// It goes away with everything below it on every way out.
class ScratchKey {
 public:
  explicit ScratchKey(Registry& registry) : registry_(registry), key_(registry) {}
  ~ScratchKey() { Remove(); }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  bool Create() {
    for (unsigned attempt = 0; attempt < kScratchAttempts; ++attempt) {
      const std::u16string path = u"HKLM\\SOFTWARE\\" + ScratchName(attempt);
      if (PathExists(registry_, path)) continue;
      if (!Open(key_, path, kOpenOrCreate)) return false;
      path_ = path;
      return true;
    }
    return false;
  }
  bool Remove() {
    if (path_.empty()) return true;
    key_.Reset();
    RegKey scratch(registry_);
    if (!DeleteTree(scratch, path_)) {
      PrintError(u"cannot delete the temporary key " + path_ + ErrorSuffix(::GetLastError()));
      return false;
    }
    path_.clear();
    return true;
  }
  [[nodiscard]] const std::u16string& Path() const { return path_; }
  [[nodiscard]] const RegKey& Key() const { return key_; }

 private:
  Registry& registry_;
  RegKey key_;
  std::u16string path_;
};

// A hive file loaded under a free HKLM name for as long as we read it.
class MountedHive {
 public:
  explicit MountedHive(Registry& registry) : registry_(registry) {}
  ~MountedHive() { Unload(); }
  MountedHive(const MountedHive&) = delete;
  MountedHive& operator=(const MountedHive&) = delete;

  RegStatus Load(std::u16string_view file) {
    for (unsigned attempt = 0; attempt < kScratchAttempts; ++attempt) {
      const std::u16string name = ScratchName(attempt);
      if (KeyExists(registry_, reg::kLocalMachine, name)) continue;
      const RegStatus status = registry_.LoadHive(reg::kLocalMachine, name, file);
      if (status == reg::kSuccess) name_ = name;
      return status;
    }
    return reg::kAlreadyExists;
  }
  // Every key below must be closed first.
  RegStatus Unload() {
    if (name_.empty()) return reg::kSuccess;
    const RegStatus status = registry_.UnloadHive(reg::kLocalMachine, name_);
    if (status == reg::kSuccess) name_.clear();
    return status;
  }
  [[nodiscard]] std::u16string Path() const { return u"HKLM\\" + name_; }

 private:
  Registry& registry_;
  std::u16string name_;
};

// The hive reaches its place only complete: it is saved beside the target
// and then moved over it in one step, so a failure leaves the old file.
bool SaveHiveFile(const RegKey& key, std::u16string_view hivePath) {
  const std::u16string freshPath = std::u16string(hivePath) + u".new";
  const std::wstring target = Wide(hivePath);
  const std::wstring fresh = Wide(freshPath);
  ::DeleteFileW(fresh.c_str());  // a left-over of an interrupted run; the save needs the name
  const RegStatus status = key.Port().SaveHive(key.Handle(), freshPath);
  if (status != reg::kSuccess) {
    ::DeleteFileW(fresh.c_str());
    PrintError(u"cannot save the hive " + freshPath + ErrorSuffix(status));
    return false;
  }
  if (!::MoveFileExW(fresh.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(fresh.c_str());
    PrintError(u"cannot replace " + std::u16string(hivePath) + ErrorSuffix(error));
    return false;
  }
  return true;
}

int Import(std::u16string_view regPath, std::u16string_view hivePath) {
  const auto bytes = ReadWholeFile(regPath);
  if (!bytes) {
    PrintError(u"cannot read " + std::u16string(regPath) + ErrorSuffix(::GetLastError()));
    return kFailed;
  }
  const auto file = ParseRegText(DecodeText(*bytes, WithoutMark::Utf8IfValid).text);
  if (!file) {
    PrintError(FileMessage(regPath, file.error()));
    return kFailed;
  }
  // Saving a key needs the backup privilege; a failure shows in the save.
  win32::Win32Privileges privileges;
  privileges.Enable();
  win32::Win32Registry registry;
  ScratchKey scratch(registry);
  if (!scratch.Create()) {
    PrintError(u"cannot create a temporary key under HKLM\\SOFTWARE" +
               ErrorSuffix(::GetLastError()));
    return kFailed;
  }
  const auto done = ApplyRegFile(registry, *file, {scratch.Path(), {}});
  if (!done) PrintError(FileMessage(regPath, done.error()));
  const bool saved = done && SaveHiveFile(scratch.Key(), hivePath);
  return scratch.Remove() && saved ? 0 : kFailed;
}

std::expected<std::u16string, std::u16string> ExportHive(std::u16string_view hivePath,
                                                         std::u16string_view shownPath) {
  win32::Win32Privileges privileges;
  privileges.Enable();
  win32::Win32Registry registry;
  MountedHive hive(registry);
  if (const RegStatus status = hive.Load(hivePath); status != reg::kSuccess) {
    return std::unexpected(u"cannot load the hive " + std::u16string(hivePath) +
                           ErrorSuffix(status));
  }
  std::expected<std::u16string, RegExportError> text;
  {
    RegKey tree(registry);
    if (!Open(tree, hive.Path(), reg::kRead)) {
      return std::unexpected(u"cannot open the loaded hive" + ErrorSuffix(::GetLastError()));
    }
    text = ExportRegText(tree, shownPath);
  }
  // A hive left loaded would stay so until the next restart on Windows.
  if (const RegStatus status = hive.Unload(); status != reg::kSuccess) {
    return std::unexpected(u"cannot unload the hive" + ErrorSuffix(status));
  }
  if (!text) return std::unexpected(text.error().path + u": " + text.error().reason);
  return std::move(*text);
}

// UTF-8 without a mark and with LF line ends: binary mode keeps the C
// runtime from turning them into CR LF.
bool WriteStandardOutput(const std::string& bytes) {
  _setmode(_fileno(stdout), _O_BINARY);
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
         std::fflush(stdout) == 0;
}

int Export(std::u16string_view hivePath, std::optional<std::u16string_view> shownPath) {
  const std::u16string shown =
      shownPath ? std::u16string(*shownPath) : u"HKEY_LOCAL_MACHINE\\" + FileStem(hivePath);
  const auto text = ExportHive(hivePath, shown);
  if (!text) {
    PrintError(text.error());
    return kFailed;
  }
  if (!WriteStandardOutput(Utf16ToUtf8(*text))) {
    PrintError(u"cannot write the standard output");
    return kFailed;
  }
  return 0;
}

int Run(const std::vector<std::u16string>& args) {
  if (args.size() == 3 && EqualsNoCase(args[0], u"import")) return Import(args[1], args[2]);
  if (args.size() == 2 && EqualsNoCase(args[0], u"export")) return Export(args[1], std::nullopt);
  if (args.size() == 4 && EqualsNoCase(args[0], u"export") && EqualsNoCase(args[2], u"--key")) {
    return Export(args[1], args[3]);
  }
  return Usage();
}

}  // namespace
}  // namespace kva

int wmain(int argc, wchar_t* argv[]) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(kva::win32::FromWide(argv[i]));
  return kva::Run(args);
}
