#pragma once
// The network port: one transfer from a URL at a time, read as a stream,
// over WinINet on Windows. Each method is one WinINet concept; what a
// download does with them (sizes, retries, files) lives in src/downloads.
// Methods that fail return an empty result and change nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kva {

// One open URL (InternetOpenUrlW's handle); closed by its destructor.
class NetTransfer {
 public:
  virtual ~NetTransfer() = default;
  // The HTTP status code (HTTP_QUERY_STATUS_CODE); 0 for FTP.
  virtual int Status() = 0;
  // A response header's value (HttpQueryInfoW by name), for HTTP only;
  // empty when the response has no such header.
  virtual std::optional<std::u16string> Header(std::u16string_view name) = 0;
  // Reads up to the span's size (InternetReadFile), waiting until the span
  // is full or the data ends. 0 at the end of the data, which is also what
  // a connection closed mid-body gives; empty on a failed read.
  virtual std::optional<std::size_t> Read(std::span<std::uint8_t> into) = 0;
};

struct OpenUrlOptions {
  std::u16string headers;  // extra request headers, CR LF separated; may be empty
  bool reload = false;     // fetch from the server, never from a cache
  bool decodeContent = false;  // inflate gzip and deflate responses
};

struct FtpFile {
  std::u16string host;
  int port = 21;
  std::u16string path;
  bool secure = false;
};

// One internet session (InternetOpenW's handle); closed by its destructor.
class NetSession {
 public:
  virtual ~NetSession() = default;
  // InternetOpenUrlW: redirects are followed; an HTTP error status still
  // opens (read it with Status). Empty when the URL cannot be opened.
  virtual std::unique_ptr<NetTransfer> OpenUrl(std::u16string_view url,
                                               const OpenUrlOptions& options) = 0;
  // The size of a file on an FTP server, logged in anonymously
  // (InternetConnectW, FtpOpenFileW, FtpGetFileSize). 0 when the server
  // gives none; empty when the server or the file cannot be opened. A size
  // of 0 is asked again through a listing of the file (FtpFindFirstFileW).
  virtual std::optional<std::uint64_t> FtpFileSize(const FtpFile& file) = 0;
};

struct SessionOptions {
  std::u16string userAgent;
  unsigned connectTimeoutMs = 20000;
  unsigned connectRetries = 2;
};

class Network {
 public:
  virtual ~Network() = default;
  // InternetGetConnectedState.
  virtual bool Connected() = 0;
  // InternetOpenW with the system's proxy settings; empty on failure.
  virtual std::unique_ptr<NetSession> OpenSession(const SessionOptions& options) = 0;
};

}  // namespace kva
