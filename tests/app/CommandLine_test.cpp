#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

TEST(CommandLine, SwitchesAndSelection) {
  struct Case {
    const char* name;
    std::vector<std::u16string> args;
    StartOperation operation;
    std::u16string selection;
    bool quiet, autoClose, noUpdate;
  };
  const Case cases[] = {
      {"nothing", {}, StartOperation::None, u"", false, false, false},
      {"run with name", {u"/Run:", u"Weekly"}, StartOperation::Run, u"Weekly", false, false, false},
      {"case-insensitive", {u"/run:", u"Weekly", u"/QUIET"}, StartOperation::Run, u"Weekly", true,
       true, false},
      {"run as last argument is ignored", {u"/Quiet", u"/Run:"}, StartOperation::None, u"", true,
       true, false},
      {"switch must be whole", {u"/Run:Weekly", u"/NoUpdates"}, StartOperation::None, u"", false,
       false, false},
      {"last name, first operation", {u"/UpdateRun:", u"A", u"/Update:", u"B", u"/Run:", u"C"},
       StartOperation::Update, u"C", false, false, false},
      {"run before update-run", {u"/UpdateRun:", u"A", u"/Run:", u"B"}, StartOperation::Run, u"B",
       false, false, false},
      {"auto close and no update", {u"/AutoClose", u"/NoUpdate", u"junk"}, StartOperation::None,
       u"", false, true, true},
      {"name may look like a switch", {u"/Run:", u"/Quiet"}, StartOperation::Run, u"/Quiet", false,
       false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.operation, c.operation);
    EXPECT_EQ(parsed.selectionName, c.selection);
    EXPECT_EQ(parsed.quiet, c.quiet);
    EXPECT_EQ(parsed.autoClose, c.autoClose);
    EXPECT_EQ(parsed.noUpdate, c.noUpdate);
  }
}

}  // namespace
}  // namespace kva
