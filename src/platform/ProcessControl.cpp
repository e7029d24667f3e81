#include "platform/ProcessControl.h"

#include <algorithm>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr ProcessId kSystemProcess = 4;
constexpr ProcessId kFirstOrdinaryId = 5;
constexpr int kTerminateAttempts = 30;
constexpr unsigned kTerminatePauseMs = 20;
constexpr unsigned kPauseAfterCloseMs = 10;

}  // namespace

bool ProcessIdList::Add(ProcessId id) {
  if (id < kFirstOrdinaryId || Contains(id)) return true;
  if (Full()) return false;
  ids_[count_++] = id;
  return true;
}

bool ProcessIdList::Contains(ProcessId id) const {
  return std::find(begin(), end(), id) != end();
}

void ProcessIdList::Remove(ProcessId id) {
  const auto* last = std::remove(ids_.data(), ids_.data() + count_, id);
  count_ = static_cast<std::size_t>(last - ids_.data());
}

bool ProcessControl::IsProcessAlive(ProcessId id) {
  if (id < kFirstOrdinaryId) return id == kSystemProcess;
  const auto process = processes_.Open(id);
  return process && !process->HasEnded();
}

std::optional<std::u16string> ProcessControl::GetProcessImagePath(ProcessId id) {
  auto path = processes_.ImagePath(id);
  if (!path || path->empty()) return std::nullopt;
  // Kernel-style paths of system processes.
  if (path->starts_with(u'\\') && !path->starts_with(u"\\\\")) {
    if (StartsWithNoCase(*path, u"\\SystemRoot\\")) {
      path->replace(0, 11, windowsFolder_);
    } else if (path->starts_with(u"\\??\\")) {
      path->erase(0, 4);
    }
  }
  return path;
}

std::vector<ProcessId> ProcessControl::ProcessesWithPath(std::u16string_view path) {
  std::vector<ProcessId> found;
  for (const ProcessId id : processes_.ProcessIds()) {
    const auto image = GetProcessImagePath(id);
    if (image && EqualsNoCase(*image, path)) found.push_back(id);
  }
  return found;
}

std::size_t ProcessControl::FindProcessByPath(std::u16string_view path, PathMatch match) {
  const auto found = ProcessesWithPath(path);
  if (match == PathMatch::kCount) return found.size();
  if (found.empty()) return 0;
  return match == PathMatch::kFirst ? found.front() : found.back();
}

std::size_t ProcessControl::CountProcessesNamed(std::u16string_view exeName) {
  const auto snapshot = processes_.Snapshot();
  return static_cast<std::size_t>(std::count_if(
      snapshot.begin(), snapshot.end(),
      [&](const ProcessEntry& entry) { return EqualsNoCase(entry.exeName, exeName); }));
}

std::size_t ProcessControl::CloseProcessesByPath(std::u16string_view path) {
  std::size_t closed = 0;
  for (const ProcessId id : ProcessesWithPath(path)) {
    if (ForceCloseProcess(id)) ++closed;
  }
  return closed;
}

std::size_t ProcessControl::CloseProcessesByName(std::u16string_view exeName) {
  std::size_t closed = 0;
  for (const ProcessEntry& entry : processes_.Snapshot()) {
    if (!EqualsNoCase(entry.exeName, exeName) || !ForceCloseProcess(entry.id)) continue;
    ++closed;
    clock_.Sleep(kPauseAfterCloseMs);
  }
  return closed;
}

std::size_t ProcessControl::KillProcessesUnderFolder(std::u16string_view folder) {
  std::u16string prefix(Trim(folder));
  if (!prefix.ends_with(u'\\')) prefix += u'\\';
  // "C:\", "\" or "\\server\share\" would take every process on the drive.
  const bool driveRoot = prefix.size() == 3 && prefix[1] == u':';
  const bool shareRoot = prefix.starts_with(u"\\\\") &&
                         std::count(prefix.begin() + 2, prefix.end(), u'\\') <= 2;
  if (prefix.size() < 3 || driveRoot || shareRoot) return 0;
  std::size_t closed = 0;
  for (const ProcessId id : processes_.ProcessIds()) {
    if (id < kFirstOrdinaryId) continue;
    const auto image = GetProcessImagePath(id);
    if (image && StartsWithNoCase(*image, prefix) && ForceCloseProcess(id)) ++closed;
  }
  return closed;
}

bool ProcessControl::ForceCloseProcess(ProcessId id) {
  for (const TopWindow& window : desktop_.TopWindows()) {
    if (window.process == id) desktop_.PostDestroy(window.window);
  }
  if (!IsProcessAlive(id)) return true;
  if (TerminateRepeatedly(id)) return true;
  processes_.TerminateThreads(id);
  if (!IsProcessAlive(id)) return true;
  return TerminateRepeatedly(id);
}

bool ProcessControl::TerminateRepeatedly(ProcessId id) {
  for (int attempt = 0; attempt < kTerminateAttempts; ++attempt) {
    processes_.Terminate(id, 0);
    clock_.Sleep(kTerminatePauseMs);
    if (!IsProcessAlive(id)) return true;
  }
  return false;
}

WindowId ProcessControl::FindProcessWindow(ProcessId id, bool activeOnly) {
  for (const TopWindow& window : desktop_.TopWindows()) {
    if (window.process == id && window.visible && (!activeOnly || window.activeCaption)) {
      return window.window;
    }
  }
  return kNoWindow;
}

void ProcessControl::AddChildren(ProcessIdList& tree) {
  const auto snapshot = processes_.Snapshot();
  // Rounds until nothing is added: a snapshot may list a grandchild before
  // its parent.
  for (std::size_t before = 0; before != tree.Size() && !tree.Full();) {
    before = tree.Size();
    for (const ProcessEntry& entry : snapshot) {
      if (entry.parentId < kFirstOrdinaryId || !tree.Contains(entry.parentId)) continue;
      if (!tree.Add(entry.id)) return;
    }
  }
}

WindowId ProcessControl::FindProcessTreeWindow(ProcessIdList& tree) {
  AddChildren(tree);
  for (const TopWindow& window : desktop_.TopWindows()) {
    if (window.visible && tree.Contains(window.process)) return window.window;
  }
  return kNoWindow;
}

bool ProcessControl::AnyProcessAlive(ProcessIdList& tree) {
  ProcessIdList living;
  for (const ProcessId id : tree) {
    if (IsProcessAlive(id)) living.Add(id);
  }
  tree = living;
  return !tree.Empty();
}

}  // namespace kva
