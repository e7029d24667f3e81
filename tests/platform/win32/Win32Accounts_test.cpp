// The accounts and environment adapters against the real calls. Only what
// holds on Windows and under Wine alike is asserted; what the host gives
// beyond that is printed, so that a run shows what it provides.
#include "platform/win32/Win32Accounts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>

#include "fakes/FakeRegistry.h"
#include "platform/Text.h"
#include "platform/UserProfiles.h"
#include "platform/win32/HostFacts.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

std::u16string OwnUserName() {
  wchar_t name[256];
  DWORD length = 256;
  return ::GetUserNameW(name, &length) ? FromWide(name) : std::u16string();
}

// The console user is predictable only when the tests run in the console
// session, as on a desktop or under Wine (not in a service's session).
bool RunsInConsoleSession() {
  DWORD own = 0;
  return ::ProcessIdToSessionId(::GetCurrentProcessId(), &own) &&
         own == ::WTSGetActiveConsoleSessionId();
}

void Show(const char* what, std::u16string_view value) {
  std::cout << "[host] " << what << ": " << Utf16ToUtf8(value) << "\n";
}

TEST(Win32Accounts, ConvertsBetweenNamesAndSids) {
  Win32Accounts accounts;
  const std::u16string user = OwnUserName();
  ASSERT_FALSE(user.empty());
  const auto sid = accounts.SidOfName(user);
  ASSERT_TRUE(sid.has_value());
  EXPECT_TRUE(sid->starts_with(u"S-1-5-")) << Utf16ToUtf8(*sid);
  const auto name = accounts.NameOfSid(*sid);
  ASSERT_TRUE(name.has_value());
  EXPECT_TRUE(EqualsNoCase(*name, user)) << "no domain in front";
  Show("own user", user + u" " + *sid);

  EXPECT_TRUE(accounts.NameOfSid(u"S-1-5-18").has_value()) << "LocalSystem";
  EXPECT_FALSE(accounts.SidOfName(u"").has_value());
  EXPECT_FALSE(accounts.SidOfName(u"kva no such account 7f3a").has_value());
  EXPECT_FALSE(accounts.NameOfSid(u"not a sid").has_value());
}

TEST(Win32Accounts, FindsTheConsoleUser) {
  Win32Accounts accounts;
  const auto user = accounts.FindConsoleUser();
  Show("console session", ToDecimal(::WTSGetActiveConsoleSessionId()));
  Show("console user", user ? user->name + u" " + user->sid + u" " + user->profileFolder
                            : u"(none)");
  if (!RunsInConsoleSession()) {
    // Wine runs every process in session 1, the console's: there the
    // checks below must run.
    ASSERT_FALSE(test::RunsUnderWine()) << "Wine is not in the console session";
    GTEST_SKIP() << "not in the console session";
  }
  ASSERT_TRUE(user.has_value());
  EXPECT_TRUE(EqualsNoCase(user->name, OwnUserName()));
  EXPECT_EQ(accounts.SidOfName(user->name), user->sid);
  Win32FileSystem fs;
  EXPECT_TRUE(IsFolder(fs, user->profileFolder)) << Utf16ToUtf8(user->profileFolder);
  Win32Environment environment;
  EXPECT_EQ(environment.Folder(KnownFolder::Profile, FolderOwner::ConsoleUser),
            user->profileFolder);
  EXPECT_EQ(environment.Folder(KnownFolder::Desktop, FolderOwner::ConsoleUser),
            environment.Folder(KnownFolder::Desktop, FolderOwner::Process));
}

TEST(Win32Accounts, EnumeratedAccountsHaveSids) {
  Win32Accounts accounts;
  const auto listed = accounts.EnumerateLocalAccounts();
  Show("local accounts listed", ToDecimal(static_cast<std::int64_t>(listed.size())));
  if (test::RunsUnderWine()) {
    EXPECT_TRUE(listed.empty()) << "Wine's NetUserEnum level 3 fails with 124";
  } else {
    EXPECT_FALSE(listed.empty()) << "Windows has at least the administrator";
  }
  for (const auto& account : listed) {
    SCOPED_TRACE(Utf16ToUtf8(account.name));
    EXPECT_FALSE(account.name.empty());
    EXPECT_TRUE(accounts.SidOfName(account.name).has_value());
  }
}

