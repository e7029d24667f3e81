// The built-in catalogue, checked the way the program reads it: the
// assembled .reg text is imported into the in-memory registry and every
// group and tool is looked at through the registry layer. Each failure
// names the tool and the value at fault.

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/Groups.h"
#include "catalog/Names.h"
#include "catalog/ToolRecord.h"
#include "catalog/WindowsVersion.h"
#include "fakes/FakeRegistry.h"
#include "platform/RegFile.h"
#include "platform/Regex.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"
#include "repair/TagNames.h"

namespace kva {
namespace {

constexpr std::u16string_view kSourceRoot = u"HKEY_LOCAL_MACHINE\\kva_default_tools";
constexpr std::uint32_t kMinCatalogueVersion = 509;
constexpr std::uint32_t kFirstToolImage = 141;
constexpr std::uint32_t kLastToolImage = 760;

// Ids of the program's own pictures inside the tool-icon range.
bool IsProgramImage(std::uint32_t id) {
  constexpr std::uint32_t kOwn[] = {132, 133, 134, 150, 151, 152, 162, 168, 171, 177, 758};
  return std::find(std::begin(kOwn), std::end(kOwn), id) != std::end(kOwn) ||
         (id >= 230 && id <= 254);
}
constexpr std::size_t kMinCommandLength = 3;
constexpr std::size_t kMinDownloadPathLength = 13;
constexpr std::size_t kMinWindowsVersionsLength = 3;
constexpr std::uint32_t kFlag1Bits = 0x1FF;
constexpr std::uint32_t kCommandFlagBits = 0x1 | 0x2 | 0x8;
constexpr std::uint32_t kBothDownloadBits = 0x020 | 0x100;
constexpr std::u16string_view kSeparator = u"=>";

// Publishers that serve their downloads over plain http only.
constexpr std::u16string_view kHttpOnlyHosts[] = {u"www2.gmer.net", u"www.gmer.net"};

constexpr std::u16string_view kDownloadSites[] = {
    u"MajorGeeks", u"Softpedia",  u"SoftpediaZip", u"Softpedia64", u"Softpedia32",
    u"Techspot",   u"Techspot32", u"Techspot64",
};

constexpr std::u16string_view kStringValues[] = {
    value::kUrl1,       value::kLinkText1,  value::kDownloadFile1,
    value::kUrl2,       value::kLinkText2,  value::kDownloadFile2,
    value::kZipPass,    value::kUninstallScript, value::kUninstallCmd,
    value::kNewestVersionCheck, value::kCurrentVersionCheck, value::kWindowsVersions,
    value::kDescription, value::kWebsite,
};

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text); }

bool IsOneOf(std::u16string_view text, std::span<const std::u16string_view> set) {
  for (const auto& entry : set) {
    if (EqualsNoCase(entry, text)) return true;
  }
  return false;
}

// Empty when the address is acceptable, else what is wrong with it.
std::string UrlProblem(std::u16string_view url) {
  const auto schemeEnd = url.find(u"://");
  if (schemeEnd == std::u16string_view::npos) return "has no scheme";
  const auto scheme = url.substr(0, schemeEnd);
  if (!EqualsNoCase(scheme, u"https") && !EqualsNoCase(scheme, u"http")) {
    return "is neither https nor http";
  }
  auto host = url.substr(schemeEnd + 3);
  host = host.substr(0, host.find_first_of(u"/?#"));
  if (host.find(u'@') != std::u16string_view::npos) return "carries user information";
  if (host.starts_with(u'[')) return "names an address, not a host";
  host = host.substr(0, host.find(u':'));
  if (host.empty()) return "names no host";
  if (host.find_first_not_of(u"0123456789.") == std::u16string_view::npos) {
    return "names an address, not a host";
  }
  if (host.find(u'.') == std::u16string_view::npos) return "names no public host";
  if (EqualsNoCase(scheme, u"http") && !IsOneOf(host, kHttpOnlyHosts)) {
    return "is http on a host that is not known to lack https";
  }
  return {};
}

std::string PatternProblem(std::u16string_view pattern, RegexOptions options) {
  if (pattern.empty()) return "has an empty pattern";
  const auto compiled = Regex::Compile(pattern, options);
  if (compiled) return {};
  return "pattern does not compile: " + Utf8(compiled.error().message) + " at " +
         std::to_string(compiled.error().offset);
}

