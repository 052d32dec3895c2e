// SPDX-License-Identifier: MIT
// The hotel directory's rules on tables written in the test: which hotels an area shows
// and in what order, the grid and title texts, the area check, the picker's lists and the
// district chooser.
#include "hotels/hotel_list.h"
#include "calendar/dates.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ravolin::hotels {
namespace {

struct Table {
  std::unique_ptr<HotelTable> t = std::make_unique<HotelTable>();
  // Appends a hotel; user hotels must be added before file hotels.
  int add(const std::string& area, const std::string& district, const std::string& name,
          bool user = false) {
    const int i = t->total() + 1;
    HotelEntry& e = t->entry[i];
    e.area = area;
    e.district = district;
    e.name = name;
    e.phone = "03-0000-0000";
    e.rooms = 10;
    e.access = "駅前";
    e.price = "\\5,000";
    e.remarks = "○       ";
    (user ? t->user_hotel_count : t->file_hotel_count)++;
    return i;
  }
  std::vector<std::string> names(const std::vector<int>& hits) const {
    std::vector<std::string> out;
    for (int i : hits) out.push_back(t->entry[i].name);
    return out;
  }
};

HotelSelection search(const std::string& area, std::vector<std::string> filter = {}) {
  HotelSelection sel;
  start_hotel_search(sel, area);
  if (!filter.empty()) set_district_filter(sel, std::move(filter));
  return sel;
}

using Names = std::vector<std::string>;

TEST(SelData, AnAreaOfTokyoOrOsakaFindsEveryHotelStoredUnderIt) {
  Table t;
  t.add("東京", "京橋", "user", true);
  t.add("名古屋", "名駅", "nagoya");
  t.add("東京", "銀座", "ginza");
  t.add("大阪", "梅田", "umeda");
  std::string error;
  for (const char* area : {"東京／羽田", "東京／成田", " 東京／羽田 "}) {
    HotelSelection sel = search(area);
    ASSERT_TRUE(select_hotels(*t.t, sel, error));
    EXPECT_EQ(t.names(sel.hit_list), (Names{"user", "ginza"})) << area;
  }
  HotelSelection osaka = search("大阪／関西");
  ASSERT_TRUE(select_hotels(*t.t, osaka, error));
  EXPECT_EQ(t.names(osaka.hit_list), (Names{"umeda"}));
  HotelSelection none = search("新大阪");  // not 大阪: the name must begin with it
  ASSERT_TRUE(select_hotels(*t.t, none, error));
  EXPECT_TRUE(none.hit_list.empty());
}

TEST(SelData, ExaminesEveryPositionAfterTheUsersHotels) {
  Table t;
  for (int i = 0; i < 3; ++i) t.add("名古屋", "名駅", "user" + std::to_string(i), true);
  for (int i = 0; i < 499; ++i) t.add("仙台", "駅前", "file" + std::to_string(i));
  t.add("名古屋", "栄", "last");
  ASSERT_EQ(t.t->total(), 503);
  HotelSelection sel = search("名古屋");
  std::string error;
  ASSERT_TRUE(select_hotels(*t.t, sel, error));
  ASSERT_EQ(sel.hit_list.size(), 4u);
  EXPECT_EQ(sel.hit_list.back(), 503);
}

TEST(SelData, DistrictFilterAndDistrictListCompareTrimmedTexts) {
  Table t;
  t.add("名古屋", "栄 ", "u1", true);
  t.add("名古屋", "名駅", "f1");
  t.add("名古屋", " 栄", "f2");  // the user's district met again after another one
  t.add("名古屋", "金山", "f3");
  std::string error;
  HotelSelection all = search("名古屋");
  ASSERT_TRUE(select_hotels(*t.t, all, error));
  EXPECT_EQ(t.names(all.hit_list), (Names{"u1", "f1", "f2", "f3"}));
  // Each district once, in order of appearance.
  EXPECT_EQ(all.district_list, (Names{"栄", "名駅", "金山"}));

  HotelSelection some = search("名古屋", {" 栄 ", "金山"});
  ASSERT_TRUE(select_hotels(*t.t, some, error));
  EXPECT_EQ(t.names(some.hit_list), (Names{"u1", "f2", "f3"}));
  // The district list still holds all of the area's districts.
  EXPECT_EQ(some.district_list, all.district_list);
}

TEST(SelData, MoreHotelsThanTheListHoldsAreRefused) {
  Table t;
  for (int i = 0; i < kMaxHits; ++i) t.add("仙台", "駅前", "h");
  HotelSelection sel = search("仙台");
  std::string error;
  EXPECT_TRUE(select_hotels(*t.t, sel, error));
  EXPECT_EQ(sel.hit_list.size(), 200u);
  t.add("仙台", "駅前", "h");
  EXPECT_FALSE(select_hotels(*t.t, sel, error));
  EXPECT_TRUE(sel.hit_list.empty());
  EXPECT_NE(error.find("200"), std::string::npos) << error;
}

TEST(DistrictFilter, BelongsToTheAreaItWasChosenIn) {
  HotelSelection sel = search("名古屋", {"栄"});
  start_hotel_search(sel, "名古屋 ");  // the same area again keeps the choice
  EXPECT_EQ(sel.district_filter, (Names{"栄"}));
  sel = search("東京／羽田", {"京橋"});
  start_hotel_search(sel, "東京／成田");  // the same hotels: the choice still fits
  EXPECT_EQ(sel.district_filter, (Names{"京橋"}));
  start_hotel_search(sel, "仙台");  // another area: all of its districts
  EXPECT_TRUE(sel.district_filter.empty());
  EXPECT_EQ(sel.caption_from, "＊＊＊＊＊");
  EXPECT_EQ(sel.hotel_area, "仙台");

  // Back in the first area the old choice does not come back either.
  start_hotel_search(sel, "東京／羽田");
  EXPECT_TRUE(sel.district_filter.empty());
}

TEST(SortHotel, OrdersByAreaThenDistrictByCharacterCodes) {
  Table t;
  const int a = t.add("東京", "銀座", "a");
  const int b = t.add("東京", "京橋", "b");
  const int c = t.add("名古屋", "栄", "c");
  const int d = t.add("東京", "京橋 ", "d");  // untrimmed: after "京橋"
  const int e = t.add("大阪", "梅田", "e");
  std::vector<int> hits = {a, b, c, d, e};
  sort_hotel(*t.t, hits);
  // 名古屋 (U+540D) < 大阪 (U+5927) < 東京 (U+6771); 京橋 (U+4EAC) < 銀座 (U+9280).
  EXPECT_EQ(t.names(hits), (Names{"c", "e", "b", "d", "a"}));
  std::vector<int> empty;
  sort_hotel(*t.t, empty);
  EXPECT_TRUE(empty.empty());
}

TEST(HotelGrid, HeadingAndRowsAsTheGridShowsThem) {
  Table t;
  const int a = t.add("東京", "京橋", "ラボリンホテル");
  HotelEntry& e = t.t->entry[a];
  e.phone = "03-1234     ";
  e.rooms = 0;                         // an empty cell
  e.remarks = "とても良いホテルです";  // longer than 8: cut
  const int b = t.add("東京", "銀座", "銀座イン");
  t.t->entry[b].rooms = 4095;
  EXPECT_EQ(grid_text(*t.t, {a, b}),
            "地区\tホテル名\t電話番号\t部屋数\t交通\t部屋代\t備考(評価)\n"
            "京橋\tラボリンホテル\t03-1234     \t\t駅前\t\\5,000\tとても良いホテル\n"
            "銀座\t銀座イン\t03-0000-0000\t4095\t駅前\t\\5,000\t○       \n");
  EXPECT_EQ(grid_text(*t.t, {}), "地区\tホテル名\t電話番号\t部屋数\t交通\t部屋代\t備考(評価)\n");
}

TEST(HotelGrid, TitleStripWithTheListDate) {
  EXPECT_EQ(title_strip(" ＊＊＊＊＊ ", " 東京／羽田 ", calendar::day_number(2000, 3, 13)),
            "＊＊＊＊＊ → 東京／羽田  2000/03/13 (月) 出発");
  EXPECT_EQ(title_strip("＊＊＊＊＊", "仙台", calendar::day_number(2026, 12, 6)),
            "＊＊＊＊＊ → 仙台  2026/12/06 (日) 出発");
}

TEST(AreaChoice, CheckPrefillAndPickerLists) {
  data::AreaTable areas;
  areas.count = 4;
  const char* names[] = {"", "東京／羽田", "札幌", "東京／成田", "那覇"};
  const int regions[] = {0, 4, 1, 4, 9};
  for (int i = 1; i <= 4; ++i) {
    areas.name[i] = names[i];
    areas.region[i] = static_cast<std::int16_t>(regions[i]);
  }
  EXPECT_TRUE(check_area(areas, "  札幌 "));
  EXPECT_FALSE(check_area(areas, "札"));
  EXPECT_FALSE(check_area(areas, "東京"));
  EXPECT_FALSE(check_area(areas, "   "));
  EXPECT_FALSE(check_area(areas, "札幌　"));  // an ideographic space is not a blank

  EXPECT_EQ(areas_of_region(areas, 0), (Names{"東京／羽田", "札幌", "東京／成田", "那覇"}));
  EXPECT_EQ(areas_of_region(areas, 4), (Names{"東京／羽田", "東京／成田"}));
  EXPECT_TRUE(areas_of_region(areas, 7).empty());

  settings::Settings s;
  EXPECT_EQ(area_prefill(s), "東京／羽田");
  s.arrival_ground[1] = "札幌";
  EXPECT_EQ(area_prefill(s), "札幌");
  s.departure_ground = {"", "", "那覇", "", "札幌", ""};
  EXPECT_EQ(recent_places(s), (Names{"那覇", "札幌"}));
}

// The English edition: headings, title strip and messages in English, areas and districts
// by their English names where there is one, the hotels' own texts as written.
data::PlaceNames english_names() {
  data::PlaceNames names;
  names.add("東京／羽田", "Tokyo/Haneda");
  names.add("札幌", "Sapporo");
  names.add("京橋", "Kyobashi");
  return names;
}

TEST(HotelGridEnglish, HeadingRowsAndTitleStrip) {
  const auto en = text::Language::kEnglish;
  const data::PlaceNames names = english_names();
  Table t;
  const int a = t.add("東京", "京橋", "ラボリンホテル");
  const int b = t.add("東京", "銀座", "銀座イン");  // no English name: as in the data
  EXPECT_EQ(grid_text(*t.t, {a, b}, en, names),
            "District\tHotel\tPhone\tRooms\tAccess\tRate\tRemarks(rating)\n"
            "Kyobashi\tラボリンホテル\t03-0000-0000\t10\t駅前\t\\5,000\t○       \n"
            "銀座\t銀座イン\t03-0000-0000\t10\t駅前\t\\5,000\t○       \n");
  // Japanese stays as it is, whatever names are at hand.
  EXPECT_EQ(grid_rows(*t.t, {a}, text::Language::kJapanese, names)[0][0], "京橋");

  EXPECT_EQ(
      title_strip(" ＊＊＊＊＊ ", " 東京／羽田 ", calendar::day_number(2000, 3, 13), en, names),
      "Tokyo/Haneda  (departing Mon 13 Mar 2000)");
  EXPECT_EQ(title_strip("＊＊＊＊＊", "仙台", calendar::day_number(2026, 12, 5), en, names),
            "仙台  (departing Sat 5 Dec 2026)");
  EXPECT_EQ(title_strip("＊＊＊＊＊", "東京／羽田", calendar::day_number(2026, 12, 6),
                        text::Language::kJapanese, names),
            "＊＊＊＊＊ → 東京／羽田  2026/12/06 (日) 出発");
}

// The data file's remarks word for word and its access texts by pattern, read from the
// words table (the delivered one, so that its patterns are the ones tested); the station
// by its English name. A user's own hotel, an unknown word and a station without an
// English name stay as written.
TEST(HotelGridEnglish, RemarksAndAccessFromTheWordsTable) {
  data::PlaceNames words;
  data::PlaceNamesError error;
  ASSERT_TRUE(
      data::load_place_names(RAVOLIN_SOURCE_DIR "/datasets/hotel-words-en.txt", words, error))
      << error.message();
  data::PlaceNames names = english_names();
  names.add("新大阪", "Shin-Osaka");
  names.add("新大阪駅前", "Shin-Osaka Station area");
  names.add("越後湯沢", "Echigo-Yuzawa");
  Table t;
  const int user = t.add("東京", "京橋", "わたしの宿", true);
  t.t->entry[user].access = "京橋駅徒歩１０分";
  t.t->entry[user].remarks = "温泉      ";
  const struct {
    const char* access;
    const char* remarks;
  } rows[] = {{"京橋駅徒歩１１分", "温泉    "},         {"新大阪駅前", "夕朝食付"},
              {"越後湯沢駅からバス１７分", "ネット可"}, {"新大阪駅徒歩5分", "駅直結  "},
              {"銀座駅徒歩３分", "禁煙室有"},           {"港の見える丘", "○       "},
              {"三ノ宮駅徒歩５分", "駐車場有"}};
  std::vector<int> hits = {user};
  for (const auto& r : rows) {
    const int i = t.add("東京", "京橋", "h");
    t.t->entry[i].access = r.access;
    t.t->entry[i].remarks = r.remarks;
    hits.push_back(i);
  }
  const auto en = text::Language::kEnglish;
  std::vector<std::string> cells;
  for (const GridRow& row : grid_rows(*t.t, hits, en, names, words))
    cells.push_back(row[4] + " | " + row[6]);
  EXPECT_EQ(cells, (Names{"京橋駅徒歩１０分 | 温泉      ",
                          "11 min walk from Kyobashi Station | Hot spring",
                          "In front of Shin-Osaka Station | Half board",
                          "17 min by bus from Echigo-Yuzawa Station | Internet",
                          "5 min walk from Shin-Osaka Station | Station-linked",
                          "銀座駅徒歩３分 | Non-smoking", "港の見える丘 | ○       ",
                          // a station the words table names (the district 三宮 is Sannomiya)
                          "5 min walk from Sannomiya Station | Parking"}));
  // The Japanese grid shows the texts as they are.
  EXPECT_EQ(grid_rows(*t.t, {hits[1]}, text::Language::kJapanese, names, words)[0][4],
            "京橋駅徒歩１１分");
}

// A user's hotel typed with English place names is listed with the data's hotels of that
// place: one district 梅田 in the list, and a filter on it finds both hotels.
TEST(HotelGridEnglish, UserHotelsTypedInEnglishJoinTheDataPlaces) {
  data::PlaceNames names;
  names.add("大阪／伊丹", "Osaka/Itami");
  names.add("梅田", "Umeda");
  Table t;
  const int user = t.add("Osaka/Itami", "Umeda", "Ravolin Hotel Umeda", true);
  const int kept = t.add("京都", "Nakanoshima", "mine", true);  // no such place: as typed
  const int data_hotel = t.add("大阪", "梅田", "data");
  match_user_place_names(*t.t, names);
  EXPECT_EQ(t.t->entry[user].area, "大阪");
  EXPECT_EQ(t.t->entry[user].district, "梅田");
  EXPECT_EQ(t.t->entry[kept].district, "Nakanoshima");
  HotelSelection sel = search("大阪／伊丹");
  std::string error;
  ASSERT_TRUE(select_hotels(*t.t, sel, error));
  EXPECT_EQ(sel.district_list, (Names{"梅田"}));
  set_district_filter(sel, {"梅田"});
  ASSERT_TRUE(select_hotels(*t.t, sel, error));
  EXPECT_EQ(sel.hit_list, (std::vector<int>{user, data_hotel}));
}

TEST(HotelGridEnglish, MessagesAndPickerLists) {
  const auto en = text::Language::kEnglish;
  const data::PlaceNames names = english_names();
  EXPECT_STREQ(no_hotel_message(en), "No hotels found");
  EXPECT_STREQ(area_error_message(en), "Unknown hotel area!!");
  EXPECT_STREQ(no_hotel_message(), "ホテルデータなし");
  EXPECT_STREQ(area_error_message(), "ホテル検索地域名の入力エラー！！");

  Table t;
  for (int i = 0; i <= kMaxHits; ++i) t.add("仙台", "駅前", "h");
  HotelSelection sel = search("仙台");
  std::string error;
  EXPECT_FALSE(select_hotels(*t.t, sel, error, en));
  EXPECT_EQ(error, "Too many hotels (the list shows up to 200)");

  data::AreaTable areas;
  areas.count = 2;
  areas.name[1] = "東京／羽田";
  areas.name[2] = "那覇";
  areas.region[1] = 4;
  areas.region[2] = 9;
  EXPECT_EQ(areas_of_region(areas, 0, en, names), (Names{"Tokyo/Haneda", "那覇"}));
  settings::Settings s;
  EXPECT_EQ(area_prefill(s, en, names), "Tokyo/Haneda");
  s.arrival_ground[1] = "札幌";
  EXPECT_EQ(area_prefill(s, en, names), "Sapporo");
  s.departure_ground = {"", "札幌", "那覇", "", "", ""};
  EXPECT_EQ(recent_places(s, en, names), (Names{"Sapporo", "那覇"}));
}

TEST(DistrictChooser, ListsMovesAndEnabledStates) {
  DistrictChooser c({"栄", "名駅", "金山", "大須"}, {"金山"});
  EXPECT_EQ(c.list1(), (Names{"栄", "名駅", "大須"}));
  EXPECT_EQ(c.list2(), (Names{"金山"}));
  EXPECT_FALSE(c.select_enabled());
  EXPECT_FALSE(c.deselect_enabled());
  EXPECT_TRUE(c.select_all_enabled());
  EXPECT_TRUE(c.deselect_all_enabled());

  c.set_list1_selected(true);
  c.set_list2_selected(true);
  c.select({2, 0});  // any order: moved in list order
  EXPECT_EQ(c.list1(), (Names{"名駅"}));
  EXPECT_EQ(c.list2(), (Names{"金山", "栄", "大須"}));
  EXPECT_FALSE(c.select_enabled());
  EXPECT_TRUE(c.deselect_enabled());  // the other list keeps its selection

  c.deselect({0});  // back to the end of List1, not to its former place
  EXPECT_EQ(c.list1(), (Names{"名駅", "金山"}));
  EXPECT_FALSE(c.deselect_enabled());

  c.set_list1_selected(true);
  c.set_list2_selected(true);
  c.select_all();
  EXPECT_TRUE(c.list1().empty());
  EXPECT_EQ(c.list2(), (Names{"栄", "大須", "名駅", "金山"}));
  EXPECT_FALSE(c.select_enabled());
  EXPECT_FALSE(c.deselect_enabled());
  EXPECT_FALSE(c.select_all_enabled());
  EXPECT_TRUE(c.deselect_all_enabled());

  c.deselect_all();
  EXPECT_EQ(c.list1(), (Names{"栄", "大須", "名駅", "金山"}));
  EXPECT_TRUE(c.list2().empty());
  EXPECT_TRUE(c.select_all_enabled());
  EXPECT_FALSE(c.deselect_all_enabled());

  c.select({7, -1});  // rows that do not exist move nothing
  EXPECT_EQ(c.list1().size(), 4u);
}

}  // namespace
}  // namespace ravolin::hotels
