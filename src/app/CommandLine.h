#pragma once
// The program's switches. Switches are whole arguments compared
// case-insensitively; an operation switch takes the next argument as the
// selection name and is ignored when nothing follows it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class Environment;
class FileSystem;

enum class StartOperation { None, Update, Run, UpdateRun };

struct CommandLine {
  bool noUpdate = false;
  bool autoClose = false;  // also set by /Quiet
  bool quiet = false;
  // The first of update, run, update-and-run whose switch was given.
  StartOperation operation = StartOperation::None;
  // The selection named last, as written.
  std::u16string selectionName;
};

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);

// The file a selection name stands for: environment-expanded, ".kvasel"
// appended when missing, and looked for in the tools folder first, then
// in its "Saved Selections" folder.
std::u16string ResolveSelectionPath(std::u16string_view name, std::u16string_view toolsDir,
                                    Environment& environment, FileSystem& files);

}  // namespace kva