// With no account listed (Wine), asking for every local account falls back
// to the console user, whose folder the real adapters find.
TEST(Win32Accounts, AllUsersFallBackToTheConsoleUserWhenNoneIsListed) {
  if (!RunsInConsoleSession()) GTEST_SKIP() << "not in the console session";
  Win32Accounts accounts;
  FakeRegistry registry;
  Win32FileSystem fs;
  Win32Environment environment;
  UserProfiles profiles(accounts, registry, fs, environment);
  const auto users = profiles.GetUsers(users::kAllLocalAccounts);
  ASSERT_FALSE(users.empty());
  if (!accounts.EnumerateLocalAccounts().empty()) return;
  ASSERT_EQ(users.size(), 1u);
  EXPECT_TRUE(EqualsNoCase(users[0].name, OwnUserName()));
  EXPECT_EQ(users[0].sid, accounts.SidOfName(OwnUserName()));
  EXPECT_TRUE(IsFolder(fs, users[0].profileFolder)) << Utf16ToUtf8(users[0].profileFolder);
}

TEST(Win32Environment, GivesTheProcessFolders) {
  Win32Environment environment;
  Win32FileSystem fs;
  const KnownFolder existing[] = {KnownFolder::Windows, KnownFolder::System,
                                  KnownFolder::ProgramFiles, KnownFolder::CommonAppData,
                                  KnownFolder::Profile};
  for (const auto folder : existing) {
    SCOPED_TRACE(static_cast<int>(folder));
    EXPECT_TRUE(IsFolder(fs, environment.Folder(folder)));
  }
  const KnownFolder named[] = {KnownFolder::SystemX86,     KnownFolder::ProgramFilesX86,
                               KnownFolder::Desktop,       KnownFolder::CommonDesktop,
                               KnownFolder::Documents,     KnownFolder::CommonDocuments,
                               KnownFolder::LocalAppData};
  for (const auto folder : named) {
    SCOPED_TRACE(static_cast<int>(folder));
    EXPECT_FALSE(environment.Folder(folder).empty());
  }
  const std::u16string temp = environment.TempFolder();
  EXPECT_TRUE(IsFolder(fs, temp));
  EXPECT_NE(temp.back(), u'\\');
  EXPECT_TRUE(EndsWithNoCase(environment.ProgramPath(), u"\\kva_tests.exe"));
}

TEST(Win32Environment, SetsAndExpandsVariables) {
  Win32Environment environment;
  ASSERT_TRUE(environment.SetVariable(u"KVA_TOOLSDIR", u"C:\\Kit\\Kelvara tools"));
  EXPECT_EQ(environment.Variable(u"kva_toolsdir"), u"C:\\Kit\\Kelvara tools");
  EXPECT_EQ(environment.Expand(u"%KVA_ToolsDir%\\7za.exe %KVA_NOT_SET%"),
            u"C:\\Kit\\Kelvara tools\\7za.exe %KVA_NOT_SET%");
  EXPECT_FALSE(environment.Variable(u"KVA_NOT_SET").has_value());
  EXPECT_FALSE(environment.Expand(std::u16string(5000, u'x')).has_value()) << "over 4096";
  ASSERT_TRUE(environment.SetVariable(u"KVA_EMPTY", u""));
  EXPECT_EQ(environment.Variable(u"KVA_EMPTY"), u"");

  const std::u16string windows = environment.Folder(KnownFolder::Windows);
  EXPECT_EQ(environment.Unexpand(windows + u"\\notepad.exe"), u"%SystemRoot%\\notepad.exe");
}

TEST(Win32Environment, ComparesVersionsAsReported) {
  Win32Environment environment;
  const OsVersion reported = environment.ReportedVersion();
  Show("reported version", ToDecimal(reported.major) + u"." + ToDecimal(reported.minor) + u"." +
                               ToDecimal(reported.build));
  EXPECT_GE(reported.major, 6u);
  EXPECT_TRUE(environment.IsAtLeast(reported.major, reported.minor, 0));
  EXPECT_TRUE(environment.IsAtLeast(reported.major, reported.minor, reported.build));
  EXPECT_FALSE(environment.IsAtLeast(reported.major, reported.minor + 1, 0));
  EXPECT_FALSE(environment.IsAtLeast(reported.major + 1, 0, 0));
}

}  // namespace
}  // namespace kva::win32
