#pragma once
// The download client over the scripted network and the in-memory files.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "fakes/FakeFileStreams.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeNetwork.h"
#include "downloads/DownloadJob.h"
#include "platform/Text.h"

namespace kva::test {

// Waits that only let the job's threads get on.
class YieldingPump final : public MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned) override { std::this_thread::yield(); }
};

// Bytes that show where each one came from, so that a piece written twice
// or out of order is seen.
inline std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = char('a' + (i * 7 + i / 251) % 26);
  return bytes;
}

class DownloadFixture : public ::testing::Test {
 protected:
  DownloadFixture() { files.CreateFolders(u"C:\\Tools"); }

  JobHandle Start(std::u16string url, std::u16string path, std::uint32_t flags,
                  std::uint64_t knownSize = 0, std::u16string headers = {}) {
    JobRequest request;
    request.url = std::move(url);
    request.filePath = std::move(path);
    request.flags = flags;
    request.userAgent = u"agent";
    request.referer = u"http://pages.test/tool.html";
    request.knownSize = knownSize;
    request.headers = std::move(headers);
    return StartJob(services, std::move(request));
  }
  // A synchronous download into C:\Tools\tool.exe.
  JobHandle Download(std::u16string url, std::uint32_t flags = 0, std::uint64_t knownSize = 0) {
    return Start(std::move(url), std::u16string(kTarget), flags | job_flag::kSynchronous, knownSize);
  }
  std::optional<std::string> Target() { return files.ReadText(kTarget); }

  static constexpr std::u16string_view kTarget = u"C:\\Tools\\tool.exe";

  FakeNetwork network;
  FakeFileSystem files;
  FakeFileStreams streams{files};
  YieldingPump pump;
  DownloadServices services{network, files, streams, pump};
};

}  // namespace kva::test