constexpr std::u16string_view kUninstallViews[] = {u"HKLM32", u"HKLM64", u"HKLMALL"};

// Uninstall-key views: one of the three names, or a complete key path.
bool IsUninstallView(std::u16string_view view) {
  constexpr std::size_t kKeyPathWithin = 12;
  if (IsOneOf(view, kUninstallViews)) return true;
  return view.substr(0, kKeyPathWithin).find(u'\\') != std::u16string_view::npos;
}

bool IsRegistryPath(std::u16string_view text) {
  std::u16string path(text);
  std::uint32_t access = 0;
  return ParseRoot(path, access) != reg::kNoKey;
}

std::string UniKeyProblem(const std::vector<std::u16string_view>& parts) {
  if (!IsUninstallView(parts[1])) return "names an unknown view " + Utf8(parts[1]);
  return PatternProblem(parts[2], RegexOptions::Caseless);
}

bool IsVersionResource(std::u16string_view part) {
  return part == u"FileVersion" || part == u"ProductVersion";
}

constexpr RegexOptions kVersionPatternOptions = RegexOptions::Caseless | RegexOptions::DotAll;

std::string UninstallCmdProblem(std::u16string_view text) {
  const auto parts = Split(text, kSeparator);
  if (text.starts_with(u"UniKey=>")) {
    if (parts.size() < 3 || parts.size() > 4) return "needs UniKey, view, pattern and arguments";
    return UniKeyProblem(parts);
  }
  if (text.starts_with(u"HK") && !IsRegistryPath(parts[0])) return "names no registry key";
  if (text.size() < kMinCommandLength) return "is too short for a command";
  return {};
}

std::string CurrentVersionProblem(std::u16string_view text) {
  const auto parts = Split(text, kSeparator);
  if (parts.size() == 1) return {};
  if (parts.size() == 2) {
    if (IsVersionResource(parts[1])) return {};
    return PatternProblem(parts[1], kVersionPatternOptions);
  }
  if (parts[0] == u"UniKey") return UniKeyProblem(parts);
  if (!IsRegistryPath(parts[0])) return "names no registry key";
  return PatternProblem(parts[2], kVersionPatternOptions);
}

std::string NewestVersionProblem(std::u16string_view text) {
  const auto parts = Split(text, kSeparator);
  if (parts.size() == 1) {
    return text.find_first_of(u"0123456789") == std::u16string_view::npos ? "holds no version"
                                                                          : std::string();
  }
  if (parts.size() > 2) return "has more than two parts";
  if (IsVersionResource(parts[1])) return {};
  if (const auto problem = UrlProblem(parts[0]); !problem.empty()) return "page " + problem;
  return PatternProblem(parts[1], kVersionPatternOptions);
}

// Link texts are found by plain text searches in the page; only their
// separator forms have a structure that can be wrong.
std::string LinkTextProblem(std::u16string_view text) {
  if (text.empty() || IsOneOf(text, kDownloadSites)) return {};
  const bool inner = text.size() > 2 && text.substr(1, text.size() - 2).find(u"|||") != kNpos;
  if (inner) {
    const auto parts = Split(text, u"|||");
    return parts.size() == 2 ? std::string() : "needs exactly one ||| separator";
  }
  const auto stars = text.find(u"**");
  if (stars != std::u16string_view::npos && text.size() - stars - 2 >= 2) {
    const auto parts = Split(text, u"**");
    return parts.size() == 2 && !parts[0].empty() ? std::string() : "needs start**end";
  }
  return {};
}

std::string WindowsVersionsProblem(std::u16string_view text) {
  if (text.size() < kMinWindowsVersionsLength) return "is too short to filter anything";
  const auto parts = Split(text, u"-");
  if (parts.size() > 2) return "has more than two parts";
  std::vector<WindowsVersion> versions;
  for (const auto part : parts) {
    const auto version = ParseWindowsVersion(part);
    if (!version) return "part " + Utf8(part) + " is not a version";
    versions.push_back(*version);
  }
  if (versions.size() == 2 && versions[1] < versions[0]) return "ends below its start";
  return {};
}

