#include "reporting/ReportExplorer.h"

#include "platform/FileDeletion.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/SizeText.h"
#include "platform/Text.h"
#include "reporting/ReportFormat.h"
#include "reporting/ReportStore.h"

namespace kva {
namespace {

bool IsPlainFolder(const FoundFile& found) {
  return (found.attributes & attr::kDirectory) && !(found.attributes & attr::kReparsePoint);
}

std::vector<ReportTreeItem> Folders(FileSystem& files, const std::u16string& folder) {
  std::vector<ReportTreeItem> items;
  for (const auto& found : files.Find(folder + u"\\*")) {
    if (IsPlainFolder(found)) items.push_back({found.name, {}});
  }
  return items;
}

std::vector<ReportTreeItem> Reports(FileSystem& files, const std::u16string& folder) {
  std::vector<ReportTreeItem> items;
  for (const auto& found : files.Find(folder + u"\\*.html")) {
    if (!(found.attributes & (attr::kDirectory | attr::kReparsePoint))) items.push_back({found.name, {}});
  }
  return items;
}

std::size_t CountEntries(FileSystem& files, const std::u16string& folder, bool wantFolders) {
  std::size_t count = 0;
  for (const auto& found : files.Find(folder + u"\\*")) {
    if (((found.attributes & attr::kDirectory) != 0) == wantFolders) ++count;
  }
  return count;
}

std::u16string CreatedText(FileSystem& files, const std::u16string& path) {
  LocalTime created;
  return files.CreationTimeOf(path, created) ? ReportEntryTime(created) : u"";
}

std::u16string MappingPath(std::u16string_view store) {
  return std::u16string(store) + u"\\" + std::u16string(kMappingFileName);
}

std::u16string ClientInfo(FileSystem& files, const std::u16string& path, const std::u16string& name) {
  return u"Client name:\r\n" + name + u"\r\n\r\nAdded in: " + CreatedText(files, path) +
         u"\r\n\r\nNumber of PCs: " + ToDecimal(std::int64_t(CountEntries(files, path, true)));
}

std::u16string PcInfo(FileSystem& files, std::u16string_view store, const std::u16string& path,
                      const std::u16string& fingerprint) {
  std::u16string text;
  const auto pcName = ReadIniFile(files, MappingPath(store)).ReadString(fingerprint, u"PCName");
  if (pcName && !pcName->empty()) text = u"PC vendor, make and model: \r\n" + *pcName + u"\r\n\r\n";
  return text + u"Hardware fingerprint:\r\n" + fingerprint + u"\r\n\r\nAdded in: " +
         CreatedText(files, path) + u"\r\n\r\nNumber of reports from this PC: " +
         ToDecimal(std::int64_t(CountEntries(files, path, false)));
}

std::u16string ReportInfo(FileSystem& files, const std::u16string& path, const std::u16string& name) {
  std::uint64_t size = 0;
  (void)files.SizeOf(path, size);
  const std::size_t keep = name.size() >= 5 ? name.size() - 5 : 0;
  return u"Report creation date:\r\n" + name.substr(0, keep) + u"\r\n\r\nReport file size: " +
         SizeText(size);
}

// Tree order: first child, else next sibling, else the next sibling of
// the nearest ancestor that has one.
std::vector<ReportTreePosition> InTreeOrder(const std::vector<ReportTreeItem>& items,
                                            ReportTreePosition prefix = {}) {
  std::vector<ReportTreePosition> order;
  for (std::size_t i = 0; i < items.size(); ++i) {
    prefix.push_back(i);
    order.push_back(prefix);
    const auto below = InTreeOrder(items[i].children, prefix);
    order.insert(order.end(), below.begin(), below.end());
    prefix.pop_back();
  }
  return order;
}

// The PCs whose sections go with the item; empty for a report.
std::vector<std::u16string> PcsOf(FileSystem& files, std::u16string_view store, const ReportItemPath& item) {
  if (item.size() == 2) return {item[1]};
  std::vector<std::u16string> pcs;
  if (item.size() == 1) {
    for (const auto& pc : Folders(files, ReportItemFullPath(store, item))) pcs.push_back(pc.name);
  }
  return pcs;
}

bool ForgetPcs(FileSystem& files, std::u16string_view store, const std::vector<std::u16string>& pcs) {
  if (pcs.empty()) return true;
  auto mapping = ReadIniFileToRewrite(files, MappingPath(store));
  if (!mapping) return false;
  bool changed = false;
  for (const auto& pc : pcs) changed = mapping->DeleteSection(pc) || changed;
  return !changed || WriteIniFile(files, MappingPath(store), *mapping);
}

}  // namespace

std::vector<ReportTreeItem> LoadReportTree(FileSystem& files, std::u16string_view storeFolder) {
  const std::u16string store(storeFolder);
  auto clients = Folders(files, store);
  for (auto& client : clients) {
    const std::u16string clientPath = store + u"\\" + client.name;
    client.children = Folders(files, clientPath);
    for (auto& pc : client.children) pc.children = Reports(files, clientPath + u"\\" + pc.name);
  }
  return clients;
}

std::u16string ReportItemFullPath(std::u16string_view storeFolder, const ReportItemPath& item) {
  std::u16string path(storeFolder);
  for (const auto& name : item) path += u"\\" + name;
  return path;
}

ReportItemPath PathAt(const std::vector<ReportTreeItem>& tree, const ReportTreePosition& at) {
  ReportItemPath names;
  const std::vector<ReportTreeItem>* level = &tree;
  for (const std::size_t index : at) {
    if (index >= level->size()) return {};
    names.push_back((*level)[index].name);
    level = &(*level)[index].children;
  }
  return names;
}

std::u16string_view RemoveQuestion(ReportItemKind kind) {
  switch (kind) {
    case ReportItemKind::kClient: return kRemoveClientQuestion;
    case ReportItemKind::kPc: return kRemovePcQuestion;
    case ReportItemKind::kReport: break;
  }
  return kRemoveReportQuestion;
}

std::u16string ReportItemInfo(FileSystem& files, std::u16string_view storeFolder,
                              const ReportItemPath& item) {
  const std::u16string path = ReportItemFullPath(storeFolder, item);
  switch (item.size()) {
    case 1: return ClientInfo(files, path, item[0]);
    case 2: return PcInfo(files, storeFolder, path, item[1]);
    case 3: return ReportInfo(files, path, item[2]);
    default: return {};
  }
}

std::optional<ReportTreePosition> FindReportItem(const std::vector<ReportTreeItem>& tree,
                                                 const std::optional<ReportTreePosition>& from,
                                                 std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  const auto order = InTreeOrder(tree);
  std::size_t start = 0;
  if (from) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (order[i] == *from) start = i + 1;
    }
  }
  const auto matches = [&](std::size_t i) {
    return FindNoCase(PathAt(tree, order[i]).back(), text) != kNpos;
  };
  for (std::size_t i = start; i < order.size(); ++i) {
    if (matches(i)) return order[i];
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (matches(i)) return order[i];
  }
  return std::nullopt;
}

bool RemoveReportItem(FileSystem& files, std::u16string_view storeFolder, const ReportItemPath& item) {
  if (item.empty() || item.size() > 3) return false;
  if (!ForgetPcs(files, storeFolder, PcsOf(files, storeFolder, item))) return false;
  return DeleteItems(files, ReportItemFullPath(storeFolder, item), 0);
}

std::u16string ReportSendPath(const ReportItemPath& report) {
  if (report.size() != 3) return {};
  return u"Reports\\" + report[0] + u"\\" + report[1] + u"\\" + report[2];
}

}  // namespace kva
