#include "repair/ScriptCommand.h"

#include <string>

#include "platform/Text.h"
#include "repair/RepairStages.h"

namespace kva {

int ExecuteScriptCommand(RepairContext& context, std::u16string_view command,
                         std::size_t tagLength) {
  const std::u16string_view text = Trim(command, kTagCommandBlanks);
  if (!text.starts_with(u'<') || tagLength == 0) return 0;
  SetRepairStatus(context, u"Executing script command: " + std::u16string(command));
  const TagCall call{text, Left(text, tagLength)};
  const RepairRoutine routine = FindTagRoutine(call.tag);
  if (!routine) return 0;
  routine(context, call);
  return 1;
}

}  // namespace kva
