#include "app/AutoEndTasks.h"

#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {

void DisableAutoEndTasks(Registry& registry) {
  RegKey key(registry);
  if (!Open(key, u"HKCU\\Control Panel\\Desktop", reg::kRead | reg::kSetValue)) return;
  std::u16string value;
  if (!ReadString(key, u"AutoEndTasks", value) || ParseLeadingInt(value) == 0) return;
  WriteString(key, u"AutoEndTasks", reg::kSz, u"0");
}

}  // namespace kva
