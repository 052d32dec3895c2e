// SPDX-License-Identifier: MIT
// Writing the raw model as a data file, in the layout the section decoders read.
#include "data/raw_data.h"

#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "text/text.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

namespace ravolin::data {
namespace {

std::string num(long long v) { return std::to_string(v); }

// True when every byte of a CP932 text is a single-byte character.
bool single_byte(const std::string& cp932) {
  for (unsigned char c : cp932)
    if ((c >= 0x81 && c <= 0x9F) || c >= 0xE0) return false;
  return true;
}

class Image {
 public:
  std::vector<std::uint8_t> bytes;
  std::string reason;

  std::size_t pos() const { return bytes.size(); }
  std::int32_t block() const { return static_cast<std::int32_t>(bytes.size() / kBlockSize); }
  // Pads with zeros to the next block boundary (nothing when already at one).
  void align() { bytes.resize((bytes.size() + kBlockSize - 1) / kBlockSize * kBlockSize, 0); }
  // Makes sure the block that starts at `blk` exists and is zero-filled.
  void ensure_block(std::int64_t blk) {
    std::size_t need = static_cast<std::size_t>(blk + 1) * kBlockSize;
    if (bytes.size() < need) bytes.resize(need, 0);
  }
  // Appends one block filled with `fill` and returns its offset.
  std::size_t new_block(std::uint8_t fill) {
    std::size_t start = bytes.size();
    bytes.resize(start + kBlockSize, fill);
    return start;
  }
  void put32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void put32_at(std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  // A record of 32-bit fields from `off` on.
  void put_record_at(std::size_t off, std::initializer_list<std::int64_t> fields) {
    for (std::int64_t v : fields) {
      put32_at(off, static_cast<std::uint32_t>(v));
      off += 4;
    }
  }
  void putf(float f) {
    std::uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    put32(u);
  }
  void putf_at(std::size_t off, float f) {
    std::uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    put32_at(off, u);
  }
  bool framed(const std::string& utf8, const std::string& what) {
    auto s = text::utf8_to_cp932(utf8);
    if (!s) return fail(what + " 「" + utf8 + "」 を Shift-JIS に変換できません");
    if (s->size() > 65535) return fail(what + " が長すぎます");
    bytes.push_back(8);
    bytes.push_back(0);
    bytes.push_back(static_cast<std::uint8_t>(s->size() & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(s->size() >> 8));
    bytes.insert(bytes.end(), s->begin(), s->end());
    return true;
  }
  // A blank-padded single-byte field written at `off`.
  bool fixed_at(std::size_t off, const std::string& utf8, std::size_t width,
                const std::string& what) {
    auto s = text::utf8_to_cp932(utf8);
    if (!s) return fail(what + " 「" + utf8 + "」 を Shift-JIS に変換できません");
    if (!single_byte(*s)) return fail(what + " 「" + utf8 + "」 に全角文字があります");
    if (s->size() > width)
      return fail(what + " 「" + utf8 + "」 が " + num(width) + " 文字を超えています");
    std::memcpy(bytes.data() + off, s->data(), s->size());
    std::memset(bytes.data() + off + s->size(), ' ', width - s->size());
    return true;
  }
  bool fail(const std::string& r) {
    if (reason.empty()) reason = r;
    return false;
  }
};

// The train number of a Keiyo identifier: the digits before its last character, or -1
// when there are none or another character stands there.
std::int32_t keiyo_number(const std::string& id) {
  std::string t = text::trim(id);
  if (t.size() < 2) return -1;
  std::int32_t x = 0;
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return -1;
    x = x * 10 + (t[i] - '0');
  }
  return x;
}

// Records packed 255 to a block from `blk`, ended by a zero record; returns the block
// after the one that holds the terminator.
std::int64_t put_records(Image& img, std::int64_t blk, const std::vector<std::uint32_t>& recs) {
  int p = 0;
  img.ensure_block(blk);
  for (std::size_t k = 1; k <= recs.size() + 1; ++k) {
    std::uint32_t u = k <= recs.size() ? recs[k - 1] : 0;
    img.put32_at(static_cast<std::size_t>(blk) * kBlockSize + 4 * p, u);
    ++p;
    if (u == 0) break;
    if (k % 255 == 0) {
      ++blk;
      p = 0;
      img.ensure_block(blk);
    }
  }
  return blk + 1;
}

// A fare section: full blocks with trailer 999, the last with the total count.
// put(offset, index) writes one record; the first that returns false stops the section.
template <class Put>
bool put_chain(Image& img, std::size_t count, std::size_t record_size, std::size_t capacity,
               Put put) {
  img.align();
  std::size_t i = 0;
  for (;;) {
    std::size_t start = img.new_block(0);
    std::size_t n = std::min(capacity, count - i);
    for (std::size_t j = 0; j < n; ++j)
      if (!put(start + j * record_size, i + j)) return false;
    i += n;
    if (n == capacity) {  // a full block: another one follows, possibly without records
      img.put32_at(start + 1020, 999);
      continue;
    }
    img.put32_at(start + 1020, static_cast<std::uint32_t>(count));
    return true;
  }
}

bool station_ok(Image& img, int s, const char* what, std::size_t row) {
  if (s < 0 || s > kMaxSinStations)
    return img.fail(std::string(what) + " 行 " + num(row + 1) + " の駅番号 " + num(s) +
                    " が 0..50 の範囲外です");
  return true;
}

bool value16(Image& img, std::int64_t v, const char* what, std::size_t row, bool nonneg) {
  if (!fits16(v) || (nonneg && v < 0))
    return img.fail(std::string(what) + " 行 " + num(row + 1) + " の値 " + num(v) +
                    " が 16 ビットに収まりません");
  return true;
}

bool within_limit(Image& img, std::size_t have, int max, const char* what) {
  if (have > static_cast<std::size_t>(max))
    return img.fail(std::string(what) + " が上限 " + num(max) + " 件を超えています");
  return true;
}

// ---- one writer per section, in the order of the file (image_reader.cpp reads them)

bool write_edition(int edition, Image& img, Directory& dir) {
  if (!find_edition(edition))
    return img.fail("版コード " + num(edition) + " が 1..3 ではありません");
  dir[Slot::kEdition] = edition;
  return true;
}

// The area list: the count and the names in block 0, the codes in block 1.
bool write_areas(const std::vector<RawArea>& areas, Image& img) {
  if (areas.size() > static_cast<std::size_t>(kMaxAreas))
    return img.fail("地域が 100 件を超えています");
  img.putf(static_cast<float>(areas.size()));
  for (const auto& a : areas)
    if (!img.framed(a.name, "地域名")) return false;
  if (img.pos() > kBlockSize)
    return img.fail("地域名の合計が " + num(img.pos()) +
                    " バイトで、ブロック 0 (1024 バイト) に収まりません");
  img.bytes.resize(kBlockSize, 0);
  for (const auto& a : areas) {
    if (a.region < 0 || a.region > 99 || a.second < 0 || a.second > 9)
      return img.fail("地域 「" + a.name + "」 のコードが範囲外です");
    std::string code = a.region < 10 ? "0" : "";
    code += num(a.region);
    code += num(a.second);
    img.bytes.insert(img.bytes.end(), code.begin(), code.end());
  }
  img.align();
  img.ensure_block(1);
  return true;
}

bool write_districts(const std::vector<std::string>& districts, Image& img, Directory& dir) {
  dir[Slot::kDistricts] = img.block();
  if (districts.size() > static_cast<std::size_t>(hotels::kMaxDistricts))
    return img.fail("地区が 200 件を超えています");
  img.putf(static_cast<float>(districts.size()));
  for (const auto& d : districts)
    if (!img.framed(d, "地区名")) return false;
  img.align();
  return true;
}

using KeiyoSchedules = std::array<RawKeiyoSchedule, kKeiyoSchedules + 1>;

bool write_keiyo_stations(const KeiyoSchedules& keiyo, Image& img, Directory& dir) {
  dir[Slot::kKeiyoStations] = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    int c = keiyo[v].station_count;
    if (c < 0 || c > kKeiyoStations) return img.fail("京葉線の駅数が 0..15 の範囲外です");
    img.put32(static_cast<std::uint32_t>(c));
  }
  for (int v = 1; v <= kKeiyoSchedules; ++v)
    for (int s = 1; s <= kKeiyoStations; ++s)
      if (!img.framed(keiyo[v].station[s], "京葉線の駅名")) return false;
  img.align();
  return true;
}

// One schedule's identifier block: 5 characters a train, the train count in the trailer.
bool write_keiyo_ids(int v, const RawKeiyoSchedule& sch, Image& img) {
  if (sch.trains.size() > static_cast<std::size_t>(kMaxKeiyoTrains))
    return img.fail("京葉線ダイヤ " + num(v) + " の列車が 200 本を超えています");
  if (static_cast<std::size_t>(sch.train_count) != sch.trains.size())
    return img.fail("京葉線ダイヤ " + num(v) + " の列車数が一致しません");
  std::size_t start = img.new_block(0);
  std::memset(img.bytes.data() + start, ' ', 1020);
  for (std::size_t t = 0; t < sch.trains.size(); ++t)
    if (!img.fixed_at(start + 5 * t, sch.trains[t].id, 5, "京葉線の列車番号")) return false;
  img.put32_at(start + 1020, static_cast<std::uint32_t>(sch.trains.size()));
  return true;
}

// One schedule's time records: six a train, two times each, both raised by the train number.
bool keiyo_time_records(const RawKeiyoSchedule& sch, Image& img, std::vector<std::uint32_t>& recs) {
  for (const auto& tr : sch.trains) {
    std::int32_t x = keiyo_number(tr.id);
    if (x < 1) return img.fail("京葉線の列車番号 「" + tr.id + "」 が 数字+1文字 ではありません");
    for (int c = 1; c <= 6; ++c) {
      std::int64_t first = tr.time[2 * c - 1] + static_cast<std::int64_t>(x);
      std::int64_t second = tr.time[2 * c] + static_cast<std::int64_t>(x);
      if (tr.time[2 * c - 1] < 0 || tr.time[2 * c] < 0 || first >= 8192 || second >= 8192)
        return img.fail("京葉線の列車 「" + tr.id + "」 の時刻と列車番号の和が 8192 以上です");
      recs.push_back(static_cast<std::uint32_t>(first * 8192 + second));
    }
  }
  return true;
}

// The four identifier blocks, then each schedule's time records.
bool write_keiyo_trains(const KeiyoSchedules& keiyo, Image& img, Directory& dir) {
  dir[Slot::kKeiyoTrains] = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v)
    if (!write_keiyo_ids(v, keiyo[v], img)) return false;
  std::int64_t blk = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    std::vector<std::uint32_t> recs;
    if (!keiyo_time_records(keiyo[v], img, recs)) return false;
    blk = put_records(img, blk, recs);
  }
  img.align();
  return true;
}

