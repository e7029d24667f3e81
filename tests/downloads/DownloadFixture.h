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

// The fake file system as the job sees it on Windows, where "\\?\C:\x"
// names "C:\x"; the fake itself knows only the latter.
class ExtendedPathFiles final : public FileSystem {
 public:
  explicit ExtendedPathFiles(FileSystem& files) : files_(files) {}
  std::uint32_t Attributes(std::u16string_view p) override { return files_.Attributes(Plain(p)); }
  bool SetAttributes(std::u16string_view p, std::uint32_t a) override { return files_.SetAttributes(Plain(p), a); }
  bool SizeOf(std::u16string_view p, std::uint64_t& s) override { return files_.SizeOf(Plain(p), s); }
  bool CreateFolders(std::u16string_view p) override { return files_.CreateFolders(Plain(p)); }
  bool RemoveFolder(std::u16string_view p) override { return files_.RemoveFolder(Plain(p)); }
  bool ReadAll(std::u16string_view p, std::vector<std::uint8_t>& o) override { return files_.ReadAll(Plain(p), o); }
  bool WriteAll(std::u16string_view p, std::span<const std::uint8_t> b) override { return files_.WriteAll(Plain(p), b); }
  bool ReadRange(std::u16string_view p, std::uint64_t at, std::size_t n,
                 std::vector<std::uint8_t>& o) override {
    return files_.ReadRange(Plain(p), at, n, o);
  }
  bool WriteAt(std::u16string_view p, std::uint64_t at, std::span<const std::uint8_t> b) override {
    return files_.WriteAt(Plain(p), at, b);
  }
  bool CreationTimeOf(std::u16string_view p, LocalTime& t) override {
    return files_.CreationTimeOf(Plain(p), t);
  }
  bool CopyTo(std::u16string_view f, std::u16string_view t, bool o) override { return files_.CopyTo(Plain(f), Plain(t), o); }
  bool MoveTo(std::u16string_view f, std::u16string_view t, bool r) override { return files_.MoveTo(Plain(f), Plain(t), r); }
  bool RemoveFile(std::u16string_view p) override { return files_.RemoveFile(Plain(p)); }
  bool TakeOwnershipAndGrantFullAccess(std::u16string_view p) override { return files_.TakeOwnershipAndGrantFullAccess(Plain(p)); }
  bool RemoveAtRestart(std::u16string_view p) override { return files_.RemoveAtRestart(Plain(p)); }
  void NotifyShellOfRemoval(std::u16string_view p, bool f) override { files_.NotifyShellOfRemoval(Plain(p), f); }
  std::vector<FoundFile> Find(std::u16string_view p) override { return files_.Find(Plain(p)); }
  std::optional<std::u16string> FindOnPath(std::u16string_view n) override { return files_.FindOnPath(n); }
  bool SetCurrentFolder(std::u16string_view p) override { return files_.SetCurrentFolder(Plain(p)); }
  std::u16string CurrentFolder() override { return files_.CurrentFolder(); }

 private:
  static std::u16string_view Plain(std::u16string_view path) {
    return path.starts_with(u"\\\\?\\") ? path.substr(4) : path;
  }
  FileSystem& files_;
};

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
  ExtendedPathFiles jobFiles{files};
  DownloadServices services{network, jobFiles, streams, pump};
};

}  // namespace kva::test
