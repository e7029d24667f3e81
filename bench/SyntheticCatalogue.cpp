#include "SyntheticCatalogue.h"

#include "catalog/Names.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva::bench {
namespace {

constexpr int kCatalogueGroups = 22;  // 3 to 24
constexpr int kToolsPerGroup = 30;
constexpr int kRepairActions = 40;

FakeKey::Value Sz(std::u16string_view name, std::u16string_view text) {
  return {std::u16string(name), StringValue(reg::kSz, text)};
}

FakeKey::Value Dword(std::u16string_view name, std::uint32_t number) {
  return {std::u16string(name), DwordValue(number)};
}

FakeKey Tool(std::u16string name, int serial) {
  const auto number = ToDecimal(serial);
  return {std::move(name),
          {Sz(u"url1", u"page " + number), Sz(u"downloadfile", u"%ToolsDir%\\t" + number + u".zip"),
           Sz(u"command1", u"%ToolsDir%\\t" + number + u"\\run.exe"), Dword(u"flag1", 17),
           Dword(u"iImage", std::uint32_t(141 + serial % 600)),
           Sz(u"Description", u"A tool that does something useful, number " + number)},
          {}};
}

}  // namespace

FakeKey SyntheticCatalogue() {
  FakeKey root{u"kva_default_tools", {Dword(u"Version", 509)}, {}};
  int serial = 0;
  for (int g = 1; g <= 24; ++g) {
    root.values.push_back(Sz(ToDecimal(g), u"Group number " + ToDecimal(g)));
    FakeKey group{ToDecimal(g), {Dword(u"GroupImage", std::uint32_t(229 + g))}, {}};
    const int count = g >= 3 ? kToolsPerGroup : 0;
    for (int t = 0; t < count; ++t, ++serial) {
      group.subkeys.push_back(Tool(u"Catalogue tool " + ToDecimal(serial), serial));
    }
    root.subkeys.push_back(std::move(group));
  }
  FakeKey repairs{u"1001", {}, {}};
  for (int t = 0; t < kRepairActions; ++t, ++serial) {
    const auto name = ToDecimal(1 + t % 8) + u"-Repair action " + ToDecimal(t);
    repairs.subkeys.push_back(Tool(name, serial));
  }
  root.subkeys.push_back(std::move(repairs));
  return root;
}

std::size_t WalkCatalogue(Registry& registry) {
  RegKey root(registry);
  Open(root, kCatalogueRootPath, reg::kRead);
  std::size_t values = 0;
  std::u16string group, tool, value;
  for (std::uint32_t g = 0; EnumKey(root, g, group); ++g) {
    RegKey groupKey(registry);
    Open(groupKey, std::u16string(kCatalogueRootPath) + u"\\" + group, reg::kRead);
    for (std::uint32_t t = 0; EnumKey(groupKey, t, tool); ++t) {
      RegKey toolKey(registry);
      Open(toolKey, std::u16string(kCatalogueRootPath) + u"\\" + group + u"\\" + tool, reg::kRead);
      for (std::uint32_t v = 0; EnumValue(toolKey, v, value); ++v) {
        RegValue data;
        values += ReadRaw(toolKey, value, data) ? 1 : 0;
      }
    }
  }
  return values;
}

bool WriteTree(Registry& registry, std::u16string_view path, const FakeKey& tree) {
  RegKey key(registry);
  if (!Open(key, path, kOpenOrCreate)) return false;
  for (const auto& value : tree.values) {
    if (!WriteRaw(key, value.name, value.value)) return false;
  }
  for (const auto& sub : tree.subkeys) {
    if (!WriteTree(registry, std::u16string(path) + u"\\" + sub.name, sub)) return false;
  }
  return true;
}

}  // namespace kva::bench
