// Reads INI bytes as the program does, writes one key and checks that the
// rewritten file reads back the same: the written key and every other one.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

#include "platform/IniFile.h"
#include "platform/Text.h"

namespace {

using Snapshot = std::vector<std::pair<std::u16string, std::vector<kva::IniEntry>>>;

Snapshot TakeSnapshot(const kva::IniFile& file) {
  Snapshot snapshot;
  for (auto& section : file.Sections()) {
    auto keys = file.Keys(section);
    for (const auto& key : keys) {
      if (file.ReadString(section, key.name) != key.value) std::abort();
    }
    snapshot.emplace_back(std::move(section), std::move(keys));
  }
  return snapshot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kva::IniFile file = kva::IniFile::Parse(std::span<const std::uint8_t>(data, size));

  // Overwrite the first key of the first section when the file has one, so
  // that replacing and inserting are both reached.
  const auto sections = file.Sections();
  std::u16string section = sections.empty() ? u"Fuzz" : sections.front();
  const auto keys = file.Keys(section);
  std::u16string key = keys.empty() ? u"Key" : keys.front().name;
  const std::u16string value = u"written " + kva::ToDecimal(std::int64_t(size));
  if (!file.WriteString(section, key, value)) {
    section = u"Fuzz";
    key = u"Key";
    if (!file.WriteString(section, key, value)) std::abort();
  }
  if (file.ReadString(section, key) != value) std::abort();

  const Snapshot before = TakeSnapshot(file);
  const auto bytes = file.Serialize();
  const kva::IniFile again = kva::IniFile::Parse(bytes);
  if (again.ReadString(section, key) != value) std::abort();
  if (TakeSnapshot(again) != before || again.Serialize() != bytes) std::abort();
  return 0;
}
