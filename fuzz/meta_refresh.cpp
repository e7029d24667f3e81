// A page from outside looked into for a meta refresh: a found target is
// never empty, and without one the page URL is kept.
#include <cstdint>
#include <cstdlib>

#include "downloads/LinkText.h"
#include "downloads/PageText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string page = kva::DecodePage({data, size});
  constexpr std::u16string_view kPageUrl = u"http://h.test/dir/get.php";
  std::u16string url;
  const bool found = kva::ResolveMetaRefresh(page, kPageUrl, url);
  if (found ? url.empty() : url != kPageUrl) std::abort();
  return 0;
}
