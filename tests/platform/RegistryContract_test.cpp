#include "platform/RegistryContract.h"

#include <algorithm>
#include <functional>

#include "fakes/FakeRegistry.h"
#include "fakes/RecordingPump.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

using namespace std::string_view_literals;

class FakeBackend final : public RegistryBackend {
 public:
  Registry& Port() override { return registry_; }
  std::u16string NewHiveFile(std::u16string_view name) override {
    return u"C:\\KelvaraTest\\" + std::u16string(name);
  }
  bool FileExists(std::u16string_view file) override { return registry_.HiveFileExists(file); }
  void RemoveFile(std::u16string_view file) override { registry_.RemoveHiveFile(file); }
  bool DenyAccess(KeyHandle root, std::u16string_view subkey) override {
    return registry_.DenyAccess(root, subkey);
  }
  [[nodiscard]] bool RefusesOverwrite() const override { return true; }
  [[nodiscard]] bool KeepsValueOrder() const override { return true; }

 private:
  FakeRegistry registry_;
};

constexpr std::u16string_view kScratchParent = u"Software\\KelvaraTest";

std::vector<std::u16string> Names(Registry& registry, std::u16string_view path, bool subkeys) {
  RegKey key(registry);
  std::vector<std::u16string> names;
  if (!Open(key, path, reg::kRead)) return names;
  std::u16string name;
  for (std::uint32_t i = 0; subkeys ? EnumKey(key, i, name) : EnumValue(key, i, name); ++i) {
    names.push_back(name);
  }
  return names;
}

// The whole tree below path, read through the layer, for comparisons.
FakeKey ReadTree(Registry& registry, std::u16string_view path) {
  FakeKey tree;
  RegKey key(registry);
  if (!Open(key, path, reg::kRead)) return tree;
  for (const auto& name : Names(registry, path, false)) {
    RegValue value;
    ReadRaw(key, name, value);
    tree.values.push_back({name, value});
  }
  for (const auto& name : Names(registry, path, true)) {
    tree.subkeys.push_back(ReadTree(registry, std::u16string(path) + u'\\' + name));
    tree.subkeys.back().name = name;
  }
  return tree;
}

std::vector<std::uint8_t> Bytes(std::u16string_view units) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

}  // namespace

void RegistryContract::SetUp() {
  backend_ = GetParam().make();
  std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  test = test.substr(0, test.find('/'));
  scratch_ = u"HKCU\\" + std::u16string(kScratchParent) + u'\\' + AsciiToUtf16(test);
  RegKey key(Port());
  ForceDelete(key, scratch_);  // left over by an interrupted run
  ASSERT_TRUE(Open(key, scratch_, kOpenOrCreate));
}

void RegistryContract::TearDown() {
  if (!backend_) return;
  Port().UnloadHive(reg::kLocalMachine, kTestHive);
  RegKey key(Port());
  // Forced, because tests leave keys that refuse access.
  for (const auto& path : extraKeys_) ForceDelete(key, path);
  ForceDelete(key, scratch_);
  DeleteValueAt(key, u"HKCU\\" + std::u16string(kScratchParent), std::nullopt);
  for (const auto& file : files_) backend_->RemoveFile(file);
}

std::u16string RegistryContract::At(std::u16string_view relative) const {
  return scratch_ + u'\\' + std::u16string(relative);
}

std::u16string RegistryContract::HiveFile(std::u16string_view name) {
  files_.push_back(backend_->NewHiveFile(name));
  return files_.back();
}