// Both directions' station names and flags, then the station count.
bool write_sin_stations(const RawData& raw, Image& img, Directory& dir) {
  dir[Slot::kSinStations] = img.block();
  if (raw.sin_station_count < 0 || raw.sin_station_count > kMaxSinStations)
    return img.fail("新幹線の駅数が 0..50 の範囲外です");
  for (int d = 1; d <= kSinDirections; ++d) {
    for (int s = 1; s <= kMaxSinStations; ++s)
      if (!img.framed(raw.sin[d].station[s], "新幹線の駅名")) return false;
    for (int s = 1; s <= kMaxSinStations; ++s) {
      if (raw.sin[d].flag[s] < 0 || raw.sin[d].flag[s] > 2)
        return img.fail("新幹線の駅フラグが 0..2 ではありません");
      img.put32(static_cast<std::uint32_t>(raw.sin[d].flag[s]));
    }
  }
  img.put32(static_cast<std::uint32_t>(raw.sin_station_count));
  img.align();
  return true;
}

// One direction's identifier block: 4 characters a train, the first blank one ends them.
bool write_sin_ids(int d, const RawSinDirection& dd, Image& img) {
  if (dd.trains.size() > static_cast<std::size_t>(kMaxSinTrains))
    return img.fail("新幹線方向 " + num(d) + " の列車が 250 本を超えています");
  if (static_cast<std::size_t>(dd.train_count) != dd.trains.size())
    return img.fail("新幹線方向 " + num(d) + " の列車数が一致しません");
  std::size_t start = img.new_block(0);
  std::memset(img.bytes.data() + start, ' ', 1020);
  for (std::size_t t = 0; t < dd.trains.size(); ++t) {
    if (text::trim(dd.trains[t].id).empty()) return img.fail("新幹線の列車番号が空白です");
    if (!img.fixed_at(start + 4 * t, dd.trains[t].id, 4, "新幹線の列車番号")) return false;
  }
  return true;
}

