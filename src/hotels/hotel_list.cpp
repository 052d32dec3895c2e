// SPDX-License-Identifier: MIT
#include "hotels/hotel_list.h"

#include "calendar/dates.h"
#include "data/hotel_reader.h"
#include "hotels/hotel_words.h"
#include "text/text.h"

#include <algorithm>

namespace ravolin::hotels {

namespace {
bool english(text::Language language) { return language == text::Language::kEnglish; }
}  // namespace

const char* no_hotel_message(text::Language language) {
  return english(language) ? "No hotels found" : kNoHotelMessage;
}

const char* area_error_message(text::Language language) {
  return english(language) ? "Unknown hotel area!!" : kAreaErrorMessage;
}

std::string area_key(const std::string& area) {
  std::string t = text::trim(area);
  if (t.rfind("東京", 0) == 0) return "東京";
  if (t.rfind("大阪", 0) == 0) return "大阪";
  return t;
}

bool select_hotels(const HotelTable& table, HotelSelection& sel, std::string& error,
                   text::Language language) {
  sel.hit_list.clear();
  sel.district_list.clear();
  const std::string key = area_key(sel.hotel_area);
  std::vector<std::string> filter;
  for (const auto& f : sel.district_filter) filter.push_back(text::trim(f));
  const int last = std::min(table.total(), kMaxHotels);
  for (int i = 1; i <= last; ++i) {
    const HotelEntry& e = table.entry[i];
    if (text::trim(e.area) != key) continue;
    const std::string district = text::trim(e.district);
    if (filter.empty() || std::find(filter.begin(), filter.end(), district) != filter.end())
      sel.hit_list.push_back(i);
    // Each district once, even when the area's hotels are not grouped by district (the
    // user's hotels come first), so the chooser never lists a district twice.
    if (std::find(sel.district_list.begin(), sel.district_list.end(), district) ==
        sel.district_list.end())
      sel.district_list.push_back(district);
  }
  if (static_cast<int>(sel.hit_list.size()) > kMaxHits) {
    error = english(language)
                ? "Too many hotels (the list shows up to " + std::to_string(kMaxHits) + ")"
                : "ホテルデータが多すぎます（一覧に表示できるのは" + std::to_string(kMaxHits) +
                      "件までです）";
    sel.hit_list.clear();
    sel.district_list.clear();
    return false;
  }
  return true;
}

void sort_hotel(const HotelTable& table, std::vector<int>& hit_list) {
  const auto less = [&](int a, int b) {
    const HotelEntry& x = table.entry[a];
    const HotelEntry& y = table.entry[b];
    if (x.area != y.area) return x.area < y.area;
    return x.district < y.district;
  };
  const std::size_t n = hit_list.size();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    std::size_t min = i;
    for (std::size_t j = i + 1; j < n; ++j)
      if (less(hit_list[j], hit_list[min])) min = j;
    std::swap(hit_list[i], hit_list[min]);
  }
}

void start_hotel_search(HotelSelection& sel, const std::string& area_text) {
  sel.caption_from = kCaptionFromSearch;
  sel.hotel_area = area_text;
  if (area_key(area_text) != sel.filter_area) sel.district_filter.clear();
}

void match_user_place_names(HotelTable& table, const data::PlaceNames& names) {
  for (int i = 1; i <= table.user_hotel_count && i <= kMaxHotels; ++i) {
    HotelEntry& e = table.entry[i];
    const std::string area = names.japanese_of(text::trim(e.area));
    if (area != text::trim(e.area)) e.area = normalise_area(area);
    const std::string district = names.japanese_of(text::trim(e.district));
    if (district != text::trim(e.district)) e.district = district;
  }
}

void set_district_filter(HotelSelection& sel, std::vector<std::string> filter) {
  sel.district_filter = std::move(filter);
  sel.filter_area = area_key(sel.hotel_area);
}

const GridRow& grid_heading(text::Language language) {
  static const GridRow kHeading = {"地区", "ホテル名", "電話番号",  "部屋数",
                                   "交通", "部屋代",   "備考(評価)"};
  static const GridRow kEnglish = {"District", "Hotel", "Phone",          "Rooms",
                                   "Access",   "Rate",  "Remarks(rating)"};
  return english(language) ? kEnglish : kHeading;
}

GridRow grid_row(const HotelEntry& e, text::Language language, const data::PlaceNames& names,
                 const data::PlaceNames& words) {
  const std::string remarks = text::fit_chars(e.remarks, 8);
  return {names.shown(e.district, language),
          e.name,
          e.phone,
          e.rooms == 0 ? std::string() : std::to_string(e.rooms),
          english(language) ? english_access(e.access, words, names) : e.access,
          e.price,
          english(language) ? english_remark(remarks, words) : remarks};
}

