// SPDX-License-Identifier: MIT
// Decoding the sections of the data file into the raw model. The program's readers
// (load_areas, load_keiyo_trains, load_fare_tables, load_hotels, ...) and `export` both go
// through these, so there is one decoder per section.
#include "data/raw_data.h"
#include "data/sources.h"

#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "text/text.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>

namespace ravolin::data {

const text::Wording kDistrictsSection{"地区名", "district names"};
const text::Wording kKeiyoStationsSection{"京葉線駅", "Keiyo line stations"};
const text::Wording kKeiyoTrainsSection{"京葉線列車", "Keiyo line trains"};
const text::Wording kSinStationsSection{"新幹線駅", "Shinkansen stations"};
const text::Wording kSinTrainsSection{"新幹線列車", "Shinkansen trains"};
const text::Wording kHotelsSection{"ホテル", "hotels"};

text::Message slot_section(const text::Wording& name, Slot slot) {
  static constexpr text::Wording kSlotSection{
      "{1}の部（目次の {2} 番）", "the {1} section (entry {2} of the table of contents)"};
  return {kSlotSection, {name, text::number(slot_number(slot))}};
}

namespace {

text::Message num(long long v) { return text::number(v); }

constexpr text::Wording kDirectorySection{"セクション表", "the table of contents"};
constexpr text::Wording kAreasSection{"地域一覧 (block 0-1)", "the area list (blocks 0-1)"};
constexpr text::Wording kContentsSection{"データの内容", "the contents"};
constexpr text::Wording kAreas{"地域", "areas"};
constexpr text::Wording kDistricts{"地区", "districts"};
constexpr text::Wording kNegativeCount{"件数が負です ({1})", "a negative count ({1})"};
constexpr text::Wording kCountOverLimit{"{1}が {2} 件あり、上限 {3} を超えています",
                                        "{2} {1}, more than the limit of {3}"};
constexpr text::Wording kShortFile{"ファイルが 1024 バイトより短い ({1} バイト)",
                                   "the file is shorter than 1024 bytes ({1} bytes)"};
constexpr text::Wording kSlotOutOfRange{"スロット {1} の値 {2} が 0..32767 の範囲外です",
                                        "slot {1} holds {2}, outside 0..32767"};
constexpr text::Wording kAreaCodeNotNumber{"地域 {1} のコードが数字ではありません",
                                           "the code of area {1} is not a number"};
constexpr text::Wording kKeiyoStationCount{"ダイヤ {1} の駅数 {2} が 0..15 の範囲外です",
                                           "schedule {1} has {2} stations, outside 0..15"};
constexpr text::Wording kKeiyoTrainCount{"ダイヤ {1} の列車が {2} 本あり、上限 200 を超えています",
                                         "schedule {1} has {2} trains, more than the limit of 200"};
constexpr text::Wording kKeiyoTimeRecords{"ダイヤ {1} の時刻レコードが 200 本を超えています",
                                          "schedule {1} has more than 200 time records"};
constexpr text::Wording kKeiyoTimeBelowNumber{
    "ダイヤ {1} 列車 {2} の時刻が列車番号より小さい値です",
    "schedule {1}, train {2}: a time is smaller than the train number"};
constexpr text::Wording kStationFlag{"方向 {1} の駅 {2} のフラグ {3} が 0..2 ではありません",
                                     "direction {1}, station {2}: flag {3} is not 0..2"};
constexpr text::Wording kSinStationCount{"駅数 {1} が 0..50 の範囲外です",
                                         "{1} stations, outside 0..50"};
constexpr text::Wording kTimeTrainNumber{
    "方向 {1} の時刻レコードの列車番号 {2} が 1..250 の範囲外です",
    "direction {1}: a time record's train number {2} is outside 1..250"};
constexpr text::Wording kTimeStationNumber{
    "方向 {1} の時刻レコードの駅番号 {2} が 1..50 の範囲外です",
    "direction {1}: a time record's station number {2} is outside 1..50"};
constexpr text::Wording kCarTypeTrain{
    "方向 {1} の車両型レコード {2} の列車番号が 1..250 の範囲外です",
    "direction {1}: the train number of car type record {2} is outside 1..250"};
constexpr text::Wording kCountOutOfRange{"件数 {1} が 0..{2} の範囲外です",
                                         "a count of {1}, outside 0..{2}"};
constexpr text::Wording kCountNegative{"件数 {1} が負です", "a negative count ({1})"};
constexpr text::Wording kRecordsOverLimit{"レコードが上限 {1} 件を超えています",
                                          "more records than the limit of {1}"};
constexpr text::Wording kRowStation{"行 {1} の駅番号 {2} が 0..50 の範囲外です",
                                    "row {1}: station number {2} is outside 0..50"};
constexpr text::Wording kRowField16{"行 {1} の{2} {3} が 16 ビットに収まりません",
                                    "row {1}: {2} {3} does not fit 16 bits"};
constexpr text::Wording kFreeSeatFee{"自由席特急料金", "the non-reserved express fee"};
constexpr text::Wording kFare{"運賃", "the fare"};
constexpr text::Wording kExpressFee{"特急料金", "the express fee"};
constexpr text::Wording kUpperKm{"上限キロ", "the upper km"};
constexpr text::Wording kGreenFee{"グリーン料金", "the Green car fee"};
constexpr text::Wording kRoom2Fee{"個室料金(2)", "the compartment fee (2)"};
constexpr text::Wording kRoom4Fee{"個室料金(4)", "the compartment fee (4)"};
constexpr text::Wording kValidity{"有効期間", "the validity"};
constexpr text::Wording kSpare{"予備", "the spare field"};
constexpr text::Wording kNozomiFee{"のぞみ料金", "the Nozomi fee"};
constexpr text::Wording kTransferAddition{"乗継加算", "the transfer addition"};
constexpr text::Wording kKilometresSection{"営業キロ", "fare kilometres"};
constexpr text::Wording kPairsSection{"区間運賃", "fares between stations"};
constexpr text::Wording kGreenSection{"グリーン料金", "Green car fees"};
constexpr text::Wording kTicketsSection{"割引切符", "discount tickets"};
constexpr text::Wording kNozomiSection{"のぞみ料金", "Nozomi fees"};
constexpr text::Wording kIndexCount{"索引ブロックの件数 {1} が 0..250 の範囲外です",
                                    "an index block counts {1}, outside 0..250"};
constexpr text::Wording kHotelsOverLimit{"ホテルが上限 {1} 件を超えています",
                                         "more hotels than the limit of {1}"};
constexpr text::Wording kHotelArea{"ホテル {1} の地域番号 {2} が 100 を超えています",
                                   "hotel {1}: area number {2} is above 100"};
constexpr text::Wording kHotelDistrict{"ホテル {1} の地区番号 {2} が 200 を超えています",
                                       "hotel {1}: district number {2} is above 200"};
constexpr text::Wording kEditionCode{"版コード（目次の {1} 番）{2} が 1..3 ではありません",
                                     "the edition code (entry {1}) is {2}, not 1..3"};
constexpr text::Wording kLineOf{"{1} の {2} 行目", "line {2} of {1}"};
constexpr text::Wording kFileList{"ファイルの一覧", "the list of files"};
constexpr text::Wording kCompilerRefuses{
    "データ作成ツールが受け付けない値があります（書き出した {1} の {2} 行目: {3}）",
    "it holds a value the data compiler refuses (line {2} of the exported {1})"};
constexpr text::Wording kCompilerCannotWrite{"データ作成ツールが書けない内容です（{1}）",
                                             "the data compiler cannot write its contents"};
constexpr text::Wording kRebuiltUnreadable{"作り直したファイルが読めません（{1}: {2}）",
                                           "the rebuilt file cannot be read ({1}: {2})"};
constexpr text::Wording kRebuiltDiffers{
    "データ作成ツールで作り直すと内容が変わります（書き出した {1}）",
    "rebuilt by the data compiler, its contents change (in the exported {1})"};

// The train number of a Keiyo identifier: blanks trimmed, last character removed, the
// leading decimal digits of the rest (0 when there are none).
std::int32_t keiyo_train_number(const std::string& id) {
  std::string t = text::trim(id);
  if (t.empty()) return 0;
  t.pop_back();
  std::int32_t x = 0;
  for (char c : t) {
    if (c < '0' || c > '9') break;
    x = x * 10 + (c - '0');
    if (x > 100000) break;
  }
  return x;
}

// An ASCII decimal field of the area codes; blanks allowed around the digits.
bool ascii_number(const std::string& field, int& v) {
  std::string t = text::trim(field);
  if (t.empty()) {
    v = 0;
    return true;
  }
  v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  return true;
}

// A name list's record count, stored as a float at the cursor: 0..max, or an error
// that names the records (`what`).
bool read_count(Cursor& cur, std::int32_t max, const text::Wording& what, std::int32_t& n) {
  float f = 0;
  if (!cur.f32(f)) return false;
  n = float_count(f);
  if (n < 0) return cur.fail({kNegativeCount, {num(n)}});
  if (n > max) return cur.fail({kCountOverLimit, {what, num(n), num(max)}});
  return true;
}

// A stream of packed time records from block `blk` on, 255 records a block, ended by a
// zero record. take(k, record) gets record k (from 1) and returns false to stop with its
// error. Afterwards `blk` is the block after the stream's last.
template <class Take>
bool read_packed_stream(Cursor& cur, std::int64_t& blk, Take take) {
  int p = 0;
  for (int k = 1;; ++k) {
    std::int32_t u = 0;
    if (!cur.seek(static_cast<std::size_t>(blk) * kBlockSize + 4 * p) || !cur.packed(u))
      return false;
    ++p;
    if (u == 0) break;
    if (!take(k, u)) return false;
    if (k % 255 == 0) {
      cur.block_done();
      ++blk;
      p = 0;
    }
  }
  cur.block_done();
  ++blk;
  return true;
}

}  // namespace

bool read_directory(const DataFile& file, Directory& dir, DataError& err) {
  Cursor cur(file, kDirectorySection, err);
  if (file.size() < kBlockSize)
    return cur.fail({kShortFile, {num(static_cast<long long>(file.size()))}});
  if (!cur.seek(file.size() - kBlockSize)) return false;
  Directory d;
  for (int s = 1; s <= kDirectorySlots; ++s) {
    std::int32_t v = 0;
    if (!cur.i32(v)) return false;
    if (v < 0 || v > 32767) return cur.fail({kSlotOutOfRange, {num(s), num(v)}});
    d.slot[s] = v;
  }
  dir = d;
  return true;
}

bool read_areas(const DataFile& file, std::vector<RawArea>& areas, DataError& err) {
  Cursor cur(file, kAreasSection, err);
  std::int32_t n = 0;
  if (!cur.seek(0) || !read_count(cur, kMaxAreas, kAreas, n)) return false;
  std::vector<RawArea> out(static_cast<std::size_t>(n));
  for (auto& a : out)
    if (!cur.framed(a.name)) return false;
  cur.block_done();
  if (!cur.seek(kBlockSize)) return false;
  for (int i = 0; i < n; ++i) {
    std::string region, second;
    if (!cur.fixed_text(2, region) || !cur.fixed_text(1, second)) return false;
    if (!ascii_number(region, out[i].region) || !ascii_number(second, out[i].second))
      return cur.fail({kAreaCodeNotNumber, {num(i + 1)}});
  }
  cur.block_done();
  areas = std::move(out);
  return true;
}

bool read_districts(const DataFile& file, const Directory& dir, std::vector<std::string>& names,
                    DataError& err) {
  Cursor cur(file, slot_section(kDistrictsSection, Slot::kDistricts), err);
  std::int32_t n = 0;
  if (!cur.seek_block(dir[Slot::kDistricts]) ||
      !read_count(cur, hotels::kMaxDistricts, kDistricts, n))
    return false;
  std::vector<std::string> out(static_cast<std::size_t>(n));
  for (auto& s : out)
    if (!cur.framed(s)) return false;
  cur.block_done();
  names = std::move(out);
  return true;
}

bool read_keiyo_stations(const DataFile& file, const Directory& dir,
                         std::array<RawKeiyoSchedule, kKeiyoSchedules + 1>& keiyo, DataError& err) {
  Cursor cur(file, slot_section(kKeiyoStationsSection, Slot::kKeiyoStations), err);
  if (!cur.seek_block(dir[Slot::kKeiyoStations])) return false;
  auto out = keiyo;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    std::int32_t c = 0;
    if (!cur.i32(c)) return false;
    if (c < 0 || c > kKeiyoStations) return cur.fail({kKeiyoStationCount, {num(v), num(c)}});
    out[v].station_count = c;
  }
  for (int v = 1; v <= kKeiyoSchedules; ++v)
    for (int s = 1; s <= kKeiyoStations; ++s)
      if (!cur.framed(out[v].station[s])) return false;
  cur.block_done();
  keiyo = std::move(out);
  return true;
}

