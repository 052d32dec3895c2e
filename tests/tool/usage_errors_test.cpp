// Usage errors of the subcommands that take a program folder and named options: each is
// refused with exit status 2 and one line naming the fault, before any file is read.
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravolin {
namespace {

struct Case {
  std::vector<std::string> args;
  std::string err;
};

void expect_refused(const std::vector<Case>& cases) {
  test_support::ProgramFolder dir;
  for (const Case& c : cases) {
    const test_support::ToolRun r = test_support::run_tool(dir, c.args);
    std::string call;
    for (const auto& a : c.args) call += a + " ";
    EXPECT_EQ(r.status, 2) << call;
    EXPECT_EQ(r.err, c.err) << call;
    EXPECT_EQ(r.out, "") << call;
  }
}

TEST(UsageErrors, HotelsNamesTheFaultyArgument) {
  expect_refused({
      {{"hotels", "a", "b"}, "ravolin-tool hotels: unexpected argument 'b'\n"},
      {{"hotels", "a", "--today", "2000-03-13", "--area"},
       "ravolin-tool hotels: option --area needs a value\n"},
      // An unknown option is named even when a second folder follows it.
      {{"hotels", "a", "--bogus=1", "b"}, "ravolin-tool hotels: unknown option '--bogus'\n"},
      {{"hotels", "--today=2000-03-13", "--area", "名古屋"},
       "ravolin-tool hotels: the program folder DIR is missing\n"},
      // "--name=value" counts as given: the next missing option is named.
      {{"hotels", "a", "--today=2000-03-13"}, "ravolin-tool hotels: option --area is missing\n"},
  });
}

TEST(UsageErrors, SearchNamesTheFaultyArgument) {
  expect_refused({
      {{"search", "a", "b"}, "ravolin-tool search: unexpected argument 'b'\n"},
      {{"search", "a", "--from"}, "ravolin-tool search: option --from needs a value\n"},
      {{"search", "--area", "x", "a", "b"}, "ravolin-tool search: unknown option '--area'\n"},
      {{"search", "--show", "report"}, "ravolin-tool search: the program folder DIR is missing\n"},
      {{"search", "a", "--today=2000-03-13", "--show=report"},
       "ravolin-tool search: option --date is missing\n"},
  });
}

}  // namespace
}  // namespace ravolin
