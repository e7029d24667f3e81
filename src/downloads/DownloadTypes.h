#pragma once
// A tool's download: a page URL and a link text that says how to reach the
// file from there. An empty link text is a direct URL; "MajorGeeks",
// "Techspot" (32, 64) and "Softpedia" (Zip, 64, 32) name download sites;
// anything else is a link-text expression (LinkText.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "downloads/DownloadJob.h"

namespace kva {

inline constexpr std::u16string_view kTechSpotOrigin = u"https://www.techspot.com";
inline constexpr std::u16string_view kSoftpediaOrigin = u"https://www.softpedia.com";

// Resolves the final URL and starts its job (bypassing caches, skipping a
// file of the announced size). Empty when the path is a folder, the page
// URL is too short, the folder cannot be made, or the link is not found.
[[nodiscard]] JobHandle StartDownload(const DownloadServices& services, std::u16string_view filePath,
                                      std::u16string_view pageUrl, std::u16string_view linkText,
                                      std::uint64_t knownSize);

// From a Softpedia product page to the file: markerOrUrl holds the variant
// marker (empty, "<span>ZIP</span>", "x64", "x86") and receives the file's
// URL, referer the page that links to it. Both unchanged on failure.
[[nodiscard]] bool SoftpediaLink(const DownloadServices& services, std::u16string_view pageUrl,
                                 std::u16string& referer, std::u16string& markerOrUrl);

}  // namespace kva
