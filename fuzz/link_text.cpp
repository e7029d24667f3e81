// A page and a link-text expression from outside: the first line is the
// expression, the rest the page. A found link is never empty, and
// resolving it finds the same link.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "downloads/LinkText.h"
#include "downloads/PageText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = kva::DecodePage({data, size});
  const std::size_t line = text.find(u'\n');
  const std::u16string_view expression = std::u16string_view(text).substr(0, line);
  const std::u16string_view page =
      line == std::u16string::npos ? std::u16string_view() : std::u16string_view(text).substr(line + 1);

  std::u16string raw;
  const bool found = kva::ParseLinkText(raw, page, u"http://h.test/dir/page.html", expression, false);
  if (found && raw.empty()) std::abort();
  std::u16string resolved;
  if (kva::ParseLinkText(resolved, page, u"http://h.test/dir/page.html", expression, true) != found) {
    std::abort();
  }
  if (found && resolved.empty()) std::abort();
  return 0;
}
