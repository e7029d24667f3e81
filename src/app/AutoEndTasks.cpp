#include "app/AutoEndTasks.h"

#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {

bool DisableAutoEndTasks(Registry& registry) {
  RegKey key(registry);
  std::u16string value;
  if (!Open(key, u"HKCU\\Control Panel\\Desktop", reg::kRead | reg::kSetValue) ||
      !ReadString(key, u"AutoEndTasks", value) || ParseLeadingInt(value) == 0) {
    return true;  // nothing to change
  }
  return WriteString(key, u"AutoEndTasks", reg::kSz, u"0");
}

}  // namespace kva