TEST_P(RegistryContract, ViewsOfHklmSoftware) {
  constexpr auto kNative = u"HKLM\\SOFTWARE\\KelvaraTest\\Views"sv;
  constexpr auto kWow = u"HKLM\\SOFTWARE\\WOW6432Node\\KelvaraTest\\Views"sv;
  CleanUpLater(u"HKLM\\SOFTWARE\\KelvaraTest");
  CleanUpLater(u"HKLM\\SOFTWARE\\WOW6432Node\\KelvaraTest");
  struct Case {
    const char* name;
    std::u16string_view written, landsAt, notAt;
  };
  const Case cases[] = {
      {"32-bit suffix", u"HKLM32\\SOFTWARE\\KelvaraTest\\Views", kWow, kNative},
      {"long root, lower case", u"hkey_local_machine32\\software\\KelvaraTest\\Views", kWow,
       kNative},
      {"32-bit path naming WOW6432Node", u"HKLM32\\SOFTWARE\\WOW6432Node\\KelvaraTest\\Views", kWow,
       kNative},
      {"64-bit suffix", u"HKLM64\\SOFTWARE\\KelvaraTest\\Views", kNative, kWow},
      {"no suffix", u"HKLM\\SOFTWARE\\KelvaraTest\\Views", kNative, kWow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteDwordAt(Port(), c.written, u"Probe", 1));
    EXPECT_TRUE(PathExists(Port(), c.landsAt, u"Probe"sv));
    EXPECT_FALSE(PathExists(Port(), c.notAt, u"Probe"sv));
    RegKey key(Port());
    EXPECT_TRUE(DeleteTree(key, c.written));
    EXPECT_FALSE(PathExists(Port(), c.landsAt));
  }
}

TEST_P(RegistryContract, RootsOpenAndUnknownRootsFail) {
  struct Case {
    const char* name;
    std::u16string_view path;
    bool opens;
  };
  const Case cases[] = {
      {"root alone", u"HKLM", true},
      {"long root alone", u"HKEY_LOCAL_MACHINE", true},
      {"root and backslash", u"HKLM\\", true},
      {"64-bit root alone", u"HKLM64", true},
      {"lower case", u"hkcu\\software", true},
      {"users", u"HKU", true},
      {"classes", u"HKEY_CLASSES_ROOT", true},
      {"unknown root", u"HKXX\\Software", false},
      {"no root", u"Software", false},
      {"empty", u"", false},
      {"suffix alone", u"64\\Software", false},
      {"two suffixes", u"HKLM3264\\SOFTWARE", false},
      {"root not first", u"Software\\HKLM", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegKey key(Port());
    EXPECT_EQ(Open(key, c.path, reg::kRead), c.opens);
    EXPECT_EQ(key.IsOpen(), c.opens);
  }
  const auto machine = Names(Port(), u"HKLM", true);
  EXPECT_TRUE(std::any_of(machine.begin(), machine.end(),
                          [](const auto& name) { return EqualsNoCase(name, u"SOFTWARE"); }));
}

TEST_P(RegistryContract, EveryOperationFailsOnAnUnknownRoot) {
  constexpr auto kBad = u"HKXX\\Software\\KelvaraTest"sv;
  RecordingPump pump;
  struct Case {
    const char* name;
    std::function<bool(Registry&)> run;
  };
  const Case cases[] = {
      {"open or create",
       [&](Registry& r) {
         RegKey k(r);
         return Open(k, kBad, kOpenOrCreate);
       }},
      {"write string", [&](Registry& r) { return WriteStringAt(r, kBad, u"v", reg::kSz, u"x"); }},
      {"write dword", [&](Registry& r) { return WriteDwordAt(r, kBad, u"v", 1); }},
      {"path exists", [&](Registry& r) { return PathExists(r, kBad); }},
      {"delete tree",
       [&](Registry& r) {
         RegKey k(r);
         return DeleteTree(k, kBad);
       }},
      {"delete key",
       [&](Registry& r) {
         RegKey k(r);
         return DeleteValueAt(k, kBad, {});
       }},
      {"copy from", [&](Registry& r) { return CopyTree(r, kBad, At(u"To"), pump) != 0; }},
      {"copy to", [&](Registry& r) { return CopyTree(r, Scratch(), kBad, pump) != 0; }},
      {"reset security", [&](Registry& r) { return ResetKeySecurity(r, kBad); }},
      {"force delete",
       [&](Registry& r) {
         RegKey k(r);
         return ForceDelete(k, kBad);
       }},
      {"force set", [&](Registry& r) { return ForceSetValue(r, kBad, u"v", DwordValue(1)); }},
  };
  ASSERT_TRUE(WriteDwordAt(Port(), Scratch(), u"Source", 1));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(c.run(Port()));
  }
}

