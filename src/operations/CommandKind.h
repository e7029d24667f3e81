#pragma once
// What a tool's command is: a built-in action's tag, one of the pseudo-
// commands the runner performs itself, or a command line to start.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace kva {

// "<Name...>": the tag name has four characters or more.
struct TagCommand {
  std::size_t closePosition = 0;  // 1-based position of the first ">"
};
// ->Unzip(archive, destination)
struct UnzipCommand {
  std::u16string archive, destination;
};
// ->Delete(path, options): the path runs up to the last comma.
struct DeleteCommand {
  std::u16string path;
  std::uint32_t options = 0;
};
// ->RunSkip(path)
struct RunSkipCommand {
  std::u16string path;
};
struct LaunchCommand {};  // a command line for the launcher

using CommandKind =
    std::variant<TagCommand, UnzipCommand, DeleteCommand, RunSkipCommand, LaunchCommand>;

// Pseudo-command names match in any letter case, only at the start.
CommandKind ClassifyCommand(std::u16string_view command);

// A command shorter than 3 characters counts as absent.
inline bool IsPresentCommand(std::u16string_view command) { return command.size() >= 3; }

}  // namespace kva
