// SPDX-License-Identifier: MIT
// ravolin-tool search, run as a program on a small program folder.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravolin {
namespace {

using test_support::ToolRun;

ToolRun run_search(const test_support::ProgramFolder& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {"search", dir.path()});
  return test_support::run_tool(dir, args);
}

const char* const kSettings = "[Holiday]\n9999\n";

std::vector<std::string> conditions(const std::string& date, const std::string& wait,
                                    const std::string& per_train = "all") {
  return {"--today",     "2000-03-01", "--date",      date,       "--from",      "東京",   "--to",
          "新大阪",      "--depart",   "06:00-23:00", "--arrive", "06:00-23:59", "--wait", wait,
          "--transfers", "1",          "--per-train", per_train,  "--sort",      "depart"};
}

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(SearchTool, PrintsCaptionReportFaresAndLegend) {
  test_support::ProgramFolder dir(test_support::small_sources(1), kSettings);
  ToolRun r = run_search(dir, conditions("2000-03-14", "120"));
  ASSERT_EQ(r.status, 0) << r.err;
  // Four texts, each followed by LF, with one empty line between them.
  const std::string head =
      "東京 → 新大阪  【2000/03/14（火）　通常期】　表示順序：発車時刻順\n\n"
      "[150分]のぞみ001E 東京(06:00発)→新大阪(08:30着) \r\n\r\n"
      "[225分]のぞみ001E 東京(06:00発)→名古屋(07:36着) \r\n"
      "\t\t～ ひかり101  名古屋(08:52発)→新大阪(09:45着) \r\n\r\n"
      "[165分]ひかり101  東京(07:00発)→新大阪(09:45着) \r\n\r\n\n\n";
  const std::string tail =
      "\n\n列車名の[N]:のぞみ型 [n]:のぞみ500系 [E]:のぞみ700系 [G]:ｸﾞﾗﾝﾄﾞひかり "
      "[W]:ｳｴｽﾄひかり [R]:Rail Star\n";
  ASSERT_GT(r.out.size(), head.size() + tail.size());
  EXPECT_EQ(r.out.substr(0, head.size()), head);
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
  std::string fares = r.out.substr(head.size(), r.out.size() - head.size() - tail.size());
  EXPECT_EQ(fares.rfind("運賃\t\t\t\t\t：８，５１０円（有効期間：４日）\r\n", 0), 0u);
  for (const char* line : {"\tのぞみグリーン車指定席利用時\t：１８，９４０円\r\n",
                           "新幹線指定席特急回数券（普通車用）\t：１４，１００円／１枚あたりの料金"
                           "（６枚綴り、３ヶ月、ねだん：８４，６００円）\r\n",
                           "新幹線自由席特急回数券\t\t\t：１０，３００円／１枚あたりの料金"
                           "（６枚綴り、３ヶ月、ねだん：６１，８００円）\r\n"})
    EXPECT_NE(fares.find(line), std::string::npos) << line;
  EXPECT_TRUE(fares.ends_with("\t東京～新大阪間乗車時\t\t：４００円\r\n")) << fares;
}

TEST(SearchTool, ShowsOneTextAndTheEmptyResult) {
  test_support::ProgramFolder dir(test_support::small_sources(1), kSettings);
  // A Saturday: H101 (day code 11) does not run; one per train keeps the direct N001.
  ToolRun r = run_search(dir, with(conditions("2000-03-11", "120", "one"), {"--show", "report"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[150分]のぞみ001E 東京(06:00発)→新大阪(08:30着) \r\n\r\n\n");

  r = run_search(dir, with(conditions("2000-08-08", "10"), {"--show=caption"}));
  EXPECT_EQ(r.out, "東京 → 新大阪  【2000/08/08（火）　繁忙期】　表示順序：発車時刻順\n");

  // 14 March listed as a holiday: H101 (not on days off) does not run.
  test_support::ProgramFolder holiday(test_support::small_sources(1), "[Holiday]\n314\n9999\n");
  r = run_search(holiday, with(conditions("2000-03-14", "120"), {"--show", "report"}));
  EXPECT_EQ(r.out, "[150分]のぞみ001E 東京(06:00発)→新大阪(08:30着) \r\n\r\n\n");

  std::vector<std::string> late = conditions("2000-03-14", "10");
  late[9] = "22:00-23:00";
  r = run_search(dir, with(late, {"--show", "report"}));
  EXPECT_EQ(r.out,
            "条件にあう新幹線を検索できませんでした\r\n"
            "乗車条件：東京   \t2200 -> 2300\r\n"
            "下車条件：新大阪   \t600 -> 2359\r\n\n");
}

TEST(SearchTool, OtherEditionLegendAndNoNozomi) {
  test_support::ProgramFolder dir(test_support::small_sources(3), kSettings);
  ToolRun r = run_search(dir, with(conditions("2000-03-14", "10"), {"--show", "legend"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "列車名の[M]は「オール２階建て車両」で運行しています\n");
  r = run_search(dir, with(conditions("2000-03-14", "10"), {"--show", "fares"}));
  EXPECT_EQ(r.out.find("のぞみ"), std::string::npos) << r.out;
}

TEST(SearchTool, RefusedConditionsAndBadArguments) {
  test_support::ProgramFolder dir(test_support::small_sources(1), kSettings);
  std::vector<std::string> a = conditions("2000-03-14", "10");
  a[5] = "大阪";  // --from
  ToolRun r = run_search(dir, a);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  // A refusal names the option the user typed, never the window's box.
  EXPECT_EQ(r.err, "ravolin-tool search: --from: 入力エラーです\n");

  a = conditions("2000-03-14", "10");
  a[9] = "08:30-08:29";  // --depart ends before it starts
  r = run_search(dir, a);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ravolin-tool search: --depart: '08:30-08:29' is not accepted\n");

  a = conditions("1999-12-31", "10");  // a year before --today's
  r = run_search(dir, a);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ravolin-tool search: --date: '1999-12-31' is not accepted\n");

  a = conditions("2000-03-14", "121");
  EXPECT_EQ(run_search(dir, a).status, 2);

  for (auto bad : std::vector<std::vector<std::string>>{
           with(conditions("2000-03-14", "10"), {"--show", "all"}),
           with(conditions("2000-03-14", "10"), {"--colour", "red"}),
           {"--today", "2000-03-01"}}) {
    r = run_search(dir, bad);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err, "");
    EXPECT_EQ(r.out, "");
  }
  test_support::ProgramFolder empty;
  EXPECT_NE(run_search(empty, conditions("2000-03-14", "10")).status, 0);
}

}  // namespace
}  // namespace ravolin
