#include "platform/UserProfiles.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kProfileList =
    u"HKLM64\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

class FakeAccounts final : public Accounts {
 public:
  std::optional<ConsoleUser> FindConsoleUser() override { return console; }
  std::vector<LocalAccount> EnumerateLocalAccounts() override { return local; }
  std::optional<std::u16string> SidOfName(std::u16string_view name) override {
    const auto it = sids.find(name);
    return it == sids.end() ? std::nullopt : std::optional(it->second);
  }
  std::optional<std::u16string> NameOfSid(std::u16string_view sid) override {
    for (const auto& [name, value] : sids) {
      if (value == sid) return name;
    }
    return std::nullopt;
  }

  std::optional<ConsoleUser> console;
  std::vector<LocalAccount> local;
  std::map<std::u16string, std::u16string, LessNoCase> sids;
};

class UserProfilesTest : public ::testing::Test {
 protected:
  UserProfilesTest() {
    environment.SetVariable(u"SystemDrive", u"C:");
    accounts.console = ConsoleUser{u"S-1-5-21-9-1001", u"C:\\Users\\tech", u"tech"};
  }

  // An account with its SID and, when given, its ProfileList entry.
  void AddAccount(std::u16string name, std::u16string sid, std::u16string profilePath = {},
                  std::u16string profileList = {}) {
    if (!sid.empty()) accounts.sids[name] = sid;
    accounts.local.push_back({name, std::move(profilePath)});
    if (!profileList.empty()) {
      ASSERT_TRUE(WriteStringAt(registry, std::u16string(kProfileList) + sid,
                                u"ProfileImagePath", reg::kExpandSz, profileList));
    }
  }

  // NTUSER.DAT on disk and as a hive the registry can load.
  void AddHive(const std::u16string& profileFolder, std::u16string_view marker) {
    const std::u16string file = profileFolder + u"\\NTUSER.DAT";
    files.WriteText(file, "hive");
    registry.WriteHiveFile(file, FakeKey{u"", {{u"Marker", StringValue(reg::kSz, marker)}}, {}});
  }

  std::u16string MarkerOf(std::u16string_view sid) {
    RegKey key(registry);
    std::u16string marker;
    if (!Open(key, u"HKU\\" + std::u16string(sid), reg::kRead)) return u"(not loaded)";
    ReadString(key, u"Marker", marker);
    return marker;
  }

  UserList GetUsers(unsigned flags) {
    return UserProfiles(accounts, registry, files, environment).GetUsers(flags);
  }

  FakeAccounts accounts;
  FakeRegistry registry;
  FakeFileSystem files;
  FakeEnvironment environment;
};