// Train number `t`'s time records (train, station row and time in one number) and its
// car-type record (the train number plus the type's base), if it has a type.
bool sin_train_records(int edition, const RawSinTrain& tr, std::uint32_t t, Image& img,
                       std::vector<std::uint32_t>& recs, std::vector<std::uint32_t>& cars) {
  for (int s = 1; s <= kMaxSinStations; ++s) {
    if (tr.time[s] == 0) continue;
    if (tr.time[s] < 0 || tr.time[s] >= 5678)
      return img.fail("新幹線の列車 「" + tr.id + "」 の時刻 " + num(tr.time[s]) + " が範囲外です");
    recs.push_back((t * 64 + static_cast<std::uint32_t>(s)) * 5678 +
                   static_cast<std::uint32_t>(tr.time[s]));
  }
  if (tr.car_type.empty()) return true;
  std::uint32_t base = 0;
  const std::string& c = tr.car_type;
  if (edition == 1) {
    const auto* type = std::find_if(std::begin(kCarTypeBases), std::end(kCarTypeBases),
                                    [&](const CarTypeBase& b) { return c == b.code; });
    if (type == std::end(kCarTypeBases)) return img.fail("車両型 " + c + " はこの版では使えません");
    base = type->base;
  } else if (c != "M") {
    return img.fail("車両型 " + c + " はこの版では使えません");
  }
  cars.push_back(base + t);
  return true;
}

