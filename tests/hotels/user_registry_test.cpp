// SPDX-License-Identifier: MIT
// The user hotel registry without windows: the edit window's checks and messages, the
// list lines, the sort rules, and storing the list in hotelusr.csv (backups of lines the
// reader had to leave out, refusals that keep the old file).
#include "hotels/user_registry.h"

#include "hotels/user_hotels.h"
#include "text/text.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace ravolin::hotels {
namespace {

namespace fs = std::filesystem;

std::string cp932(std::string_view utf8) { return *text::utf8_to_cp932(utf8); }

data::AreaTable areas() {
  data::AreaTable a;
  for (const char* name : {"札幌", "仙台", "東京／羽田", "東京／成田", "大阪／伊丹", "博多"})
    a.name[++a.count] = name;
  return a;
}

HotelFields good_fields() {
  HotelFields f;
  f.area = "大阪／伊丹";
  f.district = "京橋";
  f.name = "ラボリンホテル";
  f.phone = "012-345-6789";
  f.rooms = "123";
  f.access = "京橋駅徒歩１０分";
  f.price = "\\10,000";
  f.remarks = "○";
  return f;
}

HotelEntry hotel(std::string area, std::string district, std::string name) {
  HotelEntry e;
  e.area = std::move(area);
  e.district = std::move(district);
  e.name = std::move(name);
  e.phone = "03-0000-0000";
  e.rooms = 10;
  e.remarks = "        ";
  return e;
}

std::vector<std::string> names(const std::vector<HotelEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.name);
  return out;
}

TEST(UserRegistryChecks, EachFieldGivesItsMessage) {
  const auto a = areas();
  const auto refused = [&](HotelField field, std::string text) {
    HotelFields f = good_fields();
    f[field] = std::move(text);
    auto m = check_field(field, f, a);
    return m ? *m : std::string("accepted");
  };
  EXPECT_EQ(refused(HotelField::Area, ""), "ホテル検索地域名は省略できません");
  EXPECT_EQ(refused(HotelField::Area, "   "), "ホテル検索地域名は省略できません");
  EXPECT_EQ(refused(HotelField::Area, "京都"), "ホテル検索地域名の入力です");
  EXPECT_EQ(refused(HotelField::Area, "東京／羽"), "ホテル検索地域名の入力です");
  EXPECT_EQ(refused(HotelField::Area, " 仙台 "), "accepted");
  // the short forms the hotel table keeps for 東京… and 大阪… areas; 名古屋 has none
  EXPECT_EQ(refused(HotelField::Area, "東京"), "accepted");
  EXPECT_EQ(refused(HotelField::Area, "大阪"), "accepted");
  EXPECT_EQ(refused(HotelField::Area, "東京タワー"), "ホテル検索地域名の入力です");
  EXPECT_EQ(refused(HotelField::Name, ""), "ホテル名は省略できません");
  EXPECT_EQ(refused(HotelField::Name, "  "), "ホテル名は省略できません");
  EXPECT_EQ(refused(HotelField::Phone, ""), "電話番号は省略できません");
  for (const char* rooms : {"", " ", "12a", "-1", "+5", "1 2", "１２３", "32768", "99999999999"})
    EXPECT_EQ(refused(HotelField::Rooms, rooms), "部屋数の入力に誤り(数字のみ可)") << rooms;
  for (const char* rooms : {" 123", "0", "32767", "00042 "})
    EXPECT_EQ(refused(HotelField::Rooms, rooms), "accepted") << rooms;
  // the file cannot hold a double quote, nor a character without a Shift-JIS form
  EXPECT_EQ(refused(HotelField::Name, "ホテル\"A\""), "ホテル名に「\"」は使えません");
  EXPECT_EQ(refused(HotelField::District, "\"京橋"), "地区名に「\"」は使えません");
  EXPECT_EQ(refused(HotelField::Remarks, "良\""), "備考に「\"」は使えません");
  EXPECT_EQ(refused(HotelField::Access, "駅から徒歩𠮷分"),
            "交通に保存できない文字「𠮷」があります");
  EXPECT_EQ(refused(HotelField::Price, "₩1000"), "部屋代に保存できない文字「₩」があります");
  EXPECT_EQ(refused(HotelField::Phone, "03\n1234"), "電話番号に改行は使えません");
  // commas, half-width kana, yen and the CP932 extras are fine
  EXPECT_EQ(refused(HotelField::Access, "ｷｮｳﾊﾞｼ駅,徒歩①分～"), "accepted");
}

