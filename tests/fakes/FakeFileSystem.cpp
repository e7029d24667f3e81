#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <utility>

#include "platform/Wildcard.h"

namespace kva {

struct FakeFileSystem::Node {
  bool folder = false;
  std::uint32_t attributes = 0;  // read-only, hidden, system, archive
  std::vector<std::uint8_t> data;
  LocalTime created;
  std::optional<Refusal> removalRefused;
  std::map<std::u16string, std::unique_ptr<Node>, LessNoCase> children;
};

namespace {

constexpr std::uint32_t kStoredAttributes =
    attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;
// What stops CopyFileW from overwriting a file.
constexpr std::uint32_t kCopyBlockers = attr::kReadOnly | attr::kHidden | attr::kSystem;

bool IsValidName(std::u16string_view name) {
  return std::none_of(name.begin(), name.end(), [](char16_t c) {
    return c < 32 || std::u16string_view(u"<>:\"|?*").find(c) != kNpos;
  });
}

char16_t UpperDrive(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

bool IsDriveLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

std::uint32_t Reported(const auto& node) {
  if (node.folder) return attr::kDirectory | node.attributes;
  return node.attributes ? node.attributes : attr::kNormal;
}

bool StartsWithParts(const std::vector<std::u16string>& whole,
                     const std::vector<std::u16string>& prefix) {
  return prefix.size() <= whole.size() &&
         std::equal(prefix.begin(), prefix.end(), whole.begin(),
                    [](const auto& a, const auto& b) { return EqualsNoCase(a, b); });
}

}  // namespace

FakeFileSystem::FakeFileSystem() { AddDrive(u'C'); }

FakeFileSystem::~FakeFileSystem() = default;

void FakeFileSystem::AddDrive(char16_t letter) {
  auto root = std::make_unique<Node>();
  root->folder = true;
  drives_.emplace(UpperDrive(letter), std::move(root));
}

std::u16string FakeFileSystem::Text(const Location& where) {
  std::u16string text{where.drive, u':', u'\\'};
  for (std::size_t i = 0; i < where.parts.size(); ++i) {
    if (i > 0) text += u'\\';
    text += where.parts[i];
  }
  return text;
}

// GetFullPathNameW's rules: a drive letter, a leading backslash for the
// current drive's root, otherwise relative to the current folder. After
// "\\?\" a full drive path is taken as it is: Windows turns no slash
// and resolves no "." or ".." there.
std::optional<FakeFileSystem::Location> FakeFileSystem::Resolve(std::u16string_view path) const {
  if (path.starts_with(u"\\\\?\\")) {
    const std::u16string_view literal = path.substr(4);
    const bool full = literal.size() >= 3 && literal[1] == u':' && literal[2] == u'\\';
    if (!full || literal.find(u'/') != literal.npos) return std::nullopt;
    for (std::u16string_view part : Split(literal, u"\\")) {
      if (part == u"." || part == u"..") return std::nullopt;
    }
    return Resolve(literal);
  }
  std::u16string text(path);
  std::replace(text.begin(), text.end(), u'/', u'\\');
  if (text.empty() || text.starts_with(u"\\\\")) return std::nullopt;  // no shares here
  Location where = current_;
  std::size_t start = 0;
  if (text.size() >= 2 && text[1] == u':' && IsDriveLetter(text[0])) {
    where.drive = UpperDrive(text[0]);
    if (where.drive != current_.drive) where.parts.clear();
    start = 2;
  }
  if (start < text.size() && text[start] == u'\\') where.parts.clear();
  for (std::u16string_view part : Split(std::u16string_view(text).substr(start), u"\\")) {
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!where.parts.empty()) where.parts.pop_back();
      continue;
    }
    if (!IsValidName(part)) return std::nullopt;
    where.parts.emplace_back(part);
  }
  where.trailingSeparator = text.back() == u'\\';
  return where;
}

