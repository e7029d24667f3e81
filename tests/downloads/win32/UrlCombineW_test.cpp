// Our link joining against Windows' own on the one table of cases.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "downloads/UrlCombineCases.h"
#include "platform/Text.h"

namespace kva::test {
namespace {

std::u16string Combined(std::u16string_view base, std::u16string_view link) {
  const std::wstring wideBase(base.begin(), base.end()), wideLink(link.begin(), link.end());
  std::wstring out(wideBase.size() + wideLink.size() + 128, L'\0');
  DWORD length = DWORD(out.size());
  if (FAILED(::UrlCombineW(wideBase.c_str(), wideLink.c_str(), out.data(), &length, 0))) return u"(failed)";
  return std::u16string(out.begin(), out.begin() + length);
}

TEST(UrlCombineWTest, WindowsJoinsLinksAsOurTableSays) {
  for (const auto& c : kUrlCombineCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.base) + " + " + Utf16ToUtf8(c.link));
    EXPECT_EQ(Utf16ToUtf8(Combined(c.base, c.link)), Utf16ToUtf8(c.want));
  }
}

}  // namespace
}  // namespace kva::test
