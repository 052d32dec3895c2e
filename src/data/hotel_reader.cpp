// SPDX-License-Identifier: MIT
#include "data/hotel_reader.h"

#include "data/raw_data.h"
#include "text/text.h"

namespace ravolin::hotels {

std::string normalise_area(const std::string& area) {
  std::string t = text::trim(area);
  if (t.rfind("東京", 0) == 0) return "東京";
  if (t.rfind("大阪", 0) == 0) return "大阪";
  return area;
}

bool load_district_names(const data::DataFile& file, const data::Directory& dir,
                         DistrictNames& names, data::DataError& err) {
  std::vector<std::string> raw;
  if (!data::read_districts(file, dir, raw, err)) return false;
  DistrictNames n;
  n.count = static_cast<int>(raw.size());
  for (int i = 1; i <= n.count; ++i) n.name[i] = raw[i - 1];
  names = std::move(n);
  return true;
}

bool load_hotels(const data::DataFile& file, const data::Directory& dir,
                 const data::AreaTable& areas, const DistrictNames& districts, HotelTable& table,
                 data::DataError& err) {
  table.file_hotel_count = 0;
  const int user = table.user_hotel_count;
  std::vector<data::RawHotel> raw;
  if (user < 0 || user > kMaxHotels) {
    static constexpr text::Wording kUserCount{"利用者ホテルの件数が範囲外です",
                                              "the count of the user's hotels is out of range"};
    err = {file.name(), data::slot_section(data::kHotelsSection, data::Slot::kHotels), kUserCount};
    return false;
  }
  if (!data::read_hotel_section(file, dir, kMaxHotels - user, raw, err)) return false;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const auto& r = raw[i];
    HotelEntry& e = table.entry[user + 1 + static_cast<int>(i)];
    e.area = normalise_area(areas.name[r.area]);
    e.district = districts.name[r.district];
    e.rooms = static_cast<std::int16_t>(r.rooms);
    e.name = r.name;
    e.phone = r.phone;
    e.access = r.access;
    e.price = r.price;
    e.remarks = text::fit_chars(r.remarks, 8);
  }
  table.file_hotel_count = static_cast<int>(raw.size());
  return true;
}

bool load_hotels(const std::string& data_path, const data::Directory& dir,
                 const data::AreaTable& areas, const DistrictNames& districts, HotelTable& table,
                 data::DataError& err, const std::function<void()>& block_hook) {
  table.file_hotel_count = 0;
  data::DataFile file;
  if (!file.open(data_path, err)) return false;
  file.block_hook = block_hook;
  return load_hotels(file, dir, areas, districts, table, err);
}

}  // namespace ravolin::hotels
