// Softpedia: the product page names a download-information page, which lists
// mirrors (or, for a variant, links marked "x64", "x86" or "ZIP"); a
// mirror's page forwards to the file or links to it.
#include "downloads/DownloadTypes.h"
#include "downloads/LinkText.h"
#include "downloads/PageFetch.h"
#include "downloads/SiteLinks.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {
namespace {

Regex CompileFixed(std::u16string_view pattern, RegexOptions options) {
  return std::move(Regex::Compile(pattern, options).value());
}

std::optional<std::u16string> InformationUrl(std::u16string_view product) {
  static const Regex popup = CompileFixed(
      u"popup6_open.*?'t':(\\d+).*?'id':(\\d+).*?tsf:(.*?)\\}, '/_xaja/dlinfo\\.php",
      RegexOptions::Caseless | RegexOptions::DotAll);
  const auto hit = popup.First(product);
  if (!hit || !hit->groups[1].Matched() || !hit->groups[2].Matched() || !hit->groups[3].Matched()) {
    return std::nullopt;
  }
  return std::u16string(kSoftpediaOrigin) + u"/_xaja/dlinfo.php?skipa=1&t=" + hit->groups[1].text +
         u"&id=" + hit->groups[2].text + u"&tsf=" + hit->groups[3].text;
}

std::optional<std::u16string> MirrorFromList(std::u16string_view page, std::u16string_view pageUrl) {
  static const Regex postDownload = CompileFixed(
      u"https://www\\.softpedia\\.com/dyn-postdownload\\.php(/([a-f]|[0-9])+){3,6}", RegexOptions::None);
  if (auto link = FirstLink(page, pageUrl,
                            {u"Softpedia Mirror", u"Softpedia Secure Download", u"SP Secure Download",
                             u"DOWNLOAD: External mirror", u"External mirror"})) {
    return link;
  }
  const auto hit = postDownload.First(page);
  if (!hit) return std::nullopt;
  return hit->Text();
}

// The raw href of the link whose text holds the marker, for pages that give
// the marker where the link-text search cannot see it as a link.
std::optional<std::u16string> MarkedHref(std::u16string_view page, std::u16string_view marker) {
  const std::size_t anchor = FindNoCase(page, u"<a ");
  if (anchor == kNpos) return std::nullopt;
  const std::size_t first = FindNoCase(page, u"href=\"", anchor);
  if (first == kNpos) return std::nullopt;
  const std::size_t markerAt = FindNoCase(page, marker, first);
  if (markerAt == kNpos) return std::nullopt;
  const std::size_t last = FoldCase(page.substr(first, markerAt - first)).rfind(u"href=\"");
  const std::size_t valueAt = first + last + 6;
  const std::size_t close = page.find(u'"', valueAt);
  if (close == kNpos) return std::nullopt;
  return std::u16string(page.substr(valueAt, close - valueAt));
}

}  // namespace

bool SoftpediaLink(const DownloadServices& services, std::u16string_view pageUrl,
                   std::u16string& referer, std::u16string& markerOrUrl) {
  std::u16string product;
  if (!FetchPage(services, pageUrl, u"", product, kProductPageBytes)) return false;
  const auto infoUrl = InformationUrl(product);
  std::u16string info;
  if (!infoUrl || !FetchPage(services, *infoUrl, pageUrl, info, kProductPageBytes)) return false;
  if (const std::size_t links = FindNoCase(info, u"<div class=\"dllinks"); links != kNpos) info.erase(0, links);

  std::u16string url;
  std::optional<std::u16string> mirror;
  if (markerOrUrl.empty() || ParseLinkText(url, info, *infoUrl, markerOrUrl, true)) {
    mirror = MirrorFromList(info, *infoUrl);
  } else {
    mirror = MarkedHref(info, markerOrUrl);
  }
  std::u16string page;
  if (!mirror || !FetchPage(services, *mirror, *infoUrl, page, kProductPageBytes)) return false;
  std::u16string file;
  if (!ResolveMetaRefresh(page, *mirror, file)) {
    const auto link = FirstLink(page, *mirror, {u"Click to start it manually"});
    if (!link) return false;
    file = *link;
  }
  referer = *mirror;
  markerOrUrl = file;
  return true;
}

}  // namespace kva
