#include "operations/RunTexts.h"

#include "operations/OperationFlags.h"
#include "platform/SizeText.h"
#include "platform/Text.h"

namespace kva::run_text {

std::u16string ToolHeader(std::u16string_view name, std::size_t position, std::size_t count) {
  return u"Processing tool: " + std::u16string(name) + u" (" +
         ToDecimal(static_cast<std::int64_t>(position)) + u" of " +
         ToDecimal(static_cast<std::int64_t>(count)) + u")\r\n\r\n";
}

std::u16string LastUpdateText(const LocalTime& time) {
  return ToDecimal(time.year) + u"/" + ToDecimalPadded(time.month, 2) + u"/" +
         ToDecimalPadded(time.day, 2) + u"  " + ToDecimalPadded(time.hour, 2) + u":" +
         ToDecimalPadded(time.minute, 2) + u":" + ToDecimalPadded(time.second, 2) + u"  ";
}

std::u16string DownloadLabel(std::u16string_view name, std::size_t index,
                             std::uint32_t downloadFlags) {
  std::u16string label(name);
  if (downloadFlags & flag1::kDownloadPerBitness) {
    label += index == 0 ? u" (32-bit)" : u" (64-bit)";
  } else if (downloadFlags & flag1::kAlwaysBothDownloads) {
    label += index == 0 ? u" (Download 1)" : u" (Download 2)";
  }
  return label;
}

std::u16string DownloadingStatus(std::u16string_view fileName, std::int64_t percent,
                                 std::uint64_t totalBytes) {
  return u"Downloading " + std::u16string(fileName) + u" (" + ToDecimal(percent) + u"% of " +
         SizeText(totalBytes) + u")...";
}

std::u16string RunResult(int executed, bool installSkipped) {
  if (executed == 0 && !installSkipped) return std::u16string(kNotExecuted);
  std::u16string text = u"Success: ";
  if (installSkipped) text += u"Install skipped, already up to date. ";
  if (executed > 0) {
    text += ToDecimal(executed) + (executed == 1 ? u" command" : u" commands") +
            u" successfully executed.";
  }
  return text;
}

}  // namespace kva::run_text
