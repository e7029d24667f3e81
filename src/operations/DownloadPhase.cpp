#include "operations/DownloadPhase.h"

#include <array>
#include <string_view>

#include "catalog/Groups.h"
#include "catalog/PathVariables.h"
#include "downloads/DownloadTypes.h"
#include "downloads/DownloadValidity.h"
#include "operations/OperationFlags.h"
#include "operations/RunTexts.h"
#include "operations/ToolCommands.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kMinDownloadPathChars = 13;
constexpr std::size_t kMinDownloadFieldChars = 5;
constexpr unsigned kPollMilliseconds = 10;
constexpr std::uint32_t kKeepArchivesOption = 0x400;
constexpr std::uint32_t kTwoDownloads = flag1::kDownloadPerBitness | flag1::kAlwaysBothDownloads;
constexpr std::array<std::u16string_view, 2> kDownloadSizeValues = {value::kDownloadSize1,
                                                                    value::kDownloadSize2};
constexpr std::u16string_view kArchiveExtensions[] = {u".zip",  u".7z",    u".lzma", u".cab",
                                                      u".gzip", u".bzip2", u".Z",    u".tar"};

bool IsArchive(std::u16string_view path) {
  for (auto extension : kArchiveExtensions) {
    if (EndsWithNoCase(path, extension)) return true;
  }
  return false;
}

// The folder an archive unpacks into: its path without the extension.
std::u16string ExtractionFolder(std::u16string_view archive) {
  const std::size_t slash = archive.find_last_of(u'\\');
  const std::size_t dot = archive.find_last_of(u'.');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash)) {
    return std::u16string(archive);
  }
  return std::u16string(archive.substr(0, dot));
}

std::uint64_t FolderBytes(FileSystem& files, const std::u16string& folder) {
  std::uint64_t total = 0;
  for (const auto& found : files.Find(folder + u"\\*")) {
    if (found.name == u"." || found.name == u"..") continue;
    if (found.attributes & attr::kDirectory) {
      if (!(found.attributes & attr::kReparsePoint)) total += FolderBytes(files, folder + u"\\" + found.name);
    } else {
      total += found.sizeBytes;
    }
  }
  return total;
}

// Older versions stored the size as a DWORD.
std::uint64_t ReadDownloadSize(const RegKey& state, std::u16string_view name) {
  std::uint64_t size = 0;
  if (ReadQword(state, name, size)) return size;
  std::uint32_t legacy = 0;
  return ReadDword(state, name, legacy) ? legacy : 0;
}

enum class Outcome { kFailed, kDownloaded, kUpToDate, kCancelled };

class DownloadPhase {
 public:
  DownloadPhase(RunnerPorts& ports, const RunnerSettings& settings, std::uint32_t operation,
                ToolInRun& tool)
      : p_(ports), s_(ports.commands), settings_(settings), operation_(operation), tool_(tool),
        flags_(tool.record.flags[0]) {}

  void Run() {
    const ToolRecord& record = tool_.record;
    if ((operation_ & op::kHighlighted) && !record.uninstallCmd.empty() &&
        IsInstalledAndUpToDate(s_.versions, record)) {
      Report(tool_.name, run_text::kInstalledUpToDate);
      return;
    }
    const auto& files = tool_.files;
    if ((flags_ & kTwoDownloads) && (files[1].empty() || EqualsNoCase(files[1], files[0]))) {
      flags_ &= ~kTwoDownloads;
    }
    const std::array<std::u16string_view, 2> urls = {record.url1, record.url2};
    const std::array<std::u16string_view, 2> linkTexts = {record.linkText1, record.linkText2};
    for (std::size_t i = 0; i < 2; ++i) {
      if (files[i].size() < kMinDownloadPathChars || SkippedForBitness(i)) continue;
      // A fallback without an address of its own would only repeat the failure.
      if (i == 1 && !(flags_ & kTwoDownloads) && urls[1].empty()) return;
      Outcome outcome = Download(i, urls[i], linkTexts[i]);
      if (outcome == Outcome::kCancelled) return;
      std::u16string_view result = ResultText(outcome, urls[i]);
      if (outcome == Outcome::kDownloaded && (flags_ & flag1::kExtractArchive) && IsArchive(files[i]) &&
          !Extract(files[i])) {
        result = run_text::kNotExtracted;
      }
      Report(run_text::DownloadLabel(tool_.name, i, flags_), result);
      if (s_.run.IsCancelled()) return;
      if (outcome != Outcome::kFailed && !(flags_ & kTwoDownloads)) return;
    }
  }

 private:
  // A per-bitness tool fetches both files for a bare update, else only the
  // one this Windows runs.
  bool SkippedForBitness(std::size_t i) const {
    if (!(flags_ & flag1::kDownloadPerBitness) || operation_ <= op::kUpdate) return false;
    return i == (s_.is64BitWindows ? 0 : 1);
  }

