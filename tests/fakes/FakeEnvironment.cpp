#include "fakes/FakeEnvironment.h"

#include <array>
#include <tuple>

namespace kva {
namespace {

constexpr std::size_t kExpandBufferChars = 4096;
constexpr std::size_t kUnexpandBufferChars = 260;

}  // namespace

std::optional<std::u16string> FakeEnvironment::Variable(std::u16string_view name) {
  const auto it = variables_.find(name);
  if (it == variables_.end()) return std::nullopt;
  return it->second;
}

bool FakeEnvironment::SetVariable(std::u16string_view name, std::u16string_view value) {
  // Windows refuses empty names and names with '=' after the first character.
  if (name.empty() || name.find(u'=', 1) != std::u16string_view::npos) return false;
  const auto it = variables_.find(name);
  if (it != variables_.end()) {
    it->second = std::u16string(value);
  } else {
    variables_.emplace(std::u16string(name), std::u16string(value));
  }
  return true;
}

void FakeEnvironment::RemoveVariable(std::u16string_view name) {
  const auto it = variables_.find(name);
  if (it != variables_.end()) variables_.erase(it);
}

std::optional<std::u16string> FakeEnvironment::Expand(std::u16string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto open = text.find(u'%', i);
    if (open == std::u16string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, open - i));
    const auto close = text.find(u'%', open + 1);
    if (close == std::u16string_view::npos) {
      out.append(text.substr(open));
      break;
    }
    const auto value = Variable(text.substr(open + 1, close - open - 1));
    out.append(value ? std::u16string_view(*value) : text.substr(open, close - open + 1));
    i = close + 1;
  }
  if (out.size() + 1 > kExpandBufferChars) return std::nullopt;
  return out;
}

std::optional<std::u16string> FakeEnvironment::Unexpand(std::u16string_view path) {
  static constexpr std::array<std::u16string_view, 6> kNames = {
      u"ALLUSERSPROFILE", u"APPDATA", u"ProgramFiles", u"SystemRoot", u"SystemDrive",
      u"USERPROFILE"};
  std::u16string_view bestName;
  std::size_t bestLength = 0;
  for (const auto name : kNames) {
    const auto value = Variable(name);
    if (!value || value->empty() || value->size() <= bestLength) continue;
    if (!StartsWithNoCase(path, *value)) continue;
    bestName = name;
    bestLength = value->size();
  }
  if (bestLength == 0) return std::nullopt;
  std::u16string out = u"%" + std::u16string(bestName) + u"%";
  out.append(path.substr(bestLength));
  if (out.size() + 1 > kUnexpandBufferChars) return std::nullopt;
  return out;
}

std::u16string FakeEnvironment::Folder(KnownFolder folder, FolderOwner owner) {
  const auto it = folders_.find({folder, owner});
  return it == folders_.end() ? std::u16string() : it->second;
}

void FakeEnvironment::SetFolder(KnownFolder folder, std::u16string path, FolderOwner owner) {
  folders_[{folder, owner}] = std::move(path);
}

void FakeEnvironment::SetVersion(OsVersion reported, OsVersion actual) {
  reportedVersion = reported;
  actualVersion = actual;
}

// VerifyVersionInfoW compares major.minor as a pair and the build on its own.
bool FakeEnvironment::IsAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  const bool versionOk =
      std::tie(actualVersion.major, actualVersion.minor) >= std::tie(major, minor);
  return versionOk && (build == 0 || actualVersion.build >= build);
}

}  // namespace kva
