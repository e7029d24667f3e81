#include "fakes/FakeNetwork.h"

#include <algorithm>

#include "platform/Text.h"

namespace kva {
namespace {

class FakeTransfer final : public NetTransfer {
 public:
  FakeTransfer(FakeResponse response, std::size_t offset)
      : response_(std::move(response)), offset_(offset) {}

  int Status() override { return response_.status; }
  std::optional<std::u16string> Header(std::u16string_view name) override {
    for (const auto& [key, value] : response_.headers) {
      if (EqualsNoCase(key, name)) return value;
    }
    return std::nullopt;
  }
  std::optional<std::size_t> Read(std::span<std::uint8_t> into) override {
    if (response_.endless) {
      const std::size_t n = std::min(into.size(), response_.pieceBytes);
      std::fill_n(into.begin(), n, std::uint8_t('x'));
      return n;
    }
    std::size_t end = response_.body.size();
    if (response_.dropAfterBytes) end = std::min(end, offset_ + *response_.dropAfterBytes);
    if (position_() >= end) {
      if (response_.dropAfterBytes && response_.failInsteadOfEnd) return std::nullopt;
      return 0;
    }
    const std::size_t n = std::min({into.size(), response_.pieceBytes, end - position_()});
    std::copy_n(response_.body.begin() + position_(), n, into.begin());
    sent_ += n;
    return n;
  }

 private:
  std::size_t position_() const { return offset_ + sent_; }

  FakeResponse response_;
  std::size_t offset_;
  std::size_t sent_ = 0;
};

class FakeSession final : public NetSession {
 public:
  FakeSession(FakeNetwork& network, std::u16string userAgent)
      : network_(network), userAgent_(std::move(userAgent)) {}
  std::unique_ptr<NetTransfer> OpenUrl(std::u16string_view url, const OpenUrlOptions& options) override {
    return network_.Open(url, userAgent_, options);
  }
  std::optional<std::uint64_t> FtpFileSize(const FtpFile& file) override {
    return network_.FtpSize(file);
  }

 private:
  FakeNetwork& network_;
  std::u16string userAgent_;
};

std::optional<std::size_t> RangeFrom(const RecordedRequest& request) {
  const auto range = FakeNetwork::RequestHeader(request, u"Range");
  if (!range || !StartsWithNoCase(*range, u"bytes=")) return std::nullopt;
  return std::size_t(ParseLeadingInt(std::u16string_view(*range).substr(6)));
}

}  // namespace

std::unique_ptr<NetSession> FakeNetwork::OpenSession(const SessionOptions& options) {
  return std::make_unique<FakeSession>(*this, options.userAgent);
}

FakeResponse FakeNetwork::Ok(std::string body) {
  FakeResponse response;
  response.headers[u"Content-Length"] = ToDecimal(std::int64_t(body.size()));
  response.body = std::move(body);
  return response;
}

void FakeNetwork::Serve(std::u16string url, std::vector<FakeResponse> responses) {
  std::lock_guard lock(mutex_);
  opens_[url] = 0;
  served_[std::move(url)] = std::move(responses);
}

void FakeNetwork::ServeFtpSize(std::u16string host, std::u16string path, std::uint64_t sizeBytes) {
  std::lock_guard lock(mutex_);
  ftpSizes_[host + path] = sizeBytes;
}

std::vector<RecordedRequest> FakeNetwork::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::optional<std::u16string> FakeNetwork::RequestHeader(const RecordedRequest& request,
                                                         std::u16string_view name) {
  for (std::u16string_view line : Split(request.options.headers, u"\r\n")) {
    const std::size_t colon = line.find(u':');
    if (colon != kNpos && EqualsNoCase(line.substr(0, colon), name)) {
      return std::u16string(Trim(line.substr(colon + 1)));
    }
  }
  return std::nullopt;
}

std::unique_ptr<NetTransfer> FakeNetwork::Open(std::u16string_view url,
                                               const std::u16string& userAgent,
                                               const OpenUrlOptions& options) {
  std::lock_guard lock(mutex_);
  requests_.push_back({std::u16string(url), userAgent, options});
  const auto served = served_.find(std::u16string(url));
  if (served == served_.end() || served->second.empty()) return nullptr;
  std::size_t& opens = opens_[served->first];
  FakeResponse response = served->second[std::min(opens, served->second.size() - 1)];
  ++opens;
  const auto from = RangeFrom(requests_.back());
  if (!from || !response.rangesHonoured) return std::make_unique<FakeTransfer>(std::move(response), 0);
  // 206 with the rest of the body (which may drop again as scripted).
  const std::size_t size = response.body.size();
  response.status = 206;
  response.headers[u"Content-Range"] = u"bytes " + ToDecimal(std::int64_t(*from)) + u"-" +
                                       ToDecimal(std::int64_t(size) - 1) + u"/" +
                                       ToDecimal(std::int64_t(size));
  response.headers[u"Content-Length"] = ToDecimal(std::int64_t(size - std::min(size, *from)));
  return std::make_unique<FakeTransfer>(std::move(response), std::min(size, *from));
}

std::optional<std::uint64_t> FakeNetwork::FtpSize(const FtpFile& file) {
  std::lock_guard lock(mutex_);
  const auto found = ftpSizes_.find(file.host + file.path);
  if (found == ftpSizes_.end()) return std::nullopt;
  return found->second;
}

}  // namespace kva
