// The registry contract against the Win32 adapter (under Wine in CI).
#include "platform/win32/Win32Registry.h"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include "platform/RegistryAccess.h"
#include "platform/RegistryContract.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Privileges.h"

namespace kva::win32 {
namespace {

bool RunsOnWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

class Win32Backend final : public RegistryBackend {
 public:
  // Loading, unloading and saving hives need SeRestore and SeBackup.
  Win32Backend() { privileges_.Enable(); }
  ~Win32Backend() override { privileges_.Restore(); }

  Registry& Port() override { return registry_; }

  std::u16string NewHiveFile(std::u16string_view name) override {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    auto file = FromWide(folder, length) + std::u16string(name);
    RemoveFile(file);
    return file;
  }

  bool FileExists(std::u16string_view file) override {
    return ::GetFileAttributesW(Wide(file).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void RemoveFile(std::u16string_view file) override { ::DeleteFileW(Wide(file).c_str()); }

  // An empty protected DACL: the owner keeps only the right to repair it.
  bool DenyAccess(KeyHandle root, std::u16string_view subkey) override {
    KeyHandle handle = reg::kNoKey;
    if (registry_.OpenKey(root, subkey, reg::kWriteDac, handle) != reg::kSuccess) return false;
    const RegKey key(registry_, handle);
    UniqueLocalMemory descriptor;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P", SDDL_REVISION_1, reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.Receive()),
            nullptr)) {
      return false;
    }
    return ::RegSetKeySecurity(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key.Handle())),
                               DACL_SECURITY_INFORMATION, descriptor.Get()) == ERROR_SUCCESS;
  }

  // Wine's RegSaveKeyExW writes over an existing file, and Wine sorts values.
  [[nodiscard]] bool RefusesOverwrite() const override { return !RunsOnWine(); }
  [[nodiscard]] bool KeepsValueOrder() const override { return !RunsOnWine(); }

 private:
  Win32Privileges privileges_;
  Win32Registry registry_;
};

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryBackendFactory{
                             "Win32",
                             [] { return std::unique_ptr<RegistryBackend>(new Win32Backend); }}),
                         BackendName);

}  // namespace
}  // namespace kva::win32