TEST_P(RegistryContract, MultiStringsRoundTrip) {
  struct Case {
    const char* name;
    std::u16string_view written, stored, read;
  };
  const Case cases[] = {
      {"two items", u"a\nb", u"a\0b\0\0"sv, u"a\nb"},
      {"trailing line feeds dropped", u"a\nb\n\n", u"a\0b\0\0"sv, u"a\nb"},
      {"one item", u"solo", u"solo\0\0"sv, u"solo"},
      {"no items", u"", u"\0\0"sv, u""},
  };
  RegKey key(Port());
  ASSERT_TRUE(Open(key, Scratch(), kOpenOrCreate));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteString(key, u"List", reg::kMultiSz, c.written));
    RegValue raw;
    ASSERT_TRUE(ReadRaw(key, u"List", raw));
    EXPECT_EQ(raw, (RegValue{reg::kMultiSz, Bytes(c.stored)}));
    std::u16string text;
    ASSERT_TRUE(ReadString(key, u"List", text));
    EXPECT_EQ(text, c.read);
    ASSERT_TRUE(WriteString(key, u"List", reg::kMultiSz, text));
    ASSERT_TRUE(ReadRaw(key, u"List", raw));
    EXPECT_EQ(raw.data, Bytes(c.stored));
  }
}

TEST_P(RegistryContract, TypedReadsAcceptOnlyTheirTypes) {
  struct Case {
    const char* name;
    RegValue stored;
    bool isString;
    std::u16string_view text;
    bool isDword;
    std::uint32_t number;
  };
  const Case cases[] = {
      {"REG_SZ holding 1", StringValue(reg::kSz, u"1"), true, u"1", false, 0},
      {"REG_EXPAND_SZ stays unexpanded", StringValue(reg::kExpandSz, u"%SystemRoot%\\x"), true,
       u"%SystemRoot%\\x", false, 0},
      {"REG_SZ without its NUL", {reg::kSz, Bytes(u"ab")}, true, u"ab", false, 0},
      {"REG_DWORD", DwordValue(0x01020304), false, u"", true, 0x01020304},
      {"three-byte REG_DWORD", {reg::kDword, {1, 2, 3}}, false, u"", false, 0},
      {"four-byte REG_BINARY", {reg::kBinary, {1, 0, 0, 0}}, false, u"", false, 0},
      {"REG_QWORD", {reg::kQword, {1, 0, 0, 0, 0, 0, 0, 0}}, false, u"", false, 0},
  };
  RegKey key(Port());
  ASSERT_TRUE(Open(key, Scratch(), kOpenOrCreate));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteRaw(key, u"Typed", c.stored));
    std::u16string text = u"stale";
    std::uint32_t number = 99;
    EXPECT_EQ(ReadString(key, u"Typed", text), c.isString);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(ReadDword(key, u"Typed", number), c.isDword);
    EXPECT_EQ(number, c.number);
  }
  std::u16string text = u"stale";
  std::uint32_t number = 99;
  EXPECT_FALSE(ReadString(key, u"Missing", text));
  EXPECT_FALSE(ReadDword(key, u"Missing", number));
  EXPECT_EQ(text, u"");
  EXPECT_EQ(number, 0u);
}

TEST_P(RegistryContract, DefaultValueHasTheEmptyName) {
  RegKey key(Port());
  ASSERT_TRUE(Open(key, Scratch(), kOpenOrCreate));
  std::u16string text;
  EXPECT_FALSE(ReadString(key, u"", text));
  EXPECT_FALSE(PathExists(Port(), Scratch(), u""sv));
  ASSERT_TRUE(WriteString(key, u"", reg::kSz, u"fallback"));
  EXPECT_TRUE(ReadString(key, u"", text));
  EXPECT_EQ(text, u"fallback");
  EXPECT_TRUE(PathExists(Port(), Scratch(), u""sv));
  EXPECT_EQ(Names(Port(), Scratch(), false), std::vector<std::u16string>{u""});
  EXPECT_TRUE(DeleteValue(key, u""));
  EXPECT_FALSE(PathExists(Port(), Scratch(), u""sv));
  EXPECT_TRUE(PathExists(Port(), Scratch()));
}