TEST(UserRegistryChecks, EnglishMessages) {
  const auto a = areas();
  const auto en = text::Language::kEnglish;
  const auto refused = [&](HotelField field, std::string text) {
    HotelFields f = good_fields();
    f[field] = std::move(text);
    auto m = check_field(field, f, a, en);
    return m ? *m : std::string("accepted");
  };
  EXPECT_EQ(refused(HotelField::Area, ""), "Enter the hotel area");
  EXPECT_EQ(refused(HotelField::Area, "京都"), "Unknown hotel area");
  EXPECT_EQ(refused(HotelField::Name, ""), "Enter the hotel name");
  EXPECT_EQ(refused(HotelField::Phone, ""), "Enter the phone number");
  EXPECT_EQ(refused(HotelField::Rooms, "12a"), "Rooms: digits only");
  EXPECT_EQ(refused(HotelField::Name, "ホテル\"A\""), "Hotel name: no \" allowed");
  EXPECT_EQ(refused(HotelField::Phone, "03\n1234"), "Phone: no line breaks allowed");
  EXPECT_EQ(refused(HotelField::Price, "₩1000"), "Rate: \"₩\" cannot be saved");
  HotelFields f = good_fields();
  f.remarks = "\"";
  const auto first = check_fields(f, a, en);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->message, "Remarks: no \" allowed");
  EXPECT_EQ(full_table_message(7, en), "No more hotels can be added (up to 7)");
  EXPECT_STREQ(changed_file_question(), kChangedFileQuestion);

  RegistryLoad load;
  EXPECT_EQ(load_message(load, en), "");
  load.skipped_lines = 2;
  load.first_skipped_line = 5;
  EXPECT_EQ(load_message(load, en),
            "2 line(s) of the hotel file could not be read (the first is line 5).\n"
            "Saving keeps the old file as a backup.");
}

TEST(UserRegistryChecks, LimitsAreTheHintsCountingAJapaneseCharacterAsTwo) {
  const auto a = areas();
  const auto refused = [&](HotelField field, std::string text, text::Language language) {
    HotelFields f = good_fields();
    f[field] = std::move(text);
    auto m = check_field(field, f, a, language);
    return m ? *m : std::string("accepted");
  };
  const auto ja = text::Language::kJapanese;
  const auto en = text::Language::kEnglish;
  // The hints' examples fit: "Kyobashi" (8 of 12), "Kyobashi, 10 min walk" (21 of 24).
  EXPECT_EQ(refused(HotelField::District, "Kyobashi", en), "accepted");
  EXPECT_EQ(refused(HotelField::Access, "Kyobashi, 10 min walk", en), "accepted");
  // Six Japanese characters are twelve columns: the limit, and one more is refused.
  EXPECT_EQ(refused(HotelField::District, "東京駅八重洲", ja), "accepted");
  EXPECT_EQ(refused(HotelField::District, " Shin-Yokohama ", en),
            "District: up to 12 characters (a Japanese character counts as two)");
  EXPECT_EQ(refused(HotelField::District, "東京駅八重洲口", ja),
            "地区名は日本語6文字（半角12文字）以内です");
  EXPECT_EQ(refused(HotelField::Access, "10 min walk from Kyobashi", en),
            "Access: up to 24 characters (a Japanese character counts as two)");
  EXPECT_EQ(refused(HotelField::Access, "京橋駅から徒歩で１０分ほど", ja),
            "交通は日本語12文字（半角24文字）以内です");
  EXPECT_EQ(refused(HotelField::Name, std::string(32, 'H'), en), "accepted");
  EXPECT_EQ(refused(HotelField::Name, std::string(33, 'H'), en),
            "Hotel name: up to 32 characters (a Japanese character counts as two)");
  EXPECT_EQ(refused(HotelField::Phone, "ｷｮｳﾊﾞｼ-0123", ja), "accepted");  // half-width kana: 1
  EXPECT_EQ(refused(HotelField::Phone, "+81-3-1234-5678", en),
            "Phone: up to 12 characters (a Japanese character counts as two)");
  EXPECT_EQ(refused(HotelField::Price, "\123,456", en), "accepted");
  EXPECT_EQ(refused(HotelField::Price, "￥１０，０００", ja),
            "部屋代は日本語4文字（半角8文字）以内です");
  // The remarks are kept as 8 characters of either width.
  EXPECT_EQ(refused(HotelField::Remarks, "温泉・朝食付き", ja), "accepted");
  EXPECT_EQ(refused(HotelField::Remarks, "Breakfast", en), "Remarks: up to 8 characters");
}