// One direction's time records, then a block of operation-day codes and a block of
// car-type records; returns the block after them in `blk`.
bool write_sin_direction(int edition, const RawSinDirection& dd, Image& img, std::int64_t& blk) {
  std::vector<std::uint32_t> recs;
  std::vector<std::uint32_t> cars;
  for (std::size_t i = 0; i < dd.trains.size(); ++i)
    if (!sin_train_records(edition, dd.trains[i], static_cast<std::uint32_t>(i + 1), img, recs,
                           cars))
      return false;
  blk = put_records(img, blk, recs);
  img.ensure_block(blk);
  for (std::size_t i = 0; i < dd.trains.size(); ++i)
    img.bytes[static_cast<std::size_t>(blk) * kBlockSize + 4 * i] = dd.trains[i].op_day;
  ++blk;
  img.ensure_block(blk);
  for (std::size_t i = 0; i < cars.size(); ++i) {
    std::size_t off = static_cast<std::size_t>(blk) * kBlockSize + 4 * i;
    img.bytes[off] = static_cast<std::uint8_t>(cars[i] & 0xFF);
    img.bytes[off + 1] = static_cast<std::uint8_t>(cars[i] >> 8);
  }
  ++blk;
  return true;
}

// The two identifier blocks, then each direction's records.
bool write_sin_trains(const RawData& raw, Image& img, Directory& dir) {
  dir[Slot::kSinTrains] = img.block();
  for (int d = 1; d <= kSinDirections; ++d)
    if (!write_sin_ids(d, raw.sin[d], img)) return false;
  std::int64_t blk = img.block();
  for (int d = 1; d <= kSinDirections; ++d)
    if (!write_sin_direction(raw.edition, raw.sin[d], img, blk)) return false;
  img.align();
  return true;
}

// The hotel index: area, district and rooms of 250 hotels a block, trailer 999 on a full
// block, the last block's count otherwise.
bool write_hotel_index(const std::vector<RawHotel>& hotels, Image& img) {
  const std::size_t n = hotels.size();
  for (std::size_t i = 0;;) {
    std::size_t start = img.new_block(0);
    std::size_t m = std::min<std::size_t>(250, n - i);
    for (std::size_t j = 0; j < m; ++j) {
      const auto& h = hotels[i + j];
      if (h.area < 0 || h.area > kMaxAreas || h.district < 0 ||
          h.district > hotels::kMaxDistricts || h.rooms < 0 || h.rooms > 4095)
        return img.fail("ホテル 「" + h.name + "」 の地域・地区・部屋数が範囲外です");
      img.put32_at(start + 4 * j, (static_cast<std::uint32_t>(h.area) << 20) |
                                      (static_cast<std::uint32_t>(h.district) << 12) |
                                      static_cast<std::uint32_t>(h.rooms));
    }
    i += m;
    if (m == 250) {
      img.putf_at(start + 1020, 999.0f);
      continue;
    }
    img.putf_at(start + 1020, static_cast<float>(m));
    return true;
  }
}

