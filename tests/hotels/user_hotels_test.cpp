// SPDX-License-Identifier: MIT
#include "hotels/user_hotels.h"

#include "text/text.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace ravolin::hotels {
namespace {

namespace fs = std::filesystem;

std::string cp932(std::string_view utf8) { return *text::utf8_to_cp932(utf8); }

const char* const kSampleLine =
    "\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,\"京橋駅徒歩１０分\","
    "\"\\10,000\",\"○       \"";

TEST(UserHotelLine, ReadsTheEightFieldsOfARecord) {
  auto e = parse_hotel_user_line(cp932(kSampleLine));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->area, "東京");
  EXPECT_EQ(e->district, "京橋");
  EXPECT_EQ(e->name, "ラボリンホテル");
  EXPECT_EQ(e->phone, "012-345-6789");
  EXPECT_EQ(e->rooms, 123);
  EXPECT_EQ(e->access, "京橋駅徒歩１０分");
  EXPECT_EQ(e->price, "\\10,000");  // comma inside quotes stays in the field
  EXPECT_EQ(e->remarks, "○       ");
  EXPECT_EQ(format_hotel_user_line(*e), kSampleLine);
  // A quote typed into a remark cannot be stored; the remark stays 8 characters wide.
  e->remarks = "◎\"良い\"    ";
  const std::string line = format_hotel_user_line(*e);
  EXPECT_TRUE(line.ends_with(",\"◎良い     \"")) << line;
}

TEST(UserHotelLine, NormalisesAreasFitsRemarksAndKeepsPhoneBlanks) {
  auto e = parse_hotel_user_line(cp932(
      "\" 東京／羽田\",\"蒲田\",\"H\",\"03-1234    \", 7 ,\"\",\"\",\"とても良いホテルです\""));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->area, "東京");
  EXPECT_EQ(e->phone, "03-1234    ");
  EXPECT_EQ(e->rooms, 7);
  EXPECT_EQ(e->remarks, "とても良いホテル");
  e = parse_hotel_user_line(cp932("\"大阪／関西\",\"a\",\"b\",\"c\",0,\"\",\"\",\"\""));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->area, "大阪");
  EXPECT_EQ(e->remarks, "        ");
  e = parse_hotel_user_line(cp932("\"仙台 \",\"a\",\"b\",\"c\",0,\"\",\"\",\"\""));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->area, "仙台 ");  // other areas are kept as written
}

TEST(UserHotelLine, BrokenLinesAreRefused) {
  EXPECT_FALSE(parse_hotel_user_line(cp932("\"東京\",\"京橋\",\"H\",\"1\",12,\"a\",\"b\"")));
  EXPECT_FALSE(
      parse_hotel_user_line(cp932("\"東京\",\"京橋\",\"H\",\"1\",12,\"a\",\"b\",\"c\",\"d\"")));
  EXPECT_FALSE(parse_hotel_user_line(cp932("\"東京\",\"京橋\",\"H\",\"1\",1x,\"a\",\"b\",\"c\"")));
  EXPECT_FALSE(parse_hotel_user_line(cp932("\"東京\",\"京橋\",\"H\",\"1\",,\"a\",\"b\",\"c\"")));
  EXPECT_FALSE(
      parse_hotel_user_line(cp932("\"東京\",\"京橋\",\"H\",\"1\",40000,\"a\",\"b\",\"c\"")));
  EXPECT_FALSE(
      parse_hotel_user_line(std::string("\"\x93\",\"a\",\"H\",\"1\",1,\"a\",\"b\",\"c\"")));
  EXPECT_FALSE(parse_hotel_user_line(""));
  const std::string nul("\"a\",\"b\",\"H\0\",\"1\",1,\"a\",\"b\",\"c\"", 30);
  ASSERT_EQ(nul.find('\0'), 10u);
  EXPECT_FALSE(parse_hotel_user_line(nul));
  // Nor is one ever written: a NUL in a field is left out.
  HotelEntry e = *parse_hotel_user_line(cp932(kSampleLine));
  e.name = std::string("H\0H", 3);
  EXPECT_EQ(format_hotel_user_line(e).find('\0'), std::string::npos);
}

