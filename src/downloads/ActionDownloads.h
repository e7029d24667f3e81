#pragma once
// Downloads and archive extraction for built-in repair actions, which run
// outside the operation runner and report through their own status line.

#include <memory>
#include <optional>
#include <string_view>

#include "downloads/DownloadJob.h"
#include "platform/Environment.h"

namespace kva {

// What an action's context gives these operations.
class ActionControl {
 public:
  virtual ~ActionControl() = default;
  // The action's status line; the busy indicator is left as it is.
  virtual void SetStatus(std::u16string_view text) = 0;
  // Appends to the action's output.
  virtual void Output(std::u16string_view text) = 0;
  // Keeps the interface alive for about waitMs; true once the technician
  // has cancelled.
  virtual bool PollCancel(unsigned waitMs) = 0;
};

// One running extraction; it is left running when dropped.
class RunningExtraction {
 public:
  virtual ~RunningExtraction() = default;
  virtual std::optional<int> ExitCode() = 0;  // empty while it runs
  virtual void Terminate() = 0;
};

// The archive extractor (7za.exe in the tools folder), wired in by its owner.
class ActionExtractor {
 public:
  virtual ~ActionExtractor() = default;
  virtual bool Available() = 0;
  // Starts extracting the archive into the folder, without a password;
  // empty when it could not start.
  virtual std::unique_ptr<RunningExtraction> Start(std::u16string_view archive,
                                                   std::u16string_view folder) = 0;
  // Tells open Explorer windows that the folder now exists.
  virtual void AnnounceFolder(std::u16string_view folder) = 0;
};

namespace action_download {
inline constexpr int kDownloaded = 1;
inline constexpr int kUpToDate = 2;
inline constexpr int kRefused = 0;  // invalid content, or no place to put it
inline constexpr int kFailed = -1;  // failed or cancelled
}  // namespace action_download

namespace action_uncompress {
inline constexpr int kExtracted = 1;
inline constexpr int kFailed = 0;  // no extractor, or it failed
inline constexpr int kCancelled = -1;
}  // namespace action_uncompress

// The file at filePath (environment variables expanded) from the page and
// link text; the previous copy is back in place unless a valid new one came.
int ActionDownload(const DownloadServices& services, Environment& environment,
                   ActionControl& control, std::u16string_view filePath,
                   std::u16string_view pageUrl, std::u16string_view linkText);

int ActionUncompress(ActionControl& control, ActionExtractor& extractor,
                     std::u16string_view archive, std::u16string_view folder);

}  // namespace kva
