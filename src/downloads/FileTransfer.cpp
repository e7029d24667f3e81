// A body into a file: the reader fills one buffer from the network while
// the writer thread writes the other to disk. Buffers pass between them
// under the job's mutex and condition variable, so neither side sleeps.
#include <algorithm>
#include <array>
#include <new>

#include "downloads/Transfers.h"

namespace kva {
namespace {

constexpr std::size_t kBufferCount = 2;
// Each hand-over wakes the other thread, which under Wine is a trip to the
// server: a buffer holds several reads to keep those trips few.
constexpr std::size_t kReadsPerBuffer = 5;

struct Buffer {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t fillBytes = 0;
  bool full = false;     // handed to the writer
  bool restart = false;  // the body began again: start the file over first
};

class FileTransfer {
 public:
  FileTransfer(DownloadJob& job, BodyReader& body, std::size_t chunkBytes)
      : job_(job), body_(body), chunkBytes_(chunkBytes), bufferBytes_(chunkBytes * kReadsPerBuffer) {}

  bool Allocate() {
    for (auto& buffer : buffers_) {
      buffer.bytes.reset(new (std::nothrow) std::uint8_t[bufferBytes_]);
      if (!buffer.bytes) return false;
    }
    return true;
  }

  void Run() {
    std::thread writer(&FileTransfer::Write, this);
    Read();
    {
      std::lock_guard lock(job_.handOver);
      readerDone_ = true;
      job_.changed.notify_all();
    }
    writer.join();
  }

 private:
  // Fills the buffers in turn until the body ends, fails or is cancelled.
  void Read() {
    std::uint64_t receivedBytes = 0;
    for (std::size_t index = 0; !job_.Failed(); index = (index + 1) % kBufferCount) {
      Buffer& buffer = buffers_[index];
      if (!WaitUntil([&] { return !buffer.full; })) return;
      const bool more = Fill(buffer, receivedBytes);
      if (job_.Failed()) return;
      if (buffer.fillBytes > 0 || buffer.restart) HandOver(buffer);
      if (!more) return;
    }
  }

  // Reads a chunk at a time until the buffer is full or the body ends;
  // false at its end.
  bool Fill(Buffer& buffer, std::uint64_t& receivedBytes) {
    while (buffer.fillBytes < bufferBytes_ && !job_.Failed()) {
      const std::span<std::uint8_t> room(buffer.bytes.get() + buffer.fillBytes,
                                         std::min(chunkBytes_, bufferBytes_ - buffer.fillBytes));
      const auto piece = body_.Read(room, receivedBytes);
      switch (piece.outcome) {
        case BodyReader::Outcome::kData:
          buffer.fillBytes += piece.bytes;
          receivedBytes += piece.bytes;
          job_.SetProgress(receivedBytes);
          break;
        case BodyReader::Outcome::kRestarted:
          buffer.fillBytes = 0;
          buffer.restart = true;
          receivedBytes = 0;
          job_.SetProgress(0);
          break;
        case BodyReader::Outcome::kFailed:
          job_.Fail(job_error::kTransferFailed);
          return false;
        case BodyReader::Outcome::kEnd:
          return false;
      }
    }
    return true;
  }

  void HandOver(Buffer& buffer) {
    std::lock_guard lock(job_.handOver);
    buffer.full = true;
    job_.changed.notify_all();
  }

  template <typename Ready>
  bool WaitUntil(Ready ready) {
    std::unique_lock lock(job_.handOver);
    job_.changed.wait(lock, [&] { return ready() || job_.Failed(); });
    return !job_.Failed();
  }

  // The file is closed before the job may delete it.
  void Write() {
    WriteBuffers();
    file_.reset();
  }

  void WriteBuffers() {
    if (!Create()) return job_.Fail(job_error::kCreateFailed);
    for (std::size_t index = 0;; index = (index + 1) % kBufferCount) {
      Buffer& buffer = buffers_[index];
      if (!WaitUntil([&] { return buffer.full || readerDone_; })) return;
      if (!buffer.full) return;  // the reader has finished and all is written
      if (buffer.restart && !Create()) return job_.Fail(job_error::kTransferFailed);
      const std::span<const std::uint8_t> bytes(buffer.bytes.get(), buffer.fillBytes);
      if (!file_->Write(bytes)) return job_.Fail(job_error::kTransferFailed);
      std::lock_guard lock(job_.handOver);
      buffer = Buffer{std::move(buffer.bytes)};
      job_.changed.notify_all();
    }
  }

  // A file that cannot be opened is deleted and created again, once: what
  // is left of a broken earlier download must not block the new one.
  bool Create() {
    const std::u16string& path = job_.request.filePath;
    file_.reset();
    file_ = job_.services.streams.CreateForWriting(path);
    if (!file_ && job_.services.files.RemoveFile(path)) {
      file_ = job_.services.streams.CreateForWriting(path);
    }
    return file_ != nullptr;
  }

  DownloadJob& job_;
  BodyReader& body_;
  const std::size_t chunkBytes_;
  const std::size_t bufferBytes_;
  std::array<Buffer, kBufferCount> buffers_;
  bool readerDone_ = false;  // under the job's mutex
  std::unique_ptr<WriteStream> file_;
};

}  // namespace

void TransferIntoFile(DownloadJob& job, BodyReader& body, std::size_t chunkBytes) {
  FileTransfer transfer(job, body, chunkBytes);
  if (!transfer.Allocate()) return job.Fail(job_error::kOutOfMemory);
  transfer.Run();
  if (job.Failed()) {
    job.services.files.RemoveFile(job.request.filePath);
    return;
  }
  job.total.store(job.received.load());
  job.percent.store(100);
  job.stage.store(job_stage::kTransferred);
}

}  // namespace kva
