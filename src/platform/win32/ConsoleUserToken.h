#pragma once
// The user logged on at the console, found the way an elevated program
// run by another administrator must: through that session's processes.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/Sid.h"
#include "platform/win32/UniqueHandle.h"

namespace kva::win32 {

struct ConsoleUserToken {
  UniqueKernelHandle token;  // TOKEN_QUERY: enough for SHGetFolderPathW
  Sid sid;
  std::u16string name;
};

// Empty when there is no console session, no one is logged on at it, or
// no process of that user in the session could be opened.
std::optional<ConsoleUserToken> FindConsoleUserToken();

// SHGetFolderPathW for the token's user (the program's own without one);
// empty when the folder is unknown.
std::u16string ShellFolder(int csidl, HANDLE token = nullptr);

}  // namespace kva::win32