bool read_keiyo_trains(const DataFile& file, const Directory& dir,
                       std::array<RawKeiyoSchedule, kKeiyoSchedules + 1>& keiyo, DataError& err) {
  Cursor cur(file, slot_section(kKeiyoTrainsSection, Slot::kKeiyoTrains), err);
  const std::int64_t first_block = dir[Slot::kKeiyoTrains];
  auto out = keiyo;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    auto& sch = out[v];
    std::int32_t n = 0;
    if (!cur.seek_block(first_block + v - 1) || !cur.seek(cur.pos() + 1020) || !cur.packed(n))
      return false;
    if (n > kMaxKeiyoTrains) return cur.fail({kKeiyoTrainCount, {num(v), num(n)}});
    sch.train_count = n;
    sch.trains.assign(static_cast<std::size_t>(n), RawKeiyoTrain{});
    if (!cur.seek_block(first_block + v - 1)) return false;
    for (int t = 1; t <= n; ++t) {
      std::string id;
      if (!cur.fixed_text(5, id)) return false;
      sch.trains[t - 1].id = id;  // kept as read, with its pad blanks
    }
    cur.block_done();
  }
  std::int64_t blk = first_block + kKeiyoSchedules;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    auto& sch = out[v];
    const bool read = read_packed_stream(cur, blk, [&](int k, std::int32_t u) {
      int t = (k + 5) / 6;
      int c = (k - 1) % 6 + 1;
      if (t > kMaxKeiyoTrains) return cur.fail({kKeiyoTimeRecords, {num(v)}});
      if (static_cast<int>(sch.trains.size()) < t) sch.trains.resize(t);
      auto& tr = sch.trains[t - 1];
      std::int32_t x = t <= sch.train_count ? keiyo_train_number(tr.id) : 0;
      std::int32_t hi = u / 8192 - x, lo = u % 8192 - x;
      if (hi < 0 || lo < 0) return cur.fail({kKeiyoTimeBelowNumber, {num(v), num(t)}});
      tr.time[2 * c - 1] = hi;
      tr.time[2 * c] = lo;
      return true;
    });
    if (!read) return false;
  }
  keiyo = std::move(out);
  return true;
}

