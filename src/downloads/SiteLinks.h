#pragma once
// The walks through the download sites' pages, from the product page to
// the file's URL and the page to name as its Referer.

#include <optional>
#include <string>
#include <string_view>

#include "downloads/DownloadJob.h"

namespace kva {

struct ResolvedLink {
  std::u16string url;
  std::u16string referer;
};

std::optional<ResolvedLink> MajorGeeksLink(const DownloadServices& services, std::u16string_view pageUrl);
std::optional<ResolvedLink> TechSpotLink(const DownloadServices& services, std::u16string_view pageUrl,
                                         std::u16string_view variant);

// The first link-text expression that finds a link on the page, resolved.
std::optional<std::u16string> FirstLink(std::u16string_view page, std::u16string_view pageUrl,
                                        std::initializer_list<std::u16string_view> expressions);

}  // namespace kva
