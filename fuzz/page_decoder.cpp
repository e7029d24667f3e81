// Page bytes from outside decoded: never longer than the bytes, and plain
// ASCII without a mark comes out as it went in.
#include <cstdint>
#include <cstdlib>

#include "downloads/PageText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = kva::DecodePage({data, size});
  if (text.size() > size) std::abort();
  bool ascii = size > 0;
  for (std::size_t i = 0; i < size; ++i) ascii = ascii && data[i] > 0 && data[i] < 0x80;
  if (ascii && text.size() != size) std::abort();
  return 0;
}
