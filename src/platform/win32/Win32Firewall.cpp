#include "platform/win32/Win32Firewall.h"

#include <windows.h>
#include <initguid.h>
#include <netfw.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <optional>
#include <string>

#include "platform/win32/Bstr.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

using Microsoft::WRL::ComPtr;

template <typename Interface>
ComPtr<Interface> Create(const wchar_t* progId) {
  CLSID clsid;
  ComPtr<Interface> object;
  if (SUCCEEDED(::CLSIDFromProgID(progId, &clsid))) {
    ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
  }
  return object;
}

bool AddAuthorizedApplication(std::u16string_view name, std::u16string_view path) {
  auto manager = Create<INetFwMgr>(L"HNetCfg.FwMgr");
  auto app = Create<INetFwAuthorizedApplication>(L"HNetCfg.FwAuthorizedApplication");
  ComPtr<INetFwPolicy> policy;
  ComPtr<INetFwProfile> profile;
  ComPtr<INetFwAuthorizedApplications> apps;
  if (!manager || !app || FAILED(manager->get_LocalPolicy(&policy)) ||
      FAILED(policy->get_CurrentProfile(&profile)) ||
      FAILED(profile->get_AuthorizedApplications(&apps))) {
    return false;
  }
  const Bstr imageName(path), displayName(name);
  return SUCCEEDED(app->put_ProcessImageFileName(imageName.Get())) &&
         SUCCEEDED(app->put_Name(displayName.Get())) &&
         SUCCEEDED(app->put_Scope(NET_FW_SCOPE_ALL)) &&
         SUCCEEDED(app->put_IpVersion(NET_FW_IP_VERSION_ANY)) &&
         SUCCEEDED(app->put_Enabled(VARIANT_TRUE)) && SUCCEEDED(apps->Add(app.Get()));
}

// Empty when the rule interfaces do not exist (before Windows 6.0).
std::optional<bool> AddOutboundRule(std::u16string_view name, std::u16string_view path) {
  auto policy = Create<INetFwPolicy2>(L"HNetCfg.FwPolicy2");
  auto rule = Create<INetFwRule>(L"HNetCfg.FWRule");
  if (!policy || !rule) return std::nullopt;
  ComPtr<INetFwRules> rules;
  if (FAILED(policy->get_Rules(&rules))) return false;
  const Bstr ruleName(std::u16string(name) + u" (TCP-OUT)"), application(path);
  return SUCCEEDED(rule->put_Name(ruleName.Get())) &&
         SUCCEEDED(rule->put_ApplicationName(application.Get())) &&
         SUCCEEDED(rule->put_Protocol(NET_FW_IP_PROTOCOL_TCP)) &&
         SUCCEEDED(rule->put_Direction(NET_FW_RULE_DIR_OUT)) &&
         SUCCEEDED(rule->put_Action(NET_FW_ACTION_ALLOW)) &&
         SUCCEEDED(rule->put_Enabled(VARIANT_TRUE)) && SUCCEEDED(rules->Add(rule.Get()));
}

}  // namespace

bool Win32Firewall::AllowProgram(std::u16string_view name, std::u16string_view programPath) {
  const bool authorized = AddAuthorizedApplication(name, programPath);
  // Where the rule interfaces exist the rule must take too; without them
  // the entry is the whole registration.
  const auto ruled = AddOutboundRule(name, programPath);
  return authorized && ruled.value_or(true);
}

}  // namespace kva::win32
