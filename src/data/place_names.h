// SPDX-License-Identifier: MIT
// English names of stations and areas, as on the railway's own signs ("Shin-Yokohama",
// "Kaihin-Makuhari"), for the English edition. A name without an English form is shown as
// it stands in the data.
#pragma once

#include "text/language.h"

#include <map>
#include <string>

namespace ravolin::data {

class PlaceNames {
 public:
  // Adds (or replaces) the English form of `japanese`.
  void add(const std::string& japanese, const std::string& english);
  bool empty() const { return english_.empty(); }
  std::size_t size() const { return english_.size(); }

  // The name to show in `language`: the English form when there is one, else `japanese`.
  const std::string& shown(const std::string& japanese, text::Language language) const;
  // The English form, or nothing.
  const std::string* english(const std::string& japanese) const;
  // The name in the data for a name typed in either language: an English form (compared
  // without regard to case, blanks and hyphens: "shin yokohama", "SHIN-YOKOHAMA") gives its
  // Japanese name; anything else is returned as typed.
  std::string japanese_of(const std::string& typed) const;

 private:
  static std::string folded(const std::string& english);

  std::map<std::string, std::string> english_;   // Japanese → English
  std::map<std::string, std::string> japanese_;  // folded English → Japanese
};

}  // namespace ravolin::data
