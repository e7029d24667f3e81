#pragma once
// What the client sends so that download sites serve it the pages a
// technician's browser would get: user agents, a Referer and the header sets.

#include <string>
#include <string_view>

namespace kva {

inline constexpr std::u16string_view kFirefoxUserAgent =
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:132.0) Gecko/20100101 Firefox/132.0";
inline constexpr std::u16string_view kChromeUserAgent =
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    u"Chrome/130.0.0.0 Safari/537.36";
// Sent where a request has no page of its own to name.
inline constexpr std::u16string_view kDefaultReferer = u"https://www.bing.com/";

inline constexpr std::u16string_view kAcceptEncodingLine = u"Accept-Encoding: gzip, deflate\r\n";

// "Sec-Fetch-Site: ...\r\n" for a request to url that came from referer.
std::u16string SecFetchSiteLine(std::u16string_view url, std::u16string_view referer);

// The headers of a file download; without Accept-Encoding when the file is
// a .zip (it would be inflated by nobody and compared by size).
std::u16string FileDownloadHeaders(std::u16string_view url, std::u16string_view referer,
                                   std::u16string_view filePath);
std::u16string PageFetchHeaders(std::u16string_view url, std::u16string_view referer);

// The headers a job sends: the extra headers with a Referer line added
// when they have none, doubled line ends collapsed; nothing when shorter
// than 10 characters.
std::u16string JobRequestHeaders(std::u16string_view extra, std::u16string_view referer);

}  // namespace kva
