#pragma once
// The command lines Shutdown starts when the program restarts itself.

#include <string>
#include <string_view>

namespace kva {

// restartExe (unquoted), " /NoUpdate", then the original arguments.
std::u16string RestartCommandLine(std::u16string_view restartExe, std::u16string_view arguments);

// Retries deleting a replaced program file while the old process ends.
std::u16string ObsoleteFileCommand(std::u16string_view obsoleteFile);

}  // namespace kva
