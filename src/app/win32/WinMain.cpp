// Kelvara.exe entry point: COM and GDI+ for the whole process, the
// program's privileges, the Win32 adapters behind every port, and the
// application.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/win32/Win32Resources.h"
#include "app/win32/Win32Session.h"
#include "app/win32/Win32Shell.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Accounts.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Crypto.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileStreams.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Firewall.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Privileges.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32Wmi.h"
#include "platform/win32/WideText.h"
#include "ui/GdiplusSession.h"

namespace {

// COM stays initialised for as long as the program runs; WMI needs the
// process's security set up once.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    if (ok_) {
      ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    }
  }
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

std::vector<std::u16string> SplitArguments() {
  int count = 0;
  kva::win32::UniqueLocalMemory owner(::CommandLineToArgvW(::GetCommandLineW(), &count));
  auto** argv = static_cast<wchar_t**>(owner.Get());
  std::vector<std::u16string> arguments;
  for (int i = 1; argv && i < count; ++i) arguments.push_back(kva::win32::FromWide(argv[i]));
  return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR argumentText, int) {
  using namespace kva::win32;
  ComScope com;
  kva::ui::GdiplusSession gdiplus;
  Win32Privileges privileges;
  privileges.Enable();

  Win32Registry registry;
  Win32FileSystem files;
  Win32Environment environment;
  Win32Clock clock;
  Win32Processes processes;
  Win32Desktop desktop;
  Win32Shell shell(instance);
  Win32Session session(shell);
  Win32Resources resources(instance);
  Win32Firewall firewall;
  Win32Accounts accounts;
  Win32Wmi wmi(u"ROOT\\CIMV2");
  Win32Crypto crypto;
  Win32Network network;
  Win32FileStreams streams;
  Win32Sound sound;
  kva::Application app({registry, files, environment, clock, processes, desktop, session, firewall,
                        accounts, resources, shell.Messages(), shell, wmi, crypto, network, streams,
                        privileges, sound});
  const int code = app.Run(SplitArguments(), FromWide(argumentText));
  privileges.Restore();
  return code;
}
