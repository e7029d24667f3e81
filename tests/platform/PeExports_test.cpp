#include "platform/PeExports.h"

#include <gtest/gtest.h>

#include "PeImageBuilder.h"

namespace kva::test {
namespace {

using Names = std::vector<std::string>;

TEST(PeExportsTest, ReadsTheNameTable) {
  const Names names = {"DllInstall", "DllRegisterServer", "Helper"};
  EXPECT_EQ(ReadExportNames(PeImageExporting(names)), names);
  EXPECT_EQ(ReadExportNames(PeImageExporting({})), Names{});
}

// Cut or corrupted files fail instead of reading past their end.
TEST(PeExportsTest, BrokenImagesAreRefused) {
  const auto good = PeImageExporting({"DllRegisterServer"});
  struct Case {
    const char* name;
    std::size_t offset;  // where one 32-bit word is overwritten; npos: the image is cut
    std::uint32_t value;
    std::size_t keep;
  };
  const Case cases[] = {
      {"no MZ", 0, 0, good.size()},
      {"PE header beyond the end", 0x3C, 0xFFFFFFF0, good.size()},
      {"not PE", 0x40, 0x12345678, good.size()},
      {"unknown optional header", 0x58, 0x999, good.size()},
      {"export directory outside every section", 0x58 + 112, 0x9000, good.size()},
      {"name table beyond the end", 0x200 + 32, 0x1FF0, good.size()},
      {"name count absurd", 0x200 + 24, 0x7FFFFFFF, good.size()},
      {"cut inside the names", std::string::npos, 0, good.size() - 3},
      {"only the DOS header", std::string::npos, 0, 0x40},
  };
  for (const Case& c : cases) {
    auto image = good;
    if (c.offset != std::string::npos) PutLe(image, c.offset, c.value, c.offset == 0 ? 2 : 4);
    image.resize(c.keep);
    EXPECT_FALSE(ReadExportNames(image).has_value()) << c.name;
  }
  EXPECT_FALSE(ReadExportNames({}).has_value());
}

}  // namespace
}  // namespace kva::test