TEST(UserRegistryChecks, FieldsAreFixedUpBeforeStoring) {
  const auto a = areas();
  HotelFields f = good_fields();
  f.district = "";
  f.price = "¥8,000";  // the yen sign a keyboard may give: the file keeps it as "\"
  EXPECT_FALSE(check_fields(f, a));
  EXPECT_EQ(f.district, "大阪／伊丹");  // an empty district becomes the area
  EXPECT_EQ(f.price, "\\8,000");
  f.rooms = " 123";
  const HotelEntry e = entry_of(f);
  EXPECT_EQ(e.rooms, 123);
  EXPECT_EQ(e.remarks, "○       ");
  f.remarks = "とても良いホテルです";
  EXPECT_EQ(entry_of(f).remarks, "とても良いホテル");
  // update mode shows what it stored
  const HotelFields shown = fields_of(e);
  EXPECT_EQ(shown.rooms, " 123");
  EXPECT_EQ(shown.remarks, "○       ");
  EXPECT_EQ(shown.district, "大阪／伊丹");
}

TEST(UserRegistryChecks, TheStoreButtonsCheckInTheWindowsOrder) {
  const auto a = areas();
  HotelFields f;  // everything empty
  auto err = check_fields(f, a);
  ASSERT_TRUE(err);
  EXPECT_EQ(err->field, HotelField::Area);
  f.area = "札幌";
  err = check_fields(f, a);
  ASSERT_TRUE(err);
  EXPECT_EQ(err->field, HotelField::Name);  // the district took the area without a word
  EXPECT_EQ(f.district, "札幌");
  f.name = "H";
  EXPECT_EQ(check_fields(f, a)->field, HotelField::Phone);
  f.phone = "1";
  EXPECT_EQ(check_fields(f, a)->field, HotelField::Rooms);
  f.rooms = "5";
  f.remarks = "\"";
  EXPECT_EQ(check_fields(f, a)->field, HotelField::Remarks);
  f.remarks = "";
  EXPECT_FALSE(check_fields(f, a));
}

TEST(UserRegistryList, LinesAreTabAlignedByTwoColumnsACharacter) {
  HotelEntry e = hotel("東京", "京橋", "ラボリンホテル");
  e.phone = "012-345-6789";
  // 2 chars: 2 - 4/8 = 2 tabs; 7 chars: 4 - 14/8 = 3 tabs
  EXPECT_EQ(list_line(e), "東京\t\t京橋\t\tラボリンホテル\t\t\t012-345-6789");
  e.area = "大阪／伊丹";        // 5 chars: 2 - 1 = 1 tab
  e.district = "ABCDEFGH";      // 8 chars: 2 - 2 = none
  e.name = "1234567890123456";  // 16 chars: 4 - 4 = none
  EXPECT_EQ(list_line(e), "大阪／伊丹\tABCDEFGH1234567890123456012-345-6789");
}