FakeFileSystem::Node* FakeFileSystem::Lookup(const Location& where) const {
  const auto drive = drives_.find(where.drive);
  if (drive == drives_.end()) return nullptr;
  Node* node = drive->second.get();
  for (const auto& part : where.parts) {
    if (!node->folder) return nullptr;
    const auto child = node->children.find(part);
    if (child == node->children.end()) return nullptr;
    node = child->second.get();
  }
  // "file.txt\" names nothing.
  return where.trailingSeparator && !node->folder ? nullptr : node;
}

FakeFileSystem::Node* FakeFileSystem::ParentOf(const Location& where) const {
  if (where.parts.empty()) return nullptr;
  Location parent = where;
  parent.parts.pop_back();
  parent.trailingSeparator = false;
  Node* node = Lookup(parent);
  return node && node->folder ? node : nullptr;
}

// Windows keeps the current folder open, so it and the folders above it
// cannot be removed or renamed.
bool FakeFileSystem::IsCurrentOrAbove(const Location& where) const {
  return where.drive == current_.drive && StartsWithParts(current_.parts, where.parts);
}

bool FakeFileSystem::Injected(Call call, const Location& where) {
  const std::u16string text = Text(where);
  const auto failure = std::find_if(failures_.begin(), failures_.end(), [&](const Failure& f) {
    return f.call == call && EqualsNoCase(f.path, text);
  });
  if (failure == failures_.end()) return false;
  failures_.erase(failure);
  return true;
}

bool FakeFileSystem::Injected(Call call, const Location& from, const Location& to) {
  return Injected(call, from) || Injected(call, to);
}

std::uint32_t FakeFileSystem::Attributes(std::u16string_view path) {
  const auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  return node ? Reported(*node) : attr::kInvalid;
}

bool FakeFileSystem::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
  const auto where = Resolve(path);
  Node* node = where ? Lookup(*where) : nullptr;
  if (!node || Injected(Call::kSetAttributes, *where)) return false;
  node->attributes = attributes & kStoredAttributes;
  return true;
}

bool FakeFileSystem::SizeOf(std::u16string_view path, std::uint64_t& sizeBytes) {
  const auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!node) return false;
  sizeBytes = node->data.size();
  return true;
}

bool FakeFileSystem::CreateFolders(std::u16string_view path) {
  const auto where = Resolve(path);
  if (!where) return false;
  const auto drive = drives_.find(where->drive);
  if (drive == drives_.end()) return false;
  Node* node = drive->second.get();
  for (const auto& part : where->parts) {
    auto& child = node->children[part];
    if (!child) {
      child = std::make_unique<Node>();
      child->folder = true;
      child->created = creationStamp;
    }
    if (!child->folder) return false;
    node = child.get();
  }
  return true;
}

bool FakeFileSystem::RemoveFolder(std::u16string_view path) {
  const auto where = Resolve(path);
  Node* parent = where ? ParentOf(*where) : nullptr;
  if (!parent) return false;
  const auto it = parent->children.find(where->parts.back());
  if (it == parent->children.end() || !it->second->folder || !it->second->children.empty() ||
      it->second->removalRefused || IsCurrentOrAbove(*where)) {
    return false;
  }
  parent->children.erase(it);
  return true;
}

bool FakeFileSystem::ReadAll(std::u16string_view path, std::vector<std::uint8_t>& out) {
  const auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!node || node->folder || Injected(Call::kReadAll, *where)) return false;
  out = node->data;
  bytesRead += node->data.size();
  return true;
}

bool FakeFileSystem::ReadRange(std::u16string_view path, std::uint64_t offsetBytes,
                               std::size_t countBytes, std::vector<std::uint8_t>& out) {
  const auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!node || node->folder || Injected(Call::kReadAll, *where)) return false;
  const std::size_t from = std::min<std::uint64_t>(offsetBytes, node->data.size());
  const std::size_t count = std::min(countBytes, node->data.size() - from);
  out.assign(node->data.begin() + std::ptrdiff_t(from), node->data.begin() + std::ptrdiff_t(from + count));
  bytesRead += count;
  return true;
}

