// Any bytes as registry-editor text. Whatever imports must come back the
// same through export and a second import: keys, values and types.
#include <cstdint>
#include <cstdlib>

#include "fakes/FakeRegistry.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/TextEncoding.h"

namespace {

constexpr std::u16string_view kDestination = u"HKCU\\fuzz";

std::optional<kva::FakeKey> Imported(kva::FakeRegistry& registry, const kva::RegFile& file) {
  if (!kva::ApplyRegFile(registry, file, {std::u16string(kDestination), {}})) return std::nullopt;
  return registry.Snapshot(kva::reg::kCurrentUser, u"fuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = kva::DecodeText({data, size}, kva::WithoutMark::Utf8IfValid);
  const auto file = kva::ParseRegText(decoded.text);
  // Keys outside the first one, or names the registry refuses, end here.
  kva::FakeRegistry first;
  const auto tree = file ? Imported(first, *file) : std::nullopt;
  if (!tree) return 0;

  kva::RegKey key(first);
  if (!kva::Open(key, kDestination, kva::reg::kRead)) std::abort();
  const auto text = kva::ExportRegText(key, file->keys.front().path);
  if (!text) std::abort();
  const auto reparsed = kva::ParseRegText(*text);
  if (!reparsed) std::abort();
  kva::FakeRegistry second;
  if (Imported(second, *reparsed) != tree) std::abort();
  return 0;
}