// One framed text of every hotel, then up to the next block.
bool write_hotel_texts(const std::vector<RawHotel>& hotels, std::string RawHotel::*field,
                       const char* what, Image& img) {
  for (const auto& h : hotels)
    if (!img.framed(h.*field, what)) return false;
  img.align();
  return true;
}

// Phone numbers: 85 blank-padded fields of 12 characters a block. A blank phone ends the
// phones (the reader stops there): a hotel after it cannot have one.
bool write_hotel_phones(const std::vector<RawHotel>& hotels, Image& img) {
  const std::size_t n = hotels.size();
  const RawHotel* ended_by = nullptr;
  for (std::size_t i = 0; i < n; i += 85) {
    std::size_t start = img.new_block(0);
    std::memset(img.bytes.data() + start, ' ', 1020);
    for (std::size_t j = i; j < std::min(n, i + 85); ++j) {
      const auto& h = hotels[j];
      if (text::trim(h.phone).empty()) {
        if (!ended_by) ended_by = &h;
        continue;
      }
      if (ended_by)
        return img.fail("ホテル 「" + h.name + "」 に電話番号があります (「" + ended_by->name +
                        "」 の空白の電話番号で電話番号は終わっています)");
      if (!img.fixed_at(start + 12 * (j - i), h.phone, 12, "電話番号")) return false;
    }
  }
  return true;
}

// Room prices: 128 blank-padded fields of 8 characters a block.
bool write_hotel_prices(const std::vector<RawHotel>& hotels, Image& img) {
  const std::size_t n = hotels.size();
  for (std::size_t i = 0; i < n; i += 128) {
    std::size_t start = img.new_block(' ');
    for (std::size_t j = i; j < std::min(n, i + 128); ++j)
      if (!img.fixed_at(start + 8 * (j - i), hotels[j].price, 8, "部屋代")) return false;
  }
  return true;
}

bool write_hotel_section(const std::vector<RawHotel>& hotels, Image& img, Directory& dir) {
  dir[Slot::kHotels] = img.block();
  if (hotels.size() > static_cast<std::size_t>(hotels::kMaxHotels))
    return img.fail("ホテルが 1000 件を超えています");
  return write_hotel_index(hotels, img) &&
         write_hotel_texts(hotels, &RawHotel::name, "ホテル名", img) &&
         write_hotel_phones(hotels, img) &&
         write_hotel_texts(hotels, &RawHotel::access, "交通", img) &&
         write_hotel_prices(hotels, img) &&
         write_hotel_texts(hotels, &RawHotel::remarks, "備考", img);
}

// The kilometre section: one block, the row count in the trailer.
bool write_kilometres(const std::vector<RawKilo>& kilo, Image& img, Directory& dir) {
  dir[Slot::kKilometres] = img.block();
  if (kilo.size() > static_cast<std::size_t>(fares::kMaxKiloRows))
    return img.fail("営業キロが 50 件を超えています");
  std::size_t start = img.new_block(0);
  for (std::size_t i = 0; i < kilo.size(); ++i) {
    const auto& k = kilo[i];
    if (!station_ok(img, k.station, "営業キロ", i)) return false;
    if (k.tenths < 0 || k.tenths > 33554431)
      return img.fail("営業キロ 行 " + num(i + 1) + " の距離が範囲外です");
    img.put32_at(start + 4 * i,
                 static_cast<std::uint32_t>(k.tenths) * 64 + static_cast<std::uint32_t>(k.station));
  }
  img.put32_at(start + 1020, static_cast<std::uint32_t>(kilo.size()));
  return true;
}

bool write_pairs(const std::vector<RawPair>& pairs, Image& img, Directory& dir) {
  dir[Slot::kPairs] = img.block();
  return put_chain(img, pairs.size(), 16, 63, [&](std::size_t off, std::size_t i) {
    const auto& p = pairs[i];
    if (!station_ok(img, p.a, "区間運賃", i) || !station_ok(img, p.b, "区間運賃", i) ||
        !value16(img, p.free_fee, "区間運賃", i, true) ||
        !value16(img, p.fare, "区間運賃", i, false) ||
        !value16(img, p.express, "区間運賃", i, false))
      return false;
    img.put_record_at(
        off, {std::int64_t{p.free_fee} * 4096 + p.b * 64 + p.a, p.fare, p.express, p.coupon});
    return true;
  });
}

