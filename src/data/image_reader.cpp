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

std::string slot_section(const char* name, Slot slot) {
  return std::string(name) + "の部（目次の " + std::to_string(slot_number(slot)) + " 番）";
}

namespace {

std::string num(long long v) { return std::to_string(v); }

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
bool read_count(Cursor& cur, std::int32_t max, const char* what, std::int32_t& n) {
  float f = 0;
  if (!cur.f32(f)) return false;
  n = float_count(f);
  if (n < 0) return cur.fail("件数が負です (" + num(n) + ")");
  if (n > max)
    return cur.fail(std::string(what) + "が " + num(n) + " 件あり、上限 " + num(max) +
                    " を超えています");
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
  Cursor cur(file, "セクション表", err);
  if (file.size() < kBlockSize)
    return cur.fail("ファイルが 1024 バイトより短い (" + num(file.size()) + " バイト)");
  if (!cur.seek(file.size() - kBlockSize)) return false;
  Directory d;
  for (int s = 1; s <= kDirectorySlots; ++s) {
    std::int32_t v = 0;
    if (!cur.i32(v)) return false;
    if (v < 0 || v > 32767)
      return cur.fail("スロット " + num(s) + " の値 " + num(v) + " が 0..32767 の範囲外です");
    d.slot[s] = v;
  }
  dir = d;
  return true;
}

bool read_areas(const DataFile& file, std::vector<RawArea>& areas, DataError& err) {
  Cursor cur(file, "地域一覧 (block 0-1)", err);
  std::int32_t n = 0;
  if (!cur.seek(0) || !read_count(cur, kMaxAreas, "地域", n)) return false;
  std::vector<RawArea> out(static_cast<std::size_t>(n));
  for (auto& a : out)
    if (!cur.framed(a.name)) return false;
  cur.block_done();
  if (!cur.seek(kBlockSize)) return false;
  for (int i = 0; i < n; ++i) {
    std::string region, second;
    if (!cur.fixed_text(2, region) || !cur.fixed_text(1, second)) return false;
    if (!ascii_number(region, out[i].region) || !ascii_number(second, out[i].second))
      return cur.fail("地域 " + num(i + 1) + " のコードが数字ではありません");
  }
  cur.block_done();
  areas = std::move(out);
  return true;
}

bool read_districts(const DataFile& file, const Directory& dir, std::vector<std::string>& names,
                    DataError& err) {
  Cursor cur(file, slot_section("地区名", Slot::kDistricts), err);
  std::int32_t n = 0;
  if (!cur.seek_block(dir[Slot::kDistricts]) || !read_count(cur, hotels::kMaxDistricts, "地区", n))
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
  Cursor cur(file, slot_section("京葉線駅", Slot::kKeiyoStations), err);
  if (!cur.seek_block(dir[Slot::kKeiyoStations])) return false;
  auto out = keiyo;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    std::int32_t c = 0;
    if (!cur.i32(c)) return false;
    if (c < 0 || c > kKeiyoStations)
      return cur.fail("ダイヤ " + num(v) + " の駅数 " + num(c) + " が 0..15 の範囲外です");
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
  Cursor cur(file, slot_section("京葉線列車", Slot::kKeiyoTrains), err);
  const std::int64_t first_block = dir[Slot::kKeiyoTrains];
  auto out = keiyo;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    auto& sch = out[v];
    std::int32_t n = 0;
    if (!cur.seek_block(first_block + v - 1) || !cur.seek(cur.pos() + 1020) || !cur.packed(n))
      return false;
    if (n > kMaxKeiyoTrains)
      return cur.fail("ダイヤ " + num(v) + " の列車が " + num(n) +
                      " 本あり、上限 200 を超えています");
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
      if (t > kMaxKeiyoTrains)
        return cur.fail("ダイヤ " + num(v) + " の時刻レコードが 200 本を超えています");
      if (static_cast<int>(sch.trains.size()) < t) sch.trains.resize(t);
      auto& tr = sch.trains[t - 1];
      std::int32_t x = t <= sch.train_count ? keiyo_train_number(tr.id) : 0;
      std::int32_t hi = u / 8192 - x, lo = u % 8192 - x;
      if (hi < 0 || lo < 0)
        return cur.fail("ダイヤ " + num(v) + " 列車 " + num(t) +
                        " の時刻が列車番号より小さい値です");
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
  Cursor cur(file, slot_section("新幹線駅", Slot::kSinStations), err);
  if (!cur.seek_block(dir[Slot::kSinStations])) return false;
  auto out = sin;
  for (int d = 1; d <= kSinDirections; ++d) {
    for (int s = 1; s <= kMaxSinStations; ++s)
      if (!cur.framed(out[d].station[s])) return false;
    for (int s = 1; s <= kMaxSinStations; ++s) {
      if (!cur.i32(out[d].flag[s])) return false;
      if (out[d].flag[s] < 0 || out[d].flag[s] > 2)
        return cur.fail("方向 " + num(d) + " の駅 " + num(s) + " のフラグ " + num(out[d].flag[s]) +
                        " が 0..2 ではありません");
    }
    cur.block_done();
  }
  std::int32_t n = 0;
  if (!cur.i32(n)) return false;
  if (n < 0 || n > kMaxSinStations) return cur.fail("駅数 " + num(n) + " が 0..50 の範囲外です");
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
    if (t < 1 || t > kMaxSinTrains)
      return cur.fail("方向 " + num(d) + " の時刻レコードの列車番号 " + num(t) +
                      " が 1..250 の範囲外です");
    if (s < 1 || s > kMaxSinStations)
      return cur.fail("方向 " + num(d) + " の時刻レコードの駅番号 " + num(s) +
                      " が 1..50 の範囲外です");
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
    if (t < 1 || t > kMaxSinTrains)
      return cur.fail("方向 " + num(d) + " の車両型レコード " + num(h) +
                      " の列車番号が 1..250 の範囲外です");
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
  Cursor cur(file, slot_section("新幹線列車", Slot::kSinTrains), err);
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
  const char* name;
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
        return cur.fail("件数 " + num(trailer) + " が 0.." + num(layout.capacity) +
                        " の範囲外です");
      n = trailer;
    } else if (trailer == 999) {
      n = layout.capacity;
      last = false;
    } else {
      if (trailer < 0) return cur.fail("件数 " + num(trailer) + " が負です");
      n = trailer % layout.capacity;
    }
    for (int i = 0; i < n; ++i) {
      if (++rows > layout.limit)
        return cur.fail("レコードが上限 " + num(layout.limit) + " 件を超えています");
      if (!cur.seek(static_cast<std::size_t>(blk) * kBlockSize + i * layout.record_size))
        return false;
      if (!decode(cur, rows)) return false;
    }
    if (last) return true;
    ++blk;
  }
}

