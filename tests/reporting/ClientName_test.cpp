#include "reporting/ClientName.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "reporting/NewPcForm.h"

namespace kva {
namespace {

TEST(ClientName, RemovesForbiddenCharactersAndRefusesNamesThatEscapeTheStore) {
  struct Case {
    const char* name;
    std::u16string typed;
    std::optional<std::u16string> want;
  };
  const Case cases[] = {
      {"plain", u"Acme", u"Acme"},
      {"removed, not replaced", u"Acme: Main/Branch", u"Acme MainBranch"},
      {"all nine", u"a\\b/c:d*e?f\"g<h>i|j", u"abcdefghij"},
      {"only forbidden", u"\\/:*?\"<>|", std::nullopt},
      {"empty", u"", std::nullopt},
      {"dot", u".", std::nullopt},
      {"dot dot", u"..", std::nullopt},
      {"dot dot after removal", u"./.", std::nullopt},
      {"device", u"CON", std::nullopt},
      {"device any case", u"nul", std::nullopt},
      {"device with extension", u"com1.txt", std::nullopt},
      {"device with blank", u"LPT9 .doc", std::nullopt},
      {"device-like but longer", u"CONSOLE", u"CONSOLE"},
      {"COM10 is a name", u"COM10", u"COM10"},
      {"trailing dot", u"Acme Inc.", std::nullopt},
      {"trailing blank", u"Acme ", std::nullopt},
      {"control character", u"Ac\tme", std::nullopt},
      {"inner dots and blanks", u"A. B. Smith & Sons", u"A. B. Smith & Sons"},
      {"accents", u"Caf\u00e9 M\u00fcller", u"Caf\u00e9 M\u00fcller"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CleanClientName(c.typed), c.want);
  }
}

TEST(NewPcForm, CheckBoxesTakeOverFromTheName) {
  NewPcForm form;
  EXPECT_TRUE(form.ClientBoxEnabled());
  auto answer = form.Apply(u"Acme: Main");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->kind, NewPcAnswer::Kind::kClient);
  EXPECT_EQ(answer->clientName, u"Acme Main");
  EXPECT_FALSE(form.Apply(u"::")) << "refused: the window stays open";

  form.SetNeverOnThisPc(true);
  EXPECT_FALSE(form.ClientBoxEnabled());
  answer = form.Apply(u"::");
  ASSERT_TRUE(answer) << "the name does not matter then";
  EXPECT_EQ(answer->kind, NewPcAnswer::Kind::kNoReport);
  EXPECT_TRUE(answer->neverOnThisPc);
  EXPECT_FALSE(answer->disableReports);

  form.SetDisableReports(true);
  form.SetNeverOnThisPc(false);
  EXPECT_FALSE(form.ClientBoxEnabled());
  answer = form.Apply(u"Acme");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->kind, NewPcAnswer::Kind::kNoReport);
  EXPECT_TRUE(answer->disableReports);

  form.SetDisableReports(false);
  EXPECT_TRUE(form.ClientBoxEnabled());
}

}  // namespace
}  // namespace kva
