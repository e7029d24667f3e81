#pragma once
// Client names become folder names in the report store.

#include <optional>
#include <string>
#include <string_view>

namespace kva {

inline constexpr std::u16string_view kInvalidClientName = u"You need to specify a valid client name.";

// The name as typed without the nine characters a Windows file name cannot
// hold (\ / : * ? " < > |): "Acme: Main/Branch" becomes "Acme MainBranch".
// Empty when what is left cannot name a folder inside the store: nothing,
// "." or "..", a device name (CON, NUL, COM1, LPT1, ..., also with an
// extension), a name ending in a dot or blank, or control characters.
std::optional<std::u16string> CleanClientName(std::u16string_view typed);

}  // namespace kva
