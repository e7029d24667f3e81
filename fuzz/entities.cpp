// Entity decoding of text from outside: each replacement shortens the text,
// and a text without an ampersand is left alone.
#include <cstdint>
#include <cstdlib>

#include "downloads/LinkText.h"
#include "downloads/PageText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string original = kva::DecodePage({data, size});
  std::u16string text = original;
  const std::size_t count = kva::DecodeEntities(text);
  if (text.size() + count * 3 > original.size()) std::abort();  // "&gt;" is the shortest, 4 for 1
  if (original.find(u'&') == std::u16string::npos && (count != 0 || text != original)) std::abort();
  return 0;
}
