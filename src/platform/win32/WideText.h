#pragma once
// The one bridge between the core's UTF-16 text and Win32's wide strings.

#include <cwchar>
#include <string>
#include <string_view>

namespace kva::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// A NUL-terminated copy for APIs that take LPCWSTR.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(const wchar_t* text) {
  return text ? FromWide(text, std::wcslen(text)) : std::u16string();
}

}  // namespace kva::win32