TEST(UserHotelFile, ReadsAllGoodLinesAndSkipsBrokenOnes) {
  std::string bytes = cp932(kSampleLine) + "\r\n";
  bytes += cp932("\"仙台\",\"青葉\",\"H2\",\"022\",5,\"\",\"\",\"\"") + "\r\n";
  bytes += "\r\n";  // empty line: ignored
  bytes += cp932("\"仙台\",\"青葉\",\"H3\",\"022\",five,\"\",\"\",\"\"") + "\r\n";  // broken
  bytes += cp932("\"大阪\",\"梅田\",\"H4\",\"06\",-1,\"\",\"\",\"\"") + "\r\n";  // negative: broken
  bytes += cp932("\"大阪\",\"梅田\",\"H5\",\"06\", 0 ,\"\",\"\",\"\"");  // no final line end
  auto table = std::make_unique<HotelTable>();
  table->file_hotel_count = 12;
  UserHotelReport r = parse_hotel_user(bytes, *table);
  EXPECT_TRUE(r.file_read);
  EXPECT_EQ(r.skipped_lines, 2);
  EXPECT_EQ(r.first_skipped_line, 4);
  EXPECT_FALSE(r.truncated);
  EXPECT_EQ(table->user_hotel_count, 3);
  EXPECT_EQ(table->file_hotel_count, 0);
  EXPECT_EQ(table->entry[2].name, "H2");
  EXPECT_EQ(table->entry[3].name, "H5");
  EXPECT_EQ(table->entry[3].rooms, 0);
}

TEST(UserHotelFile, StopsAtTheTableSize) {
  std::string bytes;
  const std::string line = cp932("\"仙台\",\"青葉\",\"H\",\"022\",5,\"\",\"\",\"\"") + "\r\n";
  for (int i = 0; i < kMaxHotels + 5; ++i) bytes += line;
  auto table = std::make_unique<HotelTable>();
  UserHotelReport r = parse_hotel_user(bytes, *table);
  EXPECT_EQ(table->user_hotel_count, kMaxHotels);
  EXPECT_TRUE(r.truncated);
}