bool read_sin_stations(const DataFile& file, const Directory& dir,
                       std::array<RawSinDirection, kSinDirections + 1>& sin, int& station_count,
                       DataError& err) {
  Cursor cur(file, slot_section(kSinStationsSection, Slot::kSinStations), err);
  if (!cur.seek_block(dir[Slot::kSinStations])) return false;
  auto out = sin;
  for (int d = 1; d <= kSinDirections; ++d) {
    for (int s = 1; s <= kMaxSinStations; ++s)
      if (!cur.framed(out[d].station[s])) return false;
    for (int s = 1; s <= kMaxSinStations; ++s) {
      if (!cur.i32(out[d].flag[s])) return false;
      if (out[d].flag[s] < 0 || out[d].flag[s] > 2)
        return cur.fail({kStationFlag, {num(d), num(s), num(out[d].flag[s])}});
    }
    cur.block_done();
  }
  std::int32_t n = 0;
  if (!cur.i32(n)) return false;
  if (n < 0 || n > kMaxSinStations) return cur.fail({kSinStationCount, {num(n)}});
  sin = std::move(out);
  station_count = n;
  return true;
}

namespace {

// One direction's identifier block: 4 characters a train, up to the first blank one.
bool read_sin_ids(Cursor& cur, std::int64_t block, RawSinDirection& dd) {
  dd.trains.clear();
  if (!cur.seek_block(block)) return false;
  for (int t = 1; t <= kMaxSinTrains; ++t) {
    std::string id;
    if (!cur.fixed_text(4, id)) return false;
    if (text::trim(id).empty()) break;
    dd.trains.push_back(RawSinTrain{});
    dd.trains.back().id = id;  // kept as read, with its pad blanks
  }
  dd.train_count = static_cast<int>(dd.trains.size());
  cur.block_done();
  return true;
}

// Train t (from 1) of a direction; a record may name a train beyond the counted ones.
RawSinTrain& train_slot(RawSinDirection& dd, int t) {
  if (static_cast<int>(dd.trains.size()) < t) dd.trains.resize(t);
  return dd.trains[t - 1];
}

// Direction d's time records from `blk` on (train, station row and time in one number).
bool read_sin_times(Cursor& cur, int d, std::int64_t& blk, RawSinDirection& dd) {
  return read_packed_stream(cur, blk, [&](int, std::int32_t u) {
    std::int32_t time = u % 5678, q = u / 5678;
    int t = q / 64, s = q % 64;
    if (t < 1 || t > kMaxSinTrains) return cur.fail({kTimeTrainNumber, {num(d), num(t)}});
    if (s < 1 || s > kMaxSinStations) return cur.fail({kTimeStationNumber, {num(d), num(s)}});
    train_slot(dd, t).time[s] = time;
    return true;
  });
}

// The operation-day codes of the counted trains, one a 4-byte field of block `blk`.
bool read_op_days(Cursor& cur, std::int64_t blk, RawSinDirection& dd) {
  for (int i = 1; i <= dd.train_count; ++i) {
    std::uint8_t code = 0;
    if (!cur.seek(static_cast<std::size_t>(blk) * kBlockSize + 4 * (i - 1)) || !cur.u8(code))
      return false;
    dd.trains[i - 1].op_day = code;
  }
  cur.block_done();
  return true;
}

// The car-type records of block `blk`, up to the first zero: the train number plus the
// type's base in edition 1, the train number alone (type "M") in the others.
bool read_car_types(Cursor& cur, int edition, int d, std::int64_t blk, RawSinDirection& dd) {
  for (int i = 1; i <= dd.train_count; ++i) {
    std::uint16_t h = 0;
    if (!cur.seek(static_cast<std::size_t>(blk) * kBlockSize + 4 * (i - 1)) || !cur.u16(h))
      return false;
    if (h == 0) break;
    int t = 0;
    const char* code = "M";
    if (edition == 1) {
      // The highest base below the stored value (h is at least 1 here).
      for (auto it = std::rbegin(kCarTypeBases); it != std::rend(kCarTypeBases); ++it) {
        if (h > it->base) {
          code = it->code;
          t = h - it->base;
          break;
        }
      }
    } else {
      t = h & 0xFF;
    }
    if (t < 1 || t > kMaxSinTrains) return cur.fail({kCarTypeTrain, {num(d), num(h)}});
    // Appended, not assigned: GCC 12 warns of an overlapping copy in a Release build.
    std::string& car_type = train_slot(dd, t).car_type;
    car_type.clear();
    car_type += code;
  }
  cur.block_done();
  return true;
}

}  // namespace

