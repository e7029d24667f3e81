#pragma once
// The path variables tool fields may use (%ToolsDir%, %SystemDir%, ...):
// their values, publishing them into the process environment so that one
// expansion resolves them and started tools inherit them, and turning a
// picked path back into variable form.

#include <string>
#include <string_view>

namespace kva {

class Environment;

struct PathVariables {
  std::u16string toolsDir;
  std::u16string systemDir;
  std::u16string sysWowDir;
  std::u16string desktop;        // the console user's
  std::u16string publicDesktop;
  std::u16string myDocs;         // the account the program runs as
  std::u16string commonDocs;
  std::u16string localAppData;   // the console user's
};

PathVariables ComputePathVariables(Environment& environment, std::u16string_view toolsDir);

// Sets every variable that has a value; a folder that could not be found
// leaves its variable alone rather than making it expand to nothing.
// False when a variable could not be set.
bool PublishPathVariables(Environment& environment, const PathVariables& variables);

// One environment expansion; the text unchanged when it fails.
std::u16string ExpandPath(Environment& environment, std::u16string_view text);

// Replaces the first known folder that starts path (case-insensitively, and
// only where a path component ends) by its variable; with none, the
// standard folders of PathUnExpandEnvStringsW. Unchanged when nothing fits.
std::u16string CollapsePath(Environment& environment, const PathVariables& variables,
                            std::u16string_view path);

}  // namespace kva
