#include "platform/HiveFiles.h"

#include "platform/FileSystem.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

bool SaveInto(Registry& registry, MessagePump& pump, std::u16string_view keyPath,
              std::u16string_view file) {
  RegKey key(registry);
  return Open(key, keyPath, reg::kRead) && SaveKey(key, file, pump);
}

// Replaces target by the complete pending file.
bool InstallPending(FileSystem& files, std::u16string_view pending, std::u16string_view target) {
  files.SetAttributes(pending, attr::kHidden);
  // A read-only target would refuse the replacement.
  if (Exists(files, target)) files.SetAttributes(target, attr::kHidden);
  if (files.MoveTo(pending, target, true)) return true;
  ForceRemoveFile(files, pending);
  return false;
}

}  // namespace

std::u16string PendingHivePath(std::u16string_view target) {
  return std::u16string(target) + u".new";
}

bool UnloadMachineHive(Registry& registry, std::u16string_view name) {
  return !KeyExists(registry, reg::kLocalMachine, name) ||
         registry.UnloadHive(reg::kLocalMachine, name) == reg::kSuccess;
}

bool ForceRemoveFile(FileSystem& files, std::u16string_view path) {
  const auto attributes = files.Attributes(path);
  if (attributes == attr::kInvalid) return true;
  if (attributes & (attr::kReadOnly | attr::kHidden | attr::kSystem)) {
    files.SetAttributes(path, attr::kNormal);
  }
  return files.RemoveFile(path);
}

bool SaveKeyToFileSafely(Registry& registry, FileSystem& files, MessagePump& pump,
                         std::u16string_view keyPath, std::u16string_view target,
                         std::optional<std::u16string_view> fallbackFile) {
  const auto pending = PendingHivePath(target);
  // A pending file is left over from an interrupted save: never complete.
  if (!ForceRemoveFile(files, pending)) return false;
  bool written = SaveInto(registry, pump, keyPath, pending);
  if (!written && fallbackFile) {
    ForceRemoveFile(files, pending);
    written = files.CopyTo(*fallbackFile, pending, false);
  }
  if (!written) {
    ForceRemoveFile(files, pending);
    return false;
  }
  return InstallPending(files, pending, target);
}

std::expected<void, std::u16string> BuildHiveFile(Registry& registry, FileSystem& files,
                                                  MessagePump& pump, std::u16string_view regText,
                                                  std::u16string_view scratchKeyPath,
                                                  std::u16string_view target) {
  RegKey scratch(registry);
  DeleteTree(scratch, scratchKeyPath);
  if (!Open(scratch, scratchKeyPath, kOpenOrCreate)) {
    return std::unexpected(u"cannot create the scratch key " + std::u16string(scratchKeyPath));
  }
  scratch.Reset();
  std::expected<void, std::u16string> result;
  if (auto imported = ImportRegText(registry, regText, {std::u16string(scratchKeyPath), {}});
      !imported) {
    result = std::unexpected(Describe(imported.error()));
  } else if (!SaveKeyToFileSafely(registry, files, pump, scratchKeyPath, target)) {
    result = std::unexpected(u"cannot save the hive file " + std::u16string(target));
  }
  DeleteTree(scratch, scratchKeyPath);
  return result;
}

}  // namespace kva