bool station_number(Cursor& cur, std::int64_t v, int row, int& out) {
  if (v < 0 || v > kMaxSinStations)
    return cur.fail("行 " + num(row) + " の駅番号 " + num(v) + " が 0..50 の範囲外です");
  out = static_cast<int>(v);
  return true;
}

bool field16(Cursor& cur, std::int32_t v, int row, const char* what, std::int32_t& out) {
  if (!fits16(v))
    return cur.fail("行 " + num(row) + " の" + what + " " + num(v) + " が 16 ビットに収まりません");
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
      !field16(c, u / 4096, row, "自由席特急料金", p.free_fee) ||
      !field16(c, fare, row, "運賃", p.fare) || !field16(c, exp, row, "特急料金", p.express))
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
  if (!field16(c, f[0], row, "上限キロ", g.upper) ||
      !field16(c, f[1], row, "グリーン料金", g.green) ||
      !field16(c, f[2], row, "個室料金(2)", g.room2) ||
      !field16(c, f[3], row, "個室料金(4)", g.room4))
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
      !field16(c, u2 / 64, row, "有効期間", t.valid))
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
      !field16(c, spare, row, "予備", z.spare) || !field16(c, fee, row, "のぞみ料金", z.fee) ||
      !field16(c, tr, row, "乗継加算", z.transfer))
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
      read_fare_rows(file, dir, {"営業キロ", Slot::kKilometres, 4, 255, fares::kMaxKiloRows, true},
                     err, decode_kilo, kilo) &&
      read_fare_rows(file, dir, {"区間運賃", Slot::kPairs, 16, 63, fares::kMaxPairRows, false}, err,
                     decode_pair, pairs) &&
      read_fare_rows(file, dir, {"グリーン料金", Slot::kGreen, 16, 63, fares::kMaxGreenRows, false},
                     err, decode_green, green) &&
      read_fare_rows(file, dir, {"割引切符", Slot::kTickets, 12, 85, fares::kMaxTicketRows, false},
                     err, decode_ticket, tickets) &&
      (dir.edition_code() != 1 ||
       read_fare_rows(file, dir,
                      {"のぞみ料金", Slot::kNozomi, 16, 63, fares::kMaxNozomiRows, false}, err,
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
    if (n < 0 || n > 250)
      return cur.fail("索引ブロックの件数 " + num(trailer) + " が 0..250 の範囲外です");
    if (static_cast<int>(out.size()) + n > max_hotels)
      return cur.fail("ホテルが上限 " + num(max_hotels) + " 件を超えています");
    if (!cur.seek_block(blk)) return false;
    for (int i = 0; i < n; ++i) {
      std::uint32_t u = 0;
      if (!cur.u32(u)) return false;
      RawHotel h;
      h.area = static_cast<int>(u >> 20);
      h.district = static_cast<int>((u >> 12) & 0xFF);
      h.rooms = static_cast<int>(u & 0xFFF);
      int no = static_cast<int>(out.size()) + 1;
      if (h.area > kMaxAreas)
        return cur.fail("ホテル " + num(no) + " の地域番号 " + num(h.area) +
                        " が 100 を超えています");
      if (h.district > hotels::kMaxDistricts)
        return cur.fail("ホテル " + num(no) + " の地区番号 " + num(h.district) +
                        " が 200 を超えています");
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
  Cursor cur(file, slot_section("ホテル", Slot::kHotels), err);
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
  err = {file.name(), "セクション表",
         "版コード（目次の " + num(slot_number(Slot::kEdition)) + " 番）" +
             num(dir.edition_code()) + " が 1..3 ではありません"};
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
std::string first_difference(const SourceFiles& a, const SourceFiles& b) {
  for (const auto& [name, text] : a) {
    auto other = b.find(name);
    const std::string& t2 = other == b.end() ? std::string() : other->second;
    if (text == t2) continue;
    std::size_t at = 0;
    while (at < text.size() && at < t2.size() && text[at] == t2[at]) ++at;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
    return name + " の " + std::to_string(line) + " 行目";
  }
  return "ファイルの一覧";
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
    err = {file.name(), "データの内容",
           "データ作成ツールが受け付けない値があります（書き出した " + e.file + " の " +
               std::to_string(e.line) + " 行目: " + e.reason + "）"};
    return false;
  }
  std::vector<std::uint8_t> rebuilt;
  std::string reason;
  if (!write_image(*again, rebuilt, reason)) {
    err = {file.name(), "データの内容", "データ作成ツールが書けない内容です（" + reason + "）"};
    return false;
  }
  auto back = std::make_unique<RawData>();
  DataError back_err;
  if (!read_sections(DataFile(file.name(), std::move(rebuilt)), *back, back_err)) {
    err = {file.name(), "データの内容",
           "作り直したファイルが読めません（" + back_err.section + ": " + back_err.reason + "）"};
    return false;
  }
  keep_what_the_program_reads(*back);
  const SourceFiles sources_back = write_sources(*back);
  if (sources_back != sources) {
    err = {file.name(), "データの内容",
           "データ作成ツールで作り直すと内容が変わります（書き出した " +
               first_difference(sources, sources_back) + "）"};
    return false;
  }
  raw = std::move(*r);
  return true;
}

}  // namespace ravolin::data
