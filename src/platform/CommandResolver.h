#pragma once
// Turning the free-form command lines of the catalogue into paths that
// exist: unquoted paths with spaces, environment variables, switches after
// the path, interpreters in front of the file that matters, wildcards in
// folder names of versioned installs, NT-style prefixes.
//
// Each operation takes its text by reference, rewrites it to the resolved
// path on success and leaves it as it was on failure, except
// ResolveExistingPath, which leaves it with its variables expanded. Names,
// extensions and paths compare case-insensitively.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace kva {

// Where system-relative paths point, filled by the caller.
struct SystemFolders {
  std::u16string systemDrive;     // "C:": the first two characters of the Windows folder
  std::u16string windowsFolder;   // "C:\Windows"
  std::u16string system32Folder;  // "C:\Windows\System32"
};

class CommandResolver {
 public:
  CommandResolver(FileSystem& files, Environment& environment, Registry& registry)
      : files_(files), environment_(environment), registry_(registry) {}

  // Expands variables, then replaces each "*" pattern in a folder or file
  // name by the first entry it matches (not a junction or link). False, and
  // the command unchanged, when a pattern matches nothing or has no folder.
  bool ExpandPathWildcards(std::u16string& command);
  // A bare program name on the search path, else under App Paths (the name,
  // with splitAtSpace only up to its first space, with ".exe" added when it
  // has no extension).
  bool FindOnSearchPath(std::u16string& name, bool splitAtSpace);
  // A program name, with or without its extension, to an existing file.
  bool ResolveExecutableName(std::u16string& name);
  // For "cmd", "wscript", "regsvr32", "rundll32", "regedit" and "svchost"
  // lines, the file the interpreter acts on; otherwise the program.
  bool ResolveCommandTarget(std::u16string& commandLine);
  // The longest leading part of an unquoted line, up to a space, that is a program.
  bool ResolveLeadingExecutable(std::u16string& commandLine);
  // Whether the thing a command names exists, trying each reading in turn.
  bool ResolveExistingPath(std::u16string& text, const SystemFolders& folders);

  [[nodiscard]] FileSystem& Files() const { return files_; }
  [[nodiscard]] Environment& Env() const { return environment_; }

 private:
  bool ReadAppPath(std::u16string_view name, std::u16string& path);
  bool ResolveInterpreterTarget(const std::vector<std::u16string>& args, std::u16string& found);
  bool LocateTarget(std::u16string_view name, std::u16string& found);

  FileSystem& files_;
  Environment& environment_;
  Registry& registry_;
};

// The extension of a path's last component with its dot ("" when none), as
// Windows finds it: a space or backslash after the dot ends the search.
std::u16string_view ExtensionOf(std::u16string_view path);

}  // namespace kva
