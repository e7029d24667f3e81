#include "catalog/KeyAccess.h"

#include "platform/RegistryAccess.h"

namespace kva {

std::uint32_t ReadDwordAt(Registry& registry, std::u16string_view path, std::u16string_view name) {
  RegKey key(registry);
  std::uint32_t number = 0;
  if (Open(key, path, reg::kRead)) ReadDword(key, name, number);
  return number;
}

bool RemoveValueAt(Registry& registry, std::u16string_view path, std::u16string_view name) {
  RegKey key(registry);
  if (!Open(key, path, reg::kRead | reg::kSetValue)) return !PathExists(registry, path);
  const auto status = registry.RemoveValue(key.Handle(), name);
  return status == reg::kSuccess || status == reg::kFileNotFound;
}

bool DeleteKeyTree(Registry& registry, std::u16string_view path) {
  RegKey scratch(registry);
  return DeleteTree(scratch, path) || !PathExists(registry, path);
}

}  // namespace kva