bool read_sin_trains(const DataFile& file, const Directory& dir, int edition,
                     std::array<RawSinDirection, kSinDirections + 1>& sin, DataError& err) {
  Cursor cur(file, slot_section(kSinTrainsSection, Slot::kSinTrains), err);
  const std::int64_t first_block = dir[Slot::kSinTrains];
  auto out = sin;
  for (int d = 1; d <= kSinDirections; ++d)
    if (!read_sin_ids(cur, first_block + d - 1, out[d])) return false;
  std::int64_t blk = first_block + kSinDirections;
  for (int d = 1; d <= kSinDirections; ++d) {
    if (!read_sin_times(cur, d, blk, out[d]) || !read_op_days(cur, blk, out[d])) return false;
    ++blk;
    if (!read_car_types(cur, edition, d, blk, out[d])) return false;
    ++blk;
  }
  sin = std::move(out);
  return true;
}

namespace {

struct ChainLayout {
  const text::Wording& name;
  Slot slot;
  std::size_t record_size;
  int capacity;
  int limit;
  bool single_block;  // the kilometre section: the trailer is the record count
};

// Walks one fare section's block chain, calling decode(cursor) at each record start.
template <class Decode>
bool read_chain(const DataFile& file, const Directory& dir, const ChainLayout& layout,
                DataError& err, Decode decode) {
  Cursor cur(file, slot_section(layout.name, layout.slot), err);
  std::int64_t blk = dir[layout.slot];
  int rows = 0;
  for (;;) {
    std::int32_t trailer = 0;
    if (!cur.seek_block(blk) || !cur.seek(cur.pos() + 1020) || !cur.i32(trailer)) return false;
    cur.block_done();
    int n = 0;
    bool last = true;
    if (layout.single_block) {
      if (trailer < 0 || trailer > layout.capacity)
        return cur.fail({kCountOutOfRange, {num(trailer), num(layout.capacity)}});
      n = trailer;
    } else if (trailer == 999) {
      n = layout.capacity;
      last = false;
    } else {
      if (trailer < 0) return cur.fail({kCountNegative, {num(trailer)}});
      n = trailer % layout.capacity;
    }
    for (int i = 0; i < n; ++i) {
      if (++rows > layout.limit) return cur.fail({kRecordsOverLimit, {num(layout.limit)}});
      if (!cur.seek(static_cast<std::size_t>(blk) * kBlockSize + i * layout.record_size))
        return false;
      if (!decode(cur, rows)) return false;
    }
    if (last) return true;
    ++blk;
  }
}

bool station_number(Cursor& cur, std::int64_t v, int row, int& out) {
  if (v < 0 || v > kMaxSinStations) return cur.fail({kRowStation, {num(row), num(v)}});
  out = static_cast<int>(v);
  return true;
}

bool field16(Cursor& cur, std::int32_t v, int row, const text::Wording& what, std::int32_t& out) {
  if (!fits16(v)) return cur.fail({kRowField16, {num(row), what, num(v)}});
  out = v;
  return true;
}

// ---- one decoder per fare record: false (after the error) for a record out of bounds

bool decode_kilo(Cursor& c, int row, std::vector<RawKilo>& out) {
  std::int32_t u = 0;
  RawKilo k;
  if (!c.packed(u) || !station_number(c, u % 64, row, k.station)) return false;
  k.tenths = u / 64;
  out.push_back(k);
  return true;
}

bool decode_pair(Cursor& c, int row, std::vector<RawPair>& out) {
  std::int32_t u = 0, fare = 0, exp = 0, coupon = 0;
  RawPair p;
  if (!c.packed(u) || !c.i32(fare) || !c.i32(exp) || !c.i32(coupon)) return false;
  if (!station_number(c, u % 64, row, p.a) || !station_number(c, (u / 64) % 64, row, p.b) ||
      !field16(c, u / 4096, row, kFreeSeatFee, p.free_fee) ||
      !field16(c, fare, row, kFare, p.fare) || !field16(c, exp, row, kExpressFee, p.express))
    return false;
  p.coupon = coupon;
  out.push_back(p);
  return true;
}

bool decode_green(Cursor& c, int row, std::vector<RawGreen>& out) {
  std::int32_t f[4];
  for (auto& x : f)
    if (!c.i32(x)) return false;
  RawGreen g;
  if (!field16(c, f[0], row, kUpperKm, g.upper) || !field16(c, f[1], row, kGreenFee, g.green) ||
      !field16(c, f[2], row, kRoom2Fee, g.room2) || !field16(c, f[3], row, kRoom4Fee, g.room4))
    return false;
  out.push_back(g);
  return true;
}

bool decode_ticket(Cursor& c, int row, std::vector<RawTicket>& out) {
  std::int32_t u1 = 0, u2 = 0, price = 0;
  RawTicket t;
  if (!c.packed(u1) || !c.packed(u2) || !c.i32(price)) return false;
  t.sheets = u1 % 64;
  t.type = u2 % 64;
  if (!station_number(c, (u1 / 64) % 64, row, t.b) || !station_number(c, u1 / 4096, row, t.a) ||
      !field16(c, u2 / 64, row, kValidity, t.valid))
    return false;
  t.price = price;
  out.push_back(t);
  return true;
}

bool decode_nozomi(Cursor& c, int row, std::vector<RawNozomi>& out) {
  std::int32_t u = 0, spare = 0, fee = 0, tr = 0;
  RawNozomi z;
  if (!c.packed(u) || !c.i32(spare) || !c.i32(fee) || !c.i32(tr)) return false;
  if (!station_number(c, u / 64, row, z.a) || !station_number(c, u % 64, row, z.b) ||
      !field16(c, spare, row, kSpare, z.spare) || !field16(c, fee, row, kNozomiFee, z.fee) ||
      !field16(c, tr, row, kTransferAddition, z.transfer))
    return false;
  out.push_back(z);
  return true;
}

// One fare section's records into `rows` through `decode`.
template <class Row>
bool read_fare_rows(const DataFile& file, const Directory& dir, const ChainLayout& layout,
                    DataError& err, bool (*decode)(Cursor&, int, std::vector<Row>&),
                    std::vector<Row>& rows) {
  return read_chain(file, dir, layout, err,
                    [&](Cursor& c, int row) { return decode(c, row, rows); });
}

}  // namespace

