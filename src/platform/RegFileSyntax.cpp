#include "platform/RegFileSyntax.h"

#include <cstdint>
#include <utility>

#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva::regfile {

std::unexpected<RegFileError> Fail(std::size_t line, std::u16string reason) {
  return std::unexpected(RegFileError{line, std::move(reason)});
}

std::u16string Quote(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

std::u16string ShownValueName(std::u16string_view name) {
  return name.empty() ? std::u16string(u"@") : Quote(name);
}

bool IsWritableKeyName(std::u16string_view name) {
  return name.find_first_of(std::u16string_view(u"\0\r\n", 3)) == kNpos;
}

std::expected<void, std::u16string> CheckKeyPath(std::u16string_view path) {
  std::u16string subkey(path);
  std::uint32_t access = 0;
  if (ParseRoot(subkey, access) == reg::kNoKey) {
    return std::unexpected(u"unknown root key in " + Quote(path));
  }
  if (!IsWritableKeyName(path)) {
    return std::unexpected(std::u16string(u"key names cannot hold NUL characters or line breaks"));
  }
  for (const auto name : Split(path, u"\\")) {
    if (name.empty()) {
      return std::unexpected(u"empty key name in " + Quote(path) + u" (check the backslashes)");
    }
  }
  return {};
}

}  // namespace kva::regfile