struct ToolRef {
  int group = 0;
  std::u16string name;
  const RegKey& key;
};

std::string Where(const ToolRef& tool, std::u16string_view field) {
  return std::to_string(tool.group) + "\\" + Utf8(tool.name) + " " + Utf8(field);
}

std::optional<std::u16string> Text(const RegKey& key, std::u16string_view name) {
  std::u16string text;
  if (!ReadString(key, name, text)) return std::nullopt;
  return text;
}

std::optional<std::uint32_t> Dword(const RegKey& key, std::u16string_view name) {
  std::uint32_t number = 0;
  if (!ReadDword(key, name, number)) return std::nullopt;
  return number;
}

std::vector<std::u16string> SubkeyNames(const RegKey& key) {
  std::vector<std::u16string> names;
  std::u16string name;
  for (std::uint32_t i = 0; EnumKey(key, i, name); ++i) names.push_back(name);
  return names;
}

std::vector<int> CatalogueGroups() {
  std::vector<int> groups;
  for (int group = 1; group <= kLastCatalogueGroup; ++group) groups.push_back(group);
  groups.push_back(kBuiltInRepair);
  return groups;
}

std::optional<std::u16string> ReadAssembledCatalogue() {
  std::ifstream file(KVA_CATALOGUE_REG, std::ios::binary);
  if (!file) return std::nullopt;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                        std::istreambuf_iterator<char>());
  return DecodeText(bytes).text;
}

// The catalogue is imported once for all checks: it holds several hundred
// tools and every check only reads it.
class CatalogueLint : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = std::make_unique<FakeRegistry>();
    registry_->WriteHiveFile(u"C:\\kva_tools.dat", FakeKey{u"kva_default_tools", {}, {}});
    ASSERT_EQ(registry_->LoadHive(reg::kLocalMachine, kCatalogueHiveName, u"C:\\kva_tools.dat"),
              reg::kSuccess);
    const auto text = ReadAssembledCatalogue();
    ASSERT_TRUE(text) << "cannot read " << KVA_CATALOGUE_REG;
    const auto imported = ImportRegText(
        *registry_, *text,
        ImportTarget{std::u16string(kCatalogueRootPath), std::u16string(kSourceRoot)});
    ASSERT_TRUE(imported) << Utf8(Describe(imported.error()));
  }
  static void TearDownTestSuite() { registry_.reset(); }

  void SetUp() override { ASSERT_TRUE(registry_) << "the catalogue was not imported"; }

  static RegKey OpenKey(std::u16string_view path) {
    RegKey key(*registry_);
    EXPECT_TRUE(Open(key, path, reg::kRead)) << "cannot open " << Utf8(path);
    return key;
  }

  static void ForEachTool(const std::function<void(const ToolRef&)>& check) {
    for (const int group : CatalogueGroups()) {
      const RegKey groupKey = OpenKey(CatalogueGroupPath(group));
      for (const auto& name : SubkeyNames(groupKey)) {
        const RegKey key = OpenKey(CatalogueGroupPath(group) + u"\\" + name);
        check(ToolRef{group, name, key});
      }
    }
  }

  static std::unique_ptr<FakeRegistry> registry_;
};

std::unique_ptr<FakeRegistry> CatalogueLint::registry_;

TEST_F(CatalogueLint, RootHoldsTheVersionAndEveryGroupByItsName) {
  const RegKey root = OpenKey(kCatalogueRootPath);
  const auto version = Dword(root, u"Version");
  ASSERT_TRUE(version) << "Version is missing or not a dword";
  EXPECT_GE(*version, kMinCatalogueVersion);

  std::set<std::u16string, LessNoCase> expected;
  for (const int group : CatalogueGroups()) {
    const auto key = GroupKeyName(group);
    expected.insert(key);
    const auto wanted =
        group == kBuiltInRepair ? kBuiltInRepairName : kBuiltInGroupNames[group - 1];
    EXPECT_EQ(Utf8(Text(root, key).value_or(u"(missing)")), Utf8(wanted))
        << "name of group " << group;
    const RegKey groupKey = OpenKey(CatalogueGroupPath(group));
    EXPECT_TRUE(Dword(groupKey, value::kGroupImage)) << "GroupImage of group " << group;
  }
  for (const auto& name : SubkeyNames(root)) {
    EXPECT_TRUE(expected.contains(name)) << "unexpected key " << Utf8(name) << " at the root";
  }
}

