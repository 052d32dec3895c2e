// SPDX-License-Identifier: MIT
// The user's own hotels, kept in hotelusr.csv in the program folder: one record per
// line (CP932, CR LF), eight comma-separated fields, texts in double quotes, the room
// count bare. They fill the first positions of the hotel table.
#pragma once

#include "data/hotel_tables.h"
#include "text/message.h"

#include <optional>
#include <string>
#include <string_view>

namespace ravolin::hotels {

struct UserHotelReport {
  bool file_read = false;      // false: missing or unreadable (no user hotels)
  int skipped_lines = 0;       // broken lines left out
  int first_skipped_line = 0;  // 1-based line number of the first broken line, 0 if none
  bool truncated = false;      // more records than the table holds; the rest were left out
  text::Message error;         // why the file could not be read
};

// One record from a line of the file (CP932 bytes, without its line end); nullopt for a
// broken line: not eight fields, a room count that is not a 16-bit integer, a NUL byte,
// or bytes that are not CP932.
std::optional<HotelEntry> parse_hotel_user_line(std::string_view cp932_line);

// Reads hotelusr.csv into positions 1, 2, ... of the table and sets user_hotel_count
// (file_hotel_count becomes 0: the data file's hotels follow and must be read again).
// Broken lines are skipped, never the whole file; a missing file gives no user hotels.
UserHotelReport load_user_hotels(const std::string& path, HotelTable& table);
// The same over the bytes of a file.
UserHotelReport parse_hotel_user(std::string_view cp932_bytes, HotelTable& table);

// One record as written, in UTF-8 without the line end:
// "東京","京橋","ラボリンホテル","012-345-6789",123,"京橋駅徒歩１０分","\10,000","○       "
std::string format_hotel_user_line(const HotelEntry& e);
// Entries 1 .. user_hotel_count as the whole file: CP932 bytes, CR LF after each line.
std::string format_hotel_user_file(const HotelTable& table);
// Replaces hotelusr.csv (atomically) with entries 1 .. user_hotel_count. False with the
// reason when it cannot be written; the old file is then unchanged.
bool put_hotel_user(const std::string& path, const HotelTable& table, text::Message& error);

}  // namespace ravolin::hotels
