#pragma once
// The command line that has 7-Zip's command-line extractor (7za.exe) unpack
// an archive. 7za splits its command line itself: a double quote switches
// quoting on and off and nothing escapes one, so a quoted part may hold
// blanks but never a double quote.

#include <optional>
#include <string>
#include <string_view>

namespace kva {

// "<7za>" x  -y -r "<archive>" -o"<destination>" [-p"<password>"]
// Every part is quoted: the tools folder's own name has a blank, and an
// unquoted "C:\Kit\Kelvara tools\7za.exe" starts C:\Kit\Kelvara.exe. Empty
// when a part holds a double quote, which 7za could not be given intact.
[[nodiscard]] std::optional<std::u16string> SevenZipExtractCommand(
    std::u16string_view sevenZipPath, std::u16string_view archive,
    std::u16string_view destination, std::u16string_view password);

}  // namespace kva
