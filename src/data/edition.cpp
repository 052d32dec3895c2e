// SPDX-License-Identifier: MIT
#include "data/tables.h"

namespace ravolin::data {

const Edition* find_edition(int code) {
  static const Edition kEditions[] = {
      {1, "東海道・山陽新幹線", "ravolin2.ini", 5006, "Tokaido and Sanyo Shinkansen"},
      {2, "東北・山形・秋田新幹線", "ravolin3.ini", 5057, "Tohoku, Yamagata and Akita Shinkansen"},
      {3, "上越・長野行新幹線", "ravolin4.ini", 5058, "Joetsu and Nagano Shinkansen"},
  };
  if (code < 1 || code > 3) return nullptr;
  return &kEditions[code - 1];
}

}  // namespace ravolin::data
