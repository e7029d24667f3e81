#include "operations/ToolsFolderExtractor.h"

#include "operations/SevenZipCommand.h"
#include "operations/ZipExtraction.h"
#include "platform/Text.h"

namespace kva {
namespace {

std::u16string ZipFailureText(std::u16string_view archive, const ZipFailure& failure) {
  const std::u16string name(archive);
  switch (failure.error) {
    case ZipError::kWrongPassword:
      return u"Warning: the password of " + name + u" is missing or wrong!";
    case ZipError::kUnsafeEntry:
      return u"Warning: " + name + u" holds a file that would land outside its folder (" +
             failure.entry + u"); nothing was extracted!";
    case ZipError::kUnsupportedEntry:
      return u"Warning: " + name + u" needs 7za.exe in the tools folder to be extracted!";
    case ZipError::kUnreadable:
    case ZipError::kNotAZip:
    case ZipError::kDamaged:
    case ZipError::kWriteFailed:
      break;
  }
  return {};
}

}  // namespace

bool ToolsFolderExtractor::ExtractArchive(std::u16string_view archive,
                                          std::u16string_view destination,
                                          std::u16string_view password) {
  if (!Exists(files_, archive)) return false;
  if (!IsFolder(files_, destination) && !files_.CreateFolders(destination)) return false;
  const std::u16string sevenZip = toolsFolder_ + u"\\7za.exe";
  const bool haveSevenZip = Exists(files_, sevenZip);
  if (haveSevenZip) {
    const auto command = SevenZipExtractCommand(sevenZip, archive, destination, password);
    if (command) {
      return launcher_.RunProcess(u"", *command, u"", show::kHidden, launch::kWait) == 0;
    }
  }
  if (EqualsNoCase(ExtensionOf(archive), u".zip")) {
    return ExtractWithOwnCode(archive, destination, password);
  }
  const std::u16string name(archive);
  log_.AddLine(haveSevenZip
                   ? u"Warning: 7za.exe cannot be given " + name +
                         u" because its path or password holds a double quote!"
                   : u"Warning: 7za.exe is missing from the tools folder, so " + name +
                         u" could not be extracted!");
  return false;
}

bool ToolsFolderExtractor::ExtractWithOwnCode(std::u16string_view archive,
                                              std::u16string_view destination,
                                              std::u16string_view password) {
  const auto extracted = ExtractZip(files_, archive, destination, password);
  if (extracted) return true;
  if (const auto text = ZipFailureText(archive, extracted.error()); !text.empty()) {
    log_.AddLine(text);
  }
  return false;
}

}  // namespace kva
