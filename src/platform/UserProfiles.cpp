#include "platform/UserProfiles.h"

#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kProfileList =
    u"HKLM64\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

// "\\server\profiles\name" and the like: the profile is not on this disk.
bool IsOnAnotherMachine(std::u16string_view profilePath) {
  return profilePath.find(u'\\') < 2;
}

}  // namespace

UserList UserProfiles::GetUsers(unsigned flags) {
  UserList users;
  if (flags & users::kAllLocalAccounts) users = LocalUsers();
  if (users.empty()) users = ConsoleUserOnly();
  const unsigned loadAll = users::kAllLocalAccounts | users::kLoadHives;
  if ((flags & loadAll) == loadAll) LoadMissingHives(users);
  return users;
}

std::u16string UserProfiles::ProfileFolderOfSid(std::u16string_view sid) {
  RegKey key(registry_);
  std::u16string folder;
  if (!Open(key, std::u16string(kProfileList) + std::u16string(sid), reg::kRead) ||
      !ReadString(key, u"ProfileImagePath", folder)) {
    return {};
  }
  // Usually REG_EXPAND_SZ, and older systems keep "%SystemDrive%" in it.
  if (folder.find(u'%') == kNpos) return folder;
  return environment_.Expand(folder).value_or(folder);
}

// Accounts without a SID, or with no profile folder anywhere (never logged
// on), are left out.
UserList UserProfiles::LocalUsers() {
  UserList users;
  for (auto& account : accounts_.EnumerateLocalAccounts()) {
    auto sid = accounts_.SidOfName(account.name);
    if (!sid) continue;
    std::u16string folder = account.profilePath;
    if (folder.empty()) {
      folder = ProfileFolderOfSid(*sid);
      if (folder.empty()) continue;
    } else if (IsOnAnotherMachine(folder)) {
      folder.clear();
    }
    users.push_back({std::move(*sid), std::move(folder), std::move(account.name)});
  }
  return users;
}

UserList UserProfiles::ConsoleUserOnly() {
  auto console = accounts_.FindConsoleUser();
  if (!console) return {};
  return {{std::move(console->sid), std::move(console->profileFolder), std::move(console->name)}};
}

void UserProfiles::LoadMissingHives(const UserList& users) {
  for (const auto& user : users) {
    if (user.profileFolder.empty() || KeyExists(registry_, reg::kUsers, user.sid)) continue;
    const std::u16string hive = user.profileFolder + u"\\NTUSER.DAT";
    if (Exists(files_, hive)) registry_.LoadHive(reg::kUsers, user.sid, hive);
  }
}

}  // namespace kva
