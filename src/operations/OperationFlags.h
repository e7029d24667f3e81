#pragma once
// The operation word the main window hands to the runner, and the bits of
// a tool's flag words.

#include <cstdint>

namespace kva {

namespace op {
inline constexpr std::uint32_t kUpdate = 0x01;          // download phase
inline constexpr std::uint32_t kRun = 0x02;             // run phase
inline constexpr std::uint32_t kHighlighted = 0x04;     // the highlighted item, not the ticked ones
inline constexpr std::uint32_t kUnattended = 0x08;      // no confirmation
inline constexpr std::uint32_t kAutomate = 0x10;        // run the tools' automation scripts
inline constexpr std::uint32_t kSkipUpToDate = 0x20;    // no installer for what is up to date
}  // namespace op

// flag1: the tool-wide bits and those of command 1.
namespace flag1 {
inline constexpr std::uint32_t kExtractArchive = 0x001;
inline constexpr std::uint32_t kOnlyIfProgramsMissing = 0x002;  // drop command 1 when 2-4 exist
inline constexpr std::uint32_t kWaitForChildren = 0x004;
inline constexpr std::uint32_t kRunHidden = 0x008;
inline constexpr std::uint32_t kMonitorByPath = 0x010;
inline constexpr std::uint32_t kDownloadPerBitness = 0x020;
inline constexpr std::uint32_t kOnly64Bit = 0x040;
inline constexpr std::uint32_t kOnly32Bit = 0x080;
inline constexpr std::uint32_t kAlwaysBothDownloads = 0x100;
}  // namespace flag1

// flag2..flag4.
namespace flagN {
inline constexpr std::uint32_t kOnly64Bit = 1;
inline constexpr std::uint32_t kOnly32Bit = 2;
inline constexpr std::uint32_t kRunHidden = 8;
}  // namespace flagN

}  // namespace kva
