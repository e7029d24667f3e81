#pragma once
// "Open this tool's location" and "Go to this tool's website": what the
// highlighted entry's record asks to show, decided here and carried out
// through the shell port.

#include <optional>
#include <string>
#include <vector>

#include "app/MainCommand.h"

namespace kva {

class Environment;
class Explorer;
class FileSystem;
class Registry;
struct ListEntry;
struct ToolRecord;

// Download file paths shorter than this count as absent.
inline constexpr std::size_t kMinDownloadFileLength = 13;
// A Website shorter than this is no address.
inline constexpr std::size_t kMinWebsiteLength = 10;

struct ToolLocation {
  std::u16string folder;
  std::vector<std::u16string> selected;  // full paths; empty: the folder is opened as such
  bool operator==(const ToolLocation&) const = default;
};

// From the record's download files, expanded and without double quotes;
// an archive stands for its extraction folder. Empty when the first
// download is absent or not there (the tool was never downloaded).
std::optional<ToolLocation> FindToolLocation(const ToolRecord& record, Environment& environment,
                                             FileSystem& files);
// The record's Website when it is a web address.
std::optional<std::u16string> ToolWebsite(const ToolRecord& record);

struct ToolLinkPorts {
  Registry& registry;
  FileSystem& files;
  Environment& environment;
  Explorer& explorer;
};

// Shows the entry's location or opens its website; false when there was
// nothing to show or the shell refused.
bool OpenToolLink(const ToolLinkPorts& ports, const ListEntry& entry, ToolLink link);

}  // namespace kva
