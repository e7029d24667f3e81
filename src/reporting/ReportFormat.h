#pragma once
// The HTML report file: UTF-8 with a byte-order mark, a head with the
// client's details, one table row per entry, and a fixed footer that is
// always the last thing in the file. Inserted texts are HTML-escaped
// (firmware strings and error texts come from outside); the fixed parts
// are byte for byte what earlier versions wrote, so their files stay
// appendable.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"

namespace kva {

inline constexpr std::u16string_view kReportFooter =
    u"\t\t</table>\r\n\t\t<div class=\"footer\"><p>End of report.</p></div>\r\n\t</div>\r\n"
    u"</body>\r\n</html>";
inline constexpr std::size_t kReportFooterBytes = 88;

struct ReportHeadFields {
  std::u16string appName;
  LocalTime started;
  std::u16string clientName;
  std::u16string pcText;  // vendor, make and model; may be empty
  std::u16string fingerprint;
};

struct ReportEntry {
  std::u16string actionPrefix;  // "Update tool: ", "Run tool: ", ...
  std::u16string subject;
  LocalTime time;
  std::u16string result;
};

// &, <, > and " as entities; everything else as it is.
std::u16string EscapeHtml(std::u16string_view text);

std::u16string ReportFileDate(const LocalTime& time);    // 2024-03-07
std::u16string ReportHeaderTime(const LocalTime& time);  // 2024/03/07  14:05:09  (two blanks)
std::u16string ReportEntryTime(const LocalTime& time);   // 2024/03/07 14:05:09

// The head up to and with the table's header row (no rows, no footer).
std::u16string ReportHead(const ReportHeadFields& fields);
std::u16string ReportRow(const ReportEntry& entry);

// A new report: the mark, the head and the footer.
std::vector<std::uint8_t> NewReportBytes(const ReportHeadFields& fields);
std::vector<std::uint8_t> Utf8Bytes(std::u16string_view text);
// The size of the shortest head a report can have, with the mark: a file
// shorter than this cannot hold one.
std::uint64_t MinimumReportHeadBytes();

}  // namespace kva
