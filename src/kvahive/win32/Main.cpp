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

#include "platform/HiveFiles.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Privileges.h"
#include "platform/win32/Win32Registry.h"

namespace kva {
namespace {

using win32::Wide;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

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

// A console program has no windows to keep alive while the hive is saved.
class WaitingPump final : public MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned milliseconds) override { ::Sleep(milliseconds); }
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

// Windows refuses new keys directly under HKLM (those are hives), so the
// import is assembled below HKLM\SOFTWARE.
int Import(std::u16string_view regPath, std::u16string_view hivePath) {
  win32::Win32FileSystem files;
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(regPath, bytes)) {
    PrintError(u"cannot read " + std::u16string(regPath) + ErrorSuffix(::GetLastError()));
    return kFailed;
  }
  // Saving a key needs the backup privilege; a failure shows in the save.
  win32::Win32Privileges privileges;
  privileges.Enable();
  win32::Win32Registry registry;
  WaitingPump pump;
  const auto text = DecodeText(bytes, WithoutMark::Utf8IfValid).text;
  const auto built = BuildHiveFile(registry, files, pump, text,
                                   u"HKLM\\SOFTWARE\\" + ScratchName(0), hivePath);
  if (!built) {
    PrintError(std::u16string(regPath) + u" " + built.error());
    return kFailed;
  }
  return 0;
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
