// SPDX-License-Identifier: MIT
// ravolin-tool hotels, run as a program on a small program folder with a user hotel file.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ravolin {
namespace {

using test_support::ToolRun;

data::SourceFiles sources() {
  data::SourceFiles src = test_support::small_sources(1);
  src["districts.txt"] = "京橋\n名駅\n梅田\n銀座\n";
  src["hotels.txt"] =
      "東京／羽田 | 銀座 | 銀座ホテル | 03-111-2222 | 300 | 銀座駅徒歩２分 | \\12,000 | ◎\n"
      "東京／成田 | 京橋 | ラボリンホテル | 03-1234-5678 | 123 | 京橋駅徒歩１０分 | \\10,000 | ○\n"
      "名古屋 | 名駅 | ホテル名駅 | 052-000-0000 | 80 | 名古屋駅徒歩３分 | \\8,000 | ◎\n"
      "東京／羽田 | 京橋 | 京橋イン | 03-222-3333 | 0 | 京橋駅すぐ | \\6,500 | "
      "普通のホテルですね\n";
  return src;
}

struct Folder {
  explicit Folder(const std::string& control3 = "0")
      : dir(sources(), "[Control]\ncontrol3_flg=" + control3 + "\n") {
    dir.write_file("hotelusr.csv",
                   test_support::to_cp932_crlf("\"東京／成田\",\"新橋\",\"ユーザーホテル\","
                                               "\"03-9999-0000\",50,\"新橋駅すぐ\",\"\\7,000\","
                                               "\"◎       \"\n"));
  }
  ToolRun run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"hotels", dir.path(), "--today", "2000-03-13"});
    return test_support::run_tool(dir, args);
  }
  test_support::ProgramFolder dir;
};

const std::string kTitle = "＊＊＊＊＊ → 東京／羽田  2000/03/13 (月) 出発\n";
const std::string kHeading = "地区\tホテル名\t電話番号\t部屋数\t交通\t部屋代\t備考(評価)\n";
const std::string kUser = "新橋\tユーザーホテル\t03-9999-0000\t50\t新橋駅すぐ\t\\7,000\t◎       \n";
const std::string kGinza =
    "銀座\t銀座ホテル\t03-111-2222 \t300\t銀座駅徒歩２分\t\\12,000 \t◎       \n";
const std::string kLaborin =
    "京橋\tラボリンホテル\t03-1234-5678\t123\t京橋駅徒歩１０分\t\\10,000 \t○       \n";
const std::string kInn =
    "京橋\t京橋イン\t03-222-3333 \t\t京橋駅すぐ\t\\6,500  \t普通のホテルです\n";

TEST(HotelsTool, UserHotelsFirstThenTheDataFilesInFileOrder) {
  Folder f;
  ToolRun r = f.run({"--area", "東京／羽田"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kTitle + kHeading + kUser + kGinza + kLaborin + kInn);
  EXPECT_EQ(r.err, "");
}

TEST(HotelsTool, SortedByAreaThenDistrictWhenTheSettingsSaySo) {
  Folder f("1");
  ToolRun r = f.run({"--area", "東京／羽田"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kTitle + kHeading + kLaborin + kInn + kUser + kGinza);
  Folder at_store("2");  // sorted only when the user's list is stored, not here
  EXPECT_EQ(at_store.run({"--area", "東京／羽田"}).out,
            kTitle + kHeading + kUser + kGinza + kLaborin + kInn);
}

TEST(HotelsTool, DistrictsNarrowTheList) {
  Folder f;
  ToolRun r = f.run({"--area", " 東京／成田 ", "--district", "新橋", "--district", "京橋"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "＊＊＊＊＊ → 東京／成田  2000/03/13 (月) 出発\n" + kHeading + kUser + kLaborin + kInn);
}

TEST(HotelsTool, UnknownAreaNoHotelAndBadArguments) {
  Folder f;
  ToolRun unknown = f.run({"--area", "横浜"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "ravolin-tool hotels: ホテル検索地域名の入力エラー！！\n");
  EXPECT_EQ(unknown.out, "");

  ToolRun none = f.run({"--area", "東京／羽田", "--district", "梅田"});
  EXPECT_EQ(none.status, 3);
  EXPECT_EQ(none.err, "ravolin-tool hotels: ホテルデータなし\n");
  EXPECT_EQ(none.out, "");

  // A district of no list: the option is named, with the area's districts.
  ToolRun nowhere = f.run({"--area", "東京／羽田", "--district", "京橋", "--district", "nowhere"});
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_EQ(nowhere.err,
            "ravolin-tool hotels: --district 'nowhere' is not a district (the districts of "
            "東京／羽田: 新橋, 銀座, 京橋)\n");
  EXPECT_EQ(nowhere.out, "");

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"hotels", f.dir.path(), "--area", "名古屋"},
        {"hotels", f.dir.path(), "--today", "2000-02-30", "--area", "名古屋"},
        {"hotels", f.dir.path(), "--today", "2000-03-13"},
        {"hotels", f.dir.path(), "--today", "2000-03-13", "--area", "名古屋", "--sort", "x"}}) {
    ToolRun bad = test_support::run_tool(f.dir, args);
    EXPECT_EQ(bad.status, 2) << args.back();
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("ravolin-tool hotels: "), std::string::npos) << bad.err;
  }
}

