#include "platform/RegFile.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/RegFileSyntax.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"

namespace kva {
namespace {

using regfile::kHeader5;
using regfile::kHeader4;
using regfile::Fail;
using regfile::Quote;
using regfile::CheckKeyPath;

// Helpers below report only the reason; the parser adds the line.
using Reason = std::u16string;
template <typename T>
using Parsed = std::expected<T, Reason>;

// Hands out the lines with their 1-based numbers; a CR before the LF
// belongs to the line end.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : text_(text) {}

  bool Next(std::u16string_view& line) {
    if (done_) return false;
    const std::size_t end = text_.find(u'\n', position_);
    if (end == kNpos) {
      line = text_.substr(position_);
      done_ = true;
    } else {
      line = text_.substr(position_, end - position_);
      position_ = end + 1;
    }
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    ++number_;
    return true;
  }
  [[nodiscard]] std::size_t Number() const { return number_; }

 private:
  std::u16string_view text_;
  std::size_t position_ = 0;
  std::size_t number_ = 0;
  bool done_ = false;
};

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Exactly 1 to maxDigits hex digits and nothing else.
std::optional<std::uint64_t> ParseHexNumber(std::u16string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (const char16_t c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  return value;
}

// Data of dword:, hex: and "-" may be followed by a comment.
std::u16string_view WithoutComment(std::u16string_view data) {
  return Trim(data.substr(0, data.find(u';')));
}

bool OnlyCommentLeft(std::u16string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == u';';
}

std::optional<char16_t> Unescape(char16_t c) {
  switch (c) {
    case u'\\': return u'\\';
    case u'"': return u'"';
    case u'n': return u'\n';
    case u'r': return u'\r';
    case u'0': return u'\0';
    default: return std::nullopt;
  }
}

struct Quoted {
  std::u16string text;
  std::u16string_view rest;  // after the closing quote
};

// text starts just after the opening quote.
Parsed<Quoted> ReadQuoted(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'"') return Quoted{std::move(out), text.substr(i + 1)};
    if (c != u'\\') {
      out += c;
      continue;
    }
    if (++i == text.size()) break;
    const auto unescaped = Unescape(text[i]);
    if (!unescaped) {
      return std::unexpected(u"unknown escape \\" + std::u16string(1, text[i]) +
                             u" in quoted text (a backslash is written \\\\)");
    }
    out += *unescaped;
  }
  return std::unexpected(Reason(u"unterminated string: the closing quote is missing"));
}

// One line's share of hex data: bytes of 1 or 2 hex digits separated by
// commas; a trailing comma is allowed. Returns whether the piece ends in a
// comma, which a line break inside the data needs.
Parsed<bool> AppendHexBytes(std::u16string_view piece, std::vector<std::uint8_t>& bytes) {
  const auto tokens = Split(piece, u",");
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const auto token = Trim(tokens[i]);
    if (token.empty()) {
      if (i + 1 == tokens.size()) return tokens.size() > 1;
      return std::unexpected(Reason(u"hex data has an empty byte between commas"));
    }
    const auto byte = ParseHexNumber(token, 2);
    if (!byte) {
      return std::unexpected(u"bad hex byte " + Quote(token) +
                             u": bytes are 1 or 2 hex digits separated by commas");
    }
    bytes.push_back(static_cast<std::uint8_t>(*byte));
  }
  return false;
}

std::vector<std::uint8_t> LittleEndian(std::uint64_t value, std::size_t byteCount) {
  std::vector<std::uint8_t> bytes(byteCount);
  for (auto& byte : bytes) {
    byte = static_cast<std::uint8_t>(value & 0xFF);
    value >>= 8;
  }
  return bytes;
}

// REGEDIT4 files hold expandable and multi-strings as single-byte ANSI.
std::vector<std::uint8_t> AnsiBytesToUtf16(const std::vector<std::uint8_t>& ansi) {
  const std::string_view text(reinterpret_cast<const char*>(ansi.data()), ansi.size());
  return EncodeUtf16Le(AnsiToUtf16(text), false);
}