TEST_P(RegistryContract, EnumerationOrderAndNameCase) {
  for (const auto name : {u"beta", u"Alpha", u"gamma", u"ALPHA2", u"Delta", u"alpha"}) {
    RegKey key(Port());
    ASSERT_TRUE(Open(key, At(name), kOpenOrCreate));
  }
  using Names_ = std::vector<std::u16string>;
  EXPECT_EQ(Names(Port(), Scratch(), true),
            (Names_{u"Alpha", u"ALPHA2", u"beta", u"Delta", u"gamma"}));
  RegKey key(Port());
  ASSERT_TRUE(Open(key, Scratch(), kOpenOrCreate));
  for (const auto name : {u"zeta", u"Alpha", u"mid", u"ZETA"}) {
    ASSERT_TRUE(WriteDword(key, name, 7));
  }
  const Names_ created{u"zeta", u"Alpha", u"mid"};
  if (backend_->KeepsValueOrder()) {
    EXPECT_EQ(Names(Port(), Scratch(), false), created);
  } else {
    EXPECT_EQ(Names(Port(), Scratch(), false), (Names_{u"Alpha", u"mid", u"zeta"}));
  }
  EXPECT_EQ(SubkeyCount(key), 5u);
  EXPECT_EQ(ValueCount(key), 3u);
  std::u16string name = u"stale";
  EXPECT_FALSE(EnumKey(key, 5, name));
  EXPECT_EQ(name, u"");
  EXPECT_FALSE(EnumValue(key, 3, name));
  EXPECT_TRUE(PathExists(Port(), At(u"BETA")));
  EXPECT_TRUE(PathExists(Port(), u"hkcu\\" + Scratch().substr(5), u"MID"sv));
  EXPECT_TRUE(DeleteValue(key, u"ALPHA"));
  EXPECT_TRUE(DeleteValueAt(key, At(u"DELTA"), std::nullopt));
  ASSERT_TRUE(Open(key, Scratch(), reg::kRead));
  EXPECT_EQ(SubkeyCount(key), 4u);
  EXPECT_EQ(ValueCount(key), 2u);
  EXPECT_EQ(SubkeyCount(RegKey(Port())), 0u);
}

TEST_P(RegistryContract, DeleteTreeRemovesASubtree) {
  for (const auto path : {u"Tree\\Branch\\Leaf", u"Tree\\Other", u"Sibling"}) {
    ASSERT_TRUE(WriteDwordAt(Port(), At(path), u"v", 1));
  }
  RegKey key(Port());
  EXPECT_FALSE(DeleteValueAt(key, At(u"Tree"), std::nullopt));  // still has subkeys
  EXPECT_TRUE(DeleteTree(key, At(u"Tree")));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(PathExists(Port(), At(u"Tree")));
  EXPECT_TRUE(PathExists(Port(), At(u"Sibling"), u"v"sv));
  EXPECT_FALSE(DeleteTree(key, At(u"Tree")));
  EXPECT_TRUE(DeleteValueAt(key, At(u"Sibling"), u"v"sv));
  EXPECT_FALSE(PathExists(Port(), At(u"Sibling"), u"v"sv));
  EXPECT_TRUE(DeleteValueAt(key, At(u"Sibling"), std::nullopt));
  EXPECT_FALSE(PathExists(Port(), At(u"Sibling")));
}

TEST_P(RegistryContract, DeleteTreeOfAHiveRootKeepsItsValues) {
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Hive"), u"Version", 3));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Hive\\Groups\\1"), u"Shown", 1));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Hive\\Tools"), u"Count", 2));
  const auto file = HiveFile(u"kva_hive_root.hiv");
  RecordingPump pump;
  RegKey key(Port());
  ASSERT_TRUE(Open(key, At(u"Hive"), reg::kRead));
  ASSERT_TRUE(SaveKey(key, file, pump));
  key.Reset();
  ASSERT_EQ(Port().LoadHive(reg::kLocalMachine, kTestHive, file), reg::kSuccess);
  const auto hive = u"HKLM\\" + std::u16string(kTestHive);
  EXPECT_TRUE(DeleteTree(key, hive));
  EXPECT_TRUE(PathExists(Port(), hive, u"Version"sv));
  EXPECT_EQ(Names(Port(), hive, true), std::vector<std::u16string>{});
  // Also proves the layer left no handle open inside the hive.
  EXPECT_EQ(Port().UnloadHive(reg::kLocalMachine, kTestHive), reg::kSuccess);
}

