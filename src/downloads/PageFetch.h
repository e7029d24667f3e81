#pragma once
// Pages read into memory for parsing, and the size a server announces.

#include <cstdint>
#include <string>
#include <string_view>

#include "downloads/DownloadJob.h"

namespace kva {

// Page caps of the callers.
inline constexpr std::uint64_t kSmallPageBytes = 102'400;
inline constexpr std::uint64_t kProductPageBytes = 262'144;
inline constexpr std::uint64_t kLinkTextPageBytes = 1'048'576;

// At most limitBytes of the page at url, decoded; false when it could not
// be fetched, came with an error status, or was empty.
[[nodiscard]] bool FetchPage(const DownloadServices& services, std::u16string_view url,
                             std::u16string_view referer, std::u16string& text,
                             std::uint64_t limitBytes);

// The size the server announces for url; 0 when unknown or unreachable.
// Waits on its own thread while the caller's messages are pumped.
[[nodiscard]] std::uint64_t ProbeSize(const DownloadServices& services, std::u16string_view url);

}  // namespace kva
