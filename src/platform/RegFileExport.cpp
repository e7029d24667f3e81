#include "platform/RegFile.h"

#include <cstdint>
#include <span>

#include "platform/RegFileSyntax.h"
#include "platform/Text.h"

namespace kva {
namespace {

using regfile::kHeader5;
using regfile::ShownValueName;
using regfile::IsWritableKeyName;
using regfile::CheckKeyPath;

void AppendHex(std::u16string& out, std::uint64_t value, std::size_t minDigits) {
  constexpr std::u16string_view kDigits = u"0123456789abcdef";
  std::u16string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits.size() < minDigits) out.append(minDigits - digits.size(), u'0');
  out += digits;
}

void AppendEscaped(std::u16string& out, std::u16string_view text) {
  for (const char16_t c : text) {
    switch (c) {
      case u'\\': out += u"\\\\"; break;
      case u'"': out += u"\\\""; break;
      case u'\n': out += u"\\n"; break;
      case u'\r': out += u"\\r"; break;
      case u'\0': out += u"\\0"; break;
      default: out += c;
    }
  }
}

// A REG_SZ that the "..." form gives back byte for byte: UTF-16 with one
// closing NUL, no control characters and no unpaired surrogates.
std::optional<std::u16string> PlainString(const RegValue& value) {
  const auto& bytes = value.data;
  if (value.type != reg::kSz || bytes.size() < 2 || bytes.size() % 2 != 0) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
  }
  if (text.back() != u'\0') return std::nullopt;
  text.pop_back();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x20) return std::nullopt;
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (low) return std::nullopt;
    if (high) {
      if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
      ++i;
    }
  }
  return text;
}

// regedit's layout: "xx," pairs and, once a line reaches 77 columns, a
// backslash and a new line indented by two blanks, so lines stay near 80.
void AppendHexBytes(std::u16string& out, std::size_t column, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    AppendHex(out, bytes[i], 2);
    if (i + 1 == bytes.size()) break;
    out += u',';
    column += 3;
    if (column >= 77) {
      out += u"\\\n  ";
      column = 2;
    }
  }
}

void AppendValueLine(std::u16string& out, std::u16string_view name, const RegValue& value) {
  const std::size_t lineStart = out.size();
  if (name.empty()) {
    out += u'@';
  } else {
    out += u'"';
    AppendEscaped(out, name);
    out += u'"';
  }
  out += u'=';
  if (const auto text = PlainString(value)) {
    out += u'"';
    AppendEscaped(out, *text);
    out += u"\"\n";
    return;
  }
  if (value.type == reg::kDword && value.data.size() == 4) {
    const auto& b = value.data;
    out += u"dword:";
    AppendHex(out, b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24), 8);
    out += u'\n';
    return;
  }
  if (value.type == reg::kBinary) {
    out += u"hex:";
  } else {
    out += u"hex(";
    AppendHex(out, value.type, 1);
    out += u"):";
  }
  AppendHexBytes(out, out.size() - lineStart, value.data);
  out += u'\n';
}

std::unexpected<RegExportError> ExportFailure(std::u16string_view path, std::u16string reason,
                                              RegStatus status) {
  return std::unexpected(
      RegExportError{std::u16string(path), reason + u" (error " + ToDecimal(status) + u")"});
}

std::expected<void, RegExportError> ExportValues(const RegKey& key, std::u16string_view shownPath,
                                                 std::u16string& out) {
  Registry& port = key.Port();
  std::u16string name;
  for (std::uint32_t index = 0;; ++index) {
    RegStatus status = port.EnumValue(key.Handle(), index, name);
    if (status == reg::kNoMoreItems) return {};
    if (status != reg::kSuccess) return ExportFailure(shownPath, u"cannot list the values", status);
    RegValue value;
    status = port.QueryValue(key.Handle(), name, value);
    if (status != reg::kSuccess) {
      return ExportFailure(shownPath, u"cannot read value " + ShownValueName(name), status);
    }
    AppendValueLine(out, name, value);
  }
}

std::expected<void, RegExportError> ExportKey(const RegKey& key, const std::u16string& shownPath,
                                              std::u16string& out) {
  out += u'[' + shownPath + u"]\n";
  if (auto ok = ExportValues(key, shownPath, out); !ok) return ok;
  out += u'\n';
  Registry& port = key.Port();
  std::u16string name;
  for (std::uint32_t index = 0;; ++index) {
    RegStatus status = port.EnumKey(key.Handle(), index, name);
    if (status == reg::kNoMoreItems) return {};
    if (status != reg::kSuccess) {
      return ExportFailure(shownPath, u"cannot list the subkeys", status);
    }
    const std::u16string childPath = shownPath + u"\\" + name;
    if (!IsWritableKeyName(name)) {
      return std::unexpected(RegExportError{childPath, u"key name holds a NUL or a line break"});
    }
    KeyHandle child = reg::kNoKey;
    status = port.OpenKey(key.Handle(), name, reg::kRead, child);
    if (status != reg::kSuccess) return ExportFailure(childPath, u"cannot open the key", status);
    if (auto ok = ExportKey(RegKey(port, child), childPath, out); !ok) return ok;
  }
}

}  // namespace

std::expected<std::u16string, RegExportError> ExportRegText(const RegKey& tree,
                                                            std::u16string_view shownPath) {
  // What is written must import again.
  if (auto ok = CheckKeyPath(shownPath); !ok) {
    return std::unexpected(RegExportError{std::u16string(shownPath), ok.error()});
  }
  std::u16string out = std::u16string(kHeader5) + u"\n\n";
  if (auto ok = ExportKey(tree, std::u16string(shownPath), out); !ok) {
    return std::unexpected(ok.error());
  }
  return out;
}

}  // namespace kva
