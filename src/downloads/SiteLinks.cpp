#include "downloads/SiteLinks.h"

#include "downloads/DownloadTypes.h"
#include "downloads/LinkText.h"
#include "downloads/PageFetch.h"
#include "downloads/RequestHeaders.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {

std::optional<std::u16string> FirstLink(std::u16string_view page, std::u16string_view pageUrl,
                                        std::initializer_list<std::u16string_view> expressions) {
  for (std::u16string_view expression : expressions) {
    std::u16string url;
    if (ParseLinkText(url, page, pageUrl, expression, true)) return url;
  }
  return std::nullopt;
}

std::optional<ResolvedLink> MajorGeeksLink(const DownloadServices& services, std::u16string_view pageUrl) {
  std::u16string product;
  if (!FetchPage(services, pageUrl, kDefaultReferer, product, kProductPageBytes)) return std::nullopt;
  const auto middle = FirstLink(product, pageUrl, {u"Download@MajorGeeks", u"Download@Authors Site"});
  if (!middle) return std::nullopt;
  std::u16string page;
  if (!FetchPage(services, *middle, pageUrl, page, kSmallPageBytes)) return std::nullopt;
  const auto file = FirstLink(page, *middle, {u"Click here if it does not."});
  if (!file) return std::nullopt;
  return ResolvedLink{*file, *middle};
}

std::optional<ResolvedLink> TechSpotLink(const DownloadServices& services, std::u16string_view pageUrl,
                                         std::u16string_view variant) {
  static const Regex redirect = std::move(
      Regex::Compile(u"setTimeout\\('location.href=\"(/.+)?\"', \\d{5}\\);", RegexOptions::Caseless)
          .value());
  std::u16string product;
  if (!FetchPage(services, pageUrl, kDefaultReferer, product, kProductPageBytes)) return std::nullopt;
  std::optional<std::u16string> middle;
  if (EqualsNoCase(variant, u"Techspot32")) middle = FirstLink(product, pageUrl, {u" Windows 32-bit", u" 32-bit"});
  if (EqualsNoCase(variant, u"Techspot64")) middle = FirstLink(product, pageUrl, {u" Windows 64-bit", u" 64-bit"});
  if (!middle || middle->empty()) middle = FirstLink(product, pageUrl, {u"<span>Download</span>"});
  if (!middle) return std::nullopt;
  std::u16string page;
  if (!FetchPage(services, *middle, pageUrl, page, kProductPageBytes)) return std::nullopt;
  const auto hit = redirect.First(page);
  if (!hit || !hit->groups[1].Matched()) return std::nullopt;
  return ResolvedLink{std::u16string(kTechSpotOrigin) + hit->groups[1].text, *middle};
}

}  // namespace kva
