// SPDX-License-Identifier: MIT
// ravolin-tool board, timetable and stops, run as a program on a small program folder.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include "data/place_names.h"
#include "data/sources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

// A delivered edition (its own sources and names file) with settings written here, so the
// English texts are checked on the real data.
class DeliveredBoardToolTest : public ::testing::Test {
 protected:
  static data::SourceFiles sources(const std::string& edition) {
    data::SourceFiles files;
    std::string error;
    EXPECT_TRUE(data::read_source_dir(std::string(RAVOLIN_SOURCE_DIR) + "/datasets/" + edition,
                                      files, error))
        << error;
    return files;
  }
  static std::string names(const std::string& edition) {
    std::ifstream in(std::string(RAVOLIN_SOURCE_DIR) + "/datasets/" + edition + "/names-en.txt");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // 仙台 down, 4 lines; 海浜幕張 up on the Keiyo line, 3 lines; no listed holidays.
  test_support::ProgramFolder dir{
      sources("tohoku"),
      "[Keiyo_line]\nkeiyo_flg=2\nkeiyo_station=海浜幕張\nkeiyo_hun1=10\nkeiyo_hun2=5\n"
      "keiyo_hyouji=3\nkeiyo_use=1\n[Sinkansen_line]\nsinkansen_flg=1\nsinkansen_station=仙台\n"
      "sinkansen_hun1=10\nsinkansen_hun2=5\nsinkansen_hyouji=4\n[Holiday]\n9999\n"};
  void SetUp() override { dir.write_file(data::kPlaceNamesFileName, names("tohoku")); }
  ToolRun run(const std::string& cmd, std::vector<std::string> more) {
    std::vector<std::string> args = {cmd, dir.path(), "--at", "2026-12-07 15:50"};
    args.insert(args.end(), more.begin(), more.end());
    return run_tool(dir, args);
  }
};

TEST_F(DeliveredBoardToolTest, EnglishBoardShowsTheSameTrainsAsTheJapanese) {
  ToolRun r = run("board", {"--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Shinkansen (down)  Sendai\n"
            "Komachi 17    16:42  Akita (18:58)\n"
            "Yamabiko 17   16:42  Morioka (17:29)\n"
            "Komachi 19    17:46  Akita (19:56)\n"
            "Yamabiko 19   17:46  Morioka (18:27)\n"
            "\n"
            "Keiyo Line (weekdays, up)  Kaihin-Makuhari\n"
            "Local 16:06  Tokyo (16:39)\n"
            "Rapid 16:14  Tokyo (16:41)\n"
            "Local 16:26  Tokyo (16:59)\n");
  EXPECT_EQ(r.err, "");
  r = run("board", {"--lang", "ja"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "新幹線（下り）  仙台\n"
            "こまち０１７  １６：４２  秋田 (１８：５８)\n"
            "やまびこ０１７  １６：４２  盛岡 (１７：２９)\n"
            "こまち０１９  １７：４６  秋田 (１９：５６)\n"
            "やまびこ０１９  １７：４６  盛岡 (１８：２７)\n"
            "\n"
            "京葉線（平日上り）  海浜幕張\n"
            "普通 １６：０６  東京 (１６：３９)\n"
            "快速 １６：１４  東京 (１６：４１)\n"
            "普通 １６：２６  東京 (１６：５９)\n");
}

TEST_F(DeliveredBoardToolTest, EnglishTimetableAndStops) {
  ToolRun r = run("timetable", {"--line", "sinkansen", "--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("\r\n08|")), "Shinkansen (down)  Sendai\n06|Mr 00  Mr 50  ");
  EXPECT_NE(r.out.find("\r\n08|Mr 10  Mr 42  Ak<42> \r\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(r.out.rfind("\r\n") + 2),
            "22|Mr 10  Mr 40  \n"
            "Last stop:  Mr = Morioka  Ak = Akita\n"
            "Note: plain = Yamabiko  [ ] = Tsubasa  < > = Komachi  ( ) = Nasuno\n");

  r = run("timetable", {"--line", "keiyo", "--lang=en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('|')), "Keiyo Line (weekdays, up)  Kaihin-Makuhari\n05");
  EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1),
            "Note: ( ) = terminates at Shin-Narashino\n");

  r = run("stops", {"--line", "sinkansen", "--index", "1", "--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Sendai (16:42) → Ichinoseki (17:04) → Kitakami (17:16) → Morioka (17:29)\n");
  r = run("stops", {"--line", "keiyo", "--index", "0", "--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Kaihin-Makuhari (16:06) → Shin-Narashino (16:09) → Minami-Funabashi (16:12) → "
            "Shin-Urayasu (16:20) → Maihama (16:24) → Kasai-Rinkai Park (16:26) → "
            "Shin-Kiba (16:30) → Hatchobori (16:37) → Tokyo (16:39)\n");
}

TEST_F(DeliveredBoardToolTest, LangGoesAnywhereOnTheLine) {
  const ToolRun after = run("board", {"--lang", "en"});
  ASSERT_EQ(after.status, 0) << after.err;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--lang", "en", "board", dir.path(), "--at", "2026-12-07 15:50"},
        {"--lang=en", "board", dir.path(), "--at", "2026-12-07 15:50"},
        {"board", "--lang", "en", dir.path(), "--at", "2026-12-07 15:50"}}) {
    const ToolRun r = run_tool(dir, args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, after.out) << args[0];
  }
}

TEST_F(DeliveredBoardToolTest, ABrokenNamesFileStopsOnlyTheEnglishTexts) {
  dir.write_file(data::kPlaceNamesFileName, "仙台\tSendai\n盛岡 Morioka\n");
  const std::string fault = "Names file " + dir.file(data::kPlaceNamesFileName) +
                            " line 2: no TAB between the Japanese and the English name";
  // The Japanese texts do not use the file: told, and printed as always.
  ToolRun r = run("board", {});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "新幹線（下り）  仙台");
  EXPECT_EQ(r.err, "ravolin-tool board: warning: " + fault + " (the English names are not used)\n");
  // The English ones would be half Japanese: refused.
  r = run("board", {"--lang", "en"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ravolin-tool board: " + fault + "\n");
  // One English name for two places, and a control character, are refused the same way.
  dir.write_file(data::kPlaceNamesFileName, "仙台\tSendai\nテスト駅\tSENDAI\n");
  r = run("board", {"--lang", "en"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("line 2: the English name is given a second time"), std::string::npos)
      << r.err;
  dir.write_file(data::kPlaceNamesFileName, "仙台\tSen\x1B[2Jdai\n");
  r = run("board", {"--lang", "en"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.find('\x1B'), std::string::npos) << r.err;
}

TEST_F(DeliveredBoardToolTest, WithoutANamesFileNamesStayJapaneseAndABrokenOneIsRefused) {
  std::filesystem::remove(dir.file(data::kPlaceNamesFileName));
  ToolRun r = run("stops", {"--line", "sinkansen", "--index", "1", "--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "仙台 (16:42) → 一ノ関 (17:04) → 北上 (17:16) → 盛岡 (17:29)\n");

  dir.write_file(data::kPlaceNamesFileName, "仙台\tSendai\n盛岡 Morioka\n");
  r = run("board", {"--lang", "en"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ravolin-tool board: Names file " + dir.file(data::kPlaceNamesFileName) +
                       " line 2: no TAB between the Japanese and the English name\n");
}

}  // namespace
}  // namespace ravolin
