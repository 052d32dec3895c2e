// SPDX-License-Identifier: MIT
#include "board/about_text.h"

#include "data/tables.h"

namespace ravolin::board {

std::string loading_message(int mode, text::Language language) {
  if (language == text::Language::kEnglish) {
    switch (mode) {
      case kLoadingStartup:
        return "Loading data...  Please wait";
      case kLoadingFares:
        return "Loading fares...  Please wait";
      case kLoadingHotels:
        return "Loading hotels...  Please wait";
      case kLoadingSearch:
        return "Searching for trains...  Please wait";
      default:
        return {};
    }
  }
  switch (mode) {
    case kLoadingStartup:
      return "データロード中!!  しばらくお待ち下さい";
    case kLoadingFares:
      return "運賃表データロード中!!  しばらくお待ち下さい";
    case kLoadingHotels:
      return "ホテルデータロード中!!  しばらくお待ち下さい";
    case kLoadingSearch:
      return "新幹線列車検索中!!  しばらくお待ち下さい";
    default:
      return {};
  }
}

std::string corridor_caption(const data::Edition* edition, text::Language language) {
  if (!edition) return {};
  return language == text::Language::kEnglish ? edition->english_caption : edition->caption;
}

std::string about_text(const std::string& corridor_caption, text::Language language) {
  if (language == text::Language::kEnglish) {
    return "Ravolin & Hotel Guide: " + corridor_caption + "  V" + data::kProgramVersion +
           "\r\nDepartures, Shinkansen route search, hotel guide\r\nTimetables as of " +
           data::kDataDate + "\r\n";
  }
  std::string text = "ラボリン（";
  text += corridor_caption;
  text += "編）＆ホテル情報　V";
  text += data::kProgramVersion;
  text += "\r\n";
  text += "発車案内・新幹線検索・ホテル案内";
  text += "\r\n";
  text += data::kDataDate;
  text += "現在のデータを使用しています";
  text += "\r\n";
  return text;
}

}  // namespace ravolin::board
