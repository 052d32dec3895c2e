// SPDX-License-Identifier: MIT
// ravolin-tool search, run as a program on a small program folder.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
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

// --lang en on the delivered data.
std::vector<std::string> delivered(const char* edition, const std::string& from,
                                   const std::string& to, std::vector<std::string> more) {
  std::vector<std::string> args = {"search",      std::string(RAVOLIN_PROGRAM_DIR) + "/" + edition,
                                   "--today",     "2026-12-01",
                                   "--date",      "2026-12-14",
                                   "--from",      from,
                                   "--to",        to,
                                   "--depart",    "06:00-08:00",
                                   "--arrive",    "06:00-23:59",
                                   "--wait",      "60",
                                   "--transfers", "1",
                                   "--per-train", "one",
                                   "--sort",      "depart"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(SearchToolEnglish, FareTextAndRefusalsOnTheDeliveredData) {
  test_support::ProgramFolder out;
  ToolRun r = test_support::run_tool(
      out, delivered("tohoku", "東京", "仙台", {"--show", "fares", "--lang", "en"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Fare\t\t\t\t\t:   5,780 yen (valid 3 days)\r\n"
            "Limited express charge, reserved seat\t:   4,610 yen\r\n"
            "Green Car charge\t\t\t:   4,000 yen\r\n"
            "Green Car room for 1-2, per person\t:       -\r\n"
            "Green Car room for 3-4, per person\t:       -\r\n"
            "\t* With a Green Car seat the limited express charge is 4,300 yen\r\n"
            "Limited express charge, non-reserved\t:   4,300 yen\r\n"
            "\r\n"
            "<< Totals >>\r\n"
            "\tReserved seat\t\t\t:  10,390 yen\r\n"
            "\tGreen Car\t\t\t:  14,080 yen\r\n"
            "\tNon-reserved\t\t\t:  10,080 yen\r\n"
            "\r\n"
            "<< Shinkansen discount tickets >>\r\n"
            "Economy ticket, reserved seat\t\t:   9,910 yen each (30 tickets, valid 3 months, "
            "297,300 yen)\r\n"
            "Economy ticket, Green Car\t\t:  13,177 yen each (30 tickets, valid 3 months, "
            "395,300 yen)\r\n"
            "Shinkansen coupons, reserved seat\t:  10,050 yen each (6 tickets, valid 3 months, "
            "60,300 yen)\r\n"
            "Shinkansen coupons, Green Car\t\t:  13,367 yen each (6 tickets, valid 3 months, "
            "80,200 yen)\r\n"
            "Off-peak coupons, non-reserved\t\t:   8,867 yen each (6 tickets, valid 1 month, "
            "53,200 yen)\r\n"
            "Shinkansen coupons, non-reserved\t:   9,475 yen each (6 tickets, valid 3 months, "
            "56,850 yen)\r\n\n");
  r = test_support::run_tool(out,
                             delivered("tohoku", "東京", "仙台", {"--show=legend", "--lang=en"}));
  EXPECT_EQ(r.out, "[M] after the train: all double-decker cars\n");

  r = test_support::run_tool(out, delivered("tokaido", "Osaka", "東京", {"--lang", "en"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ravolin-tool search: --from: Input error\n");
  std::vector<std::string> two = delivered("tokaido", "東京", "新大阪", {"--lang", "en"});
  two[17] = "2";            // --transfers
  two[11] = "06:00-09:00";  // --depart
  r = test_support::run_tool(out, two);
  EXPECT_EQ(r.err,
            "ravolin-tool search: --depart: With up to 2 transfers, keep the departure times "
            "within 2 hours\n");
}

// The numbers of a report (ride minutes, train numbers, times) line by line: the same
// connections give the same numbers in either language (English drops leading zeros).
std::vector<std::string> connection_digits(const std::string& report) {
  std::vector<std::string> lines;
  const std::regex digits("[0-9]+");
  std::size_t start = 0;
  while (start < report.size()) {
    std::size_t end = report.find('\n', start);
    if (end == std::string::npos) end = report.size();
    const std::string line = report.substr(start, end - start);
    std::string found;
    for (std::sregex_iterator it(line.begin(), line.end(), digits), last; it != last; ++it) {
      std::string number = it->str();
      number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
      found += number + " ";
    }
    lines.push_back(found);
    start = end + 1;
  }
  return lines;
}

TEST(SearchToolEnglish, TokyoToHakataFindsTheJapaneseConnections) {
  const std::string folder = std::string(RAVOLIN_PROGRAM_DIR) + "/tokaido";
  test_support::ProgramFolder out;
  const ToolRun japanese =
      test_support::run_tool(out, delivered("tokaido", "東京", "博多", {"--show", "report"}));
  ASSERT_EQ(japanese.status, 0) << japanese.err;
  const ToolRun english = test_support::run_tool(
      out, delivered("tokaido", "Tokyo", "Hakata", {"--show", "report", "--lang", "en"}));
  bool has_names = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    has_names = has_names || entry.path().filename().string().find("name") != std::string::npos;
  if (english.status != 0 && !has_names) GTEST_SKIP() << "no English place names in " << folder;
  ASSERT_EQ(english.status, 0) << english.err;
  EXPECT_NE(english.out.find("Tokyo (dep "), std::string::npos) << english.out;
  EXPECT_NE(english.out.find("Hakata (arr "), std::string::npos) << english.out;
  EXPECT_EQ(connection_digits(english.out), connection_digits(japanese.out));
  EXPECT_NE(japanese.out.find("博多("), std::string::npos) << japanese.out;
}

}  // namespace
}  // namespace ravolin
