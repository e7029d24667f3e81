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

struct ToolTile {
  ToolIcon icon;
  std::u16string secondLine;
};

class ToolTileReader {
 public:
  ToolTileReader(Registry& registry, FileSystem& files, Environment& environment)
      : registry_(registry), files_(files), environment_(environment) {}

  // A record that cannot be found gives no icon (an own tool the default
  // one) and "Never downloaded".
  [[nodiscard]] ToolTile Read(std::u16string_view name, int recordGroup) const;

 private:
  Registry& registry_;
  FileSystem& files_;
  Environment& environment_;
};

}  // namespace kva
