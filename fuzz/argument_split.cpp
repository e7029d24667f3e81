// Any text as a command line: the split must end, and every argument is
// made of the line's own characters, so together they are never longer.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/CommandLineArgs.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string line =
      kva::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto args = kva::SplitArguments(line);
  std::size_t total = 0;
  for (const auto& arg : args) {
    total += arg.size();
    for (char16_t c : arg) {
      if (line.find(c) == std::u16string::npos) std::abort();
    }
  }
  if (total > line.size() || args.empty() != line.empty()) std::abort();
  return 0;
}
