// Any text as a catalogue command, resolved on a small fake Windows
// installation. A found program or path must exist, the rewritten line
// must start with the program, and a failure must change nothing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "platform/CommandLineSplit.h"
#include "platform/CommandResolver.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace {

struct Installation {
  Installation() {
    for (auto file : {u"C:\\Windows\\notepad.exe", u"C:\\Windows\\System32\\cmd.exe",
                      u"C:\\Windows\\System32\\shell32.dll", u"C:\\Windows\\System32\\setup.bat",
                      u"C:\\Fixes\\fix.reg", u"C:\\Program Files\\Tool\\tool.exe",
                      u"C:\\Tools\\Scan v2\\scan.exe", u"C:\\Tools\\old.com",
                      u"C:\\Apps\\edit.exe"}) {
      files.WriteText(file, "x");
    }
    files.searchFolders = {u"C:\\Windows\\System32", u"C:\\Windows", u"C:\\Fixes"};
    environment.SetVariable(u"ComSpec", u"C:\\Windows\\System32\\cmd.exe");
    environment.SetVariable(u"SystemRoot", u"C:\\Windows");
    kva::WriteStringAt(registry,
                       u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\edit.exe",
                       u"", kva::reg::kSz, u"C:\\Apps\\edit.exe");
  }
  kva::FakeFileSystem files;
  kva::FakeEnvironment environment;
  kva::FakeRegistry registry;
  kva::CommandResolver resolver{files, environment, registry};
};

void CheckSplit(Installation& at, const std::u16string& text) {
  std::u16string line = text, executable, folder;
  if (!kva::SplitCommandLine(at.resolver, line, executable, folder)) {
    if (line != text || !executable.empty() || !folder.empty()) std::abort();
    return;
  }
  if (!kva::Exists(at.files, executable)) std::abort();
  const bool quoted = line.starts_with(u"\"" + executable + u"\"");
  if (!quoted && !line.starts_with(executable)) std::abort();
}

void CheckExistingPath(Installation& at, const std::u16string& text) {
  const kva::SystemFolders folders{u"C:", u"C:\\Windows", u"C:\\Windows\\System32"};
  std::u16string path = text;
  if (at.resolver.ResolveExistingPath(path, folders) && !kva::Exists(at.files, path)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Installation installation;
  const std::u16string text =
      kva::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckSplit(installation, text);
  CheckExistingPath(installation, text);
  std::u16string command = text;
  if (!installation.resolver.ExpandPathWildcards(command) && command != text) std::abort();
  return 0;
}
