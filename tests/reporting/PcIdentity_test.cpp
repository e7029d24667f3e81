#include "reporting/PcIdentity.h"

#include <gtest/gtest.h>

#include "fakes/ReferenceCrypto.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWmi.h"
#include "platform/CryptoText.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kProduct =
    u"Select Vendor, Name, IdentifyingNumber from Win32_ComputerSystemProduct";
constexpr std::u16string_view kBoard =
    u"Select Manufacturer, Product, SerialNumber, Version from Win32_BaseBoard";
constexpr std::u16string_view kBios = u"Select SerialNumber from Win32_BIOS";
constexpr std::u16string_view kGuid = u"4c4c4544-0042-3510-8051-b4c04f4e4d31";

FakeWmi::Row Product(std::u16string vendor, std::u16string name, std::u16string serial) {
  return {{u"Vendor", vendor}, {u"Name", name}, {u"IdentifyingNumber", serial}};
}
FakeWmi::Row Board(std::u16string maker, std::u16string product, std::u16string serial,
                   std::u16string version) {
  return {{u"Manufacturer", maker}, {u"Product", product}, {u"SerialNumber", serial},
          {u"Version", version}};
}

struct Machine {
  std::optional<FakeWmi::Row> product = std::nullopt, board = std::nullopt;
  std::optional<std::u16string> bios = std::nullopt;
  bool machineGuid = true;
};

struct Identity {
  bool found = false;
  PcIdentity id;
};

Identity Compute(const Machine& m) {
  FakeWmi wmi;
  if (m.product) wmi.rows[std::u16string(kProduct)] = *m.product;
  if (m.board) wmi.rows[std::u16string(kBoard)] = *m.board;
  if (m.bios) wmi.rows[std::u16string(kBios)] = {{u"SerialNumber", *m.bios}};
  FakeRegistry registry;
  if (m.machineGuid) {
    EXPECT_TRUE(WriteStringAt(registry, u"HKLM64\\SOFTWARE\\Microsoft\\Cryptography",
                              u"MachineGuid", reg::kSz, kGuid));
  }
  ReferenceCrypto crypto;
  Identity result;
  result.found = ComputePcIdentity(wmi, crypto, registry, result.id);
  return result;
}

std::u16string Md5Of(std::u16string_view text) {
  ReferenceCrypto crypto;
  return HashHex(crypto, text);
}

TEST(PcIdentity, DescriptionAndSerialComeFromTheFirstSourceThatHasThem) {
  struct Case {
    const char* name;
    Machine machine;
    std::u16string description, serial;
  };
  const Case cases[] = {
      {"product has both", {Product(u"Dell Inc.", u"OptiPlex 7010", u"ABC"), Board(u"X", u"Y", u"B1", u"1")},
       u"Dell Inc. OptiPlex 7010", u"ABC"},
      {"placeholder vendor: the board describes",
       {Product(u"To be filled by O.E.M.", u"To be filled", u"ABC"),
        Board(u"ASUSTeK COMPUTER INC.", u"PRIME B450M-A", u"B1", u"Rev X.0x")},
       u"ASUSTeK COMPUTER INC. PRIME B450M-A Rev X.0x", u"ABC"},
      {"placeholder test ignores case",
       {Product(u"TO BE FILLED BY o.e.m.", u"x", u"ABC"), Board(u"to be filled by O.E.M.", u"p", u"B1", u"v")},
       u"", u"ABC"},
      {"empty vendor: board for the text only",
       {Product(u"", u"", u"ABC"), Board(u"Intel", u"DZ77", u"BOARD1", u"1.0")}, u"Intel DZ77 1.0", u"ABC"},
      {"no product: board serial", {std::nullopt, Board(u"Intel", u"DZ77", u"BOARD1", u"1.0")},
       u"Intel DZ77 1.0", u"BOARD1"},
      {"BIOS serial last", {Product(u"HP", u"ProDesk", u""), Board(u"HP", u"8054", u"", u"KBC"), u"CZC123"},
       u"HP ProDesk", u"CZC123"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = Compute(c.machine);
    ASSERT_TRUE(got.found);
    EXPECT_EQ(got.id.description, c.description);
    EXPECT_EQ(got.id.serial, c.serial);
    EXPECT_EQ(got.id.fingerprint, Md5Of(c.serial));
  }
}

TEST(PcIdentity, TheSerialIsHashedAsUtf16) {
  const auto got = Compute({Product(u"Dell Inc.", u"OptiPlex", u"ABC")});
  EXPECT_EQ(got.id.fingerprint, u"716774B53A92B98525BBA179A159CC71");
}

TEST(PcIdentity, RecognisesPlaceholderSerials) {
  struct Case {
    std::u16string_view serial;
    bool placeholder;
  };
  const Case cases[] = {
      {u"To be filled by O.E.M.", true}, {u"to be filled by o.e.m.", true},
      {u"Default string", true},         {u"System Serial Number", true},
      {u"None", true},                   {u"NONE", true},
      {u"0", true},                      {u"00000000", true},
      {u"FFFFFFFF", true},               {u"  ", true},
      {u"", true},                       {u" Default string ", true},
      {u"Not Specified", true},          {u"CZC1234XYZ", false},
      {u"5CG0123ABC", false},            {u"0000000A", false},
      {u"NoneSuch", false},              {u"4C4C4544-0042", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.serial));
    EXPECT_EQ(IsPlaceholderSerial(c.serial), c.placeholder);
  }
}

// A placeholder serial would give every such PC the same fingerprint, and
// a second customer's rows would land in the first one's report.
TEST(PcIdentity, PlaceholdersFallThroughToTheNextSourceThenTheMachineGuid) {
  struct Case {
    const char* name;
    Machine machine;
    std::optional<std::u16string> serial;  // empty: no identity
  };
  const Case cases[] = {
      {"product placeholder, board real",
       {Product(u"Dell", u"X", u"Default string"), Board(u"Dell", u"0X", u"/BRD123/", u"A00")}, u"/BRD123/"},
      {"product and board placeholders, BIOS real",
       {Product(u"Dell", u"X", u"0"), Board(u"Dell", u"0X", u"None", u"A00"), u"CZC999"}, u"CZC999"},
      {"all placeholders (as Wine answers)",
       {Product(u"The Wine Project", u"Wine", u"0"), Board(u"Intel", u"Base Board", u"None", u"1.0"), u"0"},
       std::u16string(kGuid)},
      {"nothing from WMI", {}, std::u16string(kGuid)},
      {"no GUID either", {Product(u"A", u"B", u"System Serial Number"), {}, {}, false}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = Compute(c.machine);
    EXPECT_EQ(got.found, c.serial.has_value());
    if (!c.serial) {
      EXPECT_EQ(got.id.fingerprint, u"");
      continue;
    }
    EXPECT_EQ(got.id.serial, *c.serial);
    EXPECT_EQ(got.id.fingerprint, Md5Of(*c.serial));
  }
}

}  // namespace
}  // namespace kva