  Outcome Download(std::size_t i, std::u16string_view url, std::u16string_view linkText) {
    const std::u16string& file = tool_.files[i];
    Status(run_text::kCheckingForUpdate, progress::kBusy);
    std::uint64_t knownSize = 0;
    if (Exists(s_.files, file)) {
      s_.files.SizeOf(file, knownSize);
      s_.files.MoveTo(file, SafetyCopy(file), true);
    }
    if ((flags_ & flag1::kExtractArchive) && IsArchive(file)) {
      // Fetched again unless its unpacked folder still holds as much as it did.
      knownSize = ReadDownloadSize(tool_.stateKey, kDownloadSizeValues[i]);
      const std::u16string folder = ExtractionFolder(file);
      if (!IsFolder(s_.files, folder) || FolderBytes(s_.files, folder) < knownSize) knownSize = 0;
    }
    JobHandle job = StartDownload(p_.downloads, file, url, linkText, knownSize);
    if (!job) return Failed(file);
    if (!WaitForJob(job.get(), FileNameOf(file))) {
      CloseJob(job);
      RestoreSafetyCopy(file);
      return Outcome::kCancelled;
    }
    const std::int64_t stage = QueryJob(job.get(), JobQuery::kStage);
    const std::int64_t received = QueryJob(job.get(), JobQuery::kReceived);
    CloseJob(job);
    if (stage == job_stage::kUpToDate) {
      RestoreSafetyCopy(file);
      NoteUpdated();
      return Outcome::kUpToDate;
    }
    if (stage != job_stage::kTransferred || !IsValidDownload(s_.files, p_.downloads.streams, file)) {
      return Failed(file);
    }
    Status(u"Downloading " + std::u16string(FileNameOf(file)) + u" (100%)...", 100);
    s_.files.RemoveFile(SafetyCopy(file));
    NoteUpdated();
    if (flags_ & flag1::kExtractArchive) {
      WriteRaw(tool_.stateKey, kDownloadSizeValues[i],
               QwordValue(static_cast<std::uint64_t>(received)));
    }
    return Outcome::kDownloaded;
  }

  // False when the run was cancelled meanwhile.
  bool WaitForJob(DownloadJob* job, std::u16string_view fileName) {
    std::int64_t shownPercent = -1;
    while (true) {
      if (s_.run.CheckCancel() != cancel::kNone) return false;
      if (QueryJob(job, JobQuery::kFinished) > 0) return true;
      const std::int64_t total = QueryJob(job, JobQuery::kTotal);
      const std::int64_t percent = QueryJob(job, JobQuery::kPercent);
      if (total > 0 && QueryJob(job, JobQuery::kReceived) > 0 && percent != shownPercent) {
        shownPercent = percent;
        Status(run_text::DownloadingStatus(fileName, percent, static_cast<std::uint64_t>(total)),
               static_cast<int>(percent));
      }
      p_.downloads.pump.Idle(kPollMilliseconds);
    }
  }

  Outcome Failed(const std::u16string& file) {
    s_.files.RemoveFile(file);
    RestoreSafetyCopy(file);
    return Outcome::kFailed;
  }

  // The cancel buttons rest while the archive unpacks: half a folder is
  // worse than a late cancel.
  bool Extract(const std::u16string& archive) {
    Status(u"Extracting " + std::u16string(FileNameOf(archive)) + u"...", progress::kBusy);
    for (int button : {cancel_button::kThisTool, cancel_button::kAllTools}) {
      s_.progress.EnableButton(button, false);
    }
    const bool extracted =
        s_.extractor.ExtractArchive(archive, ExtractionFolder(archive), tool_.record.zipPass);
    if (extracted && !(settings_.optionsFlag & kKeepArchivesOption)) s_.files.RemoveFile(archive);
    for (int button : {cancel_button::kThisTool, cancel_button::kAllTools}) {
      s_.progress.EnableButton(button, true);
    }
    return extracted;
  }

  static std::u16string SafetyCopy(const std::u16string& file) { return file + u".tmp"; }

  void RestoreSafetyCopy(const std::u16string& file) {
    const std::u16string copy = SafetyCopy(file);
    if (Exists(s_.files, copy)) s_.files.MoveTo(copy, file, true);
  }

  void NoteUpdated() {
    const std::u16string when = run_text::LastUpdateText(s_.clock.Now());
    WriteString(tool_.stateKey, value::kLastUpdate, reg::kSz, when);
    if (tool_.entry < p_.list.EntryCount()) {
      p_.list.SetTile(tool_.entry, p_.list.Entry(tool_.entry).icon,
                      std::u16string(kUpdatedPrefix) + when);
    }
  }

  static std::u16string_view ResultText(Outcome outcome, std::u16string_view url) {
    switch (outcome) {
      case Outcome::kDownloaded: return run_text::kDownloaded;
      case Outcome::kUpToDate: return run_text::kAlreadyUpToDate;
      default: return url.empty() ? run_text::kNoDownloadUrl : run_text::kDownloadFailed;
    }
  }

  void Report(std::u16string_view label, std::u16string_view result) {
    RecordResult(p_, run_text::kUpdatePrefix, label, result);
  }

  void Status(std::u16string_view text, int image) {
    s_.progress.SetStatus(tool_.header + std::u16string(text), image);
  }

  RunnerPorts& p_;
  CommandServices& s_;
  const RunnerSettings& settings_;
  std::uint32_t operation_;
  ToolInRun& tool_;
  std::uint32_t flags_;
};

}  // namespace

std::array<std::u16string, 2> DownloadPaths(Environment& environment, const ToolRecord& record) {
  std::array<std::u16string, 2> paths;
  const std::array<std::u16string_view, 2> fields = {record.downloadFile1, record.downloadFile2};
  for (std::size_t i = 0; i < 2; ++i) {
    if (fields[i].size() >= kMinDownloadFieldChars) paths[i] = ExpandPath(environment, fields[i]);
  }
  if (paths[1].empty() && !(record.flags[0] & kTwoDownloads)) paths[1] = paths[0];
  return paths;
}

void RunDownloadPhase(RunnerPorts& ports, const RunnerSettings& settings, std::uint32_t operation,
                      ToolInRun& tool) {
  DownloadPhase(ports, settings, operation, tool).Run();
}

}  // namespace kva