// In English a character counts the columns it takes (ASCII one, full width two), a text
// is always followed by a TAB, and the area and district are shown by their English names.
TEST(UserRegistryList, EnglishLinesLineUpWhateverTheScript) {
  data::PlaceNames names;
  names.add("大阪", "Osaka");
  names.add("梅田", "Umeda");
  const auto en = text::Language::kEnglish;
  HotelEntry e = hotel("大阪", "梅田", "Ravolin Hotel Umeda");
  e.phone = "06-1234-5678";
  // "Osaka" 5 columns: 2 tabs; "Umeda" 5: 2; 19 columns: 4 - 2 = 2
  EXPECT_EQ(list_line(e, en, names), "Osaka\t\tUmeda\t\tRavolin Hotel Umeda\t\t06-1234-5678");
  e.area = "京都";                   // no English name: as in the data, 4 columns
  e.district = "Kawaramachi-Sanjo";  // 17 columns: past the column, still one TAB
  e.name = "ラボリンホテル";         // 14 columns: 4 - 1 = 3
  EXPECT_EQ(list_line(e, en, names), "京都\t\tKawaramachi-Sanjo\tラボリンホテル\t\t\t06-1234-5678");
  // The Japanese list keeps its rule and its names.
  EXPECT_EQ(list_line(e, text::Language::kJapanese, names), list_line(e));
}

TEST(UserRegistryList, SortsByAreaThenDistrictWhenTheSettingSaysSo) {
  const std::vector<HotelEntry> start = {hotel("仙台", "青葉", "A"), hotel("仙台", "一番町", "B"),
                                         hotel("大阪", "梅田", "C")};
  UserRegistry each(start);
  ASSERT_TRUE(each.add(hotel("仙台", "一番町", "D"), kSortOnEachStore));
  EXPECT_EQ(names(each.entries()), (std::vector<std::string>{"B", "D", "A", "C"}));
  ASSERT_TRUE(each.update(3, hotel("札幌", "すすきの", "C2"), kSortOnEachStore));
  EXPECT_EQ(names(each.entries()), (std::vector<std::string>{"B", "D", "A", "C2"}));

  UserRegistry on_save(start);
  ASSERT_TRUE(on_save.add(hotel("札幌", "駅前", "E"), kSortWhenSaved));
  EXPECT_EQ(names(on_save.entries()), (std::vector<std::string>{"A", "B", "C", "E"}));
  on_save.prepare_for_saving(kSortWhenSaved);
  EXPECT_EQ(names(on_save.entries()), (std::vector<std::string>{"B", "A", "C", "E"}));

  UserRegistry never(start);
  ASSERT_TRUE(never.add(hotel("あ", "あ", "F"), 0));
  never.prepare_for_saving(0);
  EXPECT_EQ(names(never.entries()), (std::vector<std::string>{"A", "B", "C", "F"}));
}

// A folder of its own for each file test.
class UserRegistryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("ravolin_registry_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / kUserHotelFileName).string();
  }
  void TearDown() override { fs::remove_all(dir); }
  void write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir;
  std::string path;
};

TEST_F(UserRegistryFile, AFileCreatedOrChangedSinceItWasReadIsNoticed) {
  RegistryLoad missing = load_user_hotels(path);
  EXPECT_FALSE(changed_since_load(path, missing));
  ASSERT_TRUE(save_user_hotels(path, {hotel("仙台", "青葉", "H1")}).ok);
  EXPECT_TRUE(changed_since_load(path, missing));  // created meanwhile

  const RegistryLoad read_now = load_user_hotels(path);
  EXPECT_FALSE(changed_since_load(path, read_now));
  ASSERT_TRUE(save_user_hotels(path, {hotel("仙台", "青葉", "H1")}).ok);
  EXPECT_FALSE(changed_since_load(path, read_now));  // written again, the same records
  ASSERT_TRUE(save_user_hotels(path, {hotel("仙台", "青葉", "H2")}).ok);
  EXPECT_TRUE(changed_since_load(path, read_now));
  fs::remove(path);
  EXPECT_FALSE(changed_since_load(path, read_now));  // removed: nothing to overwrite
}