TEST(UserHotelFile, WritesAndReadsBackTheSameRecords) {
  const fs::path dir =
      fs::temp_directory_path() / ("ravolin_user_hotels_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string path = (dir / kUserHotelFileName).string();

  auto table = std::make_unique<HotelTable>();
  UserHotelReport r = load_user_hotels(path, *table);  // missing file: no user hotels
  EXPECT_FALSE(r.file_read);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(table->user_hotel_count, 0);

  table->user_hotel_count = 2;
  table->entry[1] = *parse_hotel_user_line(cp932(kSampleLine));
  HotelEntry& e = table->entry[2];
  e.area = "大阪";
  e.district = "梅田";
  e.name = "名前\"引用\"";  // a quote cannot be stored; it is left out
  e.phone = "06-1111-2222  ";
  e.rooms = 0;
  e.access = "梅田駅,徒歩5分";
  e.price = "\\8,500";
  e.remarks = "◎";
  text::Message error;
  ASSERT_TRUE(put_hotel_user(path, *table, error)) << error.in(text::Language::kJapanese);

  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  EXPECT_EQ(all.str(),
            cp932(std::string(kSampleLine) + "\r\n" +
                  "\"大阪\",\"梅田\",\"名前引用\",\"06-1111-2222  \",0,\"梅田駅,徒歩5分\","
                  "\"\\8,500\",\"◎       \"\r\n"));

  auto back = std::make_unique<HotelTable>();
  r = load_user_hotels(path, *back);
  EXPECT_TRUE(r.file_read);
  EXPECT_EQ(r.skipped_lines, 0);
  ASSERT_EQ(back->user_hotel_count, 2);
  EXPECT_EQ(back->entry[2].access, "梅田駅,徒歩5分");
  EXPECT_EQ(back->entry[2].phone, "06-1111-2222  ");
  EXPECT_EQ(back->entry[2].remarks, "◎       ");
  EXPECT_EQ(format_hotel_user_file(*back), all.str());

  EXPECT_FALSE(put_hotel_user((dir / "missing" / "x.csv").string(), *table, error));
  fs::remove_all(dir);
}

TEST(UserHotelLine, RoomCountsFromNoneToTheEndOfSixteenBitsAndNoSign) {
  auto line = [](const char* rooms) {
    return cp932(std::string("\"東京\",\"京橋\",\"H\",\"1\",") + rooms + ",\"a\",\"b\",\"c\"");
  };
  auto none = parse_hotel_user_line(line("0"));
  ASSERT_TRUE(none);
  EXPECT_EQ(none->rooms, 0);
  auto high = parse_hotel_user_line(line("32767"));
  ASSERT_TRUE(high);
  EXPECT_EQ(high->rooms, 32767);
  EXPECT_FALSE(parse_hotel_user_line(line("32768")));
  // A negative count is a damaged line, like any other bad number.
  EXPECT_FALSE(parse_hotel_user_line(line("-3")));
  EXPECT_FALSE(parse_hotel_user_line(line("-0")));
  EXPECT_FALSE(parse_hotel_user_line(line("-32768")));
  EXPECT_FALSE(parse_hotel_user_line(line("+5")));
}

TEST(UserHotelFile, ALineOfBlanksIsIgnoredNotCountedAsBroken) {
  std::string bytes = cp932(kSampleLine) + "\r\n";
  bytes += "     \r\n";
  bytes += "   ";
  auto table = std::make_unique<HotelTable>();
  UserHotelReport r = parse_hotel_user(bytes, *table);
  EXPECT_EQ(r.skipped_lines, 0);
  EXPECT_EQ(table->user_hotel_count, 1);
}

TEST(UserHotelFile, AProtectedFileIsLeftAloneAndALinkIsWrittenThrough) {
  const fs::path dir =
      fs::temp_directory_path() / ("ravolin_user_hotels_rw_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "kept");
  auto table = std::make_unique<HotelTable>();
  table->user_hotel_count = 1;
  table->entry[1] = *parse_hotel_user_line(cp932(kSampleLine));
  const std::string old = cp932(std::string(kSampleLine) + "\r\n" + kSampleLine + "\r\n");

  const fs::path protected_file = dir / kUserHotelFileName;
  std::ofstream(protected_file, std::ios::binary) << old;
  fs::permissions(protected_file, fs::perms::owner_read);
  text::Message error;
  EXPECT_FALSE(put_hotel_user(protected_file.string(), *table, error));
  EXPECT_NE(error.in(text::Language::kJapanese).find("読み取り専用"), std::string::npos);
  EXPECT_EQ(error.in(text::Language::kEnglish),
            "Not saved, because the file is read-only: " + protected_file.string());
  auto back = std::make_unique<HotelTable>();
  load_user_hotels(protected_file.string(), *back);
  EXPECT_EQ(back->user_hotel_count, 2);

  fs::remove(protected_file);
  std::ofstream(dir / "kept" / "mine.csv", std::ios::binary) << old;
  fs::create_symlink("kept/mine.csv", protected_file);
  ASSERT_TRUE(put_hotel_user(protected_file.string(), *table, error))
      << error.in(text::Language::kJapanese);
  EXPECT_TRUE(fs::is_symlink(protected_file));
  load_user_hotels((dir / "kept" / "mine.csv").string(), *back);
  EXPECT_EQ(back->user_hotel_count, 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace ravolin::hotels
