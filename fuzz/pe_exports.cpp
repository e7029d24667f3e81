// Any bytes as a library file: reading its export names must end without
// reading outside the bytes (the sanitizers and the replay check that), and
// every name is text that was in the file.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "platform/PeExports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto names = kva::ReadExportNames(std::span(data, size));
  if (!names) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const auto& name : *names) {
    if (bytes.find(name) == std::string_view::npos) std::abort();
  }
  return 0;
}