TEST_F(CatalogueLint, FavouritesAndOwnToolsStayInTheSettings) {
  for (const int group : {kFavourites, kOwnTools}) {
    EXPECT_EQ(SubkeyCount(OpenKey(CatalogueGroupPath(group))), 0u) << "tools in group " << group;
  }
}

TEST_F(CatalogueLint, ToolNamesAreLongEnoughAndUnique) {
  std::map<std::u16string, int, LessNoCase> seen;
  ForEachTool([&](const ToolRef& tool) {
    EXPECT_TRUE(IsUsableName(tool.name)) << Where(tool, u"name") << ": shorter than 7 characters";
    const auto [at, inserted] = seen.emplace(tool.name, tool.group);
    EXPECT_TRUE(inserted) << Where(tool, u"name") << ": also used in group " << at->second;
    if (tool.group == kBuiltInRepair) {
      EXPECT_FALSE(RepairSectionLine(tool.name).empty())
          << Where(tool, u"name") << ": does not start with a section 1 to 8 and a hyphen";
    }
  });
}

TEST_F(CatalogueLint, ValuesAreKnownAndOfTheirType) {
  std::set<std::u16string, LessNoCase> strings;
  for (const auto name : kStringValues) strings.emplace(name);
  for (const auto name : value::kCommands) strings.emplace(name);
  for (const auto name : value::kScripts) strings.emplace(name);
  std::set<std::u16string, LessNoCase> dwords;
  for (const auto name : value::kFlags) dwords.emplace(name);
  dwords.emplace(value::kImage);
  ForEachTool([&](const ToolRef& tool) {
    std::u16string name;
    for (std::uint32_t i = 0; EnumValue(tool.key, i, name); ++i) {
      RegValue raw;
      ASSERT_TRUE(ReadRaw(tool.key, name, raw));
      if (strings.contains(name)) {
        EXPECT_EQ(raw.type, reg::kSz) << Where(tool, name) << ": not a string";
      } else if (dwords.contains(name)) {
        EXPECT_EQ(raw.type, reg::kDword) << Where(tool, name) << ": not a dword";
      } else {
        ADD_FAILURE() << Where(tool, name) << ": not a value of a tool record";
      }
    }
  });
}

TEST_F(CatalogueLint, CommandsAndFlagsAreWellFormed) {
  ForEachTool([](const ToolRef& tool) {
    for (std::size_t i = 0; i < value::kCommands.size(); ++i) {
      const auto command = Text(tool.key, value::kCommands[i]);
      if (command) {
        EXPECT_GE(command->size(), kMinCommandLength) << Where(tool, value::kCommands[i]);
      }
      const auto flag = Dword(tool.key, value::kFlags[i]);
      if (!flag) continue;
      const std::uint32_t allowed = i == 0 ? kFlag1Bits : kCommandFlagBits;
      EXPECT_EQ(*flag & ~allowed, 0u) << Where(tool, value::kFlags[i]) << ": undefined bits";
      if (i > 0) {
        EXPECT_TRUE(command) << Where(tool, value::kFlags[i]) << ": without its command";
      }
    }
  });
}

TEST_F(CatalogueLint, TagCommandsNameKnownTags) {
  ForEachTool([](const ToolRef& tool) {
    for (const auto name : value::kCommands) {
      const auto command = Text(tool.key, name);
      if (!command) continue;
      const auto tag = TagOfCommand(*command);
      if (tool.group == kBuiltInRepair) {
        EXPECT_FALSE(tag.empty()) << Where(tool, name) << ": a built-in action needs a tag";
      }
      if (!tag.empty()) {
        EXPECT_TRUE(IsKnownTag(tag)) << Where(tool, name) << ": unknown tag";
      }
    }
  });
}

