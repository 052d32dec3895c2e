// SPDX-License-Identifier: MIT
// The hotelusr.csv reader on any bytes: no crash, and what the writer writes reads back
// as the same records, none skipped. (The first write may drop what the file cannot hold,
// such as a double quote or a line break inside a field; from then on nothing changes.)
#include "hotels/user_hotels.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin::hotels;
  static auto first = std::make_unique<HotelTable>();
  static auto written = std::make_unique<HotelTable>();
  static auto again = std::make_unique<HotelTable>();
  parse_hotel_user(std::string_view(reinterpret_cast<const char*>(data), size), *first);
  const UserHotelReport w = parse_hotel_user(format_hotel_user_file(*first), *written);
  const std::string bytes = format_hotel_user_file(*written);
  const UserHotelReport r = parse_hotel_user(bytes, *again);
  if (w.skipped_lines != 0 || r.skipped_lines != 0 ||
      written->user_hotel_count != first->user_hotel_count ||
      again->user_hotel_count != written->user_hotel_count ||
      format_hotel_user_file(*again) != bytes) {
    std::fprintf(stderr, "write -> read lost or changed user hotels\n");
    std::abort();
  }
  for (int i = 1; i <= again->user_hotel_count; ++i) {
    const HotelEntry& a = written->entry[i];
    const HotelEntry& b = again->entry[i];
    if (a.rooms != b.rooms || a.area != b.area || a.district != b.district || a.name != b.name ||
        a.phone != b.phone || a.access != b.access || a.price != b.price ||
        a.remarks != b.remarks) {
      std::fprintf(stderr, "record %d changed\n", i);
      std::abort();
    }
  }
  return 0;
}
