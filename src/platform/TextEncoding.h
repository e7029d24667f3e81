#pragma once
// Turning file bytes into UTF-16 text and back. Files are told apart by
// their byte-order mark: UTF-16LE (FF FE), UTF-16BE (FE FF), UTF-8
// (EF BB BF). Text without a mark is ANSI, read as Windows-1252, unless the
// caller accepts UTF-8 and the bytes are valid UTF-8 (strictly: no
// overlong forms, no surrogates, nothing beyond U+10FFFF, no cut sequence).
// INI files always accept it (IniFile.h).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

enum class TextEncoding { Utf16Le, Utf16Be, Utf8, Ansi };

enum class WithoutMark { Ansi, Utf8IfValid };

struct DecodedText {
  std::u16string text;
  TextEncoding encoding = TextEncoding::Ansi;
};

DecodedText DecodeText(std::span<const std::uint8_t> bytes, WithoutMark rule = WithoutMark::Ansi);

// Windows-1252 both ways; characters it cannot hold become '?'.
std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view text);

// UTF-16LE bytes, with the FF FE mark when asked.
std::vector<std::uint8_t> EncodeUtf16Le(std::u16string_view text, bool withMark = true);

}  // namespace kva