TEST_F(UserRegistryFile, WritesExactlyTheEntriesInOrder) {
  RegistryLoad load = load_user_hotels(path);  // missing file: nothing to say
  EXPECT_FALSE(load.file_exists);
  EXPECT_TRUE(load.entries.empty());
  EXPECT_EQ(load_message(load), "");

  HotelEntry e = entry_of(good_fields());
  e.area = "東京";
  const SaveResult r = save_user_hotels(path, {e, hotel("仙台", "青葉", "H2")});
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(read(path),
            cp932("\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,\"京橋駅徒歩１０分\","
                  "\"\\10,000\",\"○       \"\r\n"
                  "\"仙台\",\"青葉\",\"H2\",\"03-0000-0000\",10,\"\",\"\",\"        \"\r\n"));
  EXPECT_FALSE(fs::exists(path + ".bak"));
  load = load_user_hotels(path);
  ASSERT_EQ(load.entries.size(), 2u);
  EXPECT_EQ(load.entries[0].remarks, "○       ");

  ASSERT_TRUE(save_user_hotels(path, {}).ok);  // the last entry deleted: an empty file
  EXPECT_EQ(read(path), "");
}

// A line with a NUL byte in a field is such a line too: the NUL is never stored.
TEST_F(UserRegistryFile, LinesTheReaderSkippedAreKeptInABackup) {
  const std::string old =
      cp932(
          "\"仙台\",\"青葉\",\"H1\",\"022\",5,\"\",\"\",\"\"\r\n"
          "\"仙台\",\"青葉\",\"H2\",\"022\",five,\"\",\"\",\"\"\r\n"
          "\"仙台\",\"青葉\",\"H3\",\"022\",7,\"\",\"\"\r\n") +
      std::string("\"Sendai\",\"Aoba\",\"H\0\",\"022\",7,\"\",\"\",\"\"\r\n", 39);
  write(path, old);
  write(path + ".bak", "an older backup");
  const RegistryLoad load = load_user_hotels(path);
  ASSERT_EQ(load.entries.size(), 1u);
  EXPECT_EQ(load.skipped_lines, 3);
  EXPECT_EQ(load_message(load),
            "ホテル情報ファイルの3行を読み込めませんでした（最初は2行目）。\n"
            "登録終了で保存するときは、元のファイルを控えとして残します。");

  const SaveResult r = save_user_hotels(path, load.entries);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.backup_path, path + ".bak2");  // an existing backup is never overwritten
  EXPECT_EQ(r.message,
            "読み込めなかった行を含む元のファイルを、次の名前で残しました。\n" + path + ".bak2");
  EXPECT_EQ(read(path + ".bak2"), old);
  EXPECT_EQ(read(path + ".bak"), "an older backup");
  EXPECT_EQ(load_user_hotels(path).skipped_lines, 0);
  // the next store has nothing left out: no further backup
  const SaveResult again = save_user_hotels(path, load.entries);
  EXPECT_TRUE(again.ok);
  EXPECT_EQ(again.backup_path, "");
  EXPECT_FALSE(fs::exists(path + ".bak3"));
}

TEST_F(UserRegistryFile, RecordsBeyondTheTableAreKeptInABackup) {
  std::string old;
  for (int i = 0; i < kMaxHotels + 2; ++i)
    old += cp932("\"仙台\",\"青葉\",\"H\",\"022\",5,\"\",\"\",\"\"\r\n");
  write(path, old);
  const RegistryLoad load = load_user_hotels(path);
  EXPECT_TRUE(load.truncated);
  EXPECT_NE(load_message(load).find("1000件を超える登録"), std::string::npos);
  const SaveResult r = save_user_hotels(path, load.entries);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(read(r.backup_path), old);
}

