#include "downloads/ActionDownloads.h"

#include "downloads/DownloadTypes.h"
#include "downloads/DownloadValidity.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr unsigned kDownloadPollMs = 5;
constexpr unsigned kExtractionPollMs = 10;

std::u16string UpdatingText(std::u16string_view name, std::int64_t percent) {
  return u"Updating " + std::u16string(name) + u" (" + ToDecimal(percent) + u"%)...";
}

// The previous copy, kept aside while the new one downloads.
class SetAside {
 public:
  SetAside(FileSystem& files, std::u16string path) : files_(files), path_(std::move(path)) {}
  bool Move() {
    kept_ = files_.MoveTo(path_, Aside(), true);
    return kept_;
  }
  void Restore() {
    files_.RemoveFile(path_);
    if (kept_) files_.MoveTo(Aside(), path_, true);
  }
  void Discard() {
    if (kept_) files_.RemoveFile(Aside());
  }

 private:
  std::u16string Aside() const { return path_ + u".tempbk"; }
  FileSystem& files_;
  std::u16string path_;
  bool kept_ = false;
};

// Polls until the job ends or the technician cancels; the job's stage.
std::int64_t Follow(JobHandle& job, ActionControl& control, std::u16string_view name) {
  std::int64_t shown = 0;
  control.SetStatus(UpdatingText(name, 0));
  while (QueryJob(job.get(), JobQuery::kFinished) == 0) {
    const std::int64_t percent = QueryJob(job.get(), JobQuery::kPercent);
    if (percent != shown) control.SetStatus(UpdatingText(name, shown = percent));
    if (control.PollCancel(kDownloadPollMs)) return 0;
  }
  return QueryJob(job.get(), JobQuery::kStage);
}

}  // namespace

int ActionDownload(const DownloadServices& services, Environment& environment,
                   ActionControl& control, std::u16string_view filePath,
                   std::u16string_view pageUrl, std::u16string_view linkText) {
  const std::u16string path = environment.Expand(filePath).value_or(std::u16string(filePath));
  FileSystem& files = services.files;
  const std::u16string_view folder = FolderOf(path);
  if (IsFolder(files, path) || (!folder.empty() && !IsFolder(files, folder) && !files.CreateFolders(folder))) {
    return action_download::kRefused;
  }
  std::uint64_t knownSize = 0;
  SetAside previous(files, path);
  if (Exists(files, path) && (!files.SizeOf(path, knownSize) || !previous.Move())) {
    return action_download::kRefused;  // the copy in use stays as it is
  }
  JobHandle job = StartDownload(services, path, pageUrl, linkText, knownSize);
  if (!job) {
    previous.Restore();
    return action_download::kRefused;
  }
  const std::u16string_view name = std::u16string_view(path).substr(path.rfind(u'\\') + 1);
  const std::int64_t stage = Follow(job, control, name);
  CloseJob(job);
  if (stage == job_stage::kTransferred && IsValidDownload(files, services.streams, path)) {
    control.SetStatus(UpdatingText(name, 100));
    previous.Discard();
    return action_download::kDownloaded;
  }
  previous.Restore();
  if (stage == job_stage::kTransferred) return action_download::kRefused;
  return stage == job_stage::kUpToDate ? action_download::kUpToDate : action_download::kFailed;
}

int ActionUncompress(ActionControl& control, ActionExtractor& extractor,
                     std::u16string_view archive, std::u16string_view folder) {
  if (!extractor.Available()) return action_uncompress::kFailed;
  control.Output(u"Uncompressing archive:\r\n" + std::u16string(archive));
  auto running = extractor.Start(archive, folder);
  if (!running) return action_uncompress::kFailed;
  std::optional<int> exitCode;
  while (!(exitCode = running->ExitCode())) {
    if (control.PollCancel(kExtractionPollMs)) {
      running->Terminate();
      return action_uncompress::kCancelled;
    }
  }
  if (*exitCode != 0) return action_uncompress::kFailed;
  extractor.AnnounceFolder(folder);
  return action_uncompress::kExtracted;
}

}  // namespace kva