// What unload writes to the file differs (Windows persists, Wine does
// not), so changes are persisted with SaveKey, as the program does.
TEST_P(RegistryContract, HiveSavedLoadedAndUnloaded) {
  ASSERT_TRUE(WriteStringAt(Port(), At(u"Source"), u"Name", reg::kSz, u"Kelvara"));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Source\\Group"), u"Shown", 1));
  const auto saved = HiveFile(u"kva_saved.hiv");
  const auto resaved = HiveFile(u"kva_resaved.hiv");
  const auto hive = u"HKLM\\" + std::u16string(kTestHive);
  RecordingPump pump;
  RegKey key(Port());
  ASSERT_TRUE(Open(key, At(u"Source"), reg::kRead));
  ASSERT_TRUE(SaveKey(key, saved, pump));
  key.Reset();

  ASSERT_EQ(Port().LoadHive(reg::kLocalMachine, kTestHive, saved), reg::kSuccess);
  const auto tree = ReadTree(Port(), At(u"Source"));
  EXPECT_EQ(ReadTree(Port(), hive), tree);
  ASSERT_TRUE(WriteDwordAt(Port(), hive + u"\\Group", u"Added", 5));
  ASSERT_TRUE(Open(key, hive, reg::kRead));
  ASSERT_TRUE(SaveKey(key, resaved, pump));
  key.Reset();
  ASSERT_EQ(Port().UnloadHive(reg::kLocalMachine, kTestHive), reg::kSuccess);
  EXPECT_FALSE(PathExists(Port(), hive));

  ASSERT_EQ(Port().LoadHive(reg::kLocalMachine, kTestHive, resaved), reg::kSuccess);
  EXPECT_TRUE(PathExists(Port(), hive, u"Name"sv));
  EXPECT_TRUE(PathExists(Port(), hive + u"\\Group", u"Added"sv));
  EXPECT_EQ(Port().UnloadHive(reg::kLocalMachine, kTestHive), reg::kSuccess);
}

TEST_P(RegistryContract, HiveCallsReportWindowsErrors) {
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Source"), u"v", 1));
  const auto file = HiveFile(u"kva_statuses.hiv");
  RecordingPump pump;
  RegKey key(Port());
  ASSERT_TRUE(Open(key, At(u"Source"), reg::kRead));
  ASSERT_TRUE(SaveKey(key, file, pump));
  Registry& port = Port();
  EXPECT_EQ(port.LoadHive(reg::kLocalMachine, kTestHive, HiveFile(u"kva_missing.hiv")),
            reg::kFileNotFound);
  EXPECT_EQ(port.UnloadHive(reg::kLocalMachine, kTestHive), reg::kFileNotFound);
  ASSERT_EQ(port.LoadHive(reg::kLocalMachine, kTestHive, file), reg::kSuccess);
  EXPECT_EQ(port.LoadHive(reg::kLocalMachine, kTestHive, file), reg::kAlreadyExists);
  ASSERT_TRUE(Open(key, u"HKLM\\" + std::u16string(kTestHive), reg::kRead));
  EXPECT_EQ(port.UnloadHive(reg::kLocalMachine, kTestHive), reg::kAccessDenied);  // open handle
  key.Reset();
  EXPECT_EQ(port.UnloadHive(reg::kLocalMachine, kTestHive), reg::kSuccess);
}

TEST_P(RegistryContract, HandlesOfDeletedKeysFail) {
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Doomed"), u"v", 1));
  RegKey doomed(Port());
  ASSERT_TRUE(Open(doomed, At(u"Doomed"), reg::kAllAccess));
  RegKey parent(Port());
  ASSERT_TRUE(Open(parent, Scratch(), reg::kAllAccess));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Parent\\Child"), u"v", 1));
  EXPECT_EQ(Port().RemoveKey(parent.Handle(), u"Parent", 0), reg::kAccessDenied);  // has subkeys
  EXPECT_EQ(Port().RemoveKey(parent.Handle(), u"Missing", 0), reg::kFileNotFound);
  ASSERT_EQ(Port().RemoveKey(parent.Handle(), u"Doomed", 0), reg::kSuccess);
  RegValue value;
  std::u16string name;
  KeyHandle child = reg::kNoKey;
  EXPECT_EQ(Port().QueryValue(doomed.Handle(), u"v", value), reg::kKeyDeleted);
  EXPECT_EQ(Port().SetValue(doomed.Handle(), u"v", reg::kDword, value.data), reg::kKeyDeleted);
  EXPECT_EQ(Port().EnumKey(doomed.Handle(), 0, name), reg::kKeyDeleted);
  EXPECT_EQ(Port().CreateKey(doomed.Handle(), u"New", 0, reg::kAllAccess, child), reg::kKeyDeleted);
}

