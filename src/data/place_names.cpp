// SPDX-License-Identifier: MIT
#include "data/place_names.h"

#include "files/replace_file.h"

#include <utility>

namespace ravolin::data {

const PlaceNames& PlaceNames::none() {
  static const PlaceNames empty;
  return empty;
}

void PlaceNames::add(const std::string& japanese, const std::string& english) {
  english_[japanese] = english;
  japanese_[folded(english)] = japanese;
}

const std::string& PlaceNames::shown(const std::string& japanese, text::Language language) const {
  if (language != text::Language::kEnglish) return japanese;
  const std::string* found = english(japanese);
  return found ? *found : japanese;
}

const std::string* PlaceNames::english(const std::string& japanese) const {
  auto it = english_.find(japanese);
  return it == english_.end() ? nullptr : &it->second;
}

std::string PlaceNames::japanese_of(const std::string& typed) const {
  auto it = japanese_.find(folded(typed));
  return it == japanese_.end() ? typed : it->second;
}

bool PlaceNames::is_english_name(const std::string& typed) const {
  return japanese_.count(folded(typed)) > 0;
}

namespace {

// The plain letter of a long vowel with a macron or circumflex as Hepburn writes it
// ("Ō" "ō" "ô" → 'o'); 0 for any other two-byte character.
char long_vowel(unsigned char lead, unsigned char trail) {
  static constexpr struct {
    unsigned char lead, trail;
    char plain;
  } kVowels[] = {
      {0xC4, 0x80, 'a'}, {0xC4, 0x81, 'a'}, {0xC4, 0x92, 'e'}, {0xC4, 0x93, 'e'}, {0xC4, 0xAA, 'i'},
      {0xC4, 0xAB, 'i'}, {0xC5, 0x8C, 'o'}, {0xC5, 0x8D, 'o'}, {0xC5, 0xAA, 'u'}, {0xC5, 0xAB, 'u'},
      {0xC3, 0x82, 'a'}, {0xC3, 0xA2, 'a'}, {0xC3, 0x8A, 'e'}, {0xC3, 0xAA, 'e'}, {0xC3, 0x8E, 'i'},
      {0xC3, 0xAE, 'i'}, {0xC3, 0x94, 'o'}, {0xC3, 0xB4, 'o'}, {0xC3, 0x9B, 'u'}, {0xC3, 0xBB, 'u'},
  };
  for (const auto& v : kVowels)
    if (v.lead == lead && v.trail == trail) return v.plain;
  return 0;
}

// Hyphen, non-breaking hyphen, figure dash, en dash, em dash, minus sign: E2 80 90..95 and
// E2 88 92.
bool is_dash(std::string_view s, std::size_t i) {
  if (s.size() < i + 3 || static_cast<unsigned char>(s[i]) != 0xE2) return false;
  const auto b1 = static_cast<unsigned char>(s[i + 1]);
  const auto b2 = static_cast<unsigned char>(s[i + 2]);
  return (b1 == 0x80 && b2 >= 0x90 && b2 <= 0x95) || (b1 == 0x88 && b2 == 0x92);
}

}  // namespace

std::string PlaceNames::folded(const std::string& english) {
  std::string out;
  for (std::size_t i = 0; i < english.size(); ++i) {
    const char c = english[i];
    if (c == ' ' || c == '-' || c == '.') continue;
    if (is_dash(english, i)) {
      i += 2;
      continue;
    }
    if (i + 1 < english.size()) {
      if (const char v = long_vowel(static_cast<unsigned char>(c),
                                    static_cast<unsigned char>(english[i + 1]))) {
        out += v;
        ++i;
        continue;
      }
    }
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  // "Shin-Osaka Station", "Shin-Osaka Sta." and "Shin-Osaka Stn" name the station itself.
  const std::string words = english.substr(0, english.find_last_not_of(' ') + 1);
  const std::size_t blank = words.find_last_of(' ');
  if (blank != std::string::npos) {
    const std::string last_word = folded(words.substr(blank + 1));
    if ((last_word == "station" || last_word == "sta" || last_word == "stn") &&
        out.size() > last_word.size())
      out.erase(out.size() - last_word.size());
  }
  return out;
}

}  // namespace ravolin::data

namespace ravolin::data {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// True when `s` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool is_utf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int more = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      more = 1, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      more = 3, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(more) >= s.size()) return false;
    for (int k = 1; k <= more; ++k) {
      const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

// True when `s` (UTF-8) holds a control character other than TAB: C0, DEL or C1, which a
// terminal or a window would act on rather than show.
bool has_control(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) < 0xA0) return true;
  }
  return false;
}

// The reason a line is refused, or nothing for a good line (names set).
const char* check_line(std::string_view line, std::string_view& japanese,
                       std::string_view& english) {
  if (!is_utf8(line)) return "the line is not UTF-8 text";
  if (has_control(line)) return "the line holds a control character";
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return "no TAB between the Japanese and the English name";
  if (line.find('\t', tab + 1) != std::string_view::npos) return "more than one TAB";
  japanese = trimmed(line.substr(0, tab));
  english = trimmed(line.substr(tab + 1));
  if (japanese.empty()) return "the Japanese name is empty";
  if (english.empty()) return "the English name is empty";
  return nullptr;
}

}  // namespace

std::string PlaceNamesError::message(text::Language language) const {
  const std::string where = line > 0 ? " line " + std::to_string(line) : std::string();
  const std::string why = reason.in(language);
  if (language == text::Language::kEnglish) return "Names file " + file + where + ": " + why;
  const std::string jp_where =
      line > 0 ? " の " + std::to_string(line) + " 行目が" : std::string(" が");
  return "地名ファイル " + file + jp_where + "不正です: " + why;
}

bool read_place_names(std::string_view text, const std::string& file_name, PlaceNames& out,
                      PlaceNamesError& error) {
  PlaceNames read;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (trimmed(line).empty() || trimmed(line).front() == '#') continue;
    std::string_view japanese, english;
    const char* reason = check_line(line, japanese, english);
    // One name, one place: a second English name would hide the first, and a second place
    // under one English name would take the name from the first.
    if (!reason && read.english(std::string(japanese)))
      reason = "the Japanese name is given a second time";
    if (!reason && read.is_english_name(std::string(english)))
      reason = "the English name is given a second time";
    if (reason) {
      error = {file_name, number, reason};
      return false;
    }
    read.add(std::string(japanese), std::string(english));
  }
  out = std::move(read);
  return true;
}

bool load_place_names(const std::string& path, PlaceNames& out, PlaceNamesError& error) {
  std::string bytes;
  text::Message why;
  bool missing = false;
  if (!settings::read_whole_file(path, settings::kMaxPlaceNamesFileBytes, bytes, why, missing)) {
    if (missing) return true;
    error = {path, 0, why};
    return false;
  }
  return read_place_names(bytes, path, out, error);
}

}  // namespace ravolin::data
