#include "repair/TagRoutine.h"

#include "platform/Text.h"

namespace kva {

std::u16string RestOfLine(const TagCall& call) {
  std::u16string_view rest = call.text.substr(call.tag.size());
  std::u16string kept;
  for (std::size_t at = FindNoCase(rest, call.tag); at != kNpos; at = FindNoCase(rest, call.tag)) {
    kept += rest.substr(0, at);
    rest.remove_prefix(at + call.tag.size());
  }
  kept += rest;
  return std::u16string(Trim(kept, kTagCommandBlanks));
}

}  // namespace kva
