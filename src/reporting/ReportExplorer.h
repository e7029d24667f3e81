#pragma once
// The report explorer without its window: the store as a tree of clients,
// their PCs and the PCs' reports, the information text of an item, find,
// and delete. Nothing here reads a report's content: the explorer opens
// quickly however long the reports have grown.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class FileSystem;

struct ReportTreeItem {
  std::u16string name;  // folder or file name; reports keep ".html"
  std::vector<ReportTreeItem> children;
};

// An item as the names from its client down: one name a client, two a PC,
// three a report.
using ReportItemPath = std::vector<std::u16string>;
// An item as child indexes from the top.
using ReportTreePosition = std::vector<std::size_t>;

enum class ReportItemKind { kClient = 1, kPc = 2, kReport = 3 };

inline constexpr std::u16string_view kRemoveClientQuestion =
    u"Are you sure you want to remove the selected client?\r\n\r\nAll PCs and reports of this "
    u"client will be deleted.";
inline constexpr std::u16string_view kRemovePcQuestion =
    u"Are you sure you want to remove the selected PC?\r\n\r\nAll reports of this PC will be "
    u"deleted.";
inline constexpr std::u16string_view kRemoveReportQuestion =
    u"Are you sure you want to remove the selected report?";
inline constexpr std::u16string_view kRemoveFailed =
    u"Sorry, the selected item could not be completely removed.";

// Clients and PCs are folders, reports *.html files, in the order the file
// system lists them; no reparse points.
std::vector<ReportTreeItem> LoadReportTree(FileSystem& files, std::u16string_view storeFolder);

std::u16string ReportItemFullPath(std::u16string_view storeFolder, const ReportItemPath& item);
ReportItemPath PathAt(const std::vector<ReportTreeItem>& tree, const ReportTreePosition& at);
std::u16string_view RemoveQuestion(ReportItemKind kind);

// The text of the panel beside the tree.
std::u16string ReportItemInfo(FileSystem& files, std::u16string_view storeFolder,
                              const ReportItemPath& item);

// The next item after `from` (or from the top without one), in tree order,
// whose name holds text (case-insensitive); once past the end, the search
// starts again at the first client.
std::optional<ReportTreePosition> FindReportItem(const std::vector<ReportTreeItem>& tree,
                                                 const std::optional<ReportTreePosition>& from,
                                                 std::u16string_view text);

// Removes the item, and the map's sections of the PCs it held so that they
// are asked about again. False when anything is left; the map is never
// saved over when it cannot be read.
bool RemoveReportItem(FileSystem& files, std::u16string_view storeFolder, const ReportItemPath& item);

// What sending is handed: "Reports\" + client + "\" + fingerprint + "\" + file.
std::u16string ReportSendPath(const ReportItemPath& report);

}  // namespace kva