Parsed<RegValue> CheckedLength(RegValue value) {
  const std::size_t size = value.data.size();
  if ((value.type == reg::kDword || value.type == reg::kDwordBigEndian) && size != 4) {
    return std::unexpected(u"dword data must be 4 bytes, not " + ToDecimal(std::int64_t(size)));
  }
  if (value.type == reg::kQword && size != 8) {
    return std::unexpected(u"qword data must be 8 bytes, not " + ToDecimal(std::int64_t(size)));
  }
  return value;
}

Parsed<std::uint32_t> ParseHexType(std::u16string_view& data) {
  // data starts after "hex("; on success it is left after the colon.
  const std::size_t close = data.find(u')');
  const auto type = ParseHexNumber(data.substr(0, close), 8);
  if (close == kNpos || !type) {
    return std::unexpected(Reason(u"the type in hex(...) needs 1 to 8 hex digits"));
  }
  if (close + 1 >= data.size() || data[close + 1] != u':') {
    return std::unexpected(Reason(u"hex(...) needs a colon before its bytes"));
  }
  data.remove_prefix(close + 2);
  return static_cast<std::uint32_t>(*type);
}

class Parser {
 public:
  explicit Parser(std::u16string_view text) : lines_(text) {}

  std::expected<RegFile, RegFileError> Run() {
    if (auto ok = ReadHeader(); !ok) return std::unexpected(ok.error());
    std::u16string_view line;
    while (lines_.Next(line)) {
      line = TrimLeft(line);
      if (line.empty() || line.front() == u';') continue;
      std::expected<void, RegFileError> ok;
      if (line.front() == u'[') {
        ok = ReadKeyLine(line);
      } else if (line.front() == u'"' || line.front() == u'@') {
        ok = ReadValueLine(line);
      } else {
        ok = Fail(lines_.Number(), u"not a key line, value line or comment");
      }
      if (!ok) return std::unexpected(ok.error());
    }
    return std::move(file_);
  }

 private:
  std::expected<void, RegFileError> ReadHeader() {
    std::u16string_view line;
    while (lines_.Next(line)) {
      line = Trim(line);
      if (line.empty()) continue;
      if (line == kHeader5 || line == kHeader4) {
        file_.version = line == kHeader5 ? RegFileVersion::Version5 : RegFileVersion::Regedit4;
        return {};
      }
      break;
    }
    return Fail(std::max<std::size_t>(lines_.Number(), 1),
                u"missing header: the file must start with \"Windows Registry Editor Version "
                u"5.00\" or \"REGEDIT4\"");
  }

  std::expected<void, RegFileError> ReadKeyLine(std::u16string_view line) {
    // Key names may hold ']': the key ends at the last one.
    const std::size_t close = line.rfind(u']');
    if (close == kNpos) return Fail(lines_.Number(), u"key line needs a closing ]");
    if (!Trim(line.substr(close + 1)).empty()) {
      return Fail(lines_.Number(), u"unexpected text after the key's closing ]");
    }
    std::u16string_view path = line.substr(1, close - 1);
    const bool remove = !path.empty() && path.front() == u'-';
    if (remove) path.remove_prefix(1);
    if (auto ok = CheckKeyPath(path); !ok) return Fail(lines_.Number(), ok.error());
    file_.keys.push_back({lines_.Number(), std::u16string(path), remove, {}});
    return {};
  }

