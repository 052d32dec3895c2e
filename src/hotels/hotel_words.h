// SPDX-License-Identifier: MIT
// The English of the hotel directory's remarks (温泉, 朝食付) and access texts
// ("東京駅徒歩１１分"), from a table beside the data file: the remarks word for word, the
// access texts by pattern, with the station through the place names.
#pragma once

#include "data/place_names.h"

#include <string>

namespace ravolin::hotels {

// The table in a program folder, built from datasets/hotel-words-en.txt; the same form as
// the place names file, "<Japanese><TAB><English>". A pattern stands for a station's name
// with "{station}" and for a number (ASCII or full-width digits) with "{n}":
// "{station}駅徒歩{n}分<TAB>{n} min walk from {station} Station".
inline constexpr const char* kHotelWordsFileName = "ravolin_hotel_words_en.tsv";

// A remark in English when the table knows it (blanks around it ignored); otherwise as
// written.
std::string english_remark(const std::string& remark, const data::PlaceNames& words);

// An access text in English when the table has its pattern and, for a pattern with a
// station, the place names (or the table itself) have the station's English name;
// otherwise as written.
std::string english_access(const std::string& access, const data::PlaceNames& words,
                           const data::PlaceNames& names);

}  // namespace ravolin::hotels
