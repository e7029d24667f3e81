#include "platform/win32/Win32Network.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

bool SetNumber(HINTERNET handle, DWORD option, DWORD value) {
  return ::InternetSetOptionW(handle, option, &value, sizeof value);
}

class Win32Transfer final : public NetTransfer {
 public:
  explicit Win32Transfer(UniqueInternetHandle handle) : handle_(std::move(handle)) {}

  int Status() override {
    DWORD status = 0, size = sizeof status;
    if (!::HttpQueryInfoW(handle_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                          &size, nullptr)) {
      return 0;
    }
    return int(status);
  }

  std::optional<std::u16string> Header(std::u16string_view name) override {
    // HTTP_QUERY_CUSTOM takes the name in the buffer and puts the value there.
    std::vector<wchar_t> buffer(std::max<std::size_t>(name.size() + 1, 256), L'\0');
    for (;;) {
      std::copy(name.begin(), name.end(), buffer.begin());
      buffer[name.size()] = L'\0';
      DWORD bytes = DWORD(buffer.size() * sizeof(wchar_t));
      if (::HttpQueryInfoW(handle_.Get(), HTTP_QUERY_CUSTOM, buffer.data(), &bytes, nullptr)) {
        return FromWide(buffer.data(), bytes / sizeof(wchar_t));
      }
      if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
      buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    }
  }

  std::optional<std::size_t> Read(std::span<std::uint8_t> into) override {
    // One read of the whole span: asking what is available first gives a
    // few kilobytes at a time, and reads that small cost more than the
    // transfer itself.
    const DWORD wanted = DWORD(std::min<std::size_t>(into.size(), MAXDWORD));
    DWORD read = 0;
    if (!::InternetReadFile(handle_.Get(), into.data(), wanted, &read)) return std::nullopt;
    return read;
  }

 private:
  UniqueInternetHandle handle_;
};

class Win32Session final : public NetSession {
 public:
  explicit Win32Session(UniqueInternetHandle handle) : handle_(std::move(handle)) {}

  std::unique_ptr<NetTransfer> OpenUrl(std::u16string_view url, const OpenUrlOptions& options) override {
    BOOL decode = options.decodeContent;
    ::InternetSetOptionW(handle_.Get(), INTERNET_OPTION_HTTP_DECODING, &decode, sizeof decode);
    DWORD flags = INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RESYNCHRONIZE;
    if (options.reload) flags |= INTERNET_FLAG_RELOAD;
    const std::wstring headers = Wide(options.headers);
    UniqueInternetHandle request(::InternetOpenUrlW(
        handle_.Get(), Wide(url).c_str(), headers.empty() ? nullptr : headers.c_str(),
        headers.empty() ? 0 : DWORD(-1), flags, 0));
    if (!request.IsValid()) return nullptr;
    return std::make_unique<Win32Transfer>(std::move(request));
  }

  std::optional<std::uint64_t> FtpFileSize(const FtpFile& file) override {
    DWORD flags = INTERNET_FLAG_PASSIVE;
    if (file.secure) flags |= INTERNET_FLAG_SECURE;
    UniqueInternetHandle connection(::InternetConnectW(
        handle_.Get(), Wide(file.host).c_str(), INTERNET_PORT(file.port), nullptr, nullptr,
        INTERNET_SERVICE_FTP, flags, 0));
    if (!connection.IsValid()) return std::nullopt;
    const std::wstring path = Wide(file.path);
    const auto size = OpenFileSize(connection.Get(), path);
    // Wine's FtpGetFileSize always gives 0; a listing of the file knows better.
    return size && *size == 0 ? ListedSize(connection.Get(), path).value_or(0) : size;
  }

 private:
  static std::optional<std::uint64_t> OpenFileSize(HINTERNET connection, const std::wstring& path) {
    UniqueInternetHandle opened(::FtpOpenFileW(connection, path.c_str(), GENERIC_READ,
                                               FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
    if (!opened.IsValid()) return std::nullopt;
    DWORD high = 0;
    const DWORD low = ::FtpGetFileSize(opened.Get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return 0;
    return std::uint64_t(high) << 32 | low;
  }

  static std::optional<std::uint64_t> ListedSize(HINTERNET connection, const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    UniqueInternetHandle listing(::FtpFindFirstFileW(connection, path.c_str(), &found,
                                                     INTERNET_FLAG_RELOAD, 0));
    if (!listing.IsValid()) return std::nullopt;
    return std::uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
  }

  UniqueInternetHandle handle_;
};

}  // namespace

bool Win32Network::Connected() {
  DWORD state = 0;
  return ::InternetGetConnectedState(&state, 0);
}

std::unique_ptr<NetSession> Win32Network::OpenSession(const SessionOptions& options) {
  UniqueInternetHandle session(::InternetOpenW(Wide(options.userAgent).c_str(),
                                               INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.IsValid()) return nullptr;
  SetNumber(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, options.connectTimeoutMs);
  SetNumber(session.Get(), INTERNET_OPTION_CONNECT_RETRIES, options.connectRetries);
  return std::make_unique<Win32Session>(std::move(session));
}

}  // namespace kva::win32
