#pragma once
// Finding a download's URL in the raw HTML of a page. A link-text
// expression is one of:
//   before|||after  the text between the first "before" and the next "after";
//   start**end      the shortest text from a "start" to the following "end";
//   anchor text,N   the href of the anchor holding the N-th occurrence of the
//                   text (N of one or two digits; absent or 0 means 1).
// All matching ignores case. Links are made absolute against the page's
// base element, or the page URL.

#include <cstddef>
#include <string>
#include <string_view>

namespace kva {

// False when the page is empty or a piece is not found; url is changed
// only on success. With resolve the result is absolute and its entities
// decoded.
[[nodiscard]] bool ParseLinkText(std::u16string& url, std::u16string_view page,
                                 std::u16string_view pageUrl, std::u16string_view expression,
                                 bool resolve);

// Replaces &quot; &apos; &amp; &lt; &gt; &nbsp; and &#61;, in that order;
// returns how many were replaced.
std::size_t DecodeEntities(std::u16string& text);

// True when the page forwards through a meta refresh tag; url is then its
// target. Otherwise url is the page URL. A URL that names a file other than
// a page (by its extension) is not looked into.
bool ResolveMetaRefresh(std::u16string_view page, std::u16string_view pageUrl, std::u16string& url);

// A link found on a page, made absolute against base, entities decoded.
std::u16string ResolveLink(std::u16string_view base, std::u16string_view link);

}  // namespace kva