TEST_F(UserRegistryFile, AFailedStoreLeavesTheOldFile) {
  // a file that cannot be read is not replaced: its records would be lost
  fs::create_directory(path);
  RegistryLoad load = load_user_hotels(path);
  EXPECT_TRUE(load.unreadable);
  EXPECT_NE(load_message(load).find("読み込めません"), std::string::npos);
  SaveResult r = save_user_hotels(path, {hotel("仙台", "a", "b")});
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.starts_with("ホテル情報ファイルを読み込めないため、保存しませんでした。"));
  EXPECT_TRUE(fs::is_directory(path));
  fs::remove(path);

  // a folder that cannot take the file
  const std::string nowhere = (dir / "missing" / kUserHotelFileName).string();
  r = save_user_hotels(nowhere, {hotel("仙台", "a", "b")});
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.starts_with("ホテル情報ファイルを保存できません。\n")) << r.message;

  // the backup cannot be made: the file is not replaced either
  const std::string broken = cp932("broken\r\n");
  write(path, broken);
  fs::create_directory(path + ".bak");
  fs::create_directory(path + ".bak2");
  for (int n = 3; n <= 99; ++n) fs::create_directory(path + ".bak" + std::to_string(n));
  r = save_user_hotels(path, {hotel("仙台", "a", "b")});
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.starts_with("ホテル情報ファイルの控えを作れないため")) << r.message;
  EXPECT_EQ(read(path), broken);
}

// Random hotels as a user may type them, of full field lengths, with half-width kana
// and blanks at both ends, pass the checks, are stored and read back unchanged.
TEST_F(UserRegistryFile, RandomHotelsComeBackUnchanged) {
  const auto a = areas();
  std::mt19937 rng(20261207);
  const std::vector<std::string> wide = {"東", "京", "駅", "前", "ホ", "テ", "ル", "ー", "あ",
                                         "ん", "の", "ヴ", "○",  "◎",  "①",  "～", "、", "。",
                                         "Ａ", "１", "　", "髙", "﨑", "\\", ",",  "'"};
  const std::vector<std::string> kana = {"ｱ", "ｲ", "ｳ", "ｶﾞ", "ﾊﾟ", "ｰ", "ｯ",
                                         "ﾝ", "ｮ", "-", "0",  "9",  " "};
  const auto pick = [&](const std::vector<std::string>& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
  };
  const auto text_of = [&](std::size_t chars, const std::vector<std::string>& pool) {
    std::string s = " ";  // a blank at each end, the rest from the pool
    while (text::char_count(s) + 1 < chars) s += pick(pool);
    return s + " ";
  };
  const std::vector<std::string> area_names = {"東京", "大阪", "札幌", " 仙台 ", "博多"};
  std::vector<HotelEntry> entries;
  for (int i = 0; i < 200; ++i) {
    HotelFields f;
    f.area = area_names[static_cast<std::size_t>(i) % area_names.size()];
    f.district = text_of(6, i % 3 ? wide : kana);
    f.name = text_of(16, wide);
    f.phone = text_of(12, kana);
    f.rooms = std::to_string(std::uniform_int_distribution<int>(0, 32767)(rng));
    f.access = text_of(12, i % 2 ? wide : kana);
    f.price = text_of(8, kana);
    f.remarks = text_of(8, wide);
    ASSERT_FALSE(check_fields(f, a)) << check_fields(f, a)->message;
    entries.push_back(entry_of(f));
  }
  const SaveResult r = save_user_hotels(path, entries);
  ASSERT_TRUE(r.ok) << r.message;
  const RegistryLoad back = load_user_hotels(path);
  EXPECT_EQ(back.skipped_lines, 0);
  ASSERT_EQ(back.entries.size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const HotelEntry& x = entries[i];
    const HotelEntry& y = back.entries[i];
    EXPECT_EQ(std::tie(x.area, x.district, x.name, x.phone, x.rooms, x.access, x.price, x.remarks),
              std::tie(y.area, y.district, y.name, y.phone, y.rooms, y.access, y.price, y.remarks))
        << i << ": " << format_hotel_user_line(x);
  }
}

}  // namespace
}  // namespace ravolin::hotels