std::vector<GridRow> grid_rows(const HotelTable& table, const std::vector<int>& hit_list,
                               text::Language language, const data::PlaceNames& names,
                               const data::PlaceNames& words) {
  std::vector<GridRow> rows;
  rows.reserve(hit_list.size());
  for (int i : hit_list) {
    // The user's own hotels (the first positions) keep their texts as they were typed.
    const bool users = i <= table.user_hotel_count;
    rows.push_back(
        grid_row(table.entry[i], language, names, users ? data::PlaceNames::none() : words));
  }
  return rows;
}

namespace {
void append_row(std::string& out, const GridRow& row) {
  for (int c = 0; c < kGridColumns; ++c) {
    if (c) out += '\t';
    out += row[c];
  }
  out += '\n';
}
}  // namespace

std::string grid_text(const HotelTable& table, const std::vector<int>& hit_list,
                      text::Language language, const data::PlaceNames& names,
                      const data::PlaceNames& words) {
  std::string out;
  append_row(out, grid_heading(language));
  for (const GridRow& row : grid_rows(table, hit_list, language, names, words))
    append_row(out, row);
  return out;
}

std::string title_strip(const std::string& caption_from, const std::string& hotel_area,
                        std::int32_t list_date, text::Language language,
                        const data::PlaceNames& names) {
  if (english(language)) {
    // Without a departure station (an area typed in the hotel search) the area alone.
    const std::string from = text::trim(caption_from);
    const std::string to = names.shown(text::trim(hotel_area), language);
    return (from == kCaptionFromSearch ? to : names.shown(from, language) + " → " + to) +
           "  (departing " + calendar::date_text_ascii(list_date, language) + ")";
  }
  return text::trim(caption_from) + " → " + text::trim(hotel_area) + "  " +
         calendar::date_text_ascii(list_date) + " 出発";
}

bool check_area(const data::AreaTable& areas, const std::string& text) {
  const std::string t = text::trim(text);
  if (t.empty()) return false;
  const int n = std::min(areas.count, data::kMaxAreas);
  for (int i = 1; i <= n; ++i)
    if (areas.name[i] == t) return true;
  return false;
}

std::string area_prefill(const settings::Settings& s, text::Language language,
                         const data::PlaceNames& names) {
  return names.shown(s.arrival_ground[1].empty() ? std::string(kDefaultArea) : s.arrival_ground[1],
                     language);
}

std::vector<std::string> areas_of_region(const data::AreaTable& areas, int region,
                                         text::Language language, const data::PlaceNames& names) {
  std::vector<std::string> out;
  const int n = std::min(areas.count, data::kMaxAreas);
  for (int i = 1; i <= n; ++i)
    if (region == 0 || areas.region[i] == region)
      out.push_back(names.shown(areas.name[i], language));
  return out;
}

std::vector<std::string> recent_places(const settings::Settings& s, text::Language language,
                                       const data::PlaceNames& names) {
  std::vector<std::string> out;
  for (int slot = 1; slot <= 5; ++slot)
    if (!s.departure_ground[slot].empty())
      out.push_back(names.shown(s.departure_ground[slot], language));
  return out;
}

DistrictChooser::DistrictChooser(const std::vector<std::string>& district_list,
                                 const std::vector<std::string>& district_filter)
    : list2_(district_filter) {
  for (const auto& d : district_list)
    if (std::find(district_filter.begin(), district_filter.end(), d) == district_filter.end())
      list1_.push_back(d);
}

void DistrictChooser::move(std::vector<std::string>& from, std::vector<std::string>& to,
                           std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [&](int r) { return r < 0 || r >= static_cast<int>(from.size()); }),
             rows.end());
  for (int r : rows) to.push_back(from[r]);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) from.erase(from.begin() + *it);
}

void DistrictChooser::select(const std::vector<int>& rows) {
  move(list1_, list2_, rows);
  select_enabled_ = false;
}

void DistrictChooser::select_all() {
  std::vector<int> rows(list1_.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  move(list1_, list2_, rows);
  select_enabled_ = deselect_enabled_ = false;
}

void DistrictChooser::deselect(const std::vector<int>& rows) {
  move(list2_, list1_, rows);
  deselect_enabled_ = false;
}

void DistrictChooser::deselect_all() {
  std::vector<int> rows(list2_.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  move(list2_, list1_, rows);
  select_enabled_ = deselect_enabled_ = false;
}

}  // namespace ravolin::hotels
