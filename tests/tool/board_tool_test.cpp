// SPDX-License-Identifier: MIT
// ravolin-tool board, timetable and stops, run as a program on a small program folder.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravolin {
namespace {

using test_support::run_tool;
using test_support::ToolRun;

// 品川 down with 10/5 minutes, 舞浜 on the Keiyo line; 20 March is a listed holiday.
std::string settings(int keiyo_use) {
  return "[Keiyo_line]\nkeiyo_flg=1\nkeiyo_station=舞浜\nkeiyo_hun1=10\nkeiyo_hun2=5\n"
         "keiyo_hyouji=0\nkeiyo_use=" +
         std::to_string(keiyo_use) +
         "\n[Sinkansen_line]\nsinkansen_flg=1\nsinkansen_station=品川\nsinkansen_hun1=10\n"
         "sinkansen_hun2=5\nsinkansen_hyouji=0\n[Holiday]\n320\n9999\n";
}

class BoardToolTest : public ::testing::Test {
 protected:
  test_support::ProgramFolder dir{test_support::small_sources(1), settings(1)};
  ToolRun run(const std::string& cmd, std::vector<std::string> more) {
    std::vector<std::string> args = {cmd, dir.path()};
    args.insert(args.end(), more.begin(), more.end());
    return run_tool(dir, args);
  }
};

TEST_F(BoardToolTest, BoardPrintsBothListsAndFollowsTheHolidayList) {
  ToolRun r = run("board", {"--at", "2000-03-13 05:10"});  // a Monday
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "新幹線（下り）  品川\n"
            "のぞみ００１E ０６：０７  新大阪 (０８：３０)\n"
            "\n"
            "京葉線（平日下り）  舞浜\n"
            "快速 ０５：２５  新習志野 (０５：４０)\n"
            "普通 ０５：３４  舞浜 (０５：３４)\n");
  EXPECT_EQ(r.err, "");

  // 20 March (Monday) is listed: the holiday schedule, which has no trains.
  r = run("board", {"--at", "2000-03-20 05:10"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "新幹線（下り）  品川\n"
            "のぞみ００１E ０６：０７  新大阪 (０８：３０)\n"
            "\n"
            "京葉線（土休日下り）  舞浜\n"
            "この時間は運行していません\n");
}

TEST_F(BoardToolTest, BoardWithoutTheKeiyoLineShowsOneList) {
  dir.write_settings(settings(0));
  ToolRun r = run("board", {"--at", "2000-03-13 22:00"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "新幹線（下り）  品川\n本日の運行は終了しました\n");
  r = run("timetable", {"--at", "2000-03-13 22:00", "--line", "keiyo"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("keiyo_use"), std::string::npos) << r.err;
}

TEST_F(BoardToolTest, TimetablePrintsCaptionTextAndNote) {
  ToolRun r = run("timetable", {"--at", "2000-03-13 12:00", "--line", "sinkansen"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "新幹線（下り）  品川\n"
            "06|新[07] \n"
            "（注）無印はひかり  [　］はのぞみ　（　）はこだま\n");
  r = run("timetable", {"--at", "2000-03-13 12:00", "--line=keiyo"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "京葉線（平日下り）  舞浜\n"
            "05|快 25   (34)\n"
            "（注）（　）内は新習志野駅とまり\n");
}

TEST_F(BoardToolTest, TimetableKeepsTheRowSeparatorsOfTheScheduleText) {
  std::string s = settings(1);
  s.replace(s.find("sinkansen_station=品川"), std::string("sinkansen_station=品川").size(),
            "sinkansen_station=名古屋");
  dir.write_settings(s);
  ToolRun r = run("timetable", {"--at", "2000-03-13 12:00", "--line", "sinkansen"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "新幹線（下り）  名古屋\n"
            "07|新[37] \r\n"
            "08|新 52  \r\n"
            "21|新(00) \n"
            "（注）無印はひかり  [　］はのぞみ　（　）はこだま\n");
}

TEST_F(BoardToolTest, StopsPrintsTheLaterStopsOfOneLine) {
  ToolRun r = run("stops", {"--at", "2000-03-13 05:10", "--line", "sinkansen", "--index", "0"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "品川(06:07) → 名古屋(07:36) → 新大阪(08:30)　【のぞみ７００系】\n");
  r = run("stops", {"--at", "2000-03-13 05:10", "--line", "keiyo", "--index", "1"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "舞浜(05:34)\n");
  // A line past the list is a mistake in the call; a line holding a message has no train.
  r = run("stops", {"--at", "2000-03-13 05:10", "--line", "keiyo", "--index", "2"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ravolin-tool stops: --index must be a list line number from 0 to 1, not '2'\n");
  r = run("stops", {"--at", "2000-03-13 05:10", "--line", "sinkansen", "--index", "500"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "ravolin-tool stops: --index must be a list line number from 0 to 0, not '500'\n");
  r = run("stops", {"--at", "2000-03-13 23:00", "--line", "sinkansen", "--index", "0"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "\n");
}

TEST_F(BoardToolTest, BadArgumentsAreRefusedWithStatusTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {"board", dir.path()},
      {"board", dir.path(), "--at", "2000-02-30 10:00"},
      {"board", dir.path(), "--at", "2000-3-13 10:00"},
      {"board", "--at", "2000-03-13 10:00"},
      {"board", dir.path(), "--at", "2000-03-13 10:00", "--line", "keiyo"},
      {"timetable", dir.path(), "--at", "2000-03-13 10:00", "--line", "tokaido"},
      {"stops", dir.path(), "--at", "2000-03-13 10:00", "--line", "keiyo"},
      {"stops", dir.path(), "--at", "2000-03-13 10:00", "--line", "keiyo", "--index", "-1"},
  };
  for (const auto& args : bad) {
    ToolRun r = run_tool(dir, args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(r.status, 2) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_NE(r.err.find("ravolin-tool"), std::string::npos) << joined;
  }
}

TEST(BoardToolFolder, MissingOrDamagedFolderIsAnError) {
  test_support::ProgramFolder empty;
  ToolRun r = run_tool(empty, {"board", empty.path(), "--at", "2000-03-13 10:00"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ravolinh.dat"), std::string::npos) << r.err;

  test_support::ProgramFolder no_settings(test_support::small_sources(1));
  r = run_tool(no_settings, {"board", no_settings.path(), "--at", "2000-03-13 10:00"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ravolin2.ini"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");

  r = run_tool(empty, {"board", empty.file("nowhere"), "--at", "2000-03-13 10:00"});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace ravolin
