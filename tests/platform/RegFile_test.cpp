#include "platform/RegFile.h"

#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"

namespace kva {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00\n";

std::u16string WithHeader(std::u16string_view body) {
  return std::u16string(kHeader) + std::u16string(body);
}

RegValue Sz(std::u16string_view text) { return StringValue(reg::kSz, text); }

RegValue Raw(std::uint32_t type, std::vector<std::uint8_t> bytes) {
  return RegValue{type, std::move(bytes)};
}

RegValue Utf16(std::uint32_t type, std::u16string_view text) {
  return Raw(type, EncodeUtf16Le(text, false));
}

RegValueEdit Set(std::size_t line, std::u16string name, RegValue value) {
  return {line, std::move(name), std::move(value)};
}

TEST(ParseRegText, ReadsEveryForm) {
  struct Case {
    const char* name;
    std::u16string text;
    RegFileVersion version;
    std::vector<RegKeyEdit> want;
  };
  const Case cases[] = {
      {"every value type",
       WithHeader(uR"(
[HKEY_LOCAL_MACHINE\kva_tools]
@="default"
"sz"="text"
"empty"=""
"dword"=dword:0000002A
"short dword"=dword:7
"qword"=qword:100000000
"binary"=hex:de,ad,BE,ef
"empty binary"=hex:
"none"=hex(0):
"expand"=hex(2):25,00,00,00
"multi"=hex(7):61,00,00,00,00,00
"qword bytes"=hex(b):01,00,00,00,00,00,00,00
"big endian"=hex(5):00,00,00,01
"other"=HEX(80000000):ff
)"),
       RegFileVersion::Version5,
       {{3,
         u"HKEY_LOCAL_MACHINE\\kva_tools",
         false,
         {Set(4, u"", Sz(u"default")), Set(5, u"sz", Sz(u"text")), Set(6, u"empty", Sz(u"")),
          Set(7, u"dword", DwordValue(42)), Set(8, u"short dword", DwordValue(7)),
          Set(9, u"qword", Raw(reg::kQword, {0, 0, 0, 0, 1, 0, 0, 0})),
          Set(10, u"binary", Raw(reg::kBinary, {0xDE, 0xAD, 0xBE, 0xEF})),
          Set(11, u"empty binary", Raw(reg::kBinary, {})), Set(12, u"none", Raw(reg::kNone, {})),
          Set(13, u"expand", Utf16(reg::kExpandSz, std::u16string(u"%\0", 2))),
          Set(14, u"multi", Utf16(reg::kMultiSz, std::u16string(u"a\0\0", 3))),
          Set(15, u"qword bytes", Raw(reg::kQword, {1, 0, 0, 0, 0, 0, 0, 0})),
          Set(16, u"big endian", Raw(reg::kDwordBigEndian, {0, 0, 0, 1})),
          Set(17, u"other", Raw(0x80000000, {0xFF}))}}}},
      {"escapes in names and strings",
       WithHeader(uR"([HKCU\A]
"a\\b \"q\""="c:\\tools\\ \"x\" \n\r\0"
)"),
       RegFileVersion::Version5,
       {{2,
         u"HKCU\\A",
         false,
         {Set(3, u"a\\b \"q\"", Sz(std::u16string(u"c:\\tools\\ \"x\" \n\r\0", 17)))}}}},
      {"continuation lines",
       WithHeader(uR"([HKCU\A]
"bin"=hex:00,01,\
    02,03,\
	04 ; five bytes
"after"=dword:1
)"),
       RegFileVersion::Version5,
       {{2,
         u"HKCU\\A",
         false,
         {Set(3, u"bin", Raw(reg::kBinary, {0, 1, 2, 3, 4})), Set(6, u"after", DwordValue(1))}}}},
      {"comments, blanks and CR LF",
       u"  \r\nWindows Registry Editor Version 5.00\r\n\r\n; note\r\n  ; indented\r\n"
       u"[HKCU\\A]\r\n  \"v\" = dword:1 ; trailing\r\n\"s\"=\"a;b\" ; after\r\n",
       RegFileVersion::Version5,
       {{6, u"HKCU\\A", false, {Set(7, u"v", DwordValue(1)), Set(8, u"s", Sz(u"a;b"))}}}},
      {"REGEDIT4 stores ANSI strings as UTF-16",
       u"REGEDIT4\n[HKLM\\SOFTWARE\\A]\n\"e\"=hex(2):25,e9,00\n\"m\"=hex(7):61,00,80,00,00\n"
       u"\"b\"=hex:e9\n",
       RegFileVersion::Regedit4,
       {{2,
         u"HKLM\\SOFTWARE\\A",
         false,
         {Set(3, u"e", Utf16(reg::kExpandSz, std::u16string(u"%é\0", 3))),
          Set(4, u"m", Utf16(reg::kMultiSz, std::u16string(u"a\0€\0\0", 5))),
          Set(5, u"b", Raw(reg::kBinary, {0xE9}))}}}},
      {"deletions",
       WithHeader(u"[-HKEY_CURRENT_USER\\Old]\n[HKCU\\Keep]\n\"gone\"=-\n@=- ; too\n"),
       RegFileVersion::Version5,
       {{2, u"HKEY_CURRENT_USER\\Old", true, {}},
        {3, u"HKCU\\Keep", false, {{4, u"gone", std::nullopt}, {5, u"", std::nullopt}}}}},
      {"mark, brackets and blanks in key names, view suffix",
       u"\uFEFFWindows Registry Editor Version 5.00\n[HKCU\\a]b]\n[HKLM64\\SOFTWARE\\x y ]  \n",
       RegFileVersion::Version5,
       {{2, u"HKCU\\a]b", false, {}}, {3, u"HKLM64\\SOFTWARE\\x y ", false, {}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = ParseRegText(c.text);
    ASSERT_TRUE(file.has_value()) << Utf16ToUtf8(Describe(file.error()));
    EXPECT_EQ(file->version, c.version);
    EXPECT_EQ(file->keys, c.want);
  }
}

TEST(ParseRegText, NamesTheLineAndTheReason) {
  struct Case {
    const char* name;
    std::u16string text;
    std::size_t line;
    std::u16string_view reason;  // part of it
  };
  const Case cases[] = {
      {"empty file", u"", 1, u"missing header"},
      {"other header", u"\n\nREGEDIT5\n[HKCU\\A]\n", 3, u"missing header"},
      {"comment before the header", u"; x\nREGEDIT4\n", 1, u"missing header"},
      {"unterminated string", WithHeader(u"[HKCU\\A]\n\"v\"=\"abc\n"), 3, u"unterminated string"},
      {"quote escaped at the end", WithHeader(u"[HKCU\\A]\n\"v\"=\"abc\\\"\n"), 3,
       u"unterminated string"},
      {"unterminated name", WithHeader(u"[HKCU\\A]\n\"v=1\n"), 3, u"unterminated string"},
      {"unknown escape", WithHeader(u"[HKCU\\A]\n\"v\"=\"c:\\tools\"\n"), 3,
       u"unknown escape \\t"},
      {"text after the string", WithHeader(u"[HKCU\\A]\n\"v\"=\"a\"b\"\n"), 3,
       u"after the string"},
      {"bad hex", WithHeader(u"[HKCU\\A]\n\"v\"=hex:00,0g\n"), 3, u"bad hex byte \"0g\""},
      {"three-digit hex byte", WithHeader(u"[HKCU\\A]\n\"v\"=hex:001\n"), 3, u"bad hex byte"},
      {"empty hex byte", WithHeader(u"[HKCU\\A]\n\"v\"=hex:00,,01\n"), 3, u"empty byte"},
      {"bad hex on a continuation line", WithHeader(u"[HKCU\\A]\n\"v\"=hex:00,\\\n  zz\n"), 4,
       u"bad hex byte \"zz\""},
      {"hex continues past the end", WithHeader(u"[HKCU\\A]\n\"v\"=hex:00,\\"), 3,
       u"past the end"},
      {"no comma before the line break", WithHeader(u"[HKCU\\A]\n\"v\"=hex:00\\\n  01\n"), 3,
       u"comma before the line break"},
      {"dword too long", WithHeader(u"[HKCU\\A]\n\"v\"=dword:000000001\n"), 3,
       u"dword value needs 1 to 8 hex digits"},
      {"dword empty", WithHeader(u"[HKCU\\A]\n\"v\"=dword:\n"), 3, u"1 to 8 hex digits"},
      {"dword not hex", WithHeader(u"[HKCU\\A]\n\"v\"=dword:12x\n"), 3, u"1 to 8 hex digits"},
      {"qword too long", WithHeader(u"[HKCU\\A]\n\"v\"=qword:00000000000000001\n"), 3,
       u"qword value needs 1 to 16 hex digits"},
      {"dword bytes of the wrong length", WithHeader(u"[HKCU\\A]\n\"v\"=hex(4):01,02,03\n"), 3,
       u"dword data must be 4 bytes"},
      {"qword bytes of the wrong length",
       WithHeader(u"[HKCU\\A]\n\"v\"=hex(b):01,\\\n  02\n"), 4, u"qword data must be 8 bytes"},
      {"bad hex type", WithHeader(u"[HKCU\\A]\n\"v\"=hex(g):00\n"), 3, u"hex(...)"},
      {"hex type without colon", WithHeader(u"[HKCU\\A]\n\"v\"=hex(2)00\n"), 3, u"colon"},
      {"unknown data", WithHeader(u"[HKCU\\A]\n\"v\"=str:x\n"), 3, u"unknown value data"},
      {"missing =", WithHeader(u"[HKCU\\A]\n\"v\" \"x\"\n"), 3, u"needs ="},
      {"value before any key", WithHeader(u"\n\"v\"=\"x\"\n"), 3, u"before any key"},
      {"value after a deletion", WithHeader(u"[-HKCU\\A]\n@=\"x\"\n"), 3, u"deletion"},
      {"unknown root", WithHeader(u"[HKCU\\A]\n[HKXX\\Software]\n"), 3, u"unknown root key"},
      {"empty key name", WithHeader(u"[HKCU\\A\\\\B]\n"), 2, u"empty key name"},
      {"trailing backslash", WithHeader(u"[HKCU\\A\\]\n"), 2, u"empty key name"},
      {"carriage return in a key name", WithHeader(u"[HKCU\\A\rB]\n"), 2, u"line breaks"},
      {"NUL in a key name", WithHeader(std::u16string(u"[HKCU\\A\0B]\n", 11)), 2, u"NUL"},
      {"NUL in a value name", WithHeader(u"[HKCU\\A]\n\"a\\0\"=\"x\"\n"), 3, u"NUL"},
      {"missing ]", WithHeader(u"[HKCU\\A\n"), 2, u"closing ]"},
      {"text after ]", WithHeader(u"[HKCU\\A] x\n"), 2, u"after the key"},
      {"stray text", WithHeader(u"[HKCU\\A]\nv=1\n"), 3, u"not a key line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = ParseRegText(c.text);
    ASSERT_FALSE(file.has_value());
    EXPECT_EQ(file.error().line, c.line);
    EXPECT_NE(file.error().reason.find(c.reason), kNpos) << Utf16ToUtf8(file.error().reason);
  }
  EXPECT_EQ(Describe({12, u"dword value needs 1 to 8 hex digits"}),
            u"line 12: dword value needs 1 to 8 hex digits");
}

// Imports go into a key below HKLM\SOFTWARE: keys directly under HKLM are
// hive roots, which only a hive load can make.
class RegImport : public testing::Test {
 protected:
  static constexpr std::u16string_view kScratch = u"HKLM\\SOFTWARE\\kvahive_1";

  std::optional<FakeKey> Scratch() {
    return registry.Snapshot(reg::kLocalMachine, u"SOFTWARE\\kvahive_1");
  }

  FakeRegistry registry;
  const ImportTarget rebased{std::u16string(kScratch), {}};
};

TEST_F(RegImport, RebasesTheFileUnderTheDestination) {
  const auto done = ImportRegText(registry, WithHeader(uR"(
[HKEY_LOCAL_MACHINE\kva_tools]
"Version"=dword:1fd
[HKLM\kva_tools\Groups\3]
@="Repair"
[hkey_local_machine\KVA_TOOLS\Groups]
"Count"=dword:1
)"),
                                  rebased);
  ASSERT_TRUE(done.has_value()) << Utf16ToUtf8(Describe(done.error()));
  const FakeKey want{u"kvahive_1",
                     {{u"Version", DwordValue(0x1FD)}},
                     {{u"Groups",
                       {{u"Count", DwordValue(1)}},
                       {{u"3", {{u"", Sz(u"Repair")}}, {}}}}}};
  EXPECT_EQ(Scratch(), want);
}

TEST_F(RegImport, WritesOwnPathsAndDeletes) {
  ASSERT_TRUE(WriteStringAt(registry, u"HKCU\\Software\\Old\\Sub", u"x", reg::kSz, u"1"));
  ASSERT_TRUE(WriteStringAt(registry, u"HKCU\\Software\\Keep", u"gone", reg::kSz, u"1"));
  const auto done = ImportRegText(registry, WithHeader(uR"(
[-HKEY_CURRENT_USER\Software\Old]
[-HKEY_CURRENT_USER\Software\Never there]
[HKEY_CURRENT_USER\Software\Keep]
"gone"=-
"never there"=-
"new"="yes"
)"));
  ASSERT_TRUE(done.has_value()) << Utf16ToUtf8(Describe(done.error()));
  EXPECT_FALSE(PathExists(registry, u"HKCU\\Software\\Old"));
  const FakeKey want{u"Keep", {{u"new", Sz(u"yes")}}, {}};
  EXPECT_EQ(registry.Snapshot(reg::kCurrentUser, u"Software\\Keep"), want);
}

TEST_F(RegImport, RefusesBadInputBeforeWritingAnything) {
  struct Case {
    const char* name;
    std::u16string text;
    std::u16string base;
    std::size_t line;
  };
  const Case cases[] = {
      {"parse error after good lines", WithHeader(u"[HKLM\\kva\\A]\n\"v\"=dword:123456789\n"), {},
       3},
      {"key outside the first key",
       WithHeader(u"[HKLM\\kva]\n@=\"x\"\n[HKLM\\kva\\A]\n[HKLM\\kvax]\n"), {}, 5},
      {"key in another root", WithHeader(u"[HKLM\\kva]\n[HKCU\\kva\\A]\n"), {}, 3},
      {"key in another view", WithHeader(u"[HKLM\\kva]\n[HKLM32\\kva\\A]\n"), {}, 3},
      {"key outside a given base", WithHeader(u"[HKLM\\kva\\A]\n[HKLM\\other]\n"), u"HKLM\\kva",
       3},
      {"deleting the base itself", WithHeader(u"[HKLM\\kva\\A]\n[-HKLM\\kva]\n"), u"HKLM\\kva",
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto done = ImportRegText(registry, c.text, {std::u16string(kScratch), c.base});
    ASSERT_FALSE(done.has_value());
    EXPECT_EQ(done.error().line, c.line) << Utf16ToUtf8(done.error().reason);
    EXPECT_EQ(Scratch(), std::nullopt);
  }
}

TEST_F(RegImport, ReportsTheLineTheRegistryRefused) {
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  const auto done =
      ImportRegText(registry, WithHeader(u"[HKLM\\kva]\n\n\"v\"=\"x\"\n"), rebased);
  ASSERT_FALSE(done.has_value());
  EXPECT_EQ(Describe(done.error()), u"line 4: cannot write value \"v\" in \"HKLM\\kva\"");
}

// A tree with every value type, loaded as a hive the way kvahive export
// sees one.
FakeKey EveryValueType() {
  std::vector<std::uint8_t> longBinary(100);
  for (std::size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = std::uint8_t(i * 7);
  return FakeKey{
      u"all",
      {{u"", Sz(u"default")},
       {u"sz", Sz(u"plain")},
       {u"empty sz", Sz(u"")},
       {u"quotes \"and\" back\\slashes", Sz(u"say \"hi\" to C:\\Tools\\")},
       {u"line\nbreak\rname", Sz(u"x")},
       {u"@", Sz(u"not the default")},
       {u"control characters", Sz(u"a\tb\r\nc")},
       {u"embedded NUL", Utf16(reg::kSz, std::u16string(u"a\0b\0", 4))},
       {u"no closing NUL", Utf16(reg::kSz, u"ab")},
       {u"odd length", Raw(reg::kSz, {0x61, 0x00, 0x00})},
       {u"no bytes", Raw(reg::kSz, {})},
       {u"unpaired surrogate", Utf16(reg::kSz, std::u16string{u'a', char16_t(0xD800), u'\0'})},
       {u"supplementary", Sz(u"\U0001F527")},
       {u"expand", StringValue(reg::kExpandSz, u"%SystemRoot%\\x")},
       {u"multi", StringValue(reg::kMultiSz, u"a\nb")},
       {u"dword", DwordValue(0xDEADBEEF)},
       {u"qword", Raw(reg::kQword, {1, 2, 3, 4, 5, 6, 7, 8})},
       {u"binary", Raw(reg::kBinary, longBinary)},
       {u"empty binary", Raw(reg::kBinary, {})},
       {u"none", Raw(reg::kNone, {})},
       {u"none with bytes", Raw(reg::kNone, {1, 2})},
       {u"big endian", Raw(reg::kDwordBigEndian, {0, 0, 0, 1})},
       {u"type 0x1234", Raw(0x1234, longBinary)}},
      {{u"Groups", {{u"Version", DwordValue(1)}}, {{u"3", {}, {}}}},
       {u"Ümlaut ключ", {{u"日本語", Sz(u"値")}}, {}},
       {u"with ] bracket", {}, {}}}};
}

TEST(RegExport, RoundTripsEveryValueType) {
  FakeRegistry source;
  source.WriteHiveFile(u"all.dat", EveryValueType());
  ASSERT_EQ(source.LoadHive(reg::kLocalMachine, u"all", u"all.dat"), reg::kSuccess);
  RegKey tree(source);
  ASSERT_TRUE(Open(tree, u"HKLM\\all", reg::kRead));
  const auto text = ExportRegText(tree, u"HKEY_LOCAL_MACHINE\\kva_tools");
  ASSERT_TRUE(text.has_value()) << Utf16ToUtf8(text.error().reason);
  SCOPED_TRACE(Utf16ToUtf8(*text));

  for (const auto line : Split(*text, u"\n")) EXPECT_LE(line.size(), 80u);
  FakeRegistry target;
  const auto done = ImportRegText(target, *text, {u"HKLM\\SOFTWARE\\all", {}});
  ASSERT_TRUE(done.has_value()) << Utf16ToUtf8(Describe(done.error()));
  EXPECT_EQ(target.Snapshot(reg::kLocalMachine, u"SOFTWARE\\all"),
            source.Snapshot(reg::kLocalMachine, u"all"));
}

TEST(RegExport, WritesRegeditForms) {
  FakeRegistry registry;
  std::vector<std::uint8_t> bytes(30, 0xAB);
  registry.WriteHiveFile(
      u"small.dat",
      FakeKey{u"small",
              {{u"", Sz(u"d")},
               {u"s\"q\\", Sz(u"a\"b\\")},
               {u"crlf", Utf16(reg::kSz, std::u16string(u"a\r\n\0", 4))},
               {u"n", DwordValue(42)},
               {u"q", Raw(reg::kQword, {1, 0, 0, 0, 0, 0, 0, 0})},
               {u"e", StringValue(reg::kExpandSz, u"%a%")},
               {u"long", Raw(reg::kBinary, bytes)},
               {u"t", Raw(0x20, {})}},
              {{u"Sub", {}, {{u"Deeper", {{u"x", DwordValue(1)}}, {}}}}}});
  ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"small", u"small.dat"), reg::kSuccess);
  RegKey tree(registry);
  ASSERT_TRUE(Open(tree, u"HKLM\\small", reg::kRead));
  const auto text = ExportRegText(tree, u"HKEY_LOCAL_MACHINE\\small");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Utf16ToUtf8(*text), R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\small]
@="d"
"s\"q\\"="a\"b\\"
"crlf"=hex(1):61,00,0d,00,0a,00,00,00
"n"=dword:0000002a
"q"=hex(b):01,00,00,00,00,00,00,00
"e"=hex(2):25,00,61,00,25,00,00,00
"long"=hex:ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\
  ab,ab,ab,ab,ab,ab,ab,ab
"t"=hex(20):

[HKEY_LOCAL_MACHINE\small\Sub]

[HKEY_LOCAL_MACHINE\small\Sub\Deeper]
"x"=dword:00000001

)");
}

TEST(RegExport, FailsRatherThanLeaveOutAValue) {
  FakeRegistry registry;
  registry.WriteHiveFile(u"one.dat", FakeKey{u"one", {}, {{u"Sub", {{u"v", Sz(u"x")}}, {}}}});
  ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"one", u"one.dat"), reg::kSuccess);
  RegKey tree(registry);
  ASSERT_TRUE(Open(tree, u"HKLM\\one", reg::kRead));
  registry.FailNext(FakeRegistry::Call::kQueryValue, reg::kAccessDenied);
  const auto text = ExportRegText(tree, u"HKEY_LOCAL_MACHINE\\one");
  ASSERT_FALSE(text.has_value());
  EXPECT_EQ(text.error().path, u"HKEY_LOCAL_MACHINE\\one\\Sub");
  EXPECT_EQ(text.error().reason, u"cannot read value \"v\" (error 5)");
}

TEST(RegExport, RefusesAShownPathThatWouldNotImport) {
  FakeRegistry registry;
  RegKey tree(registry);
  ASSERT_TRUE(Open(tree, u"HKCU\\Software", reg::kRead));
  for (const std::u16string_view shown : {u"kva_tools", u"HKLM\\kva\\", u"HKLM\\a\nb"}) {
    SCOPED_TRACE(Utf16ToUtf8(shown));
    EXPECT_FALSE(ExportRegText(tree, shown).has_value());
  }
}

}  // namespace
}  // namespace kva
