#include "downloads/LinkText.h"

#include <array>
#include <optional>

#include "downloads/Url.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Positions are 0-based code-unit offsets; folding keeps them.
struct Folded {
  explicit Folded(std::u16string_view text) : original(text), folded(FoldCase(text)) {}
  std::size_t Find(std::u16string_view needle, std::size_t from = 0) const {
    return folded.find(FoldCase(needle), from);
  }
  std::u16string_view original;
  std::u16string folded;
};

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The page with "href =" written "href=", in its own case and folded: one
// pass over the page, which may be a megabyte.
struct HrefPage {
  explicit HrefPage(std::u16string_view page) {
    const std::u16string folded = FoldCase(page);
    text.reserve(page.size());
    lower.reserve(page.size());
    std::size_t copied = 0;
    for (std::size_t at = folded.find(u"href"); at != kNpos; at = folded.find(u"href", at + 4)) {
      std::size_t end = at + 4;
      while (end < folded.size() && IsBlank(folded[end])) ++end;
      if (end == at + 4 || end == folded.size() || folded[end] != u'=') continue;
      text.append(page.substr(copied, at + 4 - copied));
      lower.append(std::u16string_view(folded).substr(copied, at + 4 - copied));
      copied = end;
    }
    text.append(page.substr(copied));
    lower.append(std::u16string_view(folded).substr(copied));
  }
  std::size_t Find(std::u16string_view needle, std::size_t from = 0) const {
    return lower.find(FoldCase(needle), from);
  }
  std::u16string text, lower;
};

// For the fixed patterns below, which compile.
Regex CompileFixed(std::u16string_view pattern) {
  return std::move(Regex::Compile(pattern, RegexOptions::Caseless).value());
}

std::u16string_view BaseUrl(std::u16string_view page, std::u16string_view pageUrl,
                            std::u16string& storage) {
  static const auto base = CompileFixed(u"<base\\s+href=\\s*\"(.+?)\"");
  const auto hit = base.First(page);
  if (!hit || !hit->groups[1].Matched()) return pageUrl;
  storage = hit->groups[1].text;
  return storage;
}

std::u16string Normalised(std::u16string_view text, const Regex& regex,
                          std::u16string_view replacement) {
  auto replaced = regex.Replace(text, replacement);
  return replaced ? std::move(*replaced) : std::u16string(text);
}

// before|||after, with at least one character on each side.
bool IsBetweenForm(std::u16string_view expression) {
  const std::size_t at = expression.size() < 5 ? kNpos : expression.find(u"|||", 1);
  return at != kNpos && at + 3 < expression.size();
}

std::optional<std::u16string> BetweenForm(const Folded& page, std::u16string_view expression) {
  const auto parts = Split(expression, u"|||");
  if (parts.size() != 2) return std::nullopt;
  const std::size_t before = page.Find(parts[0]);
  if (before == kNpos) return std::nullopt;
  const std::size_t from = before + parts[0].size();
  const std::size_t after = page.Find(parts[1], from);
  if (after == kNpos) return std::nullopt;
  return std::u16string(page.original.substr(from, after - from));
}

// start**end, with two characters or more after the "**".
bool IsSpanForm(std::u16string_view expression) {
  const std::size_t at = expression.find(u"**");
  return at != kNpos && at + 4 <= expression.size();
}

std::optional<std::u16string> SpanForm(const Folded& page, std::u16string_view expression) {
  const auto parts = Split(expression, u"**");
  if (parts.size() != 2 || parts[0].empty()) return std::nullopt;
  const std::size_t start = page.Find(parts[0]);
  if (start == kNpos) return std::nullopt;
  const std::size_t end = page.Find(parts[1], start + parts[0].size());
  if (end == kNpos) return std::nullopt;
  // The start nearest the end gives the shortest text.
  const std::u16string_view region = std::u16string_view(page.folded).substr(start, end - start);
  const std::size_t nearest = start + region.rfind(FoldCase(parts[0]));
  return std::u16string(page.original.substr(nearest, end + parts[1].size() - nearest));
}

// "text,N": the text and N (0 counts as 1).
std::pair<std::u16string_view, int> AnchorAndInstance(std::u16string_view expression) {
  const std::size_t comma = expression.rfind(u',');
  if (comma == kNpos || comma == 0) return {expression, 1};
  const std::u16string_view digits = expression.substr(comma + 1);
  if (digits.empty() || digits.size() > 2) return {expression, 1};
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return {expression, 1};
  }
  const int instance = int(ParseLeadingInt(digits));
  return {expression.substr(0, comma), instance == 0 ? 1 : instance};
}

