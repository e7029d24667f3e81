#include "operations/ZipEntryPath.h"

#include <array>

#include "platform/Text.h"

namespace kva {
namespace {

// Code page 437, bytes 0x80 to 0xFF: the names of ZIP writers that do not
// set the UTF-8 bit.
constexpr std::u16string_view kCp437High =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
static_assert(kCp437High.size() == 128);

std::u16string Cp437ToUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += byte < 0x80 ? char16_t(byte) : kCp437High[byte - 0x80];
  }
  return text;
}

bool IsDeviceName(std::u16string_view component) {
  // The stem before the first dot, as Windows compares it.
  auto stem = TrimRight(component.substr(0, component.find(u'.')), u" ");
  static constexpr std::array<std::u16string_view, 6> kPlain = {u"CON", u"PRN", u"AUX", u"NUL",
                                                               u"CONIN$", u"CONOUT$"};
  for (auto name : kPlain) {
    if (EqualsNoCase(stem, name)) return true;
  }
  if (stem.size() != 4) return false;
  const auto prefix = stem.substr(0, 3);
  const bool numbered = EqualsNoCase(prefix, u"COM") || EqualsNoCase(prefix, u"LPT");
  const char16_t digit = stem[3];
  return numbered && ((digit >= u'0' && digit <= u'9') || digit == u'¹' || digit == u'²' ||
                      digit == u'³');
}

bool IsSafeComponent(std::u16string_view component) {
  if (component.empty() || component == u"." || component == u"..") return false;
  for (char16_t c : component) {
    if (c < 0x20 || std::u16string_view(u"<>:\"|?*").find(c) != kNpos) return false;
  }
  const char16_t last = component.back();
  return last != u'.' && last != u' ' && !IsDeviceName(component);
}

}  // namespace

std::u16string DecodeZipEntryName(std::string_view rawName, bool utf8) {
  return utf8 ? Utf8ToUtf16(rawName) : Cp437ToUtf16(rawName);
}

std::optional<ZipEntryPath> SafeZipEntryPath(std::string_view rawName, bool utf8) {
  if (utf8 && !IsValidUtf8(rawName)) return std::nullopt;
  std::u16string name = DecodeZipEntryName(rawName, utf8);
  for (auto& c : name) {
    if (c == u'/') c = u'\\';
  }
  ZipEntryPath path;
  if (!name.empty() && name.back() == u'\\') {
    path.isFolder = true;
    name.pop_back();
  }
  if (name.empty() || name.front() == u'\\') return std::nullopt;
  for (auto component : Split(name, u"\\")) {
    if (!IsSafeComponent(component)) return std::nullopt;
  }
  path.relative = std::move(name);
  return path;
}

}  // namespace kva
