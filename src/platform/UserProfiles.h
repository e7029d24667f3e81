#pragma once
// The users whose settings the repair actions reach: the one at the
// console, or every local account that has a profile, with their registry
// hives loaded under HKEY_USERS on request so that "HKU\<SID>" addresses
// them. Hives loaded here stay loaded for the rest of the run.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Accounts.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace kva {

struct UserRecord {
  std::u16string sid;            // string form
  std::u16string profileFolder;  // empty for a profile kept on another machine
  std::u16string name;
};
using UserList = std::vector<UserRecord>;

namespace users {
inline constexpr unsigned kAllLocalAccounts = 1;
inline constexpr unsigned kLoadHives = 2;  // only together with kAllLocalAccounts
}  // namespace users

class UserProfiles {
 public:
  UserProfiles(Accounts& accounts, Registry& registry, FileSystem& files,
               Environment& environment)
      : accounts_(accounts), registry_(registry), files_(files), environment_(environment) {}

  // With kAllLocalAccounts every local account with a SID and a profile
  // folder, in enumeration order; otherwise, or when no account qualifies,
  // the console user alone (nobody without one). With kLoadHives as well,
  // each listed user's NTUSER.DAT is loaded as HKU\<SID> unless that key
  // exists already; a hive that cannot be loaded is left alone.
  UserList GetUsers(unsigned flags);

  // ProfileImagePath of the SID's ProfileList entry, with its variables
  // expanded; empty when there is none.
  std::u16string ProfileFolderOfSid(std::u16string_view sid);

 private:
  UserList LocalUsers();
  UserList ConsoleUserOnly();
  void LoadMissingHives(const UserList& users);

  Accounts& accounts_;
  Registry& registry_;
  FileSystem& files_;
  Environment& environment_;
};

}  // namespace kva
