#include "platform/CommandResolver.h"

#include <array>
#include <optional>

#include "platform/CommandLineArgs.h"
#include "platform/Regex.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kAppPaths =
    u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

enum class TargetMode { Executable, Script, Library, RegistryFile };

struct Interpreter {
  std::u16string_view name;
  TargetMode mode;
  std::array<std::u16string_view, 4> extensions;  // accepted, and tried in order
};

constexpr std::array<Interpreter, 6> kInterpreters{{
    {u"cmd", TargetMode::Executable, {u".exe", u".com", u".bat", u".cmd"}},
    {u"svchost", TargetMode::Executable, {u".exe", u".com", u".bat", u".cmd"}},
    {u"wscript", TargetMode::Script, {u".vbs", u".vbe"}},
    {u"regsvr32", TargetMode::Library, {u".dll", u".cpl", u".ocx"}},
    {u"rundll32", TargetMode::Library, {u".dll", u".cpl", u".ocx"}},
    {u"regedit", TargetMode::RegistryFile, {u".reg"}},
}};

constexpr std::array<std::u16string_view, 5> kOtherProgramExtensions{u".scr", u".bat", u".cmd",
                                                                     u".vbs", u".pif"};

const Interpreter* FindInterpreter(std::u16string_view program) {
  const std::size_t slash = program.find_last_of(u"\\/");
  std::u16string_view name = slash == program.npos ? program : program.substr(slash + 1);
  name.remove_suffix(ExtensionOf(name).size());
  for (const auto& interpreter : kInterpreters) {
    if (EqualsNoCase(interpreter.name, name)) return &interpreter;
  }
  return nullptr;
}

bool Accepts(const Interpreter& interpreter, std::u16string_view extension) {
  if (interpreter.mode == TargetMode::Executable) return true;
  for (auto accepted : interpreter.extensions) {
    if (!accepted.empty() && EqualsNoCase(accepted, extension)) return true;
  }
  return false;
}

// A switch, or an argument cut to what the interpreter reads as the file.
std::optional<std::u16string> TargetName(const Interpreter& interpreter, std::u16string arg) {
  if (arg.empty() || arg.starts_with(u'-') || arg.starts_with(u'/')) return std::nullopt;
  if (interpreter.mode == TargetMode::Library) arg = arg.substr(0, arg.find(u','));
  const std::size_t extensionLength = ExtensionOf(arg).size();
  if (extensionLength > 4) arg.resize(arg.size() - extensionLength + 4);
  return arg;
}

bool IsAbsolute(std::u16string_view name) {
  return name.size() >= 3 && name[1] == u':' && name[2] == u'\\';
}

bool IsUsableFile(FileSystem& files, std::u16string_view path) {
  const auto attributes = files.Attributes(path);
  if (attributes == attr::kInvalid) return false;
  // A junction to a folder still counts as a file here.
  return !(attributes & attr::kDirectory) || (attributes & attr::kReparsePoint);
}

}  // namespace

std::u16string_view ExtensionOf(std::u16string_view path) {
  std::size_t dot = path.npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == u'\\' || path[i] == u' ') dot = path.npos;
    else if (path[i] == u'.') dot = i;
  }
  return dot == path.npos ? std::u16string_view() : path.substr(dot);
}

bool CommandResolver::FindOnSearchPath(std::u16string& name, bool splitAtSpace) {
  if (auto found = files_.FindOnPath(name)) {
    name = std::move(*found);
    return true;
  }
  if (name.size() < 2 || name[1] == u':' || name.find(u'\\') != name.npos) return false;
  std::u16string key = splitAtSpace ? name.substr(0, name.find(u' ')) : name;
  if (ExtensionOf(key).empty()) key += u".exe";
  std::u16string path;
  if (!ReadAppPath(key, path)) return false;
  name = std::move(path);
  return true;
}

bool CommandResolver::ReadAppPath(std::u16string_view name, std::u16string& path) {
  RegKey key(registry_);
  std::u16string value;
  if (!Open(key, std::u16string(kAppPaths) + std::u16string(name), reg::kRead) ||
      !ReadString(key, u"", value)) {
    return false;
  }
  // Installers often write the path in quotes; the quotes are no part of it.
  if (value.size() >= 2 && value.starts_with(u'"') && value.ends_with(u'"')) {
    value = value.substr(1, value.size() - 2);
  }
  auto expanded = environment_.Expand(value);
  if (!expanded || expanded->empty()) return false;
  path = std::move(*expanded);
  return true;
}

bool CommandResolver::ResolveExecutableName(std::u16string& name) {
  if (name.empty() || name.starts_with(u'/')) return false;
  if (IsUsableFile(files_, name)) return true;
  // A three-letter extension is already there: a dot fourth from the end.
  if (name.size() >= 4 && name[name.size() - 4] == u'.') return FindOnSearchPath(name, true);

  if (IsAbsolute(name)) {
    for (auto extension : {u".exe", u".scr", u".bat", u".cmd", u".vbs", u".pif"}) {
      std::u16string candidate = name + extension;
      if (!Exists(files_, candidate)) continue;
      name = std::move(candidate);
      return true;
    }
    return false;
  }
  std::u16string candidate = name + u".exe";
  if (FindOnSearchPath(candidate, true)) {
    name = std::move(candidate);
    return true;
  }
  for (auto extension : kOtherProgramExtensions) {
    if (auto found = files_.FindOnPath(name + std::u16string(extension))) {
      name = std::move(*found);
      return true;
    }
  }
  return false;
}

bool CommandResolver::ResolveCommandTarget(std::u16string& commandLine) {
  const auto args = SplitArguments(commandLine);
  if (args.empty()) return false;
  if (args.size() == 1) {
    if (!IsUsableFile(files_, args.front())) return false;
    commandLine = args.front();
    return true;
  }
  std::u16string found;
  if (ResolveInterpreterTarget(args, found)) {
    commandLine = std::move(found);
    return true;
  }
  found = args.front();
  if (!ResolveExecutableName(found)) return false;
  commandLine = std::move(found);
  return true;
}

bool CommandResolver::ResolveInterpreterTarget(const std::vector<std::u16string>& args,
                                               std::u16string& found) {
  const Interpreter* interpreter = FindInterpreter(args.front());
  if (!interpreter) return false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const auto name = TargetName(*interpreter, args[i]);
    if (!name) continue;
    const auto extension = ExtensionOf(*name);
    if (!extension.empty()) {
      if (Accepts(*interpreter, extension) && LocateTarget(*name, found)) return true;
      continue;
    }
    for (auto tried : interpreter->extensions) {
      if (!tried.empty() && LocateTarget(*name + std::u16string(tried), found)) return true;
    }
  }
  return false;
}

// A path with a drive must exist; a bare name is looked up on the search path.
bool CommandResolver::LocateTarget(std::u16string_view name, std::u16string& found) {
  if (name.find(u":\\") != name.npos) {
    if (!Exists(files_, name)) return false;
    found = name;
    return true;
  }
  auto onPath = files_.FindOnPath(name);
  if (!onPath) return false;
  found = std::move(*onPath);
  return true;
}

bool CommandResolver::ResolveLeadingExecutable(std::u16string& commandLine) {
  std::u16string candidate = commandLine;
  while (!candidate.empty()) {
    std::u16string resolved = candidate;
    if (ResolveExecutableName(resolved)) {
      commandLine = std::move(resolved);
      return true;
    }
    const std::size_t space = candidate.rfind(u' ');
    if (space == candidate.npos) break;
    candidate.resize(space);
  }
  return false;
}

}  // namespace kva