  std::expected<void, RegFileError> ReadValueLine(std::u16string_view line) {
    const std::size_t number = lines_.Number();
    if (file_.keys.empty()) return Fail(number, u"value line before any key line");
    RegKeyEdit& key = file_.keys.back();
    if (key.remove) return Fail(number, u"value line after a key deletion line");

    std::u16string name;
    std::u16string_view rest = line.substr(1);
    if (line.front() == u'"') {
      auto quoted = ReadQuoted(rest);
      if (!quoted) return Fail(number, quoted.error());
      name = std::move(quoted->text);
      rest = quoted->rest;
      if (name.find(u'\0') != kNpos) return Fail(number, u"value names cannot hold NUL characters");
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != u'=') {
      return Fail(number, u"value name needs = and the data after it");
    }
    const auto data = TrimLeft(rest.substr(1));
    if (WithoutComment(data) == u"-") {
      key.values.push_back({number, std::move(name), std::nullopt});
      return {};
    }
    auto value = ReadData(data);
    if (!value) return std::unexpected(value.error());
    key.values.push_back({number, std::move(name), std::move(*value)});
    return {};
  }

  std::expected<RegValue, RegFileError> ReadData(std::u16string_view data) {
    const std::size_t number = lines_.Number();
    if (!data.empty() && data.front() == u'"') {
      auto quoted = ReadQuoted(data.substr(1));
      if (!quoted) return Fail(number, quoted.error());
      if (!OnlyCommentLeft(quoted->rest)) {
        return Fail(number, u"unexpected text after the string's closing quote");
      }
      return StringValue(reg::kSz, quoted->text);
    }
    if (StartsWithNoCase(data, u"dword:")) {
      const auto value = ParseHexNumber(WithoutComment(data.substr(6)), 8);
      if (!value) return Fail(number, u"dword value needs 1 to 8 hex digits");
      return DwordValue(static_cast<std::uint32_t>(*value));
    }
    if (StartsWithNoCase(data, u"qword:")) {
      const auto value = ParseHexNumber(WithoutComment(data.substr(6)), 16);
      if (!value) return Fail(number, u"qword value needs 1 to 16 hex digits");
      return RegValue{reg::kQword, LittleEndian(*value, 8)};
    }
    if (StartsWithNoCase(data, u"hex:")) return ReadHexValue(reg::kBinary, data.substr(4));
    if (StartsWithNoCase(data, u"hex(")) {
      data.remove_prefix(4);
      const auto type = ParseHexType(data);
      if (!type) return Fail(number, type.error());
      return ReadHexValue(*type, data);
    }
    return Fail(number,
                u"unknown value data: expected \"text\", dword:, qword:, hex:, hex(n): or -");
  }

  std::expected<RegValue, RegFileError> ReadHexValue(std::uint32_t type,
                                                     std::u16string_view piece) {
    RegValue value{type, {}};
    for (;;) {
      piece = WithoutComment(piece);
      const bool continues = !piece.empty() && piece.back() == u'\\';
      if (continues) piece = TrimRight(piece.substr(0, piece.size() - 1));
      const auto endsWithComma = AppendHexBytes(piece, value.data);
      if (!endsWithComma) return Fail(lines_.Number(), endsWithComma.error());
      if (!continues) break;
      if (!piece.empty() && !*endsWithComma) {
        return Fail(lines_.Number(), u"hex data needs a comma before the line break");
      }
      if (!lines_.Next(piece)) {
        return Fail(lines_.Number(), u"hex data continues past the end of the file");
      }
      piece = TrimLeft(piece);
    }
    if (file_.version == RegFileVersion::Regedit4 &&
        (type == reg::kExpandSz || type == reg::kMultiSz)) {
      value.data = AnsiBytesToUtf16(value.data);
    }
    auto checked = CheckedLength(std::move(value));
    if (!checked) return Fail(lines_.Number(), checked.error());
    return std::move(*checked);
  }

  LineReader lines_;
  RegFile file_;
};

}  // namespace

std::u16string Describe(const RegFileError& error) {
  if (error.line == 0) return error.reason;
  return u"line " + ToDecimal(std::int64_t(error.line)) + u": " + error.reason;
}

std::expected<RegFile, RegFileError> ParseRegText(std::u16string_view text) {
  if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
  return Parser(text).Run();
}

}  // namespace kva