TEST_P(RegistryContract, HandlesKeepTheirAccess) {
  ASSERT_TRUE(WriteDwordAt(Port(), Scratch(), u"v", 1));
  RegKey readOnly(Port()), writeOnly(Port());
  ASSERT_TRUE(Open(readOnly, Scratch(), reg::kRead));
  ASSERT_TRUE(Open(writeOnly, Scratch(), reg::kSetValue));
  EXPECT_FALSE(WriteDword(readOnly, u"v", 2));
  EXPECT_FALSE(DeleteValue(readOnly, u"v"));
  std::uint32_t number = 0;
  EXPECT_FALSE(ReadDword(writeOnly, u"v", number));
  std::u16string name;
  EXPECT_FALSE(EnumKey(writeOnly, 0, name));
  EXPECT_TRUE(ReadDword(readOnly, u"v", number));
  EXPECT_EQ(number, 1u);
}

TEST_P(RegistryContract, CopyTreeCountsValuesAndPumps) {
  const RegValue values[] = {DwordValue(1),
                             StringValue(reg::kSz, u"text"),
                             StringValue(reg::kExpandSz, u"%ToolsDir%"),
                             StringValue(reg::kMultiSz, u"a\nb"),
                             {reg::kBinary, {0, 1, 2}},
                             {reg::kQword, {1, 2, 3, 4, 5, 6, 7, 8}},
                             StringValue(reg::kSz, u"default")};
  RegKey key(Port());
  ASSERT_TRUE(Open(key, At(u"From"), kOpenOrCreate));
  for (std::size_t i = 0; i + 1 < std::size(values); ++i) {
    ASSERT_TRUE(WriteRaw(key, u"v" + ToDecimal(static_cast<std::int64_t>(i)), values[i]));
  }
  ASSERT_TRUE(WriteRaw(key, u"", values[6]));
  for (int i = 1; i <= 6; ++i) {
    ASSERT_TRUE(WriteDwordAt(Port(), At(u"From\\k" + ToDecimal(i)), u"n", i));
  }
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"From\\k1\\deep"), u"n", 0));
  key.Reset();

  RecordingPump pump;
  EXPECT_EQ(CopyTree(Port(), At(u"From"), At(u"To"), pump), 7u + 6u + 1u);
  // Every fifth value and every fifth subkey of a key: seven values and six
  // subkeys at the top, one value below.
  EXPECT_EQ(pump.processCount, 2);
  EXPECT_EQ(ReadTree(Port(), At(u"To")), ReadTree(Port(), At(u"From")));

  EXPECT_EQ(CopyTree(Port(), At(u"From"), At(u"From"), pump), 0u);
  EXPECT_EQ(CopyTree(Port(), At(u"From"), u"HKEY_CURRENT_USER" + At(u"From").substr(4), pump), 0u);
  EXPECT_EQ(CopyTree(Port(), At(u"From"), At(u"FROM\\k1\\Inner"), pump), 0u);
  EXPECT_FALSE(PathExists(Port(), At(u"From\\k1\\Inner")));
  EXPECT_EQ(CopyTree(Port(), At(u"Missing"), At(u"Elsewhere"), pump), 0u);
  EXPECT_FALSE(PathExists(Port(), At(u"Elsewhere")));
}

