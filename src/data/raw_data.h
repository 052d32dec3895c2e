// SPDX-License-Identifier: MIT
// The content of a data file as the file stores it, before the program's readers turn
// it into tables: station, area and district numbers are kept as numbers and texts as
// written (UTF-8). The data compiler parses text sources into this model and writes the
// binary from it; `export` reads a binary back into it. Nothing is lost in between.
#pragma once

#include "data/data_file.h"
#include "data/tables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ravolin::data {

struct RawArea {
  std::string name;
  int region = 0;  // 2 ASCII digits
  int second = 0;  // 1 ASCII digit
};

struct RawKeiyoTrain {
  std::string id;  // "1234A": the 5-character field as read (the writer pads with blanks)
  std::array<std::int32_t, kKeiyoTimeColumns + 1> time{};  // 1..12, 0 = no stop
};

struct RawKeiyoSchedule {
  int station_count = 0;
  std::array<std::string, kKeiyoStations + 1> station{};  // 1..15
  int train_count = 0;                                    // count in the identifier block
  std::vector<RawKeiyoTrain> trains;  // trains[0] is train 1; may exceed train_count
};

struct RawSinTrain {
  std::string id;  // "N001": the 4-character field as read (the writer pads)
  std::uint8_t op_day = 0;
  std::string car_type;  // "", "N", "G", "W", "N5", "N7", "F", "RS", "M"
  std::array<std::int32_t, kMaxSinStations + 1> time{};  // rows 1..50, 0 = no stop
};

// The Tokaido edition stores a train's car type as its train number plus the type's base;
// the other editions have the one type "M" and store the train number alone.
struct CarTypeBase {
  const char* code;
  std::uint16_t base;
};
inline constexpr CarTypeBase kCarTypeBases[] = {
    {"N", 0}, {"G", 1000}, {"W", 2000}, {"N5", 3000}, {"F", 4000}, {"N7", 5000}, {"RS", 6000},
};

struct RawSinDirection {
  std::array<std::string, kMaxSinStations + 1> station{};  // rows 1..50
  std::array<std::int32_t, kMaxSinStations + 1> flag{};    // 0, 1, 2
  int train_count = 0;
  std::vector<RawSinTrain> trains;  // trains[0] is train 1; may exceed train_count
};

struct RawKilo {
  int station = 0;
  std::int32_t tenths = 0;
};
struct RawPair {
  int a = 0, b = 0;
  std::int32_t free_fee = 0, fare = 0, express = 0, coupon = 0;
};
struct RawGreen {
  std::int32_t upper = 0, green = 0, room2 = 0, room4 = 0;
};
struct RawTicket {
  int a = 0, b = 0, sheets = 0, type = 0;
  std::int32_t valid = 0, price = 0;
};
struct RawNozomi {
  int a = 0, b = 0;
  std::int32_t spare = 0, fee = 0, transfer = 0;
};

struct RawHotel {
  int area = 0;      // 1..100
  int district = 0;  // 1..200
  int rooms = 0;     // 0..4095
  std::string name, access, remarks;
  // Fixed-width fields (12 and 8 single-byte characters): as read, with their pad
  // blanks; the writer pads shorter texts with blanks.
  std::string phone, price;
};

struct RawData {
  int edition = 1;
  std::vector<RawArea> areas;
  std::vector<std::string> districts;
  std::array<RawKeiyoSchedule, kKeiyoSchedules + 1> keiyo{};  // 1..4
  int sin_station_count = 0;
  std::array<RawSinDirection, kSinDirections + 1> sin{};  // 1..2
  std::vector<RawKilo> kilo;
  std::vector<RawPair> pairs;
  std::vector<RawGreen> green;
  std::vector<RawTicket> tickets;
  std::vector<RawNozomi> nozomi;
  std::vector<RawHotel> hotels;
};

// A section's name in error messages: "地区名の部（目次の 2 番）".
text::Message slot_section(const text::Wording& name, Slot slot);
extern const text::Wording kDistrictsSection;
extern const text::Wording kKeiyoStationsSection;
extern const text::Wording kKeiyoTrainsSection;
extern const text::Wording kSinStationsSection;
extern const text::Wording kSinTrainsSection;
extern const text::Wording kHotelsSection;

// ---- section decoders (the one place that knows the binary layout when reading) ----
// Each reads its section from `file`, enforcing every table bound; false + `err` when the
// section is damaged. They call file.block_hook once per block.
bool read_directory(const DataFile& file, Directory& dir, DataError& err);
bool read_areas(const DataFile& file, std::vector<RawArea>& areas, DataError& err);
bool read_districts(const DataFile& file, const Directory& dir, std::vector<std::string>& names,
                    DataError& err);
bool read_keiyo_stations(const DataFile& file, const Directory& dir,
                         std::array<RawKeiyoSchedule, kKeiyoSchedules + 1>& keiyo, DataError& err);
// Needs the identifiers: read them and the times together.
bool read_keiyo_trains(const DataFile& file, const Directory& dir,
                       std::array<RawKeiyoSchedule, kKeiyoSchedules + 1>& keiyo, DataError& err);
bool read_sin_stations(const DataFile& file, const Directory& dir,
                       std::array<RawSinDirection, kSinDirections + 1>& sin, int& station_count,
                       DataError& err);
bool read_sin_trains(const DataFile& file, const Directory& dir, int edition,
                     std::array<RawSinDirection, kSinDirections + 1>& sin, DataError& err);
// Kilometres, pairs, Green bands, tickets and, in edition 1 only, the Nozomi table.
bool read_fare_sections(const DataFile& file, const Directory& dir, RawData& raw, DataError& err);
// At most `max_hotels` hotels are accepted.
bool read_hotel_section(const DataFile& file, const Directory& dir, int max_hotels,
                        std::vector<RawHotel>& hotels, DataError& err);

// The edition row of directory slot Slot::kEdition; a code outside 1..3 is an error.
bool edition_of(const DataFile& file, const Directory& dir, const Edition*& edition,
                DataError& err);

// Every section of a file into the model (edition from slot Slot::kEdition, which must be 1..3), as
// the program reads it: Keiyo identifiers trimmed, only the counted trains. Refused when
// the sources written from it would not build, or would build into a file that the
// program reads differently.
bool read_image(const DataFile& file, RawData& raw, DataError& err);

// The binary file of a model, in the layout the readers read. False + a reason when the
// model breaks a bound the layout cannot hold (the source parser checks these first).
bool write_image(const RawData& raw, std::vector<std::uint8_t>& out, std::string& reason);

}  // namespace ravolin::data