TEST_F(CatalogueLint, EveryTagHasABuiltInAction) {
  std::set<std::u16string, LessNoCase> used;
  ForEachTool([&](const ToolRef& tool) {
    for (const auto name : value::kCommands) {
      if (const auto command = Text(tool.key, name)) used.emplace(TagOfCommand(*command));
    }
  });
  std::set<std::u16string, LessNoCase> aliases;
  for (const auto& alias : kTagAliases) aliases.emplace(alias.alias);
  const auto expectUsed = [&](std::u16string_view tag) {
    if (aliases.contains(tag)) return;
    EXPECT_TRUE(used.contains(tag)) << "no built-in action runs " << Utf8(tag);
  };
  for (const auto tag : kFirstStageTags) expectUsed(tag);
  for (const auto tag : kSecondStageTags) expectUsed(tag);
  for (const auto& tweak : kTweakTags) {
    expectUsed(tweak.apply);
    expectUsed(tweak.undo);
  }
}

void CheckDownloadPath(const ToolRef& tool, std::u16string_view field,
                       std::map<std::u16string, std::u16string, LessNoCase>& owners) {
  const auto path = Text(tool.key, field);
  if (!path) return;
  EXPECT_GE(path->size(), kMinDownloadPathLength) << Where(tool, field);
  EXPECT_TRUE(StartsWithNoCase(*path, u"%ToolsDir%\\"))
      << Where(tool, field) << ": outside %ToolsDir%";
  const auto [at, inserted] = owners.emplace(*path, tool.name);
  EXPECT_TRUE(inserted) << Where(tool, field) << ": also the download of " << Utf8(at->second);
}

void CheckDownloadPairs(const ToolRef& tool) {
  const bool url1 = Text(tool.key, value::kUrl1).has_value();
  const bool url2 = Text(tool.key, value::kUrl2).has_value();
  const auto file1 = Text(tool.key, value::kDownloadFile1);
  const auto file2 = Text(tool.key, value::kDownloadFile2);
  EXPECT_EQ(url1, file1.has_value())
      << Where(tool, value::kUrl1) << ": url1 and downloadfile go together";
  EXPECT_TRUE(!url2 || file1 || file2) << Where(tool, value::kUrl2) << ": no file to download to";
  EXPECT_TRUE(!file2 || url2) << Where(tool, value::kDownloadFile2) << ": without url2";
  EXPECT_TRUE(!Text(tool.key, value::kLinkText1) || url1) << Where(tool, value::kLinkText1);
  EXPECT_TRUE(!Text(tool.key, value::kLinkText2) || url2) << Where(tool, value::kLinkText2);
  if (Dword(tool.key, value::kFlags[0]).value_or(0) & kBothDownloadBits) {
    EXPECT_TRUE(file2 && file1 && !EqualsNoCase(*file1, *file2))
        << Where(tool, value::kFlags[0]) << ": two downloads need two files";
  }
  if (tool.group == kWindowsBuiltIn) {
    EXPECT_FALSE(url1) << Where(tool, value::kUrl1) << ": Windows' own tools are never downloaded";
  }
}

TEST_F(CatalogueLint, DownloadsLandInTheirOwnFilesUnderTheToolsFolder) {
  std::map<std::u16string, std::u16string, LessNoCase> owners;
  ForEachTool([&](const ToolRef& tool) {
    CheckDownloadPath(tool, value::kDownloadFile1, owners);
    CheckDownloadPath(tool, value::kDownloadFile2, owners);
    CheckDownloadPairs(tool);
  });
}

TEST_F(CatalogueLint, AddressesAreHttpsHostNames) {
  ForEachTool([](const ToolRef& tool) {
    for (const auto field : {value::kUrl1, value::kUrl2, value::kWebsite}) {
      const auto url = Text(tool.key, field);
      if (!url) continue;
      const auto problem = UrlProblem(*url);
      EXPECT_TRUE(problem.empty()) << Where(tool, field) << ": " << Utf8(*url) << " " << problem;
    }
  });
}

