#include "app/CommandLine.h"

#include "catalog/Selections.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace kva {
namespace {

struct OperationSwitch {
  std::u16string_view text;
  StartOperation operation;
};

constexpr OperationSwitch kOperationSwitches[] = {
    {u"/Update:", StartOperation::Update},
    {u"/Run:", StartOperation::Run},
    {u"/UpdateRun:", StartOperation::UpdateRun},
};

bool IsAbsolute(std::u16string_view path) {
  return (path.size() >= 2 && path[1] == u':') || path.starts_with(u"\\\\");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments) {
  CommandLine result;
  bool given[4] = {};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const auto& arg = arguments[i];
    if (EqualsNoCase(arg, u"/NoUpdate")) {
      result.noUpdate = true;
    } else if (EqualsNoCase(arg, u"/AutoClose")) {
      result.autoClose = true;
    } else if (EqualsNoCase(arg, u"/Quiet")) {
      result.quiet = result.autoClose = true;
    } else if (i + 1 < arguments.size()) {
      for (const auto& sw : kOperationSwitches) {
        if (!EqualsNoCase(arg, sw.text)) continue;
        given[static_cast<int>(sw.operation)] = true;
        result.selectionName = arguments[++i];
        break;
      }
    }
  }
  for (auto op : {StartOperation::Update, StartOperation::Run, StartOperation::UpdateRun}) {
    if (given[static_cast<int>(op)]) {
      result.operation = op;
      break;
    }
  }
  return result;
}

std::u16string ResolveSelectionPath(std::u16string_view name, std::u16string_view toolsDir,
                                    Environment& environment, FileSystem& files) {
  std::u16string path = environment.Expand(name).value_or(std::u16string(name));
  if (!EndsWithNoCase(path, u".kvasel")) path += u".kvasel";
  const std::u16string inToolsDir =
      IsAbsolute(path) ? path : std::u16string(toolsDir) + u"\\" + path;
  if (Exists(files, inToolsDir)) return inToolsDir;
  return SavedSelectionsFolder(toolsDir) + u"\\" + path;
}

}  // namespace kva