TEST(HotelsTool, BrokenUserLinesAreToldAndTheRestListed) {
  Folder f;
  f.dir.write_file("hotelusr.csv",
                   test_support::to_cp932_crlf("\"名古屋\",\"栄\",\"栄ホテル\",\"052\",9,\"栄駅\","
                                               "\"\\5,000\",\"○\"\n"
                                               "broken line\n"));
  ToolRun r = f.run({"--area", "名古屋"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "＊＊＊＊＊ → 名古屋  2000/03/13 (月) 出発\n" + kHeading +
                "栄\t栄ホテル\t052\t9\t栄駅\t\\5,000\t○       \n"
                "名駅\tホテル名駅\t052-000-0000\t80\t名古屋駅徒歩３分\t\\8,000  \t◎       \n");
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
}

TEST(HotelsTool, EnglishHeadingsTitleAndRefusals) {
  Folder f;
  ToolRun r = f.run({"--lang", "en", "--area", "東京／羽田", "--district", "銀座"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "東京／羽田  (departing Mon 13 Mar 2000)\n"
            "District\tHotel\tPhone\tRooms\tAccess\tRate\tRemarks(rating)\n" +
                kGinza);
  ToolRun unknown = f.run({"--lang", "en", "--area", "Yokohama"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "ravolin-tool hotels: Unknown hotel area!!\n");
  ToolRun none = f.run({"--lang=en", "--area", "東京／羽田", "--district", "梅田"});
  EXPECT_EQ(none.status, 3);
  EXPECT_EQ(none.err, "ravolin-tool hotels: No hotels found\n");
}

// The delivered Tokaido program folder, copied whole into a folder of the test's own.
TEST(HotelsTool, EnglishListOnTheDeliveredData) {
  namespace fs = std::filesystem;
  const fs::path delivered = fs::path(RAVOLIN_PROGRAM_DIR) / "tokaido";
  ASSERT_TRUE(fs::exists(delivered / "ravolinh.dat")) << delivered;
  test_support::ProgramFolder dir;
  for (const auto& file : fs::directory_iterator(delivered)) {
    std::ifstream in(file.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    dir.write_file(file.path().filename().string(), bytes.str());
  }
  ToolRun r = test_support::run_tool(dir, {"hotels", dir.path(), "--today", "2026-12-07", "--area",
                                           "Nagoya", "--district", "栄", "--lang", "en"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Nagoya  (departing Mon 7 Dec 2026)\n"
            "District\tHotel\tPhone\tRooms\tAccess\tRate\tRemarks(rating)\n"
            "Sakae\tトワイラステーションホテル栄\t052-068-5330\t96\t10 min walk from Sakae "
            "Station\t\\12,000 \tBreakfast\n"
            "Sakae\tラボリンイン栄\t052-007-6741\t60\tIn front of Sakae Station\t\\6,300  "
            "\tParking\n"
            "Sakae\tラボリアングランドホテル栄\t052-041-0844\t150\t13 min walk from Sakae "
            "Station\t\\18,000 \tBreakfast\n"
            "Sakae\tホテルヒナルテ名古屋\t052-029-3540\t180\tIn front of Sakae Station\t\\18,000 "
            "\t○       \n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace ravolin
