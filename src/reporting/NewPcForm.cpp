#include "reporting/NewPcForm.h"

#include "reporting/ClientName.h"

namespace kva {

std::optional<NewPcAnswer> NewPcForm::Apply(std::u16string_view typedName) const {
  if (!ClientBoxEnabled()) {
    return NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, never_, disable_};
  }
  auto name = CleanClientName(typedName);
  if (!name) return std::nullopt;
  return NewPcAnswer{NewPcAnswer::Kind::kClient, std::move(*name), false, false};
}

}  // namespace kva
