// SPDX-License-Identifier: MIT
#include "hotels/user_hotels.h"

#include "data/hotel_reader.h"
#include "files/replace_file.h"
#include "text/text.h"

#include <vector>

namespace ravolin::hotels {
namespace {

constexpr int kFieldCount = 8;
constexpr std::size_t kRemarkChars = 8;

// Splits at commas outside double quotes; the quotes themselves are dropped.
std::vector<std::string> split_csv(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// A room count: decimal digits only (blanks around allowed), at most 32767. A sign makes
// the line a damaged one: no hotel has fewer than no rooms, and the edit window could not
// take such a count back.
bool parse_rooms(std::string_view text_in, std::int16_t& out) {
  const std::string t = text::trim(text_in);
  if (t.empty()) return false;
  long v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 32767) return false;
  }
  out = static_cast<std::int16_t>(v);
  return true;
}

// A text as it can be stored: no double quotes (they cannot be escaped), no line breaks,
// no NUL (which the reader refuses).
std::string storable(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != '"' && c != '\r' && c != '\n' && c != '\0') out += c;
  return out;
}

std::string quoted(std::string_view s) {
  std::string out = "\"";
  out += storable(s);
  out += '"';
  return out;
}

}  // namespace

std::optional<HotelEntry> parse_hotel_user_line(std::string_view cp932_line) {
  // A NUL byte is no text: the file is damaged there (or no hotel file at all).
  if (cp932_line.find('\0') != std::string_view::npos) return std::nullopt;
  const auto utf8 = text::cp932_to_utf8(cp932_line);
  if (!utf8) return std::nullopt;
  const std::vector<std::string> f = split_csv(*utf8);
  if (f.size() != kFieldCount) return std::nullopt;
  HotelEntry e;
  if (!parse_rooms(f[4], e.rooms)) return std::nullopt;
  e.area = normalise_area(f[0]);
  e.district = f[1];
  e.name = f[2];
  e.phone = f[3];
  e.access = f[5];
  e.price = f[6];
  e.remarks = text::fit_chars(f[7], kRemarkChars);
  return e;
}

UserHotelReport parse_hotel_user(std::string_view bytes, HotelTable& table) {
  UserHotelReport report;
  report.file_read = true;
  table.user_hotel_count = 0;
  table.file_hotel_count = 0;
  std::size_t pos = 0;
  int line_no = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (text::trim(line).empty()) continue;
    auto entry = parse_hotel_user_line(line);
    if (!entry) {
      if (report.skipped_lines++ == 0) report.first_skipped_line = line_no;
      continue;
    }
    if (table.user_hotel_count >= kMaxHotels) {
      report.truncated = true;
      break;
    }
    table.entry[++table.user_hotel_count] = std::move(*entry);
  }
  return report;
}

UserHotelReport load_user_hotels(const std::string& path, HotelTable& table) {
  std::string bytes;
  text::Message error;
  if (!settings::read_whole_file(path, settings::kMaxUserHotelFileBytes, bytes, error)) {
    table.user_hotel_count = 0;
    table.file_hotel_count = 0;
    UserHotelReport report;
    report.error = error;
    return report;
  }
  return parse_hotel_user(bytes, table);
}

std::string format_hotel_user_line(const HotelEntry& e) {
  return quoted(e.area) + "," + quoted(e.district) + "," + quoted(e.name) + "," + quoted(e.phone) +
         "," + text::format_plain(e.rooms) + "," + quoted(e.access) + "," + quoted(e.price) +
         ",\"" + text::fit_chars(storable(e.remarks), kRemarkChars) + "\"";
}

std::string format_hotel_user_file(const HotelTable& table) {
  std::string out;
  const int n = table.user_hotel_count < 0            ? 0
                : table.user_hotel_count > kMaxHotels ? kMaxHotels
                                                      : table.user_hotel_count;
  for (int i = 1; i <= n; ++i) {
    out += settings::encode_cp932_lossy(format_hotel_user_line(table.entry[i]));
    out += "\r\n";
  }
  return out;
}

bool put_hotel_user(const std::string& path, const HotelTable& table, text::Message& error) {
  return settings::replace_file(path, format_hotel_user_file(table), error);
}

}  // namespace ravolin::hotels