bool read_fare_sections(const DataFile& file, const Directory& dir, RawData& raw, DataError& err) {
  std::vector<RawKilo> kilo;
  std::vector<RawPair> pairs;
  std::vector<RawGreen> green;
  std::vector<RawTicket> tickets;
  std::vector<RawNozomi> nozomi;
  const bool ok =
      read_fare_rows(file, dir,
                     {kKilometresSection, Slot::kKilometres, 4, 255, fares::kMaxKiloRows, true},
                     err, decode_kilo, kilo) &&
      read_fare_rows(file, dir, {kPairsSection, Slot::kPairs, 16, 63, fares::kMaxPairRows, false},
                     err, decode_pair, pairs) &&
      read_fare_rows(file, dir, {kGreenSection, Slot::kGreen, 16, 63, fares::kMaxGreenRows, false},
                     err, decode_green, green) &&
      read_fare_rows(file, dir,
                     {kTicketsSection, Slot::kTickets, 12, 85, fares::kMaxTicketRows, false}, err,
                     decode_ticket, tickets) &&
      (dir.edition_code() != 1 ||
       read_fare_rows(file, dir,
                      {kNozomiSection, Slot::kNozomi, 16, 63, fares::kMaxNozomiRows, false}, err,
                      decode_nozomi, nozomi));
  if (!ok) return false;
  raw.kilo = std::move(kilo);
  raw.pairs = std::move(pairs);
  raw.green = std::move(green);
  raw.tickets = std::move(tickets);
  raw.nozomi = std::move(nozomi);
  return true;
}