TEST_F(CatalogueLint, PatternsAndLinkTextsAreUsable) {
  using Checker = std::string (*)(std::u16string_view);
  const std::pair<std::u16string_view, Checker> checks[] = {
      {value::kLinkText1, LinkTextProblem},
      {value::kLinkText2, LinkTextProblem},
      {value::kUninstallCmd, UninstallCmdProblem},
      {value::kCurrentVersionCheck, CurrentVersionProblem},
      {value::kNewestVersionCheck, NewestVersionProblem},
      {value::kWindowsVersions, WindowsVersionsProblem},
  };
  ForEachTool([&](const ToolRef& tool) {
    for (const auto& [field, checker] : checks) {
      const auto text = Text(tool.key, field);
      if (!text) continue;
      const auto problem = checker(*text);
      EXPECT_TRUE(problem.empty()) << Where(tool, field) << ": " << Utf8(*text) << " " << problem;
    }
    const auto uninstall = Text(tool.key, value::kUninstallCmd).value_or(u"");
    if (Text(tool.key, value::kNewestVersionCheck)) {
      EXPECT_TRUE(Text(tool.key, value::kCurrentVersionCheck) || uninstall.starts_with(u"UniKey"))
          << Where(tool, value::kNewestVersionCheck) << ": nothing tells the installed version";
    }
  });
}

TEST_F(CatalogueLint, EveryToolHasAnIconAndADescription) {
  ForEachTool([](const ToolRef& tool) {
    const auto image = Dword(tool.key, value::kImage);
    EXPECT_TRUE(image && *image >= kFirstToolImage && *image <= kLastToolImage)
        << Where(tool, value::kImage) << ": not an icon id between 141 and 760";
    EXPECT_FALSE(image && IsProgramImage(*image))
        << Where(tool, value::kImage) << ": the id of one of the program's own pictures";
    EXPECT_FALSE(Text(tool.key, value::kDescription).value_or(u"").empty())
        << Where(tool, value::kDescription);
  });
}

// The checks above are only as good as their verdicts on bad values.
TEST(CatalogueLintChecks, RecogniseBadValues) {
  struct Case {
    const char* name;
    std::string (*checker)(std::u16string_view);
    std::u16string_view input;
    bool wantProblem;
  };
  const Case cases[] = {
      {"https host", UrlProblem, u"https://www.example.org/file.exe", false},
      {"http host without https", UrlProblem, u"http://www.example.org/file.exe", true},
      {"http host known to lack https", UrlProblem, u"http://www2.gmer.net/gmer.zip", false},
      {"ipv4 address", UrlProblem, u"https://192.0.2.7/file.exe", true},
      {"ipv6 address", UrlProblem, u"https://[2001:db8::1]/file.exe", true},
      {"no host", UrlProblem, u"https:///file.exe", true},
      {"single label host", UrlProblem, u"https://intranet/file.exe", true},
      {"ftp", UrlProblem, u"ftp://ftp.example.org/file.exe", true},
      {"uninstall lookup", UninstallCmdProblem, u"UniKey=>HKLM32=>Advanced IP Scanner", false},
      {"uninstall arguments", UninstallCmdProblem, u"UniKey=>HKLM32=>Wireshark \\d=> /S", false},
      {"uninstall view", UninstallCmdProblem, u"UniKey=>HKCU=>Tool", true},
      {"uninstall pattern", UninstallCmdProblem, u"UniKey=>HKLMALL=>Tool (x64", true},
      {"uninstall key", UninstallCmdProblem, u"HKXX\\Software\\Tool", true},
      {"version resource", CurrentVersionProblem, u"%ToolsDir%\\a.exe=>FileVersion", false},
      {"registry pattern", CurrentVersionProblem, u"HKLM\\Software\\Tool=>Version=>[\\d.+", true},
      {"page pattern", NewestVersionProblem, u"https://www.example.org/=>Tool [\\d.]+", false},
      {"page on http", NewestVersionProblem, u"http://www.example.org/=>Tool [\\d.]+", true},
      {"literal without digits", NewestVersionProblem, u"latest", true},
      {"before and after", LinkTextProblem, u"href=\"|||\"", false},
      {"two separators", LinkTextProblem, u"a|||b|||c", true},
      {"start and end", LinkTextProblem, u"/dl/**.zip", false},
      {"trailing separator is anchor text", LinkTextProblem, u"Download|||", false},
      {"version range", WindowsVersionsProblem, u"6.1-50", false},
      {"reversed range", WindowsVersionsProblem, u"10.0-6.1", true},
      {"not a version", WindowsVersionsProblem, u"Win10", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(!c.checker(c.input).empty(), c.wantProblem) << c.checker(c.input);
  }
}

}  // namespace
}  // namespace kva
