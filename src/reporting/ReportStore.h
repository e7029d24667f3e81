#pragma once
// The report store: "KVA Reports" in the tools folder, mapping.ini (which
// client each PC belongs to), one folder per client, one per PC inside it
// named by its fingerprint, and one report file per PC and day.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reporting/NewPcForm.h"
#include "reporting/ReportFormat.h"

namespace kva {

class Clock;
class Crypto;
class FileSystem;
class Registry;
class Resources;
class Wmi;

inline constexpr std::u16string_view kReportStoreName = u"KVA Reports";
inline constexpr std::u16string_view kMappingFileName = u"mapping.ini";
inline constexpr std::u16string_view kReportIconName = u"kva_icon.png";
// Where a PC without a client goes when nobody can be asked.
inline constexpr std::u16string_view kUnassignedClient = u"Unassigned";

struct ReportPorts {
  FileSystem& files;
  Clock& clock;
  Resources& resources;
  Wmi& wmi;
  Crypto& crypto;
  Registry& registry;
};

// Asks about a PC without a client: the answer, or empty for Cancel. An
// empty function means nobody is there to ask (a quiet run).
using NewPcPrompt = std::function<std::optional<NewPcAnswer>(const NewPcQuestion&)>;

// The report of this run, held by the application.
struct ReportSession {
  std::u16string currentReportPath;  // empty until a report was started
  ReportHeadFields head;             // to give a file that lost its head a new one
};

struct StartReportResult {
  bool started = false;
  bool disableReports = false;  // the technician turned reports off for good
};

std::u16string ReportStoreFolder(std::u16string_view toolsDir);

// Client folders directly in the store, as the file system lists them;
// no reparse points.
std::vector<std::u16string> ListClientFolders(FileSystem& files, std::u16string_view storeFolder);

StartReportResult StartReport(const ReportPorts& ports, std::u16string_view storeFolder,
                              std::u16string_view appName, const NewPcPrompt& prompt,
                              ReportSession& session);

// Appends one row and returns the bytes written (0 when nothing was). The
// row goes over the footer only when the file really ends in it; a file
// cut short or edited by hand keeps every byte and gets the row and a
// footer at its end, and one too short for a head is written afresh.
std::size_t AppendReportEntry(FileSystem& files, Clock& clock, ReportSession& session,
                              std::u16string_view actionPrefix, std::u16string_view subject,
                              std::u16string_view result);

}  // namespace kva
