#include "reporting/ReportStore.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "reporting/PcIdentity.h"
#include "ResourceIds.h"

namespace kva {
namespace {

struct Mapping {
  std::optional<IniFile> ini;  // empty: there is a file, but it could not be read
  std::u16string path;
};

Mapping LoadMapping(FileSystem& files, std::u16string_view store) {
  const std::u16string path = std::u16string(store) + u"\\" + std::u16string(kMappingFileName);
  return {ReadIniFileToRewrite(files, path), path};
}

void WriteIcon(const ReportPorts& ports, std::u16string_view store) {
  const std::u16string path = std::u16string(store) + u"\\" + std::u16string(kReportIconName);
  if (Exists(ports.files, path)) return;
  const auto png = ports.resources.Image(KVA_IMG_LOGO);
  // A report without its logo is still a report.
  if (!png.empty()) (void)ports.files.WriteAll(path, png);
}

// Disabled=1 in the fingerprint's section, and reports off, as asked.
void SaveNoReportAnswer(FileSystem& files, Mapping& mapping, std::u16string_view fingerprint,
                        const NewPcAnswer& answer) {
  if (!answer.neverOnThisPc || !mapping.ini) return;
  if (mapping.ini->WriteString(fingerprint, u"Disabled", u"1")) {
    (void)WriteIniFile(files, mapping.path, *mapping.ini);
  }
}

// The client of the PC; empty when there is to be no report.
std::optional<std::u16string> ChooseClient(const ReportPorts& ports, std::u16string_view store,
                                           Mapping& mapping, const PcIdentity& id,
                                           const NewPcPrompt& prompt, StartReportResult& result) {
  // Without the map nothing can be asked or saved: the rows still go
  // somewhere, and the file is left for the technician to look at.
  if (!mapping.ini) return std::u16string(kUnassignedClient);
  if (mapping.ini->ReadString(id.fingerprint, u"Disabled") == u"1") return std::nullopt;
  const auto known = mapping.ini->ReadString(id.fingerprint, u"ClientName");
  if (known && !known->empty()) return *known;
  if (!prompt) return std::u16string(kUnassignedClient);
  const auto answer = prompt({id.description, ListClientFolders(ports.files, store)});
  if (!answer) return std::nullopt;
  if (answer->kind == NewPcAnswer::Kind::kNoReport) {
    SaveNoReportAnswer(ports.files, mapping, id.fingerprint, *answer);
    result.disableReports = answer->disableReports;
    return std::nullopt;
  }
  if (mapping.ini->WriteString(id.fingerprint, u"ClientName", answer->clientName)) {
    (void)WriteIniFile(ports.files, mapping.path, *mapping.ini);
  }
  return answer->clientName;
}

void RememberPcName(FileSystem& files, Mapping& mapping, const PcIdentity& id, bool asked) {
  // A quiet run leaves the map alone, so that the next interactive start asks.
  if (!asked || !mapping.ini || id.description.empty()) return;
  if (mapping.ini->ReadString(id.fingerprint, u"PCName") == id.description) return;
  if (mapping.ini->WriteString(id.fingerprint, u"PCName", id.description)) {
    (void)WriteIniFile(files, mapping.path, *mapping.ini);
  }
}

std::vector<std::uint8_t> EntryAndFooter(const ReportEntry& entry) {
  return Utf8Bytes(ReportRow(entry) + std::u16string(kReportFooter));
}

bool EndsInFooter(FileSystem& files, std::u16string_view path, std::uint64_t size) {
  if (size < kReportFooterBytes) return false;
  std::vector<std::uint8_t> tail;
  return files.ReadRange(path, size - kReportFooterBytes, kReportFooterBytes, tail) &&
         tail == Utf8Bytes(kReportFooter);
}

// A file that cannot even hold a head lost it in a crash: a new file with
// head, row and footer replaces it in one step.
std::size_t RewriteWithHead(FileSystem& files, const ReportSession& session,
                            const ReportEntry& entry) {
  auto bytes = NewReportBytes(session.head);
  const auto row = Utf8Bytes(ReportRow(entry));
  bytes.insert(bytes.end() - std::ptrdiff_t(kReportFooterBytes), row.begin(), row.end());
  const std::u16string pending = session.currentReportPath + u".new";
  if (files.WriteAll(pending, bytes) && files.MoveTo(pending, session.currentReportPath, true)) {
    return row.size() + kReportFooterBytes;
  }
  (void)files.RemoveFile(pending);
  return 0;
}

}  // namespace

std::u16string ReportStoreFolder(std::u16string_view toolsDir) {
  return std::u16string(toolsDir) + u"\\" + std::u16string(kReportStoreName);
}

std::vector<std::u16string> ListClientFolders(FileSystem& files, std::u16string_view storeFolder) {
  std::vector<std::u16string> names;
  for (const auto& found : files.Find(std::u16string(storeFolder) + u"\\*")) {
    if ((found.attributes & attr::kDirectory) && !(found.attributes & attr::kReparsePoint)) {
      names.push_back(found.name);
    }
  }
  return names;
}

StartReportResult StartReport(const ReportPorts& ports, std::u16string_view storeFolder,
                              std::u16string_view appName, const NewPcPrompt& prompt,
                              ReportSession& session) {
  StartReportResult result;
  PcIdentity id;
  if (!ComputePcIdentity(ports.wmi, ports.crypto, ports.registry, id)) return result;
  if (!ports.files.CreateFolders(storeFolder)) return result;
  WriteIcon(ports, storeFolder);
  Mapping mapping = LoadMapping(ports.files, storeFolder);
  const auto client = ChooseClient(ports, storeFolder, mapping, id, prompt, result);
  if (!client) return result;
  RememberPcName(ports.files, mapping, id, static_cast<bool>(prompt));

  const std::u16string folder =
      std::u16string(storeFolder) + u"\\" + *client + u"\\" + id.fingerprint;
  if (!ports.files.CreateFolders(folder)) return result;
  const LocalTime now = ports.clock.Now();
  session.head = {std::u16string(appName), now, *client, id.description, id.fingerprint};
  session.currentReportPath = folder + u"\\" + ReportFileDate(now) + u".html";
  // A run earlier today started this file: its rows go on below.
  if (Exists(ports.files, session.currentReportPath)) {
    result.started = true;
    return result;
  }
  result.started = ports.files.WriteAll(session.currentReportPath, NewReportBytes(session.head));
  return result;
}

std::size_t AppendReportEntry(FileSystem& files, Clock& clock, ReportSession& session,
                              std::u16string_view actionPrefix, std::u16string_view subject,
                              std::u16string_view result) {
  const std::u16string& path = session.currentReportPath;
  std::uint64_t size = 0;
  if (path.empty() || !Exists(files, path) || !files.SizeOf(path, size)) return 0;
  const ReportEntry entry{std::u16string(actionPrefix), std::u16string(subject), clock.Now(),
                          std::u16string(result)};
  if (size < MinimumReportHeadBytes()) return RewriteWithHead(files, session, entry);
  const auto bytes = EntryAndFooter(entry);
  const std::uint64_t at = EndsInFooter(files, path, size) ? size - kReportFooterBytes : size;
  return files.WriteAt(path, at, bytes) ? bytes.size() : 0;
}

}  // namespace kva
