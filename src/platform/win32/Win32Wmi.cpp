#include "platform/win32/Win32Wmi.h"

#include <windows.h>
#include <oleauto.h>

#include "platform/Text.h"
#include "platform/win32/Bstr.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// A row that does not come within this time counts as none: a stuck WMI
// service must not hang the start of the program.
constexpr long kRowTimeoutMilliseconds = 15000;

class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* Get() { return &value_; }

  // Numbers and the rest become text the way WMI would show them.
  std::u16string Text() {
    if (value_.vt == VT_NULL || value_.vt == VT_EMPTY) return {};
    if (value_.vt != VT_BSTR && FAILED(::VariantChangeType(&value_, &value_, 0, VT_BSTR))) return {};
    return value_.bstrVal ? FromWide(value_.bstrVal, ::SysStringLen(value_.bstrVal)) : u"";
  }

 private:
  VARIANT value_;
};

}  // namespace

bool Win32Wmi::Connect() {
  if (services_) return true;
  if (connectFailed_) return false;
  ComPtr<IWbemLocator> locator;
  ComPtr<IWbemServices> services;
  const Bstr path(namespace_);
  // WBEM_FLAG_CONNECT_USE_MAX_WAIT bounds the connection to two minutes.
  const bool connected =
      SUCCEEDED(::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&locator))) &&
      SUCCEEDED(locator->ConnectServer(path.Get(), nullptr, nullptr, nullptr,
                                       WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr,
                                       &services)) &&
      SUCCEEDED(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                    RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                    EOAC_NONE));
  // A namespace that is not there will not appear during this run.
  if (!connected) {
    connectFailed_ = true;
    return false;
  }
  services_ = std::move(services);
  return true;
}

std::optional<std::vector<std::u16string>> Win32Wmi::FirstRow(
    std::u16string_view query, std::span<const std::u16string_view> properties) {
  if (!Connect()) return std::nullopt;
  const Bstr language(u"WQL"), text(query);
  ComPtr<IEnumWbemClassObject> rows;
  if (FAILED(services_->ExecQuery(language.Get(), text.Get(),
                                  WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                  &rows))) {
    return std::nullopt;
  }
  ComPtr<IWbemClassObject> row;
  ULONG returned = 0;
  if (rows->Next(kRowTimeoutMilliseconds, 1, &row, &returned) != WBEM_S_NO_ERROR || returned != 1) {
    return std::nullopt;
  }
  std::vector<std::u16string> values;
  for (const auto name : properties) {
    Variant value;
    values.push_back(SUCCEEDED(row->Get(Wide(name).c_str(), 0, value.Get(), nullptr, nullptr))
                         ? value.Text()
                         : std::u16string());
  }
  return values;
}

}  // namespace kva::win32
