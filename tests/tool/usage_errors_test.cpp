// SPDX-License-Identifier: MIT
// Usage errors of the subcommands that take a program folder and named options: each is
// refused with exit status 2 and one line naming the fault, before any file is read. The
// help, asked for, goes to standard output; the manual page lists what the help lists.
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
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

TEST(UsageErrors, EveryMessageStartsWithTheSubcommand) {
  expect_refused({
      // --lang anywhere on the line: its fault is told after the subcommand.
      {{"board", "a", "--at", "2000-03-13 10:00", "--lang", "xx"},
       "ravolin-tool board: --lang takes en or ja, not 'xx'\n"},
      {{"--lang=xx", "hotels", "a"}, "ravolin-tool hotels: --lang takes en or ja, not 'xx'\n"},
      {{"board", "a", "--at", "2000-03-13 10:00", "--lang"},
       "ravolin-tool board: option --lang needs a value (en or ja)\n"},
      {{"dump"}, "ravolin-tool dump: usage: ravolin-tool dump FILE.dat\n"},
      {{"build", "a"}, "ravolin-tool build: usage: ravolin-tool build SRC_DIR OUT.dat\n"},
      {{"export", "a"}, "ravolin-tool export: usage: ravolin-tool export FILE.dat OUT_DIR\n"},
      {{"check"}, "ravolin-tool check: usage: ravolin-tool check FILE.dat|SRC_DIR\n"},
      {{"stops", "a", "--at", "2000-03-13 10:00", "--line", "keiyo"},
       "ravolin-tool stops: missing --index N\n"},
      {{"diagram", "a", "--date"}, "ravolin-tool diagram: option --date needs a value\n"},
  });
  // A file that cannot be read: one line, after the subcommand, naming the file.
  test_support::ProgramFolder dir;
  for (const char* cmd : {"dump", "check"}) {
    const test_support::ToolRun r = test_support::run_tool(dir, {cmd, dir.file("missing.dat")});
    EXPECT_NE(r.status, 0) << cmd;
    EXPECT_EQ(r.err.rfind(std::string("ravolin-tool ") + cmd + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("missing.dat"), std::string::npos) << r.err;
  }
}

std::vector<std::string> help_commands(const std::string& help) {
  // "  NAME ARGS...   what it does": the lines that start a subcommand.
  std::vector<std::string> names;
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);)
    if (line.size() > 3 && line.rfind("  ", 0) == 0 && line[2] >= 'a' && line[2] <= 'z')
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
  return names;
}

TEST(ToolHelp, HelpAskedForGoesToStandardOutputAndAMistakeToStandardError) {
  test_support::ProgramFolder dir;
  std::string help;
  for (const char* ask : {"--help", "-h", "help"}) {
    const test_support::ToolRun r = test_support::run_tool(dir, {ask});
    EXPECT_EQ(r.status, 0) << ask;
    EXPECT_EQ(r.err, "") << ask;
    EXPECT_EQ(r.out.rfind("usage: ravolin-tool COMMAND ...\n", 0), 0u) << ask << ": " << r.out;
    help = r.out;
  }
  EXPECT_EQ(help_commands(help),
            (std::vector<std::string>{"dump", "build", "export", "check", "board", "timetable",
                                      "stops", "search", "hotels", "diagram"}));

  // No subcommand, or an unknown one: the same list, as an error.
  test_support::ToolRun none = test_support::run_tool(dir, {});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, help);
  test_support::ToolRun unknown = test_support::run_tool(dir, {"bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "ravolin-tool: unknown command 'bogus'\n" + help);
}

TEST(ToolHelp, ManualPageSynopsisListsEverySubcommandOfTheHelp) {
  test_support::ProgramFolder dir;
  const test_support::ToolRun r = test_support::run_tool(dir, {"--help"});
  std::ifstream man(RAVOLIN_SOURCE_DIR "/packaging/ravolin-tool.1");
  ASSERT_TRUE(man) << "packaging/ravolin-tool.1";
  std::stringstream text;
  text << man.rdbuf();
  const std::string page = text.str();
  const std::string synopsis = page.substr(
      page.find(".SH SYNOPSIS"), page.find(".SH DESCRIPTION") - page.find(".SH SYNOPSIS"));
  const std::vector<std::string> names = help_commands(r.out);
  ASSERT_EQ(names.size(), 10u) << r.out;
  for (const std::string& name : names)
    EXPECT_NE(synopsis.find(".B ravolin-tool " + name + "\n"), std::string::npos) << name;
}

}  // namespace
}  // namespace ravolin
