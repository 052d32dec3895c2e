// SPDX-License-Identifier: MIT
#include "hotels/hotel_words.h"

#include "text/text.h"

#include <string_view>

namespace ravolin::hotels {
namespace {

constexpr std::string_view kStation = "{station}";
constexpr std::string_view kNumber = "{n}";

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The text with its digits as ASCII and its first number replaced by "{n}" (the number
// goes to `number`).
std::string with_number_marked(std::string_view s, std::string& number) {
  const std::string ascii = text::ascii_digits(s);
  std::size_t start = 0;
  while (start < ascii.size() && !is_digit(ascii[start])) ++start;
  if (start == ascii.size()) return ascii;
  std::size_t end = start;
  while (end < ascii.size() && is_digit(ascii[end])) ++end;
  number = ascii.substr(start, end - start);
  return ascii.substr(0, start) + std::string(kNumber) + ascii.substr(end);
}

void replace_all(std::string& s, std::string_view what, const std::string& by) {
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + by.size()))
    s.replace(p, what.size(), by);
}

// The English of `rest` by its pattern, with `station` (empty: none) put in its place.
const std::string* pattern_english(const std::string& station, std::string_view rest,
                                   const data::PlaceNames& words, std::string& number) {
  number.clear();
  const std::string key =
      (station.empty() ? std::string() : std::string(kStation)) + with_number_marked(rest, number);
  return words.english(key);
}

bool starts_character(unsigned char byte) { return (byte & 0xC0) != 0x80; }

}  // namespace

std::string english_remark(const std::string& remark, const data::PlaceNames& words) {
  const std::string* english = words.english(text::trim(remark));
  return english ? *english : remark;
}

std::string english_access(const std::string& access, const data::PlaceNames& words,
                           const data::PlaceNames& names) {
  const std::string t = text::trim(access);
  std::string number;
  // The longest leading place name with an English form whose rest has a pattern:
  // "新大阪駅前" is a district as well, but as an access text it is 新大阪 and "駅前".
  for (std::size_t cut = t.size(); cut > 0; --cut) {
    if (cut < t.size() && !starts_character(static_cast<unsigned char>(t[cut]))) continue;
    const std::string station = t.substr(0, cut);
    // A station only the access texts name may be in the words table: one whose English
    // name a place of the names file has already (三ノ宮 beside the district 三宮).
    const std::string* station_english = names.english(station);
    if (!station_english) station_english = words.english(station);
    if (!station_english) continue;
    const std::string* english =
        pattern_english(station, std::string_view(t).substr(cut), words, number);
    if (!english) continue;
    std::string out = *english;
    replace_all(out, kStation, *station_english);
    replace_all(out, kNumber, number);
    return out;
  }
  if (const std::string* english = pattern_english({}, t, words, number)) {
    std::string out = *english;
    replace_all(out, kNumber, number);
    return out;
  }
  return access;
}

}  // namespace ravolin::hotels
