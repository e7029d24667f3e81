#pragma once
// Watching, closing and killing processes: what the runner's waits, the
// automation language and the repair actions need beyond starting one.
// Nothing here throws or asks the user; failures are false or 0.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Processes.h"

namespace kva {

// A process tree being followed: up to 100 ids. Ids below 5 (the idle and
// System processes) are never members of a tree.
class ProcessIdList {
 public:
  static constexpr std::size_t kCapacity = 100;

  ProcessIdList() = default;
  explicit ProcessIdList(ProcessId first) { Add(first); }

  // False when the list is full.
  bool Add(ProcessId id);
  [[nodiscard]] bool Contains(ProcessId id) const;
  void Remove(ProcessId id);
  [[nodiscard]] bool Empty() const { return count_ == 0; }
  [[nodiscard]] bool Full() const { return count_ == kCapacity; }
  [[nodiscard]] std::size_t Size() const { return count_; }
  [[nodiscard]] const ProcessId* begin() const { return ids_.data(); }
  [[nodiscard]] const ProcessId* end() const { return ids_.data() + count_; }

 private:
  std::array<ProcessId, kCapacity> ids_{};
  std::size_t count_ = 0;
};

enum class PathMatch { kFirst, kLast, kCount };

class ProcessControl {
 public:
  // windowsFolder replaces "\SystemRoot\" in image paths.
  ProcessControl(Processes& processes, Desktop& desktop, Clock& clock,
                 std::u16string windowsFolder)
      : processes_(processes), desktop_(desktop), clock_(clock),
        windowsFolder_(std::move(windowsFolder)) {}

  // Ids below 5 are alive only when the id is 4, the System process.
  bool IsProcessAlive(ProcessId id);
  // The image path with "\SystemRoot\" made the Windows folder and a "\??\" removed.
  std::optional<std::u16string> GetProcessImagePath(ProcessId id);
  // Every process running the file at path, in the order Windows lists them.
  std::vector<ProcessId> ProcessesWithPath(std::u16string_view path);
  // The first or last process running the file at path, or how many do.
  std::size_t FindProcessByPath(std::u16string_view path, PathMatch match);
  std::size_t CountProcessesNamed(std::u16string_view exeName);

  // Each returns how many processes it closed with ForceCloseProcess.
  std::size_t CloseProcessesByPath(std::u16string_view path);
  std::size_t CloseProcessesByName(std::u16string_view exeName);
  // Every process whose image lies under the folder. An empty folder or a
  // drive's root is refused (0): it would end every process on the drive.
  std::size_t KillProcessesUnderFolder(std::u16string_view folder);
  // Destroys the process's windows, then terminates it, then its threads;
  // true when it is gone at the end.
  bool ForceCloseProcess(ProcessId id);

  // The first visible top-level window of the process (with activeOnly, one
  // whose caption is drawn active); kNoWindow when there is none.
  WindowId FindProcessWindow(ProcessId id, bool activeOnly);
  // Adds the children of the list's members, then finds a visible window of any.
  WindowId FindProcessTreeWindow(ProcessIdList& tree);
  // Drops members that ended; true when one still runs.
  bool AnyProcessAlive(ProcessIdList& tree);
  // Adds every running process whose parent is a member, until the list is full.
  void AddChildren(ProcessIdList& tree);

 private:
  bool TerminateRepeatedly(ProcessId id);

  Processes& processes_;
  Desktop& desktop_;
  Clock& clock_;
  std::u16string windowsFolder_;
};

}  // namespace kva
