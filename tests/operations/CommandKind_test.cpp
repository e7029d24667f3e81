#include "operations/CommandKind.h"

#include <gtest/gtest.h>

namespace kva {
namespace {

TEST(CommandKindTest, EachKindIsRecognisedOnlyAtTheStart) {
  struct Case {
    std::u16string text;
    std::size_t kind;  // index into CommandKind
  };
  const Case cases[] = {
      {u"<CleanTemp>", 0},
      {u"<Abcd>", 0},
      {u"<Abc>", 4},             // a tag name needs four characters
      {u"<no close", 4},
      {u"->UNZIP(a.zip,b)", 1},
      {u"->Unzip(a.zip)", 4},    // needs both arguments
      {u"->delete(C:\\a,b\\*.tmp, 6)", 2},
      {u"->Delete(C:\\a, x)", 4},  // options must be a number
      {u"->runskip(C:\\app.exe)", 3},
      {u" ->RunSkip(C:\\app.exe)", 4},
      {u"setup.exe ->Delete(C:\\a, 1)", 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyCommand(c.text).index(), c.kind) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(CommandKindTest, ArgumentsAreTakenAsWritten) {
  const auto unzip = std::get<UnzipCommand>(ClassifyCommand(u"->Unzip(  a b.zip,  C:\\x, y)"));
  // The blanks before an argument stay; the runner trims them.
  EXPECT_EQ(unzip.archive, u"  a b.zip");
  EXPECT_EQ(unzip.destination, u"  C:\\x, y");
  const auto remove = std::get<DeleteCommand>(ClassifyCommand(u"->Delete( \"C:\\a,b\" , 99999999999)"));
  EXPECT_EQ(remove.path, u" \"C:\\a,b\" ");
  EXPECT_EQ(remove.options, 0xFFFFFFFFu);
  EXPECT_EQ(std::get<TagCommand>(ClassifyCommand(u"<Defrag> C:")).closePosition, 8u);
}

}  // namespace
}  // namespace kva
