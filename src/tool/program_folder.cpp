// SPDX-License-Identifier: MIT
#include "tool/program_folder.h"

#include "hotels/hotel_words.h"
#include "settings/settings_file.h"
#include "state/loader.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace ravolin::tool {
namespace {

bool read_digits(const std::string& s, std::size_t pos, std::size_t n, int& out) {
  if (pos + n > s.size()) return false;
  out = 0;
  for (std::size_t i = pos; i < pos + n; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

}  // namespace

bool parse_at(const std::string& text, calendar::SystemTime& out) {
  // 0123456789012345
  // YYYY-MM-DD HH:MM
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' ||
      (text[10] != ' ' && text[10] != 'T') || text[13] != ':')
    return false;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  if (!read_digits(text, 0, 4, y) || !read_digits(text, 5, 2, mo) || !read_digits(text, 8, 2, d) ||
      !read_digits(text, 11, 2, h) || !read_digits(text, 14, 2, mi))
    return false;
  if (!calendar::is_valid_date(y, mo, d) || h > 23 || mi > 59) return false;
  out = calendar::make_system_time(y, mo, d, h, mi, 0);
  return true;
}

bool load_program_folder(const std::string& dir, LoadedFolder& out, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (dir.empty() || !fs::is_directory(dir, ec)) {
    error = "program folder '" + dir + "' does not exist or is not a folder";
    return false;
  }
  out.dir = dir;
  out.data_path = (fs::path(dir) / data::kDataFileName).string();

  data::DataError err;
  if (!data::load_edition(out.data_path, out.data.directory, out.data.edition, err)) {
    error = err.message();
    return false;
  }
  out.settings_path = (fs::path(dir) / out.data.edition->settings_file).string();
  std::string why;
  if (!settings::read_ini_file(out.settings_path, out.settings, why)) {
    error = "cannot read the settings file " + out.settings_path + ": " + why;
    return false;
  }
  if (!data::load_sections(
          out.data_path, out.settings.keiyo_use, out.data, out.districts, out.fares, [](int) {},
          err)) {
    error = err.message();
    return false;
  }
  data::PlaceNamesError names_error;
  if (!data::load_place_names((fs::path(dir) / data::kPlaceNamesFileName).string(), out.place_names,
                              names_error))
    out.names_fault = names_error.message(text::Language::kEnglish);
  // The English of the hotel list's remarks and access texts, in the same form.
  if (!data::load_place_names((fs::path(dir) / hotels::kHotelWordsFileName).string(),
                              out.hotel_words, names_error) &&
      out.names_fault.empty())
    out.names_fault = names_error.message(text::Language::kEnglish);
  return true;
}

bool open_program_folder(const char* command, const std::string& dir, text::Language language,
                         LoadedFolder& out) {
  std::string error;
  if (!load_program_folder(dir, out, error)) {
    std::fprintf(stderr, "ravolin-tool %s: %s\n", command, error.c_str());
    return false;
  }
  if (out.names_fault.empty()) return true;
  // English texts without their names would be half Japanese; the Japanese ones do not
  // use the file.
  if (language == text::Language::kEnglish) {
    std::fprintf(stderr, "ravolin-tool %s: %s\n", command, out.names_fault.c_str());
    return false;
  }
  std::fprintf(stderr, "ravolin-tool %s: warning: %s (the English names are not used)\n", command,
               out.names_fault.c_str());
  return true;
}

BoardMoment moment_at(const calendar::SystemTime& now, const settings::Settings& s) {
  BoardMoment m;
  calendar::ProgramClock clock;
  calendar::get_today(now, m.service, clock);
  m.flags = calendar::set_holiday(s.holidays, m.service.month, m.service.day, m.service.weekday);
  m.program_time = calendar::update_program_time(clock, now.time_of_day);
  return m;
}

}  // namespace ravolin::tool
