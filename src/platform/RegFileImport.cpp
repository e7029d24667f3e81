#include "platform/RegFile.h"

#include <cstdint>
#include <optional>

#include "platform/RegFileSyntax.h"
#include "platform/Text.h"

namespace kva {
namespace {

using regfile::Fail;
using regfile::Quote;
using regfile::ShownValueName;

struct RootedPath {
  KeyHandle root = reg::kNoKey;
  std::uint32_t view = 0;
  std::u16string subkey;
};

std::optional<RootedPath> SplitRoot(std::u16string_view path) {
  RootedPath rooted{reg::kNoKey, 0, std::u16string(path)};
  std::uint32_t access = 0;
  rooted.root = ParseRoot(rooted.subkey, access);
  if (rooted.root == reg::kNoKey) return std::nullopt;
  rooted.view = access & reg::kViewMask;
  return rooted;
}

// The part of path below base (empty for base itself), or none.
std::optional<std::u16string_view> PathBelow(const RootedPath& path, const RootedPath& base) {
  if (path.root != base.root || path.view != base.view) return std::nullopt;
  std::u16string_view rest = path.subkey;
  if (base.subkey.empty()) return rest;
  if (!StartsWithNoCase(rest, base.subkey)) return std::nullopt;
  rest.remove_prefix(base.subkey.size());
  if (rest.empty()) return rest;
  if (rest.front() != u'\\') return std::nullopt;
  return rest.substr(1);
}

// Where each key of the file is written, checked before anything is.
std::expected<std::vector<std::u16string>, RegFileError> TargetPaths(const RegFile& file,
                                                                     const ImportTarget& target) {
  std::vector<std::u16string> paths;
  if (target.destination.empty() || file.keys.empty()) {
    for (const auto& key : file.keys) paths.push_back(key.path);
    return paths;
  }
  const std::u16string_view baseText = target.base.empty() ? file.keys.front().path : target.base;
  const auto base = SplitRoot(baseText);
  if (!base) return Fail(0, u"unknown root key in the base key " + Quote(baseText));
  for (const auto& key : file.keys) {
    const auto path = SplitRoot(key.path);
    const auto below = path ? PathBelow(*path, *base) : std::nullopt;
    if (!below) {
      return Fail(key.line, u"key " + Quote(key.path) + u" lies outside " + Quote(baseText));
    }
    if (key.remove && below->empty()) {
      return Fail(key.line, u"the base key " + Quote(baseText) + u" itself cannot be deleted");
    }
    paths.push_back(below->empty() ? target.destination
                                   : target.destination + u"\\" + std::u16string(*below));
  }
  return paths;
}

std::expected<void, RegFileError> WriteValueEdit(const RegKey& key, const RegKeyEdit& keyEdit,
                                                 const RegValueEdit& edit) {
  const std::u16string where = u" in " + Quote(keyEdit.path);
  if (edit.value) {
    if (WriteRaw(key, edit.name, *edit.value)) return {};
    return Fail(edit.line, u"cannot write value " + ShownValueName(edit.name) + where);
  }
  // Deleting a value that is not there is what the file asks for already.
  const RegStatus status = key.Port().RemoveValue(key.Handle(), edit.name);
  if (status == reg::kSuccess || status == reg::kFileNotFound) return {};
  return Fail(edit.line, u"cannot delete value " + ShownValueName(edit.name) + where +
                             u" (error " + ToDecimal(status) + u")");
}

std::expected<void, RegFileError> WriteKeyEdit(Registry& registry, const RegKeyEdit& edit,
                                               std::u16string_view path) {
  RegKey key(registry);
  if (edit.remove) {
    if (!PathExists(registry, path) || DeleteTree(key, path)) return {};
    return Fail(edit.line, u"cannot delete key " + Quote(edit.path));
  }
  if (!Open(key, path, kOpenOrCreate)) {
    return Fail(edit.line, u"cannot create key " + Quote(edit.path));
  }
  for (const auto& value : edit.values) {
    if (auto ok = WriteValueEdit(key, edit, value); !ok) return ok;
  }
  return {};
}

}  // namespace

std::expected<void, RegFileError> ApplyRegFile(Registry& registry, const RegFile& file,
                                               const ImportTarget& target) {
  const auto paths = TargetPaths(file, target);
  if (!paths) return std::unexpected(paths.error());
  for (std::size_t i = 0; i < file.keys.size(); ++i) {
    if (auto ok = WriteKeyEdit(registry, file.keys[i], (*paths)[i]); !ok) return ok;
  }
  return {};
}

std::expected<void, RegFileError> ImportRegText(Registry& registry, std::u16string_view text,
                                                const ImportTarget& target) {
  const auto file = ParseRegText(text);
  if (!file) return std::unexpected(file.error());
  return ApplyRegFile(registry, *file, target);
}

}  // namespace kva
