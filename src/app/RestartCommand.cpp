#include "app/RestartCommand.h"

namespace kva {

std::u16string RestartCommandLine(std::u16string_view restartExe, std::u16string_view arguments) {
  std::u16string line(restartExe);
  line += u" /NoUpdate";
  if (!arguments.empty()) {
    line += u' ';
    line += arguments;
  }
  return line;
}

std::u16string ObsoleteFileCommand(std::u16string_view obsoleteFile) {
  std::u16string line = u"%ComSpec% /c for /l %i in (1,1,100) do del /f /q \"";
  line += obsoleteFile;
  line += u'"';
  return line;
}

}  // namespace kva
