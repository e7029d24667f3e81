#pragma once
// Links as pages hold them, joined with the page they came from: the one
// table for our joining and for Windows' own, so that the two agree.

#include <string_view>

namespace kva::test {

struct UrlCombineCase {
  std::u16string_view base, link, want;
};

inline constexpr UrlCombineCase kUrlCombineCases[] = {
    {u"http://h.test/dir/page.html", u"file.exe", u"http://h.test/dir/file.exe"},
    {u"http://h.test/dir/", u"file.exe", u"http://h.test/dir/file.exe"},
    {u"http://h.test/dir/page.html", u"../up.exe", u"http://h.test/up.exe"},
    {u"http://h.test/dir/page.html", u"./a/./b/../c.exe", u"http://h.test/dir/a/c.exe"},
    {u"http://h.test/dir/page.html", u"/root.exe", u"http://h.test/root.exe"},
    {u"http://h.test/dir/page.html", u"//cdn.test/x.exe", u"http://cdn.test/x.exe"},
    {u"http://h.test/a/b/c.php?x=1", u"d.php?y=2&z=3", u"http://h.test/a/b/d.php?y=2&z=3"},
    {u"http://h.test/dir/page.html", u"#top", u"http://h.test/dir/page.html#top"},
    {u"http://h.test", u"file.exe", u"http://h.test/file.exe"},
    {u"http://h.test:8080/dir/", u"f.exe", u"http://h.test:8080/dir/f.exe"},
    {u"http://h.test/dir/page.html", u"https://other.test/f.exe", u"https://other.test/f.exe"},
    {u"ftp://ftp.test/pub/", u"tool.zip", u"ftp://ftp.test/pub/tool.zip"},
    {u"http://h.test/dir/", u"get.php?file=a/b.exe", u"http://h.test/dir/get.php?file=a/b.exe"},
};

// Where Wine's UrlCombineW keeps the older rules ("/../x.exe" above the
// root; a bare query replacing the page's name) we follow browsers, since
// the server expects what a browser asks for.
inline constexpr UrlCombineCase kBrowserOnlyCombineCases[] = {
    {u"http://h.test/a/b/", u"../../../x.exe", u"http://h.test/x.exe"},
    {u"https://h.test/dir/page.html", u"?id=3", u"https://h.test/dir/page.html?id=3"},
};

}  // namespace kva::test