namespace {

// The hotel index from block `blk` on: area, district and rooms of 250 hotels a block,
// trailer 999 on a full block. Afterwards `blk` is the block after the index.
bool read_hotel_index(Cursor& cur, std::int64_t& blk, int max_hotels, std::vector<RawHotel>& out) {
  for (;;) {
    float f = 0;
    if (!cur.seek_block(blk) || !cur.seek(cur.pos() + 1020) || !cur.f32(f)) return false;
    std::int32_t trailer = float_count(f);
    bool more = trailer == 999;
    int n = more ? 250 : trailer;
    if (n < 0 || n > 250) return cur.fail({kIndexCount, {num(trailer)}});
    if (static_cast<int>(out.size()) + n > max_hotels)
      return cur.fail({kHotelsOverLimit, {num(max_hotels)}});
    if (!cur.seek_block(blk)) return false;
    for (int i = 0; i < n; ++i) {
      std::uint32_t u = 0;
      if (!cur.u32(u)) return false;
      RawHotel h;
      h.area = static_cast<int>(u >> 20);
      h.district = static_cast<int>((u >> 12) & 0xFF);
      h.rooms = static_cast<int>(u & 0xFFF);
      int no = static_cast<int>(out.size()) + 1;
      if (h.area > kMaxAreas) return cur.fail({kHotelArea, {num(no), num(h.area)}});
      if (h.district > hotels::kMaxDistricts)
        return cur.fail({kHotelDistrict, {num(no), num(h.district)}});
      out.push_back(std::move(h));
    }
    cur.block_done();
    ++blk;
    if (!more) return true;
  }
}

}  // namespace

