// SPDX-License-Identifier: MIT
// The hotel directory's rules: the selection of an area's hotels (select_hotels), their
// order (sort_hotel), the grid and title strip as text, the area check of the search
// window, the district chooser's two lists and the area picker's lists.
#pragma once

#include "data/hotel_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "settings/settings.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ravolin::hotels {

inline constexpr int kMaxHits = 200;
inline constexpr int kGridColumns = 7;
inline constexpr const char* kNoHotelMessage = "ホテルデータなし";
inline constexpr int kNoHotelHelpTopic = 204;
inline constexpr const char* kAreaErrorMessage = "ホテル検索地域名の入力エラー！！";
inline constexpr int kAreaErrorHelpTopic = 256;
inline constexpr const char* kCaptionFromSearch = "＊＊＊＊＊";
inline constexpr const char* kDefaultArea = "東京／羽田";

// The messages of the hotel search in the window's language.
const char* no_hotel_message(text::Language language = text::Language::kJapanese);
const char* area_error_message(text::Language language = text::Language::kJapanese);

// What the hotel list shows, shared by the search, list and district windows.
struct HotelSelection {
  std::string hotel_area;    // the area name as the user gave it
  std::string caption_from;  // the text before the arrow in the title strip
  // Districts chosen in the district selection window (empty: all districts), and the
  // area they were chosen in: a search for another area clears them.
  std::vector<std::string> district_filter;
  std::string filter_area;
  // Rebuilt by select_hotels: positions in the hotel table, in display order, and the
  // districts met among the area's hotels, in order of appearance.
  std::vector<int> hit_list;
  std::vector<std::string> district_list;
};

// The key an area name selects by: trimmed, and an area beginning with 東京 / 大阪
// (東京／羽田, 東京／成田, 大阪／伊丹, 大阪／関西) becomes "東京" / "大阪", as the
// hotel table stores them.
std::string area_key(const std::string& area);

// The user's hotels (positions 1 .. user_hotel_count) with an area or a district typed by
// its English name ("Osaka/Itami", "Umeda") take the data's name of that place (大阪,
// 梅田), so that they are listed and filtered with the data file's hotels of the same place.
// Only the table changes; hotelusr.csv keeps what was typed.
void match_user_place_names(HotelTable& table, const data::PlaceNames& names);

// select_hotels: fills hit_list and district_list from hotel_area and district_filter over
// positions 1 .. table.total(). False with `error` (in `language`) when the area holds more
// hotels or districts than the list can show (200); the lists are then empty.
bool select_hotels(const HotelTable& table, HotelSelection& sel, std::string& error,
                   text::Language language = text::Language::kJapanese);

// sort_hotel: hit_list ascending by area, then district (untrimmed, by character codes).
void sort_hotel(const HotelTable& table, std::vector<int>& hit_list);

// The search window's choice of an area: hotel_area and caption_from are set, and the
// district filter is dropped when it was chosen in another area.
void start_hotel_search(HotelSelection& sel, const std::string& area_text);
// The district selection window's choice: the filter (empty: all districts) for the
// area shown.
void set_district_filter(HotelSelection& sel, std::vector<std::string> filter);

// The grid: the heading row, then one row per hit. In English the district is shown by its
// English name where `names` has one, and the data file's remarks and access texts in
// English where `words` has them (hotel_words.h); names, the user's own hotels' texts and
// anything not in the tables stay as written.
using GridRow = std::array<std::string, kGridColumns>;
const GridRow& grid_heading(text::Language language = text::Language::kJapanese);
inline constexpr std::array<int, kGridColumns> kGridColumnTwips = {900,  2520, 1170, 720,
                                                                   1980, 720,  1080};
GridRow grid_row(const HotelEntry& e, text::Language language = text::Language::kJapanese,
                 const data::PlaceNames& names = data::PlaceNames(),
                 const data::PlaceNames& words = data::PlaceNames());
std::vector<GridRow> grid_rows(const HotelTable& table, const std::vector<int>& hit_list,
                               text::Language language = text::Language::kJapanese,
                               const data::PlaceNames& names = data::PlaceNames(),
                               const data::PlaceNames& words = data::PlaceNames());
// The grid as text: the heading row and each hotel's row, cells joined by TAB, each row
// followed by LF.
std::string grid_text(const HotelTable& table, const std::vector<int>& hit_list,
                      text::Language language = text::Language::kJapanese,
                      const data::PlaceNames& names = data::PlaceNames(),
                      const data::PlaceNames& words = data::PlaceNames());

// The title strip: "＊＊＊＊＊ → 東京／羽田  2000/03/13 (月) 出発"; in English
// "Tokyo/Haneda  (departing Mon 13 Mar 2000)", the places by their English names.
std::string title_strip(const std::string& caption_from, const std::string& hotel_area,
                        std::int32_t list_date, text::Language language = text::Language::kJapanese,
                        const data::PlaceNames& names = data::PlaceNames());

// check_text1 of the search window: the trimmed text is one of the area names.
bool check_area(const data::AreaTable& areas, const std::string& text);
// The area field's first text: slot 1 of the recent arrival places, or 東京／羽田.
std::string area_prefill(const settings::Settings& s,
                         text::Language language = text::Language::kJapanese,
                         const data::PlaceNames& names = data::PlaceNames());

// The area picker: the areas of one region (0: the whole country) in area-list order,
// and the recent departure places that are not empty, slot 1 first; names shown in
// `language`.
std::vector<std::string> areas_of_region(const data::AreaTable& areas, int region,
                                         text::Language language = text::Language::kJapanese,
                                         const data::PlaceNames& names = data::PlaceNames());
std::vector<std::string> recent_places(const settings::Settings& s,
                                       text::Language language = text::Language::kJapanese,
                                       const data::PlaceNames& names = data::PlaceNames());

// The district chooser: List1 holds the area's districts not chosen, List2 the chosen
// ones; moves append to the other list in order. Each button's enabled state follows
// the lists and the selections.
class DistrictChooser {
 public:
  DistrictChooser(const std::vector<std::string>& district_list,
                  const std::vector<std::string>& district_filter);

  const std::vector<std::string>& list1() const { return list1_; }
  const std::vector<std::string>& list2() const { return list2_; }

  // Moves the entries at the given rows (any order) of one list to the end of the other.
  void select(const std::vector<int>& rows);    // 選択>
  void select_all();                            // 全選択>>
  void deselect(const std::vector<int>& rows);  // <取消
  void deselect_all();                          // <<全取消

  // The selection in each list changed (true: some entry is selected).
  void set_list1_selected(bool any) { select_enabled_ = any; }
  void set_list2_selected(bool any) { deselect_enabled_ = any; }

  bool select_enabled() const { return select_enabled_; }
  bool select_all_enabled() const { return !list1_.empty(); }
  bool deselect_enabled() const { return deselect_enabled_; }
  bool deselect_all_enabled() const { return !list2_.empty(); }

 private:
  static void move(std::vector<std::string>& from, std::vector<std::string>& to,
                   std::vector<int> rows);
  std::vector<std::string> list1_, list2_;
  bool select_enabled_ = false;
  bool deselect_enabled_ = false;
};

}  // namespace ravolin::hotels
