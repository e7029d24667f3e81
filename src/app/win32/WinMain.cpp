// Kelvara.exe entry point: COM for the whole process, the program's
// privileges for hive work, and a clean exit.
#include <windows.h>
#include <objbase.h>

#include "platform/win32/Win32Privileges.h"

namespace {

// COM stays initialised for as long as the program runs.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ComScope com;
  kva::win32::Win32Privileges privileges;
  privileges.Enable();
  privileges.Restore();
  return 0;
}