bool FakeFileSystem::WriteAt(std::u16string_view path, std::uint64_t offsetBytes,
                             std::span<const std::uint8_t> bytes) {
  const auto where = Resolve(path);
  Node* node = where ? Lookup(*where) : nullptr;
  if (!node || node->folder || (node->attributes & attr::kReadOnly) ||
      offsetBytes > node->data.size() || Injected(Call::kWriteAt, *where)) {
    return false;
  }
  const std::size_t end = std::size_t(offsetBytes) + bytes.size();
  if (end > node->data.size()) node->data.resize(end);
  std::copy(bytes.begin(), bytes.end(), node->data.begin() + std::ptrdiff_t(offsetBytes));
  node->attributes |= attr::kArchive;
  return true;
}

bool FakeFileSystem::CreationTimeOf(std::u16string_view path, LocalTime& out) {
  const auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!node) return false;
  out = node->created;
  return true;
}

bool FakeFileSystem::WriteAll(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  const auto where = Resolve(path);
  Node* parent = where && !where->trailingSeparator ? ParentOf(*where) : nullptr;
  if (!parent) return false;
  auto& file = parent->children[where->parts.back()];
  if (file && (file->folder || (file->attributes & attr::kReadOnly))) return false;
  if (Injected(Call::kWriteAll, *where)) {
    if (!file) parent->children.erase(where->parts.back());
    return false;
  }
  if (!file) {
    file = std::make_unique<Node>();
    file->created = creationStamp;
  }
  // CREATE_ALWAYS adds the archive attribute and keeps hidden and system.
  file->attributes |= attr::kArchive;
  const std::u16string text = Text(*where);
  const auto tear = std::find_if(tears_.begin(), tears_.end(),
                                 [&](const Tear& t) { return EqualsNoCase(t.path, text); });
  if (tear != tears_.end()) {
    file->data.assign(bytes.begin(), bytes.begin() + std::min(tear->keptBytes, bytes.size()));
    tears_.erase(tear);
    return false;
  }
  file->data.assign(bytes.begin(), bytes.end());
  return true;
}

bool FakeFileSystem::CopyTo(std::u16string_view from, std::u16string_view to, bool overwrite) {
  const auto source = Resolve(from);
  const auto target = Resolve(to);
  const Node* node = source ? Lookup(*source) : nullptr;
  Node* parent = target && !target->trailingSeparator ? ParentOf(*target) : nullptr;
  if (!node || node->folder || !parent) return false;
  const auto existing = parent->children.find(target->parts.back());
  if (existing != parent->children.end()) {
    const Node& old = *existing->second;
    if (!overwrite || old.folder || (old.attributes & kCopyBlockers) || &old == node) return false;
  }
  if (Injected(Call::kCopyTo, *source, *target)) return false;
  auto copy = std::make_unique<Node>();
  copy->attributes = node->attributes | attr::kArchive;  // a new file is always archived
  copy->data = node->data;
  copy->created = creationStamp;
  parent->children[target->parts.back()] = std::move(copy);  // an existing name keeps its case
  return true;
}

bool FakeFileSystem::MoveTo(std::u16string_view from, std::u16string_view to, bool replace) {
  const auto source = Resolve(from);
  const auto target = Resolve(to);
  Node* sourceParent = source ? ParentOf(*source) : nullptr;
  Node* targetParent = target ? ParentOf(*target) : nullptr;
  Node* node = source ? Lookup(*source) : nullptr;
  if (!node || !sourceParent || !targetParent || target->trailingSeparator ||
      source->drive != target->drive || IsCurrentOrAbove(*source)) {
    return false;
  }
  // A folder cannot move into itself.
  if (node->folder && target->parts.size() > source->parts.size() &&
      StartsWithParts(target->parts, source->parts)) {
    return false;
  }
  const Node* existing = Lookup(*target);
  if (existing && existing != node) {
    const bool replaceable = replace && !existing->folder && !node->folder &&
                             !(existing->attributes & attr::kReadOnly);
    if (!replaceable) return false;
  }
  if (Injected(Call::kMoveTo, *source, *target)) return false;
  auto moving = sourceParent->children.extract(source->parts.back());
  targetParent->children.erase(target->parts.back());
  moving.key() = target->parts.back();  // a rename may change only the case
  targetParent->children.insert(std::move(moving));
  return true;
}

