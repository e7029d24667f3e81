#include "platform/win32/Win32Processes.h"

#include <gtest/gtest.h>

#include "platform/win32/Win32Environment.h"

namespace kva::win32 {
namespace {

TEST(Win32Processes, StartsWhatExistsInTheGivenFolder) {
  Win32Processes processes;
  Win32Environment environment;
  const std::u16string system = environment.Folder(KnownFolder::System);
  EXPECT_TRUE(processes.StartDetached(u"cmd.exe /c exit 0", system, WindowShow::Hidden));
  EXPECT_TRUE(processes.StartDetached(u"\"" + system + u"\\cmd.exe\" /c exit 0", u"",
                                      WindowShow::Normal));
  EXPECT_FALSE(processes.StartDetached(u"kva_no_such_program.exe", system, WindowShow::Hidden));
  EXPECT_FALSE(processes.StartDetached(u"cmd.exe /c exit 0", system + u"\\kva_no_such_folder",
                                       WindowShow::Hidden));
}

}  // namespace
}  // namespace kva::win32
