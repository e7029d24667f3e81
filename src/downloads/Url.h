#pragma once
// URL pieces the download client needs: splitting, joining a link with the
// page it came from, and percent-decoding. Portable, so that link resolution
// is tested natively; joining follows reference resolution as Windows' shell
// does it for the links pages hold.

#include <optional>
#include <string>
#include <string_view>

namespace kva {

enum class SchemeClass { kFtp = 1, kOther = 2, kHttp = 3 };

struct UrlParts {
  std::u16string host;
  std::u16string path;  // the path followed by its query and fragment
  int port = 0;
  SchemeClass schemeClass = SchemeClass::kOther;
};

// Fails for a text without a known scheme ("http", "https", "ftp", "ftps",
// "file", "gopher", "mailto", "news") or, for the network schemes, without
// a host. Ports default by scheme (80, 443, 21; 0 for the others).
[[nodiscard]] bool SplitUrl(std::u16string_view url, UrlParts& out);

// http, https, ftp and ftps: the only schemes a download may use.
[[nodiscard]] bool IsTransferUrl(std::u16string_view url);

// The link resolved against the base URL (itself absolute); empty when the
// base has no scheme.
[[nodiscard]] std::optional<std::u16string> CombineUrl(std::u16string_view base,
                                                       std::u16string_view link);

// Each %XX becomes the character XX; everything else is kept.
std::u16string UnescapeUrl(std::u16string_view url);

}  // namespace kva
