// SPDX-License-Identifier: MIT
// English names of stations and areas, as on the railway's own signs ("Shin-Yokohama",
// "Kaihin-Makuhari"), for the English edition. A name without an English form is shown as
// it stands in the data.
#pragma once

#include "text/language.h"
#include "text/message.h"

#include <map>
#include <string>
#include <string_view>

namespace ravolin::data {

class PlaceNames {
 public:
  // No names at all: every name shown as it stands (the default of the texts' functions).
  static const PlaceNames& none();

  // Adds (or replaces) the English form of `japanese`.
  void add(const std::string& japanese, const std::string& english);
  bool empty() const { return english_.empty(); }
  std::size_t size() const { return english_.size(); }

  // The name to show in `language`: the English form when there is one, else `japanese`.
  const std::string& shown(const std::string& japanese, text::Language language) const;
  // The English form, or nothing.
  const std::string* english(const std::string& japanese) const;
  // The name in the data for a name typed in either language: an English form (compared
  // without regard to case, blanks, points, hyphens and dashes, with long vowels as plain
  // ones and a trailing "Station": "shin yokohama", "SHIN-YOKOHAMA", "Shin–Ōsaka Station")
  // gives its Japanese name; anything else is returned as typed.
  std::string japanese_of(const std::string& typed) const;
  // True when `typed` is the English form of a name (compared as japanese_of does).
  bool is_english_name(const std::string& typed) const;

 private:
  static std::string folded(const std::string& english);

  std::map<std::string, std::string> english_;   // Japanese → English
  std::map<std::string, std::string> japanese_;  // folded English → Japanese
};

// The names file in a program folder, built from each edition's datasets/<edition>/names-en.txt.
inline constexpr const char* kPlaceNamesFileName = "ravolin_names_en.tsv";

// Why a names file was refused: the file, the line (from 1; 0 for the file as a whole) and
// the reason.
struct PlaceNamesError {
  std::string file;
  int line = 0;
  // A line's fault in English; why the file cannot be read in the reader's language.
  // message() gives the sentence in either language.
  text::Message reason;
  std::string message(text::Language language = text::Language::kJapanese) const;
};

// Reads a names file: UTF-8 lines "<Japanese name><TAB><English name>", blanks around either
// name ignored, blank lines and lines starting with "#" skipped, CR LF accepted. A line
// without exactly one TAB, with an empty name on either side, with bytes that are not UTF-8,
// with a control character (other than the TAB), or naming a Japanese name or an English
// name (as japanese_of compares them) a second time is refused: false with the file, line and
// reason, and `out` left as it was. On success `out` holds the names read (and nothing else).
bool read_place_names(std::string_view text, const std::string& file_name, PlaceNames& out,
                      PlaceNamesError& error);
// The same from a file. A missing file is no error (the names stay in Japanese): true with
// `out` unchanged; an unreadable or broken one is.
bool load_place_names(const std::string& path, PlaceNames& out, PlaceNamesError& error);

}  // namespace ravolin::data