bool write_green(const std::vector<RawGreen>& green, Image& img, Directory& dir) {
  dir[Slot::kGreen] = img.block();
  return put_chain(img, green.size(), 16, 63, [&](std::size_t off, std::size_t i) {
    const auto& g = green[i];
    if (!value16(img, g.upper, "グリーン料金", i, false) ||
        !value16(img, g.green, "グリーン料金", i, false) ||
        !value16(img, g.room2, "グリーン料金", i, false) ||
        !value16(img, g.room4, "グリーン料金", i, false))
      return false;
    img.put_record_at(off, {g.upper, g.green, g.room2, g.room4});
    return true;
  });
}

bool write_tickets(const std::vector<RawTicket>& tickets, Image& img, Directory& dir) {
  dir[Slot::kTickets] = img.block();
  return put_chain(img, tickets.size(), 12, 85, [&](std::size_t off, std::size_t i) {
    const auto& t = tickets[i];
    if (!station_ok(img, t.a, "割引切符", i) || !station_ok(img, t.b, "割引切符", i) ||
        t.sheets < 0 || t.sheets > 63 || t.type < 0 || t.type > 63 ||
        !value16(img, t.valid, "割引切符", i, true))
      return img.fail("割引切符 行 " + num(i + 1) + " の値が範囲外です");
    img.put_record_at(
        off, {t.a * 4096 + t.b * 64 + t.sheets, std::int64_t{t.valid} * 64 + t.type, t.price});
    return true;
  });
}

bool write_nozomi(const std::vector<RawNozomi>& nozomi, Image& img, Directory& dir) {
  dir[Slot::kNozomi] = img.block();
  return put_chain(img, nozomi.size(), 16, 63, [&](std::size_t off, std::size_t i) {
    const auto& z = nozomi[i];
    if (!station_ok(img, z.a, "のぞみ料金", i) || !station_ok(img, z.b, "のぞみ料金", i) ||
        !value16(img, z.spare, "のぞみ料金", i, false) ||
        !value16(img, z.fee, "のぞみ料金", i, false) ||
        !value16(img, z.transfer, "のぞみ料金", i, false))
      return false;
    img.put_record_at(off, {z.a * 64 + z.b, z.spare, z.fee, z.transfer});
    return true;
  });
}

// Kilometres, pairs, Green bands, tickets and the Nozomi table (edition 1 only).
bool write_fare_sections(const RawData& raw, Image& img, Directory& dir) {
  if (!write_kilometres(raw.kilo, img, dir)) return false;
  if (!within_limit(img, raw.pairs.size(), fares::kMaxPairRows, "区間運賃") ||
      !within_limit(img, raw.green.size(), fares::kMaxGreenRows, "グリーン料金") ||
      !within_limit(img, raw.tickets.size(), fares::kMaxTicketRows, "割引切符") ||
      !within_limit(img, raw.nozomi.size(), fares::kMaxNozomiRows, "のぞみ料金"))
    return false;
  if (raw.edition != 1 && !raw.nozomi.empty())
    return img.fail("のぞみ料金は 東海道・山陽新幹線 の版だけに置けます");
  img.align();
  return write_pairs(raw.pairs, img, dir) && write_green(raw.green, img, dir) &&
         write_tickets(raw.tickets, img, dir) && write_nozomi(raw.nozomi, img, dir);
}

// The directory in the last block.
bool write_directory(const Directory& dir, Image& img) {
  img.align();
  if (img.block() > 32767) return img.fail("ファイルが大きすぎます");
  for (int s = 1; s <= kDirectorySlots; ++s) img.put32(static_cast<std::uint32_t>(dir.slot[s]));
  img.align();
  return true;
}

}  // namespace

bool write_image(const RawData& raw, std::vector<std::uint8_t>& out, std::string& reason) {
  Image img;
  Directory dir;
  const bool written =
      write_edition(raw.edition, img, dir) && write_areas(raw.areas, img) &&
      write_districts(raw.districts, img, dir) && write_keiyo_stations(raw.keiyo, img, dir) &&
      write_keiyo_trains(raw.keiyo, img, dir) && write_sin_stations(raw, img, dir) &&
      write_sin_trains(raw, img, dir) && write_hotel_section(raw.hotels, img, dir) &&
      write_fare_sections(raw, img, dir) && write_directory(dir, img);
  if (!written) {
    reason = img.reason.empty() ? "書き出せません" : img.reason;
    return false;
  }
  out = std::move(img.bytes);
  return true;
}

}  // namespace ravolin::data
