#pragma once
// Hive files, written only through the registry so that they are in the
// format of the running system. A file is always written beside its target
// first and replaces it in one rename: a crash at any point leaves the old
// file or the new one, never none and never a half-written one.

#include <expected>
#include <optional>
#include <string>
#include <string_view>

namespace kva {

class FileSystem;
class MessagePump;
class Registry;

// The file a hive is written to before it replaces target.
std::u16string PendingHivePath(std::u16string_view target);

// Saves the key at keyPath into target. When the save fails and fallbackFile
// is given, that file's bytes are installed instead, the same safe way.
// False leaves target as it was.
bool SaveKeyToFileSafely(Registry& registry, FileSystem& files, MessagePump& pump,
                         std::u16string_view keyPath, std::u16string_view target,
                         std::optional<std::u16string_view> fallbackFile = std::nullopt);

// Imports registry-editor text into the empty scratch key (its own keys
// rebased onto it) and saves that key as the hive file target. The scratch
// key is removed afterwards, whatever happened. The error says why.
std::expected<void, std::u16string> BuildHiveFile(Registry& registry, FileSystem& files,
                                                  MessagePump& pump, std::u16string_view regText,
                                                  std::u16string_view scratchKeyPath,
                                                  std::u16string_view target);

// Unloads the hive loaded as HKLM\name; true when it is gone (or was never
// loaded).
[[nodiscard]] bool UnloadMachineHive(Registry& registry, std::u16string_view name);

// Deletes a file even when it is hidden, system or read-only; true when it
// is gone (or was never there).
bool ForceRemoveFile(FileSystem& files, std::u16string_view path);

}  // namespace kva
