#pragma once
// The body of one response, read on across dropped connections: when the
// server announced the length and accepts byte ranges, a body that stops
// short is asked for again from the bytes already received, a few times,
// before it counts as failed. A server that then sends the whole body
// again makes the reader start over.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/Network.h"

namespace kva {

// What a response says about its body.
struct BodyFacts {
  std::uint64_t lengthBytes = 0;  // Content-Length as sent; 0 when absent
  // The length the received bytes must reach: none when absent, or when the
  // body is sent encoded and arrives inflated.
  std::optional<std::uint64_t> announcedBytes;
  bool acceptsRanges = false;
};
BodyFacts ReadBodyFacts(NetTransfer& transfer);

// The size an FTP server gives for the file at url (0: none); empty when
// the server or the file cannot be reached.
std::optional<std::uint64_t> FtpServerSize(NetSession& session, std::u16string_view url);

class BodyReader {
 public:
  static constexpr int kMaxResumes = 3;

  enum class Outcome { kData, kEnd, kRestarted, kFailed };
  struct Piece {
    Outcome outcome = Outcome::kEnd;
    std::size_t bytes = 0;
  };

  BodyReader(NetSession& session, std::u16string url, OpenUrlOptions options,
             std::unique_ptr<NetTransfer> transfer, const BodyFacts& facts);

  // The next bytes after receivedBytes. kRestarted: the body comes again
  // from its first byte; what was received is void.
  Piece Read(std::span<std::uint8_t> into, std::uint64_t receivedBytes);

 private:
  enum class Resumed { kNo, kGoesOn, kFromStart };
  Resumed Resume(std::uint64_t receivedBytes);

  NetSession& session_;
  const std::u16string url_;
  const OpenUrlOptions options_;
  std::unique_ptr<NetTransfer> transfer_;
  BodyFacts facts_;
  int resumes_ = 0;
};

}  // namespace kva
