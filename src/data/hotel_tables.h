// SPDX-License-Identifier: MIT
// District names (read at start-up) and the hotel table (the user's hotels first,
// then the data file's hotels, loaded when the hotel list first opens).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ravolin::hotels {

inline constexpr int kMaxDistricts = 200;
inline constexpr int kMaxHotels = 1000;
inline constexpr const char* kUserHotelFileName = "hotelusr.csv";

struct DistrictNames {
  int count = 0;
  std::array<std::string, kMaxDistricts + 1> name{};
};

struct HotelEntry {
  std::string area;  // "東京" / "大阪" normalised
  std::string district;
  std::string name;
  std::string phone;  // kept with its trailing blanks
  std::int16_t rooms = 0;
  std::string access;
  std::string price;    // display text
  std::string remarks;  // exactly 8 characters
};

struct HotelTable {
  int user_hotel_count = 0;
  int file_hotel_count = 0;
  std::array<HotelEntry, kMaxHotels + 1> entry{};
  int total() const { return user_hotel_count + file_hotel_count; }
};

}  // namespace ravolin::hotels
