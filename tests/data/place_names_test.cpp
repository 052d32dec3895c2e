// SPDX-License-Identifier: MIT
// The English names file: what a good file gives, and each broken line refused with the file,
// the line and the reason, leaving the names already held alone.
#include "data/place_names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace ravolin::data {
namespace {

using text::Language;

TEST(PlaceNamesFile, ReadsNamesSkippingCommentsBlankLinesAndLineEnds) {
  PlaceNames names;
  PlaceNamesError error;
  ASSERT_TRUE(
      read_place_names("\xEF\xBB\xBF# stations\n"
                       "東京\tTokyo\r\n"
                       "\n"
                       "   \n"
                       "  # areas\n"
                       " 新横浜 \t Shin-Yokohama \n"
                       "東京／羽田\tTokyo/Haneda",
                       "names.txt", names, error))
      << error.message(Language::kEnglish);
  EXPECT_EQ(names.size(), 3u);
  EXPECT_EQ(names.shown("東京", Language::kEnglish), "Tokyo");
  EXPECT_EQ(names.shown("新横浜", Language::kEnglish), "Shin-Yokohama");
  EXPECT_EQ(names.shown("東京／羽田", Language::kEnglish), "Tokyo/Haneda");
  EXPECT_EQ(names.japanese_of("shin yokohama"), "新横浜");
}

// A name typed as a visitor may write it: macrons or circumflexes on long vowels, an en
// dash or a minus sign for the hyphen, "Station" (or "Sta.", "Stn") after it.
TEST(PlaceNamesTyped, LongVowelsDashesAndStationAreForgiven) {
  PlaceNames names;
  names.add("新大阪", "Shin-Osaka");
  names.add("京都", "Kyoto");
  names.add("新大阪駅前", "Shin-Osaka Station area");
  for (const char* typed : {"Shin-Ōsaka", "SHIN–ŌSAKA", "shin\u2212osaka", "Shin-Ôsaka station",
                            "Shin-Osaka Sta.", "shin osaka stn ", "Shin-Osaka Station"})
    EXPECT_EQ(names.japanese_of(typed), "新大阪") << typed;
  EXPECT_EQ(names.japanese_of("Kyōto Station"), "京都");
  EXPECT_EQ(names.japanese_of("shin-osaka station area"), "新大阪駅前");
  EXPECT_EQ(names.japanese_of("Station"), "Station");  // nothing but the word: as typed
  EXPECT_EQ(names.japanese_of("Osaka"), "Osaka");
}

TEST(PlaceNamesFile, RefusesABrokenLineWithFileLineAndReason) {
  struct Case {
    const char* text;
    int line;
    const char* reason;
  };
  const Case cases[] = {
      {"東京\tTokyo\n新横浜 Shin-Yokohama\n", 2,
       "no TAB between the Japanese and the English name"},
      {"# a\n\n東京\tTokyo\tTokio\n", 3, "more than one TAB"},
      {"\tTokyo\n", 1, "the Japanese name is empty"},
      {"東京\t  \r\n", 1, "the English name is empty"},
      {"東京\tTokyo\n品川\tShinagawa\n東京\tTokio\n", 3,
       "the Japanese name is given a second time"},
      {"東京\tTokyo\n\x93\x8c\x8b\x9e\tTokyo\n", 2, "the line is not UTF-8 text"},  // CP932
      {"\xE6\x9D\xB1\xE4\xBA\tTokyo\n", 1, "the line is not UTF-8 text"},           // cut short
      {"\xC0\xAF\tSlash\n", 1, "the line is not UTF-8 text"},                       // overlong
      // Two places under one English name (as typed, case and hyphens aside): the second
      // would take the name from the first.
      {"新横浜\tShin-Yokohama\n品川\tShinagawa\nテスト駅\tshin yokohama\n", 3,
       "the English name is given a second time"},
      // Control characters a terminal or a window would act on: C0, DEL, C1.
      {"東京\tTo\x1B[2Jkyo\n", 1, "the line holds a control character"},
      {"東\r京\tTokyo\n", 1, "the line holds a control character"},
      {"東京\tTokyo\x7F\n", 1, "the line holds a control character"},
      {"東京\tTokyo\xC2\x9B\n", 1, "the line holds a control character"},
  };
  for (const Case& c : cases) {
    PlaceNames names;
    names.add("京都", "Kyoto");
    PlaceNamesError error;
    EXPECT_FALSE(read_place_names(c.text, "names-en.txt", names, error)) << c.text;
    EXPECT_EQ(error.file, "names-en.txt");
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_EQ(error.reason.in(Language::kEnglish), c.reason) << c.text;
    // nothing of the broken file is taken, nothing held is lost
    EXPECT_EQ(names.size(), 1u);
    EXPECT_EQ(names.shown("京都", Language::kEnglish), "Kyoto");
  }
  const PlaceNamesError e{"names-en.txt", 4, "more than one TAB"};
  EXPECT_EQ(e.message(Language::kEnglish), "Names file names-en.txt line 4: more than one TAB");
  EXPECT_EQ(e.message(), "地名ファイル names-en.txt の 4 行目が不正です: more than one TAB");
}

TEST(PlaceNames, TypedEnglishIsMatchedInEitherCaseUpToTheEndsOfTheAlphabet) {
  PlaceNames names;
  names.add("秋田", "Akita");
  names.add("蔵王温泉", "Zao Onsen");
  names.add("静岡", "Shizuoka");
  names.add("記号", "x`y{");  // the characters just past 'a'..'z' of '@' and '['
  EXPECT_EQ(names.japanese_of("aKITA"), "秋田");
  EXPECT_EQ(names.japanese_of("zao onsen"), "蔵王温泉");
  EXPECT_EQ(names.japanese_of("ZAO-ONSEN"), "蔵王温泉");
  EXPECT_EQ(names.japanese_of("SHIZUOKA"), "静岡");
  EXPECT_EQ(names.japanese_of("X@Y["), "X@Y[");  // not letters: not folded
  EXPECT_EQ(names.japanese_of("X`Y{"), "記号");
  // Text that names no place is given back as typed, and the names are kept as written.
  EXPECT_EQ(names.japanese_of("Zao Spa"), "Zao Spa");
  EXPECT_EQ(names.shown("静岡", Language::kEnglish), "Shizuoka");
}

TEST(PlaceNamesFile, MissingFileLeavesNamesInJapaneseAndAPresentOneIsRead) {
  const auto dir =
      std::filesystem::temp_directory_path() /
      ("ravolin-names-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / kPlaceNamesFileName).string();
  std::filesystem::remove(path);

  PlaceNames names;
  PlaceNamesError error;
  EXPECT_TRUE(load_place_names(path, names, error));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(names.shown("東京", Language::kEnglish), "東京");

  std::ofstream(path) << "東京\tTokyo\n";
  EXPECT_TRUE(load_place_names(path, names, error));
  EXPECT_EQ(names.shown("東京", Language::kEnglish), "Tokyo");

  std::ofstream(path) << "東京 Tokyo\n";
  EXPECT_FALSE(load_place_names(path, names, error));
  EXPECT_EQ(error.file, path);
  EXPECT_EQ(error.line, 1);
  EXPECT_EQ(names.shown("東京", Language::kEnglish), "Tokyo");

  // A file that cannot be read is told in the reader's language, its reason included.
  EXPECT_FALSE(load_place_names("/dev/zero", names, error));
  EXPECT_EQ(error.message(Language::kEnglish),
            "Names file /dev/zero: Cannot open the file: /dev/zero (it is a device, a pipe or a "
            "socket, not an ordinary file)");
  EXPECT_EQ(error.message(),
            "地名ファイル /dev/zero が不正です: ファイルを開けません: "
            "/dev/zero（通常のファイルではありません）");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ravolin::data
