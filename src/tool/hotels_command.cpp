// SPDX-License-Identifier: MIT
// hotels: the hotel list of one area, as the hotel list window shows it after a search
// from the hotel search window: the title strip, then the grid's heading row and one row
// per hotel, cells joined by TAB.
#include "calendar/dates.h"
#include "data/hotel_reader.h"
#include "hotels/hotel_list.h"
#include "hotels/user_hotels.h"
#include "text/text.h"
#include "tool/arguments.h"
#include "tool/commands.h"
#include "tool/program_folder.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace ravolin::tool {
namespace {

int bad_args(const std::string& message) {
  std::fprintf(stderr, "ravolin-tool hotels: %s\n", message.c_str());
  return 2;
}

// A refusal of the hotel search: the window's own message text, after the subcommand.
void fail_line(const std::string& message) {
  std::fprintf(stderr, "ravolin-tool hotels: %s\n", message.c_str());
}

// "YYYY-MM-DD" with digits only, as a day number.
bool parse_today(const std::string& s, std::int32_t& dn) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (s[i] < '0' || s[i] > '9') return false;
  const int y = std::stoi(s.substr(0, 4)), m = std::stoi(s.substr(5, 2)),
            d = std::stoi(s.substr(8, 2));
  if (!calendar::is_valid_date(y, m, d)) return false;
  dn = calendar::day_number(y, m, d);
  return true;
}

// The user's hotels, then the data file's: false after the message when the data file's
// hotel section cannot be read. Broken lines of the user's file are reported and skipped.
bool load_hotels(const LoadedFolder& folder, hotels::HotelTable& table) {
  const std::string user_path = folder.dir + "/" + hotels::kUserHotelFileName;
  const hotels::UserHotelReport report = hotels::load_user_hotels(user_path, table);
  if (report.skipped_lines > 0)
    std::fprintf(stderr,
                 "ravolin-tool hotels: %s: %d broken line(s) left out, the first is line %d\n",
                 user_path.c_str(), report.skipped_lines, report.first_skipped_line);
  if (report.truncated)
    std::fprintf(
        stderr,
        "ravolin-tool hotels: %s: more hotels than the table holds; the rest were left out\n",
        user_path.c_str());
  hotels::match_user_place_names(table, folder.place_names);
  data::DataError err;
  if (!hotels::load_hotels(folder.data_path, folder.data.directory, folder.data.areas,
                           folder.districts, table, err)) {
    std::fprintf(stderr, "ravolin-tool hotels: %s\n", err.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

int cmd_hotels(const Args& args, text::Language language) {
  std::string dir, today, area;
  bool have_today = false, have_area = false;
  std::vector<std::string> districts;
  const std::string usage =
      walk_args(args, dir, [&](const std::string& a, const std::string& value) {
        if (a == "--today") {
          today = value;
          have_today = true;
        } else if (a == "--area") {
          area = value;
          have_area = true;
        } else if (a == "--district") {
          districts.push_back(value);
        } else {
          return false;
        }
        return true;
      });
  if (!usage.empty()) return bad_args(usage);
  if (!have_today) return bad_args("option --today is missing");
  if (!have_area) return bad_args("option --area is missing");
  std::int32_t list_date = 0;
  if (!parse_today(today, list_date))
    return bad_args("--today must be a date YYYY-MM-DD, not '" + today + "'");
  if (static_cast<int>(districts.size()) > hotels::kMaxDistricts)
    return bad_args("at most " + std::to_string(hotels::kMaxDistricts) + " --district options");

  auto folder = std::make_unique<LoadedFolder>();
  if (!open_program_folder("hotels", dir, language, *folder)) return 1;
  // An area (and a district) may be given by its English name as well.
  area = folder->place_names.japanese_of(area);
  const std::vector<std::string> asked_districts = districts;
  for (std::string& d : districts) d = folder->place_names.japanese_of(d);
  if (!hotels::check_area(folder->data.areas, area)) {
    fail_line(hotels::area_error_message(language));
    return 2;
  }

  auto table = std::make_unique<hotels::HotelTable>();
  if (!load_hotels(*folder, *table)) return 1;

  hotels::HotelSelection sel;
  std::string error;
  hotels::start_hotel_search(sel, area);
  hotels::set_district_filter(sel, districts);
  if (!hotels::select_hotels(*table, sel, error, language)) {
    fail_line(error);
    return 1;
  }
  // A district that is neither in the data's district list nor any hotel's is a mistake in
  // the call (one of another area just finds no hotel here): name the option and the
  // area's districts.
  const auto known_district = [&](const std::string& wanted) {
    for (int i = 1; i <= folder->districts.count; ++i)
      if (text::trim(folder->districts.name[i]) == wanted) return true;
    for (int i = 1; i <= table->total(); ++i)
      if (text::trim(table->entry[i].district) == wanted) return true;
    return false;
  };
  for (std::size_t i = 0; i < districts.size(); ++i) {
    if (known_district(text::trim(districts[i]))) continue;
    std::string known;
    for (const std::string& d : sel.district_list)
      known += (known.empty() ? "" : ", ") + folder->place_names.shown(d, language);
    return bad_args("--district '" + asked_districts[i] + "' is not a district (the districts of " +
                    folder->place_names.shown(area, language) + ": " + known + ")");
  }
  if (sel.hit_list.empty()) {
    fail_line(hotels::no_hotel_message(language));
    return 3;
  }
  if (folder->settings.control3_flg == 1) hotels::sort_hotel(*table, sel.hit_list);
  const data::PlaceNames& names = folder->place_names;
  const std::string out =
      hotels::title_strip(sel.caption_from, sel.hotel_area, list_date, language, names) + "\n" +
      hotels::grid_text(*table, sel.hit_list, language, names, folder->hotel_words);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace ravolin::tool
