#include "downloads/Url.h"

#include <algorithm>
#include <array>

#include "platform/Text.h"

namespace kva {
namespace {

struct KnownScheme {
  std::u16string_view name;
  SchemeClass schemeClass;
  int port;
  bool needsHost;
};

constexpr std::array kKnownSchemes{
    KnownScheme{u"http", SchemeClass::kHttp, 80, true},
    KnownScheme{u"https", SchemeClass::kHttp, 443, true},
    KnownScheme{u"ftp", SchemeClass::kFtp, 21, true},
    // Explicit TLS on the FTP control port, so the same default port.
    KnownScheme{u"ftps", SchemeClass::kFtp, 21, true},
    KnownScheme{u"gopher", SchemeClass::kOther, 70, true},
    KnownScheme{u"file", SchemeClass::kOther, 0, false},
    KnownScheme{u"mailto", SchemeClass::kOther, 0, false},
    KnownScheme{u"news", SchemeClass::kOther, 0, false},
};

bool IsSchemeChar(char16_t c, bool first) {
  const bool alpha = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  if (first) return alpha;
  return alpha || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// A reference split as RFC 3986 appendix B does; absent parts stay empty.
struct Reference {
  std::optional<std::u16string> scheme, authority, query, fragment;
  std::u16string path;
};

std::size_t SchemeLength(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u':') return i;
    if (!IsSchemeChar(text[i], i == 0)) return 0;
  }
  return 0;
}

Reference ParseReference(std::u16string_view text) {
  Reference ref;
  if (const std::size_t n = SchemeLength(text); n > 0) {
    ref.scheme = std::u16string(text.substr(0, n));
    text.remove_prefix(n + 1);
  }
  if (const std::size_t hash = text.find(u'#'); hash != kNpos) {
    ref.fragment = std::u16string(text.substr(hash + 1));
    text = text.substr(0, hash);
  }
  if (const std::size_t question = text.find(u'?'); question != kNpos) {
    ref.query = std::u16string(text.substr(question + 1));
    text = text.substr(0, question);
  }
  if (text.starts_with(u"//")) {
    const std::size_t end = text.find(u'/', 2);
    ref.authority = std::u16string(text.substr(2, end == kNpos ? kNpos : end - 2));
    text = end == kNpos ? std::u16string_view() : text.substr(end);
  }
  ref.path = text;
  return ref;
}

// RFC 3986 section 5.2.4.
std::u16string RemoveDotSegments(std::u16string_view in) {
  std::u16string out;
  while (!in.empty()) {
    if (in.starts_with(u"../")) {
      in.remove_prefix(3);
    } else if (in.starts_with(u"./")) {
      in.remove_prefix(2);
    } else if (in.starts_with(u"/./")) {
      in.remove_prefix(2);
    } else if (in == u"/.") {
      in = u"/";
    } else if (in.starts_with(u"/../") || in == u"/..") {
      in = in.size() == 3 ? std::u16string_view(u"/") : in.substr(3);
      const std::size_t last = out.rfind(u'/');
      out.erase(last == kNpos ? 0 : last);
    } else if (in == u"." || in == u"..") {
      in = {};
    } else {
      const std::size_t next = in.find(u'/', 1);
      out += in.substr(0, next);
      in = next == kNpos ? std::u16string_view() : in.substr(next);
    }
  }
  return out;
}

std::u16string Merge(const Reference& base, std::u16string_view path) {
  if (base.authority && base.path.empty()) return u"/" + std::u16string(path);
  const std::size_t slash = base.path.rfind(u'/');
  if (slash == kNpos) return std::u16string(path);
  return base.path.substr(0, slash + 1) + std::u16string(path);
}

std::u16string Compose(const Reference& ref) {
  std::u16string out;
  if (ref.scheme) out += *ref.scheme + u':';
  if (ref.authority) out += u"//" + *ref.authority;
  // A network URL always has a path, if only "/".
  out += ref.path.empty() && ref.authority ? std::u16string(u"/") : ref.path;
  if (ref.query) out += u'?' + *ref.query;
  if (ref.fragment) out += u'#' + *ref.fragment;
  return out;
}

Reference Resolve(const Reference& base, const Reference& link) {
  Reference target;
  target.fragment = link.fragment;
  if (link.scheme) {
    target = link;
    target.path = RemoveDotSegments(link.path);
    return target;
  }
  target.scheme = base.scheme;
  if (link.authority) {
    target.authority = link.authority;
    target.path = RemoveDotSegments(link.path);
    target.query = link.query;
    return target;
  }
  target.authority = base.authority;
  if (link.path.empty()) {
    target.path = base.path;
    target.query = link.query ? link.query : base.query;
  } else {
    target.path = RemoveDotSegments(link.path.starts_with(u'/') ? link.path
                                                                : Merge(base, link.path));
    target.query = link.query;
  }
  return target;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

const KnownScheme* FindScheme(std::u16string_view name) {
  for (const auto& scheme : kKnownSchemes) {
    if (EqualsNoCase(scheme.name, name)) return &scheme;
  }
  return nullptr;
}

}  // namespace

bool SplitUrl(std::u16string_view url, UrlParts& out) {
  const Reference ref = ParseReference(url);
  const KnownScheme* scheme = ref.scheme ? FindScheme(*ref.scheme) : nullptr;
  if (!scheme) return false;
  std::u16string_view host = ref.authority ? std::u16string_view(*ref.authority) : u"";
  if (const std::size_t at = host.rfind(u'@'); at != kNpos) host.remove_prefix(at + 1);
  int port = scheme->port;
  if (const std::size_t colon = host.rfind(u':'); colon != kNpos && host.find(u']') == kNpos) {
    const auto digits = host.substr(colon + 1);
    port = digits.empty() ? port : int(ParseLeadingInt(digits));
    host = host.substr(0, colon);
  }
  if (scheme->needsHost && host.empty()) return false;
  UrlParts parts;
  parts.host = host;
  parts.path = ref.path;
  if (ref.query) parts.path += u'?' + *ref.query;
  if (ref.fragment) parts.path += u'#' + *ref.fragment;
  parts.port = port;
  parts.schemeClass = scheme->schemeClass;
  out = std::move(parts);
  return true;
}

bool IsTransferUrl(std::u16string_view url) {
  UrlParts parts;
  if (!SplitUrl(url, parts)) return false;
  const std::u16string_view scheme = url.substr(0, url.find(u':'));
  return parts.schemeClass == SchemeClass::kFtp || EqualsNoCase(scheme, u"http") ||
         EqualsNoCase(scheme, u"https");
}

std::optional<std::u16string> CombineUrl(std::u16string_view base, std::u16string_view link) {
  const Reference baseRef = ParseReference(base);
  if (!baseRef.scheme) return std::nullopt;
  std::u16string cleaned(link);
  // Pages write Windows paths as links now and then; browsers read them as URLs.
  if (baseRef.authority) std::replace(cleaned.begin(), cleaned.end(), u'\\', u'/');
  return Compose(Resolve(baseRef, ParseReference(cleaned)));
}

std::u16string UnescapeUrl(std::u16string_view url) {
  std::u16string out;
  out.reserve(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url[i] == u'%' && i + 2 < url.size() && HexValue(url[i + 1]) >= 0 &&
        HexValue(url[i + 2]) >= 0) {
      out += char16_t(HexValue(url[i + 1]) * 16 + HexValue(url[i + 2]));
      i += 2;
    } else {
      out += url[i];
    }
  }
  return out;
}

}  // namespace kva
