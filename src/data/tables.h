// SPDX-License-Identifier: MIT
// The shared schedule tables: editions, section directory, area list, Keiyo and
// Shinkansen stations and trains. Filled once at start-up, read-only afterwards.
// All indices are 1-based as the program uses them; index 0 exists and stays empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ravolin::data {

inline constexpr int kMaxAreas = 100;
inline constexpr int kKeiyoSchedules = 4;
inline constexpr int kKeiyoStations = 15;     // station names per schedule
inline constexpr int kKeiyoTimeColumns = 12;  // stations that carry times
inline constexpr int kMaxKeiyoTrains = 200;
inline constexpr int kSinDirections = 2;
inline constexpr int kMaxSinStations = 50;
inline constexpr int kMaxSinTrains = 250;
inline constexpr int kDirectorySlots = 24;

inline constexpr const char* kDataFileName = "ravolinh.dat";
inline constexpr const char* kHelpFileName = "ravolin2.hlp";
inline constexpr const char* kProgramVersion = "1.59";
inline constexpr const char* kDataDate = "2000/03/11";

// Station flags of the Shinkansen station rows.
inline constexpr int kFlagSingle = 0;
inline constexpr int kFlagArrival = 1;
inline constexpr int kFlagDeparture = 2;

struct Edition {
  int code;                     // directory slot Slot::kEdition: 1, 2 or 3
  const char* caption;          // "東海道・山陽新幹線"
  const char* settings_file;    // "ravolin2.ini"
  int number;                   // 5006, 5057, 5058
  const char* english_caption;  // "Tokaido and Sanyo Shinkansen"
};

// The edition row of a code, or nullptr for a code outside 1..3.
const Edition* find_edition(int code);

// The directory slots that say something: the first block of each section, and the
// edition code. The area list has no slot (it always starts at block 0); every other
// slot is written as 0 and never read.
enum class Slot : int {
  kDistricts = 2,
  kKeiyoStations = 3,
  kKeiyoTrains = 4,
  kSinStations = 5,
  kSinTrains = 6,
  kHotels = 9,
  kKilometres = 11,
  kPairs = 12,
  kGreen = 13,
  kTickets = 14,
  kNozomi = 15,
  kEdition = 23,
};

// The slot's number in the directory (1..24), as messages name it.
constexpr int slot_number(Slot s) { return static_cast<int>(s); }

// Directory slots 1..24 as read (never wrapped: a value outside 0..32767 is refused
// by the reader before it gets here).
struct Directory {
  std::array<std::int32_t, kDirectorySlots + 1> slot{};
  std::int32_t& operator[](Slot s) { return slot[slot_number(s)]; }
  std::int32_t operator[](Slot s) const { return slot[slot_number(s)]; }
  int edition_code() const { return (*this)[Slot::kEdition]; }
};

struct AreaTable {
  int count = 0;
  std::array<std::string, kMaxAreas + 1> name{};
  std::array<std::int16_t, kMaxAreas + 1> region{};  // region code (エリア) 1..9
  std::array<std::int16_t, kMaxAreas + 1> second{};  // kept, unused
};

// Keiyo schedules: 1 weekday down, 2 weekday up, 3 holiday down, 4 holiday up.
struct KeiyoTables {
  std::array<int, kKeiyoSchedules + 1> station_count{};
  std::array<std::array<std::string, kKeiyoStations + 1>, kKeiyoSchedules + 1> station_name{};
  std::array<int, kKeiyoSchedules + 1> train_count{};
  // train_id[v][t]: 5 characters, number then kind letter ("1234A")
  std::array<std::array<std::string, kMaxKeiyoTrains + 1>, kKeiyoSchedules + 1> train_id{};
  // times[v][t][c]: hhmm at station column c = 1..15 (13..15 never filled); 0 = no stop
  std::array<std::array<std::array<std::int32_t, kKeiyoStations + 1>, kMaxKeiyoTrains + 1>,
             kKeiyoSchedules + 1>
      times{};

  std::int32_t time(int v, int c, int t) const { return times[v][t][c]; }
};

// Shinkansen directions: 1 down, 2 up; each lists its station rows in travel order.
struct SinkansenTables {
  int station_count = 0;  // the same for both directions
  std::array<std::array<std::string, kMaxSinStations + 1>, kSinDirections + 1> station_name{};
  std::array<std::array<std::int32_t, kMaxSinStations + 1>, kSinDirections + 1> station_flag{};
  std::array<int, kSinDirections + 1> train_count{};
  std::array<std::array<std::string, kMaxSinTrains + 1>, kSinDirections + 1> train_id{};
  // times[d][s][t]: hhmm of train t at station row s; 0 = does not serve it
  std::array<std::array<std::array<std::int32_t, kMaxSinTrains + 1>, kMaxSinStations + 1>,
             kSinDirections + 1>
      times{};
  std::array<std::array<std::uint8_t, kMaxSinTrains + 1>, kSinDirections + 1> op_day{};
  // "", "N", "G", "W", "N5", "N7", "F", "RS", "M"
  std::array<std::array<std::string, kMaxSinTrains + 1>, kSinDirections + 1> car_type{};

  std::int32_t time(int d, int s, int t) const { return times[d][s][t]; }
};

// Everything the start-up loading puts into memory from the schedule sections.
struct ScheduleData {
  Directory directory;
  const Edition* edition = nullptr;
  AreaTable areas;
  KeiyoTables keiyo;
  SinkansenTables sin;
};

}  // namespace ravolin::data
