// Appends a row to a report file of any content (cut short by a crash,
// edited by hand, not a report at all) and checks that nothing before the
// row is lost and that the file ends in the footer.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "platform/Text.h"
#include "reporting/ReportFormat.h"
#include "reporting/ReportStore.h"

namespace {

constexpr std::u16string_view kReport = u"C:\\Reports\\2024-03-07.html";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kva::FakeFileSystem files;
  kva::FakeClock clock;
  const std::string before(reinterpret_cast<const char*>(data), size);
  files.WriteText(kReport, before);
  kva::ReportSession session{std::u16string(kReport),
                             {u"Kelvara", clock.now, u"Acme", u"PC", u"716774B53A92B98525BBA179A159CC71"}};
  const std::size_t written =
      kva::AppendReportEntry(files, clock, session, u"Run tool: ", u"<Fuzz> & co", u"Success: \"done\"");
  const auto after = files.ReadText(kReport);
  const std::string footer = kva::Utf16ToUtf8(kva::kReportFooter);
  if (!after || written == 0 || after->size() < footer.size()) std::abort();
  if (after->compare(after->size() - footer.size(), footer.size(), footer) != 0) std::abort();
  if (after->find("<Fuzz>") != std::string::npos) std::abort();  // escaped
  // Only a footer at the very end, or a file too short for a head, is replaced.
  const bool hadFooter = before.size() >= footer.size() &&
                         before.compare(before.size() - footer.size(), footer.size(), footer) == 0;
  const bool tooShort = before.size() < kva::MinimumReportHeadBytes();
  if (tooShort) return 0;
  const std::string kept = hadFooter ? before.substr(0, before.size() - footer.size()) : before;
  if (!StartsWith(*after, kept)) std::abort();
  return 0;
}