bool read_hotel_section(const DataFile& file, const Directory& dir, int max_hotels,
                        std::vector<RawHotel>& hotels, DataError& err) {
  Cursor cur(file, slot_section(kHotelsSection, Slot::kHotels), err);
  std::vector<RawHotel> out;
  std::int64_t blk = dir[Slot::kHotels];
  if (!read_hotel_index(cur, blk, max_hotels, out)) return false;
  const int n = static_cast<int>(out.size());
  // names
  if (!cur.seek_block(blk)) return false;
  for (auto& h : out)
    if (!cur.framed(h.name)) return false;
  cur.block_done();
  // phones: 85 fields of 12 characters per block; the first blank field ends them
  const std::int64_t phone_blk = cur.block_at_or_after();
  for (int i = 0; i < n; ++i) {
    std::string ph;
    if (!cur.seek(static_cast<std::size_t>(phone_blk + i / 85) * kBlockSize + (i % 85) * 12) ||
        !cur.fixed_text(12, ph))
      return false;
    if (text::trim(ph).empty()) break;
    out[i].phone = ph;
  }
  cur.block_done();
  // access texts
  if (!cur.seek_block(phone_blk + (n + 84) / 85)) return false;
  for (auto& h : out)
    if (!cur.framed(h.access)) return false;
  cur.block_done();
  // prices: 128 fields of 8 characters per block
  const std::int64_t price_blk = cur.block_at_or_after();
  for (int i = 0; i < n; ++i) {
    std::string pr;
    if (!cur.seek(static_cast<std::size_t>(price_blk) * kBlockSize + i * 8) ||
        !cur.fixed_text(8, pr))
      return false;
    out[i].price = pr;
  }
  cur.block_done();
  // remarks
  if (!cur.seek_block(price_blk + (n + 127) / 128)) return false;
  for (auto& h : out)
    if (!cur.framed(h.remarks)) return false;
  cur.block_done();
  hotels = std::move(out);
  return true;
}

