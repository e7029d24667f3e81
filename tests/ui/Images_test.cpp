#include "ui/Images.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "ResourceIds.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"
#include "ui/ImageIds.h"

namespace kva::ui::test {
namespace {

HMODULE Module() { return ::GetModuleHandleW(nullptr); }

// The icon and group-image ids the built-in catalogue names.
std::set<int> CatalogueImageIds() {
  std::ifstream file(KVA_CATALOGUE_REG, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  const std::string text = Utf16ToUtf8(DecodeText(bytes).text);
  const std::regex value(R"re("(iImage|GroupImage)"=dword:([0-9a-fA-F]{8}))re");
  std::set<int> ids;
  for (std::sregex_iterator i(text.begin(), text.end(), value), end; i != end; ++i) {
    ids.insert(std::stoi((*i)[2].str(), nullptr, 16));
  }
  return ids;
}

TEST(ImagesTest, EveryPictureTheCatalogueNamesIsThere) {
  const std::set<int> ids = CatalogueImageIds();
  ASSERT_GT(ids.size(), 50u) << "catalogue not read";
  for (int id : ids) {
    SCOPED_TRACE(id);
    EXPECT_NE(LoadImageResource(Module(), id), nullptr);
  }
}

TEST(ImagesTest, PicturesHaveTheSizesTheyAreShownAt) {
  struct Case {
    const char* name;
    int id;
    int width, height;
  };
  const Case cases[] = {
      {"logo", KVA_IMG_LOGO, 64, 64},
      {"own tool", KVA_IMG_OWN_TOOL, 22, 22},
      {"section", KVA_IMG_SECTION, 22, 22},
      {"selection", KVA_IMG_SELECTION, 16, 16},
      {"a tool icon", 202, 22, 22},
      {"first group", KVA_IMG_GROUP_FIRST, 20, 16},
      {"last group", KVA_IMG_GROUP_LAST, 20, 16},
      {"update selected", image::kUpdateSelected, 24, 24},
      {"run selected", image::kRunSelected, 24, 24},
      {"update and run", image::kUpdateAndRun, 24, 24},
      {"hide selected", image::kHideSelected, 24, 24},
      {"restore hidden", image::kRestoreHidden, 24, 24},
      {"add tools", image::kAddTools, 24, 24},
      {"uninstall selected", image::kUninstallSelected, 24, 24},
      {"settings link", image::kSettingsLink, 24, 24},
      {"about link", image::kAboutLink, 24, 24},
      {"help link", image::kHelpLink, 24, 24},
      {"confirm", image::kConfirm, 24, 24},
      {"decline", image::kDecline, 24, 24},
      {"find", image::kFind, 16, 16},
      {"menu", image::kMenu, 16, 16},
      {"first menu entry", image::kMenuRunHighlighted, 16, 16},
      {"last menu entry", image::kMenuSortAll, 16, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = LoadImageResource(Module(), c.id);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(static_cast<int>(image->GetWidth()), c.width);
    EXPECT_EQ(static_cast<int>(image->GetHeight()), c.height);
  }
}

TEST(ImagesTest, UnknownIdsAndBadDataGiveNoPicture) {
  EXPECT_EQ(LoadImageResource(Module(), 9999), nullptr);
  const std::uint8_t notPng[] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
  EXPECT_EQ(LoadPng(notPng), nullptr);
  EXPECT_EQ(LoadPng({}), nullptr);
}

TEST(ImagesTest, DibsAreTopDownWithPremultipliedAlpha) {
  auto logo = LoadImageResource(Module(), KVA_IMG_LOGO);
  ASSERT_NE(logo, nullptr);
  UniqueBitmap dib = MakeDib(*logo, 16, 16);
  ASSERT_TRUE(dib.IsValid());
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(dib.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmWidth, 16);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const auto* pixels = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  const auto pixel = [&](int x, int y) { return pixels + (y * 16 + x) * 4; };
  // The logo's face darkens downwards; B, G, R, A in memory.
  EXPECT_GT(pixel(8, 2)[0], pixel(8, 13)[0]) << "the first row in memory is the top one";
  EXPECT_EQ(pixel(0, 0)[3], 0) << "the logo's rounded corner is transparent";
  EXPECT_EQ(pixel(8, 8)[3], 255) << "its middle is opaque";
  for (int c = 0; c < 3; ++c) EXPECT_LE(pixel(0, 0)[c], pixel(0, 0)[3]);
}

}  // namespace
}  // namespace kva::ui::test
