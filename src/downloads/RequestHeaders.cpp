#include "downloads/RequestHeaders.h"

#include "downloads/Url.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kAcceptLines =
    u"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
    u"Upgrade-Insecure-Requests: 1\r\n";

std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != kNpos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

std::u16string SecFetchSiteLine(std::u16string_view url, std::u16string_view referer) {
  if (referer.empty()) return u"Sec-Fetch-Site: none\r\n";
  UrlParts request, from;
  const bool split = SplitUrl(url, request) && SplitUrl(referer, from);
  if (!split || request.port != from.port || request.schemeClass != from.schemeClass) {
    return u"Sec-Fetch-Site: cross-site\r\n";
  }
  if (!EqualsNoCase(request.host, from.host)) return u"Sec-Fetch-Site: cross-site\r\n";
  return EqualsNoCase(request.path, from.path) ? u"Sec-Fetch-Site: same-site\r\n"
                                               : u"Sec-Fetch-Site: same-origin\r\n";
}

std::u16string FileDownloadHeaders(std::u16string_view url, std::u16string_view referer,
                                   std::u16string_view filePath) {
  std::u16string headers = u"Priority: u=0, i\r\nAccept-Language: en,en-US;q=0.5\r\n";
  if (!EndsWithNoCase(filePath, u".zip")) headers += kAcceptEncodingLine;
  headers += u"Sec-Fetch-User: ?1\r\nSec-Fetch-Mode: navigate\r\n";
  headers += SecFetchSiteLine(url, referer);
  headers += kAcceptLines;
  return headers;
}

std::u16string PageFetchHeaders(std::u16string_view url, std::u16string_view referer) {
  std::u16string headers =
      u"Priority: u=0, i\r\nAccept-Language: en,en-US;q=0.5\r\nAccept-Encoding: gzip, "
      u"deflate\r\nSec-Fetch-Dest: document\r\nSec-Fetch-User: ?1\r\nSec-Fetch-Mode: "
      u"navigate\r\n";
  headers += SecFetchSiteLine(url, referer);
  headers += kAcceptLines;
  return headers;
}

std::u16string JobRequestHeaders(std::u16string_view extra, std::u16string_view referer) {
  std::u16string headers(extra);
  if (!referer.empty() && FindNoCase(headers, u"Referer:") == kNpos) {
    headers += u"Referer: " + std::u16string(referer) + u"\r\n";
  }
  headers += u"\r\n";
  headers = ReplaceAll(std::move(headers), u"\r\n\r\n", u"\r\n");
  return headers.size() < 10 ? std::u16string() : headers;
}

}  // namespace kva
