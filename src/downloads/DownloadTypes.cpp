#include "downloads/DownloadTypes.h"

#include "downloads/LinkText.h"
#include "downloads/PageFetch.h"
#include "downloads/RequestHeaders.h"
#include "downloads/SiteLinks.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kShortestPageUrl = 5;
// A direct URL that announces less than this may be a page that forwards.
constexpr std::uint64_t kSmallestDirectFileBytes = 102'400;

// The page URL without its last segment.
std::u16string PageFolder(std::u16string_view pageUrl) {
  const std::size_t slash = pageUrl.rfind(u'/');
  return std::u16string(slash == kNpos ? pageUrl : pageUrl.substr(0, slash));
}

bool PrepareDestination(FileSystem& files, std::u16string_view filePath) {
  const std::uint32_t attributes = files.Attributes(filePath);
  if (attributes != attr::kInvalid && (attributes & attr::kDirectory) &&
      !(attributes & attr::kReparsePoint)) {
    return false;
  }
  const std::u16string_view folder = FolderOf(filePath);
  return folder.empty() || IsFolder(files, folder) || files.CreateFolders(folder);
}

// An empty URL when the page cannot be read: the job then fails.
std::u16string DirectUrl(const DownloadServices& services, std::u16string_view pageUrl) {
  if (ProbeSize(services, pageUrl) >= kSmallestDirectFileBytes) return std::u16string(pageUrl);
  std::u16string page;
  if (!FetchPage(services, pageUrl, kDefaultReferer, page, kSmallPageBytes)) return {};
  std::u16string url;
  ResolveMetaRefresh(page, pageUrl, url);
  return url;
}

std::optional<ResolvedLink> ExpressionLink(const DownloadServices& services, std::u16string_view pageUrl,
                                           std::u16string_view expression) {
  std::u16string page, url;
  if (!FetchPage(services, pageUrl, kDefaultReferer, page, kLinkTextPageBytes)) return std::nullopt;
  if (!ParseLinkText(url, page, pageUrl, expression, true)) return std::nullopt;
  return ResolvedLink{url, std::u16string(pageUrl)};
}

std::u16string SoftpediaMarker(std::u16string_view linkText) {
  if (EqualsNoCase(linkText, u"SoftpediaZip")) return u"<span>ZIP</span>";
  if (EqualsNoCase(linkText, u"Softpedia64")) return u"x64";
  if (EqualsNoCase(linkText, u"Softpedia32")) return u"x86";
  return {};
}

bool IsOneOf(std::u16string_view text, std::initializer_list<std::u16string_view> names) {
  for (std::u16string_view name : names) {
    if (EqualsNoCase(text, name)) return true;
  }
  return false;
}

// The final URL and its Referer by download type; empty when the site's
// pages do not lead to a file.
std::optional<ResolvedLink> Resolve(const DownloadServices& services, std::u16string_view pageUrl,
                                    std::u16string_view linkText) {
  if (linkText.empty()) return ResolvedLink{DirectUrl(services, pageUrl), PageFolder(pageUrl)};
  if (EqualsNoCase(linkText, u"MajorGeeks")) return MajorGeeksLink(services, pageUrl);
  if (IsOneOf(linkText, {u"Techspot", u"Techspot32", u"Techspot64"})) {
    return TechSpotLink(services, pageUrl, linkText);
  }
  if (IsOneOf(linkText, {u"Softpedia", u"SoftpediaZip", u"Softpedia64", u"Softpedia32"})) {
    ResolvedLink link{SoftpediaMarker(linkText), {}};
    if (!SoftpediaLink(services, pageUrl, link.referer, link.url)) return std::nullopt;
    return link;
  }
  return ExpressionLink(services, pageUrl, linkText);
}

}  // namespace

JobHandle StartDownload(const DownloadServices& services, std::u16string_view filePath,
                        std::u16string_view pageUrl, std::u16string_view linkText,
                        std::uint64_t knownSize) {
  if (pageUrl.size() < kShortestPageUrl || !PrepareDestination(services.files, filePath)) return {};
  const auto link = Resolve(services, pageUrl, linkText);
  if (!link) return {};
  JobRequest request;
  request.url = link->url;
  request.filePath = filePath;
  request.flags = job_flag::kReload | job_flag::kSizeCheck;
  request.userAgent = kFirefoxUserAgent;
  request.referer = link->referer;
  request.knownSize = knownSize;
  request.headers = FileDownloadHeaders(link->url, link->referer, filePath);
  return StartJob(services, std::move(request));
}

}  // namespace kva
