#pragma once
// The runner's way into the built-in actions: each tag command runs over
// one context, whose result lines since the tool began give its result.

#include <string>

#include "operations/CommandServices.h"
#include "repair/RepairContext.h"

namespace kva {

class RepairDispatcher final : public TagDispatcher {
 public:
  explicit RepairDispatcher(RepairContext& context) : context_(context) {}

  int Dispatch(std::u16string_view command, std::size_t closePosition) override;
  void BeginTool() override;
  [[nodiscard]] std::u16string ToolResult() const override;

 private:
  RepairContext& context_;
};

}  // namespace kva
