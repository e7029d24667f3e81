#include "catalog/ToolTile.h"

#include "catalog/Groups.h"
#include "catalog/PathVariables.h"
#include "catalog/ToolRecord.h"
#include "platform/FileSystem.h"
#include "platform/RegistryAccess.h"
#include "ResourceIds.h"

namespace kva {
namespace {

std::u16string LastUpdateLine(const RegKey& state, TileMoment moment) {
  std::u16string lastUpdate;
  if (!ReadString(state, value::kLastUpdate, lastUpdate) || lastUpdate.empty()) {
    return std::u16string(moment == TileMoment::Start ? kNeverDownloadedLine : kUpdatedNeverLine);
  }
  return std::u16string(kUpdatedPrefix) + lastUpdate;
}

bool HasUrl1(const RegKey& record) {
  std::u16string url;
  return ReadString(record, value::kUrl1, url) && !url.empty();
}

ToolIcon OwnToolIcon(const RegKey& record, FileSystem& files, Environment& environment) {
  std::u16string file;
  ReadString(record, value::kIcon, file);
  file = ExpandPath(environment, file);
  if (file.empty() || !Exists(files, file)) return {KVA_IMG_OWN_TOOL, {}};
  return {0, std::move(file)};
}

ToolIcon CatalogueIcon(const RegKey& record) {
  std::uint32_t image = 0;
  ReadDword(record, value::kImage, image);
  return {int(image), {}};
}

}  // namespace

ToolTile ToolTileReader::Read(std::u16string_view name, int recordGroup,
                              TileMoment moment) const {
  RegKey record(registry_);
  Open(record, RecordKeyPath(name, recordGroup), reg::kRead);
  ToolTile tile;
  tile.icon = recordGroup == kOwnTools ? OwnToolIcon(record, files_, environment_)
                                       : CatalogueIcon(record);
  if (recordGroup == kBuiltInRepair) {
    tile.secondLine = RepairSectionLine(name);
  } else if (recordGroup == kWindowsBuiltIn) {
    tile.secondLine = kWindowsToolLine;
  } else if (recordGroup == kTroubleshooters && !HasUrl1(record)) {
    tile.secondLine = kTroubleshooterLine;
  } else if (recordGroup == kOwnTools) {
    // An own tool's record and state share one key.
    tile.secondLine = LastUpdateLine(record, moment);
  } else {
    RegKey state(registry_);
    Open(state, StateKeyPath(name, recordGroup), reg::kRead);
    tile.secondLine = LastUpdateLine(state, moment);
  }
  return tile;
}

}  // namespace kva
