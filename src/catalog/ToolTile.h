#pragma once
// What an entry shows besides its name: its icon and its second line, read
// from its record and its state.

#include <string>
#include <string_view>

#include "catalog/ToolListModel.h"

namespace kva {

class Environment;
class FileSystem;
class Registry;

// When the entry joins the list: at start a tool without LastUpdate reads
// "Never downloaded", one added later "Updated: Never".
enum class TileMoment { Start, Later };

struct ToolTile {
  ToolIcon icon;
  std::u16string secondLine;
};

class ToolTileReader {
 public:
  ToolTileReader(Registry& registry, FileSystem& files, Environment& environment)
      : registry_(registry), files_(files), environment_(environment) {}

  // A record that cannot be found gives no icon (an own tool the default
  // one) and no last update.
  [[nodiscard]] ToolTile Read(std::u16string_view name, int recordGroup,
                              TileMoment moment = TileMoment::Start) const;

 private:
  Registry& registry_;
  FileSystem& files_;
  Environment& environment_;
};

}  // namespace kva
