#pragma once
// A scripted network: each URL answers with the responses a test gives it,
// one per open (the last one repeats). Bodies can stop short (a dropped
// connection), fail, come in small pieces or never end, and the requests
// are recorded. Safe to use from a job's threads.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Network.h"

namespace kva {

struct FakeResponse {
  int status = 200;
  std::map<std::u16string, std::u16string> headers;  // by name as written
  std::string body;
  // The connection drops after this many bytes of the body: the read gives
  // 0 as WinINet does, or fails when failInsteadOfEnd.
  std::optional<std::size_t> dropAfterBytes;
  bool failInsteadOfEnd = false;
  std::size_t pieceBytes = 65'536;  // at most this much per read
  bool endless = false;             // the body never ends (a slow drip)
  bool rangesHonoured = false;      // a Range request gets 206 and the rest
};

struct RecordedRequest {
  std::u16string url;
  std::u16string userAgent;
  OpenUrlOptions options;
};

class FakeNetwork final : public Network {
 public:
  bool Connected() override { return connected; }
  std::unique_ptr<NetSession> OpenSession(const SessionOptions& options) override;

  // A response with a body and a Content-Length that says its size.
  static FakeResponse Ok(std::string body);
  void Serve(std::u16string url, std::vector<FakeResponse> responses);
  void Serve(std::u16string url, FakeResponse response) { Serve(std::move(url), std::vector{std::move(response)}); }
  void ServeFtpSize(std::u16string host, std::u16string path, std::uint64_t sizeBytes);

  std::vector<RecordedRequest> Requests();
  // The value of a header in a recorded request's header text; empty when absent.
  static std::optional<std::u16string> RequestHeader(const RecordedRequest& request,
                                                     std::u16string_view name);

  bool connected = true;

  // What its sessions do.
  std::unique_ptr<NetTransfer> Open(std::u16string_view url, const std::u16string& userAgent,
                                    const OpenUrlOptions& options);
  std::optional<std::uint64_t> FtpSize(const FtpFile& file);

 private:

  std::mutex mutex_;
  std::map<std::u16string, std::vector<FakeResponse>> served_;
  std::map<std::u16string, std::size_t> opens_;
  std::map<std::u16string, std::uint64_t> ftpSizes_;  // host + path
  std::vector<RecordedRequest> requests_;
};

}  // namespace kva
