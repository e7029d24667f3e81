#pragma once
// The registry contract: one suite run against every backend of the
// Registry port (the fake everywhere, the Win32 adapter in the Windows
// build). A backend hides the harmless differences, such as where hive
// files go, how a test takes read access away, and whether saving over a
// file is refused, so that the cases read the same for every backend.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace kva {

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;
  virtual Registry& Port() = 0;
  // A hive file path that does not exist yet.
  virtual std::u16string NewHiveFile(std::u16string_view name) = 0;
  virtual bool FileExists(std::u16string_view file) = 0;
  virtual void RemoveFile(std::u16string_view file) = 0;
  // Takes every access to the key away except what its owner keeps (the
  // right to change its security).
  virtual bool DenyAccess(KeyHandle root, std::u16string_view subkey) = 0;
  // Windows and the fake refuse to save a hive over an existing file; Wine
  // overwrites it.
  [[nodiscard]] virtual bool RefusesOverwrite() const = 0;
  // Windows and the fake enumerate values in creation order; Wine sorts
  // them by name.
  [[nodiscard]] virtual bool KeepsValueOrder() const = 0;
};

struct RegistryBackendFactory {
  const char* name;
  std::unique_ptr<RegistryBackend> (*make)();
};

inline void PrintTo(const RegistryBackendFactory& factory, std::ostream* out) {
  *out << factory.name;
}

inline std::string BackendName(const ::testing::TestParamInfo<RegistryBackendFactory>& info) {
  return info.param.name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryBackendFactory> {
 protected:
  void SetUp() override;
  void TearDown() override;

  Registry& Port() { return backend_->Port(); }
  // The test's own key under HKCU, and paths below it.
  [[nodiscard]] const std::u16string& Scratch() const { return scratch_; }
  [[nodiscard]] std::u16string At(std::u16string_view relative) const;
  // A file name under the backend's folder, removed again after the test.
  std::u16string HiveFile(std::u16string_view name);
  // Paths the test deletes afterwards (beyond its scratch key).
  void CleanUpLater(std::u16string path) { extraKeys_.push_back(std::move(path)); }

  std::unique_ptr<RegistryBackend> backend_;

 private:
  std::u16string scratch_;
  std::vector<std::u16string> extraKeys_;
  std::vector<std::u16string> files_;
};

// Where the hive tests load their hives.
inline constexpr std::u16string_view kTestHive = u"kva_test_hive";

}  // namespace kva
