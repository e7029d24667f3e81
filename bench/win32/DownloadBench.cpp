// One file from a loopback server, fetched in turns by a DownloadJob and by
// a plain InternetReadFile loop that writes as it reads: the floor the job's
// double buffer adds to. Prints each round and the best of each.
//
//   kva_download_bench.exe <url> <folder> <rounds>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "downloads/DownloadJob.h"
#include "downloads/RequestHeaders.h"
#include "platform/win32/Win32FileStreams.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Network.h"

namespace {

constexpr DWORD kChunkBytes = 200'000;

class SleepingPump final : public kva::MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

double Seconds() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// Bytes written, or 0 on failure.
std::uint64_t PlainLoop(const std::wstring& url, const std::wstring& path) {
  HINTERNET session = ::InternetOpenW(L"bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  HINTERNET request = ::InternetOpenUrlW(session, url.c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION, 0);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  std::vector<char> buffer(kChunkBytes);
  std::uint64_t total = 0;
  DWORD read = 0, written = 0;
  while (request && file != INVALID_HANDLE_VALUE &&
         ::InternetReadFile(request, buffer.data(), kChunkBytes, &read) && read > 0) {
    if (!::WriteFile(file, buffer.data(), read, &written, nullptr) || written != read) break;
    total += read;
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (request) ::InternetCloseHandle(request);
  if (session) ::InternetCloseHandle(session);
  return total;
}

std::uint64_t JobRun(const kva::DownloadServices& services, const std::wstring& url,
                     const std::wstring& path) {
  kva::JobRequest request;
  request.url.assign(url.begin(), url.end());
  request.filePath.assign(path.begin(), path.end());
  request.flags = kva::job_flag::kSynchronous | kva::job_flag::kReload;
  request.userAgent = kva::kFirefoxUserAgent;
  kva::JobHandle job = kva::StartJob(services, std::move(request));
  if (kva::QueryJob(job.get(), kva::JobQuery::kStage) != kva::job_stage::kTransferred) return 0;
  return std::uint64_t(kva::QueryJob(job.get(), kva::JobQuery::kReceived));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: kva_download_bench <url> <folder> <rounds>\n");
    return 2;
  }
  const std::wstring url = argv[1], folder = argv[2];
  const int rounds = _wtoi(argv[3]);
  kva::win32::Win32Network network;
  kva::win32::Win32FileSystem files;
  kva::win32::Win32FileStreams streams;
  SleepingPump pump;
  const kva::DownloadServices services{network, files, streams, pump};
  double bestJob = 1e9, bestPlain = 1e9;
  for (int round = 0; round < rounds; ++round) {
    double start = Seconds();
    const auto plainBytes = PlainLoop(url, folder + L"\\plain.bin");
    const double plain = Seconds() - start;
    start = Seconds();
    const auto jobBytes = JobRun(services, url, folder + L"\\job.bin");
    const double job = Seconds() - start;
    if (plainBytes == 0 || jobBytes != plainBytes) {
      std::fprintf(stderr, "round %d: plain %llu bytes, job %llu bytes\n", round,
                   (unsigned long long)plainBytes, (unsigned long long)jobBytes);
      return 1;
    }
    std::printf("round %d plain %.3f s job %.3f s\n", round, plain, job);
    bestJob = std::min(bestJob, job);
    bestPlain = std::min(bestPlain, plain);
  }
  std::printf("best job %.3f plain %.3f\n", bestJob, bestPlain);
  return 0;
}