TEST_F(UserProfilesTest, ListsAccountsWithAProfileFolder) {
  struct Case {
    const char* name;
    std::u16string sid, profilePath, profileList;
    bool listed;
    std::u16string_view folder;
  };
  const Case cases[] = {
      {"profile from the account", u"S-1-5-21-9-1002", u"D:\\Profiles\\anna", u"", true,
       u"D:\\Profiles\\anna"},
      {"profile from ProfileList", u"S-1-5-21-9-1003", u"", u"C:\\Users\\ben", true,
       u"C:\\Users\\ben"},
      {"ProfileList variables expanded", u"S-1-5-21-9-1004", u"", u"%SystemDrive%\\Users\\cleo",
       true, u"C:\\Users\\cleo"},
      {"profile on another machine", u"S-1-5-21-9-1005", u"\\\\server\\profiles\\dan", u"", true,
       u""},
      {"never logged on", u"S-1-5-21-9-1006", u"", u"", false, u""},
      {"no SID", u"", u"C:\\Users\\ghost", u"", false, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    accounts.local.clear();
    accounts.sids.clear();
    AddAccount(u"bystander", u"S-1-5-21-9-1099", u"C:\\Users\\bystander");
    AddAccount(Utf8ToUtf16(c.name), c.sid, c.profilePath, c.profileList);
    const UserList users = GetUsers(users::kAllLocalAccounts);
    ASSERT_EQ(users.size(), c.listed ? 2u : 1u);
    EXPECT_EQ(users[0].name, u"bystander") << "enumeration order";
    if (!c.listed) continue;
    EXPECT_EQ(users[1].sid, c.sid);
    EXPECT_EQ(users[1].profileFolder, c.folder);
    EXPECT_EQ(users[1].name, Utf8ToUtf16(c.name));
  }
}

TEST_F(UserProfilesTest, FallsBackToTheConsoleUser) {
  enum class Account { kNone, kWithoutProfile, kWithProfile };
  struct Case {
    const char* name;
    unsigned flags;
    Account account;
    bool consoleUser;
    std::size_t want;
  };
  const Case cases[] = {
      {"enumeration empty", users::kAllLocalAccounts, Account::kNone, true, 1},
      {"no account qualifies", users::kAllLocalAccounts, Account::kWithoutProfile, true, 1},
      {"accounts not asked for", 0, Account::kWithProfile, true, 1},
      {"no console user, accounts not asked for", 0, Account::kWithProfile, false, 0},
      {"no console user, no account", users::kAllLocalAccounts, Account::kNone, false, 0},
  };
  const ConsoleUser tech{u"S-1-5-21-9-1001", u"C:\\Users\\tech", u"tech"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    accounts.local.clear();
    if (c.account != Account::kNone) {
      AddAccount(u"other", u"S-1-5-21-9-1010",
                 c.account == Account::kWithProfile ? u"C:\\Users\\other" : u"");
    }
    accounts.console = c.consoleUser ? std::optional(tech) : std::nullopt;
    const UserList users = GetUsers(c.flags);
    ASSERT_EQ(users.size(), c.want);
    if (c.want == 1) {
      EXPECT_EQ(users[0].sid, tech.sid);
      EXPECT_EQ(users[0].profileFolder, tech.profileFolder);
      EXPECT_EQ(users[0].name, tech.name);
    }
  }
}

TEST_F(UserProfilesTest, LoadsOnlyMissingHivesThatExistOnDisk) {
  AddAccount(u"loaded", u"S-1-5-21-9-1020", u"C:\\Users\\loaded");
  AddAccount(u"pending", u"S-1-5-21-9-1021", u"C:\\Users\\pending");
  AddAccount(u"nohive", u"S-1-5-21-9-1022", u"C:\\Users\\nohive");
  AddAccount(u"remote", u"S-1-5-21-9-1023", u"\\\\server\\profiles\\remote");
  AddHive(u"C:\\Users\\loaded", u"on disk");
  AddHive(u"C:\\Users\\pending", u"pending's hive");
  // Loaded before, from another file: it must stay as it is.
  registry.WriteHiveFile(u"C:\\Other\\loaded.dat",
                         FakeKey{u"", {{u"Marker", StringValue(reg::kSz, u"in use")}}, {}});
  ASSERT_EQ(registry.LoadHive(reg::kUsers, u"S-1-5-21-9-1020", u"C:\\Other\\loaded.dat"),
            reg::kSuccess);
  // The registry could load this one, but there is no NTUSER.DAT on disk.
  registry.WriteHiveFile(u"C:\\Users\\nohive\\NTUSER.DAT", FakeKey{});
  registry.WriteHiveFile(u"\\\\server\\profiles\\remote\\NTUSER.DAT", FakeKey{});

  ASSERT_EQ(GetUsers(users::kAllLocalAccounts).size(), 4u);
  EXPECT_EQ(MarkerOf(u"S-1-5-21-9-1021"), u"(not loaded)") << "listing loads nothing";

  ASSERT_EQ(GetUsers(users::kAllLocalAccounts | users::kLoadHives).size(), 4u);
  EXPECT_EQ(MarkerOf(u"S-1-5-21-9-1020"), u"in use");
  EXPECT_EQ(MarkerOf(u"S-1-5-21-9-1021"), u"pending's hive");
  EXPECT_EQ(MarkerOf(u"S-1-5-21-9-1022"), u"(not loaded)");
  EXPECT_EQ(MarkerOf(u"S-1-5-21-9-1023"), u"(not loaded)");
}

TEST_F(UserProfilesTest, ReadsProfileFoldersBySid) {
  AddAccount(u"ben", u"S-1-5-21-9-1003", u"", u"%SystemDrive%\\Users\\ben");
  UserProfiles profiles(accounts, registry, files, environment);
  EXPECT_EQ(profiles.ProfileFolderOfSid(u"S-1-5-21-9-1003"), u"C:\\Users\\ben");
  EXPECT_EQ(profiles.ProfileFolderOfSid(u"S-1-5-21-9-4040"), u"");
}

}  // namespace
}  // namespace kva
