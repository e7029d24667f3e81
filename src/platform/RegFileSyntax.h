#pragma once
// What the .reg parser, importer and exporter share: the header lines, how
// names are quoted in messages, and which key paths the text can hold.

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

#include "platform/RegFile.h"

namespace kva::regfile {

inline constexpr std::u16string_view kHeader5 = u"Windows Registry Editor Version 5.00";
inline constexpr std::u16string_view kHeader4 = u"REGEDIT4";

std::unexpected<RegFileError> Fail(std::size_t line, std::u16string reason);

std::u16string Quote(std::u16string_view text);

// "@" for the default value, else the quoted name.
std::u16string ShownValueName(std::u16string_view name);

// The Win32 calls take NUL-terminated names, and a line break could not be
// written back inside [...].
bool IsWritableKeyName(std::u16string_view name);

// A root the layer knows and names that the registry and [...] can hold;
// the error is the reason alone.
std::expected<void, std::u16string> CheckKeyPath(std::u16string_view path);

}  // namespace kva::regfile
