// A page that forwards the browser elsewhere through
// <meta http-equiv="refresh" content="0; url=...">.
#include <array>

#include "downloads/LinkText.h"
#include "downloads/Url.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kShortestTarget = 10;

// A URL whose last segment has an extension that is not a page's names a
// file (an installer, an archive): there is no page to look into.
bool NamesFile(std::u16string_view url) {
  const std::size_t slash = url.rfind(u'/');
  const std::size_t dot = url.rfind(u'.');
  if (dot == kNpos || dot < slash || url.size() - dot - 1 < 3) return false;
  const std::u16string_view extension = url.substr(dot + 1, 3);
  for (std::u16string_view page : {u"htm", u"php", u"asp", u"sht"}) {
    if (EqualsNoCase(extension, page)) return false;
  }
  return true;
}

// The refresh tag, from its "<meta" to its ">"; empty when there is none.
std::u16string RefreshTag(std::u16string_view page) {
  static const Regex spaced =
      std::move(Regex::Compile(u"http-equiv\\s*=\\s*", RegexOptions::Caseless).value());
  const std::size_t meta = FindNoCase(page, u"<meta");
  if (meta == kNpos) return {};
  auto replaced = spaced.Replace(page.substr(meta), u"http-equiv=");
  if (!replaced) return {};
  const std::u16string& text = *replaced;
  std::size_t found = kNpos;
  for (std::u16string_view attribute :
       {u"http-equiv=\"refresh\"", u"http-equiv='refresh'", u"http-equiv=refresh"}) {
    found = std::min(found, FindNoCase(text, attribute));
  }
  if (found == kNpos) return {};
  const std::size_t end = text.find(u'>', found);
  const std::u16string_view tag = std::u16string_view(text).substr(0, end);
  const std::size_t start = FoldCase(tag.substr(0, found)).rfind(u"<meta");
  return std::u16string(tag.substr(start == kNpos ? 0 : start));
}

// What the tag's url= (or the part of content= after its semicolon) names.
std::optional<std::u16string> Target(std::u16string_view tag) {
  std::size_t at = FindNoCase(tag, u"url=");
  std::u16string_view value;
  if (at != kNpos) {
    value = tag.substr(at + 4);
  } else {
    at = FindNoCase(tag, u"content=");
    if (at == kNpos) return std::nullopt;
    value = tag.substr(at + 8);
    const std::size_t semicolon = value.find(u';');
    if (semicolon == kNpos) return std::nullopt;
    value.remove_prefix(semicolon + 1);
  }
  // url='...' inside a double-quoted content: the quote opens the value
  // and the same quote closes it.
  std::size_t end = kNpos;
  if (!value.empty() && (value[0] == u'\'' || value[0] == u'"')) {
    const char16_t quote = value[0];
    value.remove_prefix(1);
    end = value.find(quote);
  } else {
    end = value.find(u'"');
    if (end == kNpos) end = value.find(u'\'');
  }
  if (end == kNpos) return std::nullopt;
  value = Trim(value.substr(0, end));
  if (value.size() < kShortestTarget) return std::nullopt;
  return std::u16string(value);
}

}  // namespace

bool ResolveMetaRefresh(std::u16string_view page, std::u16string_view pageUrl, std::u16string& url) {
  url = pageUrl;
  if (pageUrl.find(u'/') == kNpos || NamesFile(pageUrl)) return false;
  const std::u16string tag = RefreshTag(page);
  if (tag.empty()) return false;
  const auto target = Target(tag);
  if (!target) return false;
  if (target->find(u"://") != kNpos) {
    url = UnescapeUrl(*target);
    return true;
  }
  auto combined = CombineUrl(pageUrl, *target);
  if (!combined) return false;
  url = std::move(*combined);
  return true;
}

}  // namespace kva