bool FakeFileSystem::RemoveFile(std::u16string_view path) {
  const auto where = Resolve(path);
  Node* parent = where ? ParentOf(*where) : nullptr;
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!parent || !node || node->folder || (node->attributes & attr::kReadOnly) ||
      node->removalRefused || Injected(Call::kRemoveFile, *where)) {
    return false;
  }
  parent->children.erase(where->parts.back());
  return true;
}

bool FakeFileSystem::TakeOwnershipAndGrantFullAccess(std::u16string_view path) {
  const auto where = Resolve(path);
  Node* node = where ? Lookup(*where) : nullptr;
  if (!node) return false;
  if (node->removalRefused == Refusal::kUntilOwned) node->removalRefused.reset();
  return true;
}

bool FakeFileSystem::RemoveAtRestart(std::u16string_view path) {
  const auto where = Resolve(path);
  if (!where || !Lookup(*where)) return false;
  removalsAtRestart_.push_back(Text(*where));
  return true;
}

void FakeFileSystem::NotifyShellOfRemoval(std::u16string_view path, bool /*wasFolder*/) {
  const auto where = Resolve(path);
  shellRemovalNotices_.push_back(where ? Text(*where) : std::u16string(path));
}

std::vector<FoundFile> FakeFileSystem::Find(std::u16string_view pattern) {
  const auto [folder, name] = SplitPattern(pattern);
  const auto where = folder.empty() ? std::optional(current_) : Resolve(folder);
  const Node* node = where ? Lookup(*where) : nullptr;
  std::vector<FoundFile> found;
  if (name.empty() || !node || !node->folder) return found;
  for (const auto& [childName, child] : node->children) {
    if (MatchesWildcard(childName, name)) {
      found.push_back({childName, Reported(*child), child->data.size()});
    }
  }
  return found;  // the map keeps name order
}

std::optional<std::u16string> FakeFileSystem::FindOnPath(std::u16string_view name) {
  constexpr std::size_t kPathCapacity = 260;  // with its NUL
  if (name.empty() || name.find_first_of(u"\\:") != std::u16string_view::npos) return std::nullopt;
  for (const auto& folder : searchFolders) {
    std::u16string full = folder;
    if (!full.ends_with(u'\\')) full += u'\\';
    full += name;
    if (full.size() < kPathCapacity && Attributes(full) != attr::kInvalid) return full;
  }
  return std::nullopt;
}

void FakeFileSystem::MarkReparsePoint(std::u16string_view path) {
  const auto where = Resolve(path);
  if (Node* node = where ? Lookup(*where) : nullptr) node->attributes |= attr::kReparsePoint;
}

bool FakeFileSystem::SetCurrentFolder(std::u16string_view path) {
  auto where = Resolve(path);
  const Node* node = where ? Lookup(*where) : nullptr;
  if (!node || !node->folder) return false;
  where->trailingSeparator = false;
  current_ = std::move(*where);
  return true;
}

std::u16string FakeFileSystem::CurrentFolder() { return Text(current_); }

void FakeFileSystem::WriteText(std::u16string_view path, std::string_view bytes) {
  const auto where = Resolve(path);
  if (!where || where->parts.empty()) return;
  Location parent = *where;
  parent.parts.pop_back();
  CreateFolders(Text(parent));
  WriteAll(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::optional<std::string> FakeFileSystem::ReadText(std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  if (!ReadAll(path, bytes)) return std::nullopt;
  return std::string(bytes.begin(), bytes.end());
}

void FakeFileSystem::FailNext(Call call, std::u16string_view path) {
  const auto where = Resolve(path);
  failures_.push_back({call, where ? Text(*where) : std::u16string(path)});
}

void FakeFileSystem::RefuseRemoval(std::u16string_view path, Refusal refusal) {
  const auto where = Resolve(path);
  if (Node* node = where ? Lookup(*where) : nullptr) node->removalRefused = refusal;
}

void FakeFileSystem::TearNextWrite(std::u16string_view path, std::size_t keptBytes) {
  const auto where = Resolve(path);
  tears_.push_back({where ? Text(*where) : std::u16string(path), keptBytes});
}

}  // namespace kva
