// The program's own ZIP extraction on a real disk, through the Win32 file
// system.
#include <windows.h>

#include <gtest/gtest.h>

#include "operations/ZipExtraction.h"
#include "operations/ZipFixture.h"
#include "platform/FileDeletion.h"
#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

TEST(Win32ZipExtraction, ExtractsOnDiskAndRefusesADotDotEntry) {
  Win32FileSystem files;
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  const std::u16string root = FromWide(temp) + u"kva_zip_" + ToDecimal(::GetCurrentProcessId());
  const std::u16string archive = root + u"\\tool.zip";
  const std::u16string destination = root + u"\\tool";
  ASSERT_TRUE(files.CreateFolders(root));

  ASSERT_TRUE(files.WriteAll(archive, MakeZip({{"bin/tool.exe", std::string(500, 'x')},
                                               {"readme.txt", "stored", false, "pass word"}})));
  ASSERT_TRUE(ExtractZip(files, archive, destination, u"pass word").has_value());
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(files.ReadAll(destination + u"\\bin\\tool.exe", bytes));
  EXPECT_EQ(bytes, std::vector<std::uint8_t>(500, 'x'));
  ASSERT_TRUE(files.ReadAll(destination + u"\\readme.txt", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "stored");

  ASSERT_TRUE(files.WriteAll(archive, MakeZip({{"good.txt", "fine"}, {"..\\evil.txt", "bad"}})));
  const auto refused = ExtractZip(files, archive, destination, u"");
  ASSERT_FALSE(refused.has_value());
  EXPECT_EQ(refused.error().error, ZipError::kUnsafeEntry);
  EXPECT_FALSE(Exists(files, root + u"\\evil.txt"));
  EXPECT_FALSE(Exists(files, destination + u"\\good.txt"));

  EXPECT_TRUE(DeleteItems(files, root, 0));
}

}  // namespace
}  // namespace kva::win32
