// SPDX-License-Identifier: MIT
#include "data/place_names.h"

namespace ravolin::data {

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

std::string PlaceNames::folded(const std::string& english) {
  std::string out;
  for (char c : english) {
    if (c == ' ' || c == '-') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

}  // namespace ravolin::data
