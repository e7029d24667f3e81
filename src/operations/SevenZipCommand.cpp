#include "operations/SevenZipCommand.h"

namespace kva {
namespace {

std::u16string Quoted(std::u16string_view text) {
  return u"\"" + std::u16string(text) + u"\"";
}

}  // namespace

std::optional<std::u16string> SevenZipExtractCommand(std::u16string_view sevenZipPath,
                                                     std::u16string_view archive,
                                                     std::u16string_view destination,
                                                     std::u16string_view password) {
  for (auto part : {sevenZipPath, archive, destination, password}) {
    if (part.find(u'"') != std::u16string_view::npos) return std::nullopt;
  }
  std::u16string command =
      Quoted(sevenZipPath) + u" x  -y -r " + Quoted(archive) + u" -o" + Quoted(destination);
  if (!password.empty()) command += u" -p" + Quoted(password);
  return command;
}

}  // namespace kva
