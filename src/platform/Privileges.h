#pragma once
// The process's token privileges. The program enables its fixed set once at
// start (hive load and save, ownership, debugging other processes, shutting
// down) and can put the previous state back.

namespace kva {

class Privileges {
 public:
  virtual ~Privileges() = default;
  // All privileges in one adjustment; true when every one was granted.
  virtual bool Enable() = 0;
  // Restores the state Enable found; nothing when Enable did not run.
  virtual void Restore() = 0;
  // Enable ran and was not restored since.
  [[nodiscard]] virtual bool IsEnabled() const = 0;
};

}  // namespace kva
