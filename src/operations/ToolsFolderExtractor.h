#pragma once
// Archive extraction with 7-Zip's command-line extractor from the tools
// folder, which knows every format the catalogue's downloads come in. When
// it is missing (it is an outside program the technician copies there),
// .zip archives are unpacked by the program's own ZIP code.

#include <string>
#include <string_view>

#include "operations/CommandServices.h"

namespace kva {

class ToolsFolderExtractor final : public ArchiveExtractor {
 public:
  // Failures the caller's own result line does not explain go to the log.
  ToolsFolderExtractor(FileSystem& files, ProcessLauncher& launcher, ProgressDialog& log,
                       std::u16string toolsFolder)
      : files_(files), launcher_(launcher), log_(log), toolsFolder_(std::move(toolsFolder)) {}

  // Fails when the archive is missing or the destination cannot be made.
  // 7za runs hidden, its end awaited while messages flow; exit code 0 is success.
  bool ExtractArchive(std::u16string_view archive, std::u16string_view destination,
                      std::u16string_view password) override;

 private:
  bool ExtractWithOwnCode(std::u16string_view archive, std::u16string_view destination,
                          std::u16string_view password);

  FileSystem& files_;
  ProcessLauncher& launcher_;
  ProgressDialog& log_;
  std::u16string toolsFolder_;
};

}  // namespace kva
