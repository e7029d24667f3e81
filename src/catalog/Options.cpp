#include "catalog/Options.h"

#include "catalog/Names.h"
#include "platform/RegistryAccess.h"

namespace kva {

std::uint32_t LoadOptionsFlag(Registry& registry) {
  RegKey root(registry);
  if (!Open(root, kSettingsRootPath, reg::kRead | reg::kSetValue)) return options::kDefault;
  std::uint32_t flags = 0;
  if (ReadDword(root, kOptionsFlagValue, flags)) return flags;
  // Unwritten, the default still holds for this run and is offered again
  // at the next start.
  (void)WriteDword(root, kOptionsFlagValue, options::kDefault);
  return options::kDefault;
}

bool SaveOptionsFlag(Registry& registry, std::uint32_t flags) {
  return WriteDwordAt(registry, kSettingsRootPath, kOptionsFlagValue, flags);
}

}  // namespace kva
