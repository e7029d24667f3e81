#include "repair/RepairDispatcher.h"

#include "repair/ScriptCommand.h"

namespace kva {

int RepairDispatcher::Dispatch(std::u16string_view command, std::size_t closePosition) {
  return ExecuteScriptCommand(context_, command, closePosition);
}

void RepairDispatcher::BeginTool() { context_.resultLines.clear(); }

std::u16string RepairDispatcher::ToolResult() const {
  return context_.resultLines.empty() ? std::u16string() : context_.resultLines.back();
}

}  // namespace kva