TEST_P(RegistryContract, SaveKeyPumpsAndRefusesAnExistingFile) {
  ASSERT_TRUE(WriteDwordAt(Port(), Scratch(), u"v", 1));
  const auto file = HiveFile(u"kva_save.hiv");
  RegKey key(Port());
  ASSERT_TRUE(Open(key, Scratch(), reg::kRead));
  RecordingPump pump;
  EXPECT_TRUE(SaveKey(key, file, pump));
  EXPECT_TRUE(backend_->FileExists(file));
  EXPECT_GE(pump.processCount, 1);
  EXPECT_EQ(pump.idleCount, pump.processCount);
  EXPECT_EQ(pump.lastIdleMilliseconds, 20u);
  if (backend_->RefusesOverwrite()) {
    EXPECT_FALSE(SaveKey(key, file, pump));
  }
  backend_->RemoveFile(file);  // as the program's callers do first
  EXPECT_TRUE(SaveKey(key, file, pump));
  const auto never = HiveFile(u"kva_never.hiv");
  EXPECT_FALSE(SaveKey(RegKey(Port()), never, pump));
  EXPECT_FALSE(backend_->FileExists(never));
}

TEST_P(RegistryContract, AccessDeniedKeysStillExist) {
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Locked\\Inner"), u"v", 1));
  const auto subkey = Scratch().substr(5);  // below HKCU
  ASSERT_TRUE(backend_->DenyAccess(reg::kCurrentUser, subkey + u"\\Locked"));
  RegKey key(Port());
  EXPECT_FALSE(Open(key, At(u"Locked"), reg::kRead));
  EXPECT_TRUE(KeyExists(Port(), reg::kCurrentUser, subkey + u"\\Locked"));
  EXPECT_TRUE(PathExists(Port(), At(u"Locked")));
  EXPECT_FALSE(PathExists(Port(), At(u"Locked"), u"v"sv));
  EXPECT_FALSE(KeyExists(Port(), reg::kCurrentUser, subkey + u"\\Missing"));
  EXPECT_FALSE(KeyExists(Port(), reg::kNoKey, subkey));
  // Reaching a readable key below does not need the locked one.
  EXPECT_TRUE(PathExists(Port(), At(u"Locked\\Inner"), u"v"sv));
  EXPECT_TRUE(ResetKeySecurity(Port(), At(u"Locked")));
  EXPECT_TRUE(Open(key, At(u"Locked"), reg::kRead));
}

TEST_P(RegistryContract, ForcedOperationsRepairDeniedKeys) {
  const auto subkey = Scratch().substr(5);
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Tree\\Locked\\Inner"), u"v", 1));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Held"), u"v", 1));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Shut"), u"v", 1));
  ASSERT_TRUE(WriteDwordAt(Port(), At(u"Closed"), u"v", 1));
  for (const auto name : {u"\\Tree\\Locked", u"\\Held", u"\\Shut", u"\\Closed"}) {
    ASSERT_TRUE(backend_->DenyAccess(reg::kCurrentUser, subkey + name));
  }
  RegKey key(Port());
  EXPECT_FALSE(DeleteTree(key, At(u"Tree")));
  EXPECT_TRUE(ForceDelete(key, At(u"Tree")));
  EXPECT_FALSE(PathExists(Port(), At(u"Tree")));

  EXPECT_FALSE(DeleteValueAt(key, At(u"Held"), u"v"sv));
  EXPECT_TRUE(ForceDelete(key, At(u"Held"), u"v"sv));
  EXPECT_FALSE(PathExists(Port(), At(u"Held"), u"v"sv));
  EXPECT_FALSE(ForceDelete(key, At(u"Held"), u"gone"sv));

  EXPECT_FALSE(WriteDwordAt(Port(), At(u"Shut"), u"w", 2));
  EXPECT_TRUE(ForceSetValue(Port(), At(u"Shut"), u"w", DwordValue(2)));
  EXPECT_FALSE(WriteDwordAt(Port(), At(u"Closed\\Below\\Deepest"), u"w", 3));
  EXPECT_TRUE(ForceSetValue(Port(), At(u"Closed\\Below\\Deepest"), u"w", DwordValue(3)));
  ASSERT_TRUE(Open(key, At(u"Shut"), reg::kRead));
  std::uint32_t number = 0;
  EXPECT_TRUE(ReadDword(key, u"w", number));
  EXPECT_EQ(number, 2u);
  EXPECT_TRUE(PathExists(Port(), At(u"Closed\\Below\\Deepest"), u"w"sv));
}

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract,
                         ::testing::Values(RegistryBackendFactory{
                             "Fake",
                             [] { return std::unique_ptr<RegistryBackend>(new FakeBackend); }}),
                         BackendName);

}  // namespace kva
