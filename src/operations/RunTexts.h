#pragma once
// What the runner says: its questions, statuses and the result texts of
// the report rows and the progress log.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace kva::run_text {

inline constexpr std::u16string_view kNotConnected =
    u"This PC is not connected to the internet.\r\n\r\n"
    u"It is impossible to download the tools without internet connection.";
inline constexpr std::u16string_view kAskUpdateAndRun =
    u"Are you sure you want to update and run the selected tools?";
inline constexpr std::u16string_view kAskRun = u"Are you sure you want to run the selected tools?";
inline constexpr std::u16string_view kAskUpdate =
    u"Are you sure you want to update the selected tools?";
inline constexpr std::u16string_view kAskCancelTool =
    u"Are you sure you want to cancel processing this tool?";
inline constexpr std::u16string_view kAskCancelAll =
    u"Are you sure you want to cancel the whole operation?";

inline constexpr std::u16string_view kCancelThisTool = u"Cancel this tool";
inline constexpr std::u16string_view kCancelAllTools = u"Cancel all tools";
inline constexpr std::u16string_view kOperationComplete = u"Operation complete";
inline constexpr std::u16string_view kCloseThis = u"OK, close this";

inline constexpr std::u16string_view kPreparing = u"Preparing...";
inline constexpr std::u16string_view kCheckingForUpdate = u"Checking if an update is available...";
inline constexpr std::u16string_view kPreparingToRun = u"Preparing to run the commands...";

inline constexpr std::u16string_view kUpdatePrefix = u"Update tool: ";
inline constexpr std::u16string_view kRunPrefix = u"Run tool: ";

inline constexpr std::u16string_view kDownloaded = u"Success: Successfully downloaded.";
inline constexpr std::u16string_view kAlreadyUpToDate = u"Success: Already up to date.";
inline constexpr std::u16string_view kNoDownloadUrl = u"Failure: No download URL.";
inline constexpr std::u16string_view kDownloadFailed = u"Failure: Download failed.";
// The file came, but the tool it holds is not there to run.
inline constexpr std::u16string_view kNotExtracted =
    u"Failure: Downloaded, but the archive could not be extracted.";
inline constexpr std::u16string_view kInstalledUpToDate =
    u"Success, download skipped (already installed and up to date)";
inline constexpr std::u16string_view kUnsupportedWindows = u"Skipped: Unsupported Windows version.";
inline constexpr std::u16string_view kNotExecuted = u"Failure: The commands could not be executed.";
// A built-in action that was cancelled before it could say how it went.
inline constexpr std::u16string_view kActionCancelled = u"Failure: Cancelled before it finished.";

// "Processing tool: name (position of count)" and a blank line.
std::u16string ToolHeader(std::u16string_view name, std::size_t position, std::size_t count);

// "2025/03/07  09:05:00  ": the form LastUpdate is stored in.
std::u16string LastUpdateText(const LocalTime& time);

// The tool's name, with " (32-bit)" / " (64-bit)" for per-bitness downloads
// or " (Download 1)" / " (Download 2)" when both are always fetched.
std::u16string DownloadLabel(std::u16string_view name, std::size_t index,
                             std::uint32_t downloadFlags);

// "Downloading setup.exe (42% of 1.23 MB)...".
std::u16string DownloadingStatus(std::u16string_view fileName, std::int64_t percent,
                                 std::uint64_t totalBytes);

// The run phase's result of an ordinary tool.
std::u16string RunResult(int executed, bool installSkipped);

}  // namespace kva::run_text
