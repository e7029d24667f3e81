#include "downloads/BodyReader.h"

#include "downloads/Url.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr int kPartialContent = 206;
constexpr int kOk = 200;

std::optional<std::uint64_t> ParseCount(std::u16string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::uint64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// "bytes START-END/TOTAL": the first byte sent.
std::optional<std::uint64_t> RangeStart(NetTransfer& transfer) {
  const auto range = transfer.Header(u"Content-Range");
  if (!range || !StartsWithNoCase(*range, u"bytes ")) return std::nullopt;
  const std::u16string_view rest = std::u16string_view(*range).substr(6);
  return ParseCount(rest.substr(0, rest.find(u'-')));
}

}  // namespace

BodyFacts ReadBodyFacts(NetTransfer& transfer) {
  BodyFacts facts;
  const auto length = transfer.Header(u"Content-Length");
  const auto count = length ? ParseCount(*length) : std::nullopt;
  facts.lengthBytes = count.value_or(0);
  const auto encoding = transfer.Header(u"Content-Encoding");
  const bool encoded = encoding && !Trim(*encoding).empty() && !EqualsNoCase(Trim(*encoding), u"identity");
  if (count && !encoded) facts.announcedBytes = count;
  const auto ranges = transfer.Header(u"Accept-Ranges");
  facts.acceptsRanges = ranges && EqualsNoCase(Trim(*ranges), u"bytes");
  return facts;
}

std::optional<std::uint64_t> FtpServerSize(NetSession& session, std::u16string_view url) {
  UrlParts parts;
  if (!SplitUrl(url, parts)) return std::nullopt;
  return session.FtpFileSize({parts.host, parts.port, parts.path, StartsWithNoCase(url, u"ftps")});
}

BodyReader::BodyReader(NetSession& session, std::u16string url, OpenUrlOptions options,
                       std::unique_ptr<NetTransfer> transfer, const BodyFacts& facts)
    : session_(session),
      url_(std::move(url)),
      options_(std::move(options)),
      transfer_(std::move(transfer)),
      facts_(facts) {}

BodyReader::Piece BodyReader::Read(std::span<std::uint8_t> into, std::uint64_t receivedBytes) {
  for (;;) {
    const auto bytes = transfer_->Read(into);
    if (bytes && *bytes > 0) return {Outcome::kData, *bytes};
    const bool short_ = facts_.announcedBytes && receivedBytes < *facts_.announcedBytes;
    if (!short_) return {bytes ? Outcome::kEnd : Outcome::kFailed, 0};
    switch (Resume(receivedBytes)) {
      case Resumed::kNo: return {Outcome::kFailed, 0};
      case Resumed::kFromStart: return {Outcome::kRestarted, 0};
      case Resumed::kGoesOn: break;
    }
  }
}

BodyReader::Resumed BodyReader::Resume(std::uint64_t receivedBytes) {
  if (!facts_.acceptsRanges) return Resumed::kNo;
  OpenUrlOptions options = options_;
  options.headers += u"Range: bytes=" + ToDecimal(std::int64_t(receivedBytes)) + u"-\r\n";
  options.reload = true;
  while (resumes_ < kMaxResumes) {
    ++resumes_;
    auto next = session_.OpenUrl(url_, options);
    if (!next) continue;
    const int status = next->Status();
    if (status == kPartialContent && RangeStart(*next) == receivedBytes) {
      transfer_ = std::move(next);
      return Resumed::kGoesOn;
    }
    if (status == kOk) {
      facts_ = ReadBodyFacts(*next);
      transfer_ = std::move(next);
      return Resumed::kFromStart;
    }
  }
  return Resumed::kNo;
}

}  // namespace kva