// The value of an href= at the start of text: quoted, or up to the tag's
// end or a blank.
std::optional<std::u16string> HrefValue(std::u16string_view text) {
  text.remove_prefix(5);
  if (text.empty()) return std::nullopt;
  const char16_t quote = text[0];
  if (quote == u'"' || quote == u'\'') {
    const std::size_t close = text.find(quote, 1);
    if (close == kNpos) return std::nullopt;
    return std::u16string(text.substr(1, close - 1));
  }
  const std::size_t end = text.find_first_of(u"> \t\r\n");
  if (end == kNpos) return std::nullopt;
  return std::u16string(text.substr(0, end));
}

std::optional<std::u16string> AnchorForm(std::u16string_view rawPage, std::u16string_view expression) {
  static const auto spaceAfterEquals = CompileFixed(u"href=\\s+");
  const auto [anchor, instance] = AnchorAndInstance(expression);
  if (anchor.empty()) return std::nullopt;
  const HrefPage page(rawPage);
  const std::size_t first = page.Find(u"<a");
  const std::size_t firstHref = first == kNpos ? kNpos : page.Find(u"href=", first);
  if (firstHref == kNpos) return std::nullopt;
  std::size_t found = kNpos;
  for (std::size_t from = firstHref, n = 0; n < std::size_t(instance); ++n) {
    found = page.Find(anchor, from);
    if (found == kNpos) return std::nullopt;
    from = found + anchor.size();
  }
  const std::size_t close = page.Find(u"/a>", found);
  if (close == kNpos) return std::nullopt;
  const std::u16string_view folded = std::u16string_view(page.lower).substr(first, close + 3 - first);
  const std::size_t href = folded.rfind(u"href=");
  if (href == kNpos) return std::nullopt;
  const std::u16string tail = Normalised(std::u16string_view(page.text).substr(first + href, close + 3 - first - href),
                                         spaceAfterEquals, u"href=");
  return HrefValue(tail);
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to,
                std::size_t& count) {
  for (std::size_t at = text.find(from); at != kNpos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
    ++count;
  }
}

// A page URL whose last segment has no dot names a folder.
std::u16string FolderBase(std::u16string_view base) {
  std::u16string out(base);
  const std::size_t slash = out.rfind(u'/');
  const std::size_t dot = out.rfind(u'.');
  const bool noDot = dot == kNpos || (slash != kNpos && dot < slash);
  if (noDot && !out.ends_with(u'/')) out += u'/';
  return out;
}

}  // namespace

std::size_t DecodeEntities(std::u16string& text) {
  static constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 7> kEntities{{
      {u"&quot;", u"\""}, {u"&apos;", u"'"}, {u"&amp;", u"&"}, {u"&lt;", u"<"},
      {u"&gt;", u">"}, {u"&nbsp;", u" "}, {u"&#61;", u"="},
  }};
  std::size_t count = 0;
  for (const auto& [entity, character] : kEntities) ReplaceAll(text, entity, character, count);
  return count;
}

std::u16string ResolveLink(std::u16string_view base, std::u16string_view link) {
  std::u16string decoded(link);
  DecodeEntities(decoded);
  const std::size_t scheme = decoded.find(u"://");
  if (scheme != kNpos && scheme < 9) return decoded;
  const std::u16string folder = FolderBase(base);
  auto combined = CombineUrl(folder, decoded);
  return combined ? std::move(*combined) : folder + decoded;
}

bool ParseLinkText(std::u16string& url, std::u16string_view page, std::u16string_view pageUrl,
                   std::u16string_view expression, bool resolve) {
  if (page.empty() || expression.empty()) return false;
  std::optional<std::u16string> found;
  if (IsBetweenForm(expression)) {
    found = BetweenForm(Folded(page), expression);
  } else if (IsSpanForm(expression)) {
    found = SpanForm(Folded(page), expression);
  } else {
    found = AnchorForm(page, expression);
  }
  // An empty link would resolve to the page itself, which is not the file.
  if (!found || found->empty()) return false;
  if (!resolve) {
    url = std::move(*found);
    return true;
  }
  std::u16string storage;
  url = ResolveLink(BaseUrl(page, pageUrl, storage), *found);
  return true;
}

}  // namespace kva