bool edition_of(const DataFile& file, const Directory& dir, const Edition*& edition,
                DataError& err) {
  edition = find_edition(dir.edition_code());
  if (edition) return true;
  err = {file.name(),
         kDirectorySection,
         {kEditionCode, {num(slot_number(Slot::kEdition)), num(dir.edition_code())}}};
  return false;
}

namespace {

// Every section of a file into the model, each decoder enforcing its bounds.
bool read_sections(const DataFile& file, RawData& raw, DataError& err) {
  Directory dir;
  const Edition* edition = nullptr;
  if (!read_directory(file, dir, err) || !edition_of(file, dir, edition, err)) return false;
  raw.edition = dir.edition_code();
  return read_areas(file, raw.areas, err) && read_districts(file, dir, raw.districts, err) &&
         read_keiyo_stations(file, dir, raw.keiyo, err) &&
         read_keiyo_trains(file, dir, raw.keiyo, err) &&
         read_sin_stations(file, dir, raw.sin, raw.sin_station_count, err) &&
         read_sin_trains(file, dir, raw.edition, raw.sin, err) &&
         read_fare_sections(file, dir, raw, err) &&
         read_hotel_section(file, dir, hotels::kMaxHotels, raw.hotels, err);
}

// The model cut down to what the program reads of it: a Keiyo identifier is used trimmed
// (its train number and its rapid letter), and time records of trains beyond a table's
// train count are never shown.
void keep_what_the_program_reads(RawData& raw) {
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    auto& sch = raw.keiyo[v];
    sch.trains.resize(static_cast<std::size_t>(sch.train_count));
    for (auto& t : sch.trains) t.id = text::trim(t.id);
  }
  for (int d = 1; d <= kSinDirections; ++d)
    raw.sin[d].trains.resize(static_cast<std::size_t>(raw.sin[d].train_count));
}

// The first line where two sets of sources differ, as "FILE の N 行目".
text::Message first_difference(const SourceFiles& a, const SourceFiles& b) {
  for (const auto& [name, text] : a) {
    auto other = b.find(name);
    const std::string& t2 = other == b.end() ? std::string() : other->second;
    if (text == t2) continue;
    std::size_t at = 0;
    while (at < text.size() && at < t2.size() && text[at] == t2[at]) ++at;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
    return {kLineOf, {name, num(line)}};
  }
  return kFileList;
}

}  // namespace

bool read_image(const DataFile& file, RawData& raw, DataError& err) {
  auto r = std::make_unique<RawData>();
  if (!read_sections(file, *r, err)) return false;
  keep_what_the_program_reads(*r);

  // A file is accepted when its exported sources build into a file that the program reads
  // the same. A real fault (a time such as 07:64, an identifier or a field the compiler
  // refuses) is refused here rather than found later, when a rebuild of the exported
  // sources fails; pad blanks, section placement and bytes that no reader looks at may
  // differ from what the compiler writes.
  const SourceFiles sources = write_sources(*r);
  std::vector<SourceError> errors;
  auto again = std::make_unique<RawData>();
  if (!parse_sources(sources, *again, errors)) {
    const SourceError& e = errors.front();
    err = {file.name(), kContentsSection, {kCompilerRefuses, {e.file, num(e.line), e.reason}}};
    return false;
  }
  std::vector<std::uint8_t> rebuilt;
  std::string reason;
  if (!write_image(*again, rebuilt, reason)) {
    err = {file.name(), kContentsSection, {kCompilerCannotWrite, {reason}}};
    return false;
  }
  auto back = std::make_unique<RawData>();
  DataError back_err;
  if (!read_sections(DataFile(file.name(), std::move(rebuilt)), *back, back_err)) {
    err = {
        file.name(), kContentsSection, {kRebuiltUnreadable, {back_err.section, back_err.reason}}};
    return false;
  }
  keep_what_the_program_reads(*back);
  const SourceFiles sources_back = write_sources(*back);
  if (sources_back != sources) {
    err = {file.name(),
           kContentsSection,
           {kRebuiltDiffers, {first_difference(sources, sources_back)}}};
    return false;
  }
  raw = std::move(*r);
  return true;
}

}  // namespace ravolin::data
