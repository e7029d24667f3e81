#include "app/ToolLinks.h"

#include <algorithm>

#include "catalog/PathVariables.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolRecord.h"
#include "platform/Explorer.h"
#include "platform/FileSystem.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kArchiveExtension = u".zip";

struct Item {
  std::u16string path;
  bool folder = false;
};

// A download file as it lies on disk: an archive is unpacked into the
// folder of its name, so that folder is what there is to show.
std::optional<Item> DownloadedItem(std::u16string_view stored, Environment& environment,
                                   FileSystem& files) {
  std::u16string path = ExpandPath(environment, stored);
  std::erase(path, u'"');
  if (path.size() < kMinDownloadFileLength) return std::nullopt;
  Item item;
  if (EndsWithNoCase(path, kArchiveExtension)) {
    path.resize(path.size() - kArchiveExtension.size());
    item.folder = true;
  }
  const auto attributes = files.Attributes(path);
  if (attributes == attr::kInvalid) return std::nullopt;
  item.folder = item.folder || (attributes & attr::kDirectory) != 0;
  item.path = std::move(path);
  return item;
}

}  // namespace

std::optional<ToolLocation> FindToolLocation(const ToolRecord& record, Environment& environment,
                                             FileSystem& files) {
  const auto first = DownloadedItem(record.downloadFile1, environment, files);
  if (!first) return std::nullopt;
  const auto folder = FolderOf(first->path);
  const auto second = DownloadedItem(record.downloadFile2, environment, files);
  // Explorer selects items of one folder only.
  if (second && !EqualsNoCase(second->path, first->path) &&
      EqualsNoCase(FolderOf(second->path), folder)) {
    return ToolLocation{std::u16string(folder), {first->path, second->path}};
  }
  if (first->folder) return ToolLocation{first->path, {}};
  return ToolLocation{std::u16string(folder), {first->path}};
}

std::optional<std::u16string> ToolWebsite(const ToolRecord& record) {
  const std::u16string_view site = Trim(record.website);
  // Only a web address: the shell would run a program named here.
  if (site.size() < kMinWebsiteLength ||
      !(StartsWithNoCase(site, u"https://") || StartsWithNoCase(site, u"http://"))) {
    return std::nullopt;
  }
  return std::u16string(site);
}

bool OpenToolLink(const ToolLinkPorts& ports, const ListEntry& entry, ToolLink link) {
  RegKey key(ports.registry);
  if (!Open(key, RecordKeyPath(entry.name, entry.recordGroup), reg::kRead)) return false;
  const ToolRecord record = ReadToolRecord(key);
  if (link == ToolLink::Website) {
    const auto site = ToolWebsite(record);
    return site && ports.explorer.OpenInShell(*site);
  }
  const auto location = FindToolLocation(record, ports.environment, ports.files);
  if (!location) return false;
  if (location->selected.empty()) return ports.explorer.OpenInShell(location->folder);
  return ports.explorer.ShowSelected(location->folder, location->selected);
}

}  // namespace kva
