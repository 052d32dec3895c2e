// SPDX-License-Identifier: MIT
#include "data/fare_tables.h"
#include "fares/fare_text.h"

namespace ravolin::fares {

const char* ticket_name(int type) {
  static const char* const kNames[kTicketTypes + 1] = {
      "",
      "のぞみ指定席特急回数券（普通車用）",
      "のぞみ指定席特急回数券（グリーン車用）",
      "新幹線エコノミーきっぷ（普通車用）",
      "新幹線エコノミーきっぷ（グリーン車用）",
      "新幹線指定席特急回数券（普通車用）",
      "新幹線指定席特急回数券（グリーン車用）",
      "なすのきっぷ（往復割引きっぷ：普通車自由席）",
      "なすの指定席特急回数券",
      "のぞみ東京ビジネス回数券（普通車用）",
      "のぞみ東京ビジネス回数券（グリーン車用）",
      "新幹線ウィークエンド回数券（普通車自由席）",
      "新幹線オフピーク回数券（普通車自由席）",
      "こまち回数券",
      "新幹線自由席特急回数券",
  };
  if (type < 1 || type > kTicketTypes) return "";
  return kNames[type];
}

const char* ticket_name(int type, text::Language language) {
  if (language == text::Language::kJapanese) return ticket_name(type);
  static const char* const kNames[kTicketTypes + 1] = {
      "",
      "Nozomi coupons, reserved seat",
      "Nozomi coupons, Green Car",
      "Economy ticket, reserved seat",
      "Economy ticket, Green Car",
      "Shinkansen coupons, reserved seat",
      "Shinkansen coupons, Green Car",
      "Nasuno return ticket, non-reserved",
      "Nasuno coupons, reserved seat",
      "Nozomi business coupons, reserved",
      "Nozomi business coupons, Green Car",
      "Weekend coupons, non-reserved",
      "Off-peak coupons, non-reserved",
      "Komachi coupons",
      "Shinkansen coupons, non-reserved",
  };
  if (type < 1 || type > kTicketTypes) return "";
  return kNames[type];
}

}  // namespace ravolin::fares
