// Writing the raw model as a data file, in the layout the section decoders read.
#include "data/raw_data.h"

#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "text/text.h"

#include <algorithm>
#include <cstring>
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
  std::vector<std::uint8_t> b;
  std::string reason;

  std::size_t pos() const { return b.size(); }
  std::int32_t block() const { return static_cast<std::int32_t>(b.size() / kBlockSize); }
  // Pads with zeros to the next block boundary (nothing when already at one).
  void align() { b.resize((b.size() + kBlockSize - 1) / kBlockSize * kBlockSize, 0); }
  // Makes sure the block that starts at `blk` exists and is zero-filled.
  void ensure_block(std::int64_t blk) {
    std::size_t need = static_cast<std::size_t>(blk + 1) * kBlockSize;
    if (b.size() < need) b.resize(need, 0);
  }
  void put32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void put32_at(std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
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
    b.push_back(8);
    b.push_back(0);
    b.push_back(static_cast<std::uint8_t>(s->size() & 0xFF));
    b.push_back(static_cast<std::uint8_t>(s->size() >> 8));
    b.insert(b.end(), s->begin(), s->end());
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
    std::memcpy(b.data() + off, s->data(), s->size());
    std::memset(b.data() + off + s->size(), ' ', width - s->size());
    return true;
  }
  bool fail(const std::string& r) {
    if (reason.empty()) reason = r;
    return false;
  }
};

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
template <class Put>
void put_chain(Image& img, std::size_t count, std::size_t record_size, std::size_t capacity,
               Put put) {
  img.align();
  std::size_t i = 0;
  for (;;) {
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    std::size_t n = std::min(capacity, count - i);
    for (std::size_t j = 0; j < n; ++j) put(img, start + j * record_size, i + j);
    i += n;
    if (n == capacity) {  // a full block: another one follows, possibly without records
      img.put32_at(start + 1020, 999);
      continue;
    }
    img.put32_at(start + 1020, static_cast<std::uint32_t>(count));
    return;
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

}  // namespace

bool write_image(const RawData& raw, std::vector<std::uint8_t>& out, std::string& reason) {
  Image img;
  Directory dir;
  auto done = [&](bool ok) {
    if (!ok) {
      reason = img.reason.empty() ? "書き出せません" : img.reason;
      return false;
    }
    return true;
  };
  if (!find_edition(raw.edition)) return done(img.fail("版コード " + num(raw.edition) + " が 1..3 ではありません"));
  dir.slot[23] = raw.edition;

  // ---- area list: names in block 0, codes in block 1
  if (raw.areas.size() > static_cast<std::size_t>(kMaxAreas))
    return done(img.fail("地域が 100 件を超えています"));
  img.putf(static_cast<float>(raw.areas.size()));
  for (const auto& a : raw.areas)
    if (!img.framed(a.name, "地域名")) return done(false);
  if (img.pos() > kBlockSize)
    return done(img.fail("地域名の合計が " + num(img.pos()) + " バイトで、ブロック 0 (1024 バイト) に収まりません"));
  img.b.resize(kBlockSize, 0);
  for (const auto& a : raw.areas) {
    if (a.region < 0 || a.region > 99 || a.second < 0 || a.second > 9)
      return done(img.fail("地域 「" + a.name + "」 のコードが範囲外です"));
    std::string code = a.region < 10 ? "0" : "";
    code += num(a.region);
    code += num(a.second);
    img.b.insert(img.b.end(), code.begin(), code.end());
  }
  img.align();
  img.ensure_block(1);

  // ---- districts (slot 2)
  dir.slot[2] = img.block();
  if (raw.districts.size() > static_cast<std::size_t>(hotels::kMaxDistricts))
    return done(img.fail("地区が 200 件を超えています"));
  img.putf(static_cast<float>(raw.districts.size()));
  for (const auto& d : raw.districts)
    if (!img.framed(d, "地区名")) return done(false);
  img.align();

  // ---- Keiyo stations (slot 3)
  dir.slot[3] = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    int c = raw.keiyo[v].station_count;
    if (c < 0 || c > kKeiyoStations) return done(img.fail("京葉線の駅数が 0..15 の範囲外です"));
    img.put32(static_cast<std::uint32_t>(c));
  }
  for (int v = 1; v <= kKeiyoSchedules; ++v)
    for (int s = 1; s <= kKeiyoStations; ++s)
      if (!img.framed(raw.keiyo[v].station[s], "京葉線の駅名")) return done(false);
  img.align();

  // ---- Keiyo trains (slot 4): four identifier blocks, then the time records
  dir.slot[4] = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    const auto& sch = raw.keiyo[v];
    if (sch.trains.size() > static_cast<std::size_t>(kMaxKeiyoTrains))
      return done(img.fail("京葉線ダイヤ " + num(v) + " の列車が 200 本を超えています"));
    if (static_cast<std::size_t>(sch.train_count) != sch.trains.size())
      return done(img.fail("京葉線ダイヤ " + num(v) + " の列車数が一致しません"));
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    std::memset(img.b.data() + start, ' ', 1020);
    for (std::size_t t = 0; t < sch.trains.size(); ++t)
      if (!img.fixed_at(start + 5 * t, sch.trains[t].id, 5, "京葉線の列車番号")) return done(false);
    img.put32_at(start + 1020, static_cast<std::uint32_t>(sch.trains.size()));
  }
  std::int64_t blk = img.block();
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    std::vector<std::uint32_t> recs;
    for (const auto& tr : raw.keiyo[v].trains) {
      std::int32_t x = keiyo_number(tr.id);
      if (x < 1)
        return done(img.fail("京葉線の列車番号 「" + tr.id + "」 が 数字+1文字 ではありません"));
      for (int c = 1; c <= 6; ++c) {
        std::int64_t a = tr.time[2 * c - 1] + static_cast<std::int64_t>(x);
        std::int64_t b = tr.time[2 * c] + static_cast<std::int64_t>(x);
        if (tr.time[2 * c - 1] < 0 || tr.time[2 * c] < 0 || a >= 8192 || b >= 8192)
          return done(img.fail("京葉線の列車 「" + tr.id + "」 の時刻と列車番号の和が 8192 以上です"));
        recs.push_back(static_cast<std::uint32_t>(a * 8192 + b));
      }
    }
    blk = put_records(img, blk, recs);
  }
  img.align();

  // ---- Shinkansen stations (slot 5)
  dir.slot[5] = img.block();
  if (raw.sin_station_count < 0 || raw.sin_station_count > kMaxSinStations)
    return done(img.fail("新幹線の駅数が 0..50 の範囲外です"));
  for (int d = 1; d <= kSinDirections; ++d) {
    for (int s = 1; s <= kMaxSinStations; ++s)
      if (!img.framed(raw.sin[d].station[s], "新幹線の駅名")) return done(false);
    for (int s = 1; s <= kMaxSinStations; ++s) {
      if (raw.sin[d].flag[s] < 0 || raw.sin[d].flag[s] > 2)
        return done(img.fail("新幹線の駅フラグが 0..2 ではありません"));
      img.put32(static_cast<std::uint32_t>(raw.sin[d].flag[s]));
    }
  }
  img.put32(static_cast<std::uint32_t>(raw.sin_station_count));
  img.align();

  // ---- Shinkansen trains (slot 6)
  dir.slot[6] = img.block();
  for (int d = 1; d <= kSinDirections; ++d) {
    const auto& dd = raw.sin[d];
    if (dd.trains.size() > static_cast<std::size_t>(kMaxSinTrains))
      return done(img.fail("新幹線方向 " + num(d) + " の列車が 250 本を超えています"));
    if (static_cast<std::size_t>(dd.train_count) != dd.trains.size())
      return done(img.fail("新幹線方向 " + num(d) + " の列車数が一致しません"));
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    std::memset(img.b.data() + start, ' ', 1020);
    for (std::size_t t = 0; t < dd.trains.size(); ++t) {
      if (text::trim(dd.trains[t].id).empty())
        return done(img.fail("新幹線の列車番号が空白です"));
      if (!img.fixed_at(start + 4 * t, dd.trains[t].id, 4, "新幹線の列車番号")) return done(false);
    }
  }
  blk = img.block();
  for (int d = 1; d <= kSinDirections; ++d) {
    const auto& dd = raw.sin[d];
    std::vector<std::uint32_t> recs;
    std::vector<std::uint32_t> cars;
    for (std::size_t i = 0; i < dd.trains.size(); ++i) {
      const auto& tr = dd.trains[i];
      std::uint32_t t = static_cast<std::uint32_t>(i + 1);
      for (int s = 1; s <= kMaxSinStations; ++s) {
        if (tr.time[s] == 0) continue;
        if (tr.time[s] < 0 || tr.time[s] >= 5678)
          return done(img.fail("新幹線の列車 「" + tr.id + "」 の時刻 " + num(tr.time[s]) + " が範囲外です"));
        recs.push_back((t * 64 + static_cast<std::uint32_t>(s)) * 5678 +
                       static_cast<std::uint32_t>(tr.time[s]));
      }
      if (tr.car_type.empty()) continue;
      std::uint32_t base = 0;
      const std::string& c = tr.car_type;
      if (raw.edition == 1) {
        const auto* type = std::find_if(std::begin(kCarTypeBases), std::end(kCarTypeBases),
                                        [&](const CarTypeBase& b) { return c == b.code; });
        if (type == std::end(kCarTypeBases))
          return done(img.fail("車両型 " + c + " はこの版では使えません"));
        base = type->base;
      } else if (c != "M") {
        return done(img.fail("車両型 " + c + " はこの版では使えません"));
      }
      cars.push_back(base + t);
    }
    blk = put_records(img, blk, recs);
    img.ensure_block(blk);
    for (std::size_t i = 0; i < dd.trains.size(); ++i)
      img.b[static_cast<std::size_t>(blk) * kBlockSize + 4 * i] = dd.trains[i].op_day;
    ++blk;
    img.ensure_block(blk);
    for (std::size_t i = 0; i < cars.size(); ++i) {
      std::size_t off = static_cast<std::size_t>(blk) * kBlockSize + 4 * i;
      img.b[off] = static_cast<std::uint8_t>(cars[i] & 0xFF);
      img.b[off + 1] = static_cast<std::uint8_t>(cars[i] >> 8);
    }
    ++blk;
  }
  img.align();

  // ---- hotels (slot 9)
  dir.slot[9] = img.block();
  const std::size_t n = raw.hotels.size();
  if (n > static_cast<std::size_t>(hotels::kMaxHotels))
    return done(img.fail("ホテルが 1000 件を超えています"));
  for (std::size_t i = 0;;) {
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    std::size_t m = std::min<std::size_t>(250, n - i);
    for (std::size_t j = 0; j < m; ++j) {
      const auto& h = raw.hotels[i + j];
      if (h.area < 0 || h.area > kMaxAreas || h.district < 0 ||
          h.district > hotels::kMaxDistricts || h.rooms < 0 || h.rooms > 4095)
        return done(img.fail("ホテル 「" + h.name + "」 の地域・地区・部屋数が範囲外です"));
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
    break;
  }
  for (const auto& h : raw.hotels)
    if (!img.framed(h.name, "ホテル名")) return done(false);
  img.align();
  for (std::size_t i = 0; i < n; i += 85) {
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    std::memset(img.b.data() + start, ' ', 1020);
    for (std::size_t j = i; j < std::min(n, i + 85); ++j) {
      const auto& h = raw.hotels[j];
      if (text::trim(h.phone).empty())
        return done(img.fail("ホテル 「" + h.name + "」 の電話番号が空白です"));
      if (!img.fixed_at(start + 12 * (j - i), h.phone, 12, "電話番号")) return done(false);
    }
  }
  for (const auto& h : raw.hotels)
    if (!img.framed(h.access, "交通")) return done(false);
  img.align();
  for (std::size_t i = 0; i < n; i += 128) {
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, ' ');
    for (std::size_t j = i; j < std::min(n, i + 128); ++j)
      if (!img.fixed_at(start + 8 * (j - i), raw.hotels[j].price, 8, "部屋代")) return done(false);
  }
  for (const auto& h : raw.hotels)
    if (!img.framed(h.remarks, "備考")) return done(false);
  img.align();

  // ---- fares (slots 11..15)
  dir.slot[11] = img.block();
  if (raw.kilo.size() > static_cast<std::size_t>(fares::kMaxKiloRows))
    return done(img.fail("営業キロが 50 件を超えています"));
  {
    std::size_t start = img.pos();
    img.b.resize(start + kBlockSize, 0);
    for (std::size_t i = 0; i < raw.kilo.size(); ++i) {
      const auto& k = raw.kilo[i];
      if (!station_ok(img, k.station, "営業キロ", i)) return done(false);
      if (k.tenths < 0 || k.tenths > 33554431)
        return done(img.fail("営業キロ 行 " + num(i + 1) + " の距離が範囲外です"));
      img.put32_at(start + 4 * i, static_cast<std::uint32_t>(k.tenths) * 64 +
                                      static_cast<std::uint32_t>(k.station));
    }
    img.put32_at(start + 1020, static_cast<std::uint32_t>(raw.kilo.size()));
  }
  auto limit = [&](std::size_t have, int max, const char* what) {
    if (have > static_cast<std::size_t>(max))
      return img.fail(std::string(what) + " が上限 " + num(max) + " 件を超えています");
    return true;
  };
  bool ok = true;
  if (!limit(raw.pairs.size(), fares::kMaxPairRows, "区間運賃") ||
      !limit(raw.green.size(), fares::kMaxGreenRows, "グリーン料金") ||
      !limit(raw.tickets.size(), fares::kMaxTicketRows, "割引切符") ||
      !limit(raw.nozomi.size(), fares::kMaxNozomiRows, "のぞみ料金"))
    return done(false);
  if (raw.edition != 1 && !raw.nozomi.empty())
    return done(img.fail("のぞみ料金は 東海道・山陽新幹線 の版だけに置けます"));
  img.align();
  dir.slot[12] = img.block();
  put_chain(img, raw.pairs.size(), 16, 63, [&](Image& m, std::size_t off, std::size_t i) {
    const auto& p = raw.pairs[i];
    if (!station_ok(m, p.a, "区間運賃", i) || !station_ok(m, p.b, "区間運賃", i) ||
        !value16(m, p.free_fee, "区間運賃", i, true) || !value16(m, p.fare, "区間運賃", i, false) ||
        !value16(m, p.express, "区間運賃", i, false)) {
      ok = false;
      return;
    }
    m.put32_at(off, static_cast<std::uint32_t>(p.free_fee) * 4096 +
                        static_cast<std::uint32_t>(p.b) * 64 + static_cast<std::uint32_t>(p.a));
    m.put32_at(off + 4, static_cast<std::uint32_t>(p.fare));
    m.put32_at(off + 8, static_cast<std::uint32_t>(p.express));
    m.put32_at(off + 12, static_cast<std::uint32_t>(p.coupon));
  });
  if (!ok) return done(false);
  dir.slot[13] = img.block();
  put_chain(img, raw.green.size(), 16, 63, [&](Image& m, std::size_t off, std::size_t i) {
    const auto& g = raw.green[i];
    if (!value16(m, g.upper, "グリーン料金", i, false) || !value16(m, g.green, "グリーン料金", i, false) ||
        !value16(m, g.room2, "グリーン料金", i, false) || !value16(m, g.room4, "グリーン料金", i, false)) {
      ok = false;
      return;
    }
    m.put32_at(off, static_cast<std::uint32_t>(g.upper));
    m.put32_at(off + 4, static_cast<std::uint32_t>(g.green));
    m.put32_at(off + 8, static_cast<std::uint32_t>(g.room2));
    m.put32_at(off + 12, static_cast<std::uint32_t>(g.room4));
  });
  if (!ok) return done(false);
  dir.slot[14] = img.block();
  put_chain(img, raw.tickets.size(), 12, 85, [&](Image& m, std::size_t off, std::size_t i) {
    const auto& t = raw.tickets[i];
    if (!station_ok(m, t.a, "割引切符", i) || !station_ok(m, t.b, "割引切符", i) ||
        t.sheets < 0 || t.sheets > 63 || t.type < 0 || t.type > 63 ||
        !value16(m, t.valid, "割引切符", i, true)) {
      m.fail("割引切符 行 " + num(i + 1) + " の値が範囲外です");
      ok = false;
      return;
    }
    m.put32_at(off, static_cast<std::uint32_t>(t.a) * 4096 + static_cast<std::uint32_t>(t.b) * 64 +
                        static_cast<std::uint32_t>(t.sheets));
    m.put32_at(off + 4, static_cast<std::uint32_t>(t.valid) * 64 + static_cast<std::uint32_t>(t.type));
    m.put32_at(off + 8, static_cast<std::uint32_t>(t.price));
  });
  if (!ok) return done(false);
  dir.slot[15] = img.block();
  put_chain(img, raw.nozomi.size(), 16, 63, [&](Image& m, std::size_t off, std::size_t i) {
    const auto& z = raw.nozomi[i];
    if (!station_ok(m, z.a, "のぞみ料金", i) || !station_ok(m, z.b, "のぞみ料金", i) ||
        !value16(m, z.spare, "のぞみ料金", i, false) || !value16(m, z.fee, "のぞみ料金", i, false) ||
        !value16(m, z.transfer, "のぞみ料金", i, false)) {
      ok = false;
      return;
    }
    m.put32_at(off, static_cast<std::uint32_t>(z.a) * 64 + static_cast<std::uint32_t>(z.b));
    m.put32_at(off + 4, static_cast<std::uint32_t>(z.spare));
    m.put32_at(off + 8, static_cast<std::uint32_t>(z.fee));
    m.put32_at(off + 12, static_cast<std::uint32_t>(z.transfer));
  });
  if (!ok) return done(false);

  // ---- directory in the last block
  img.align();
  if (img.block() > 32767) return done(img.fail("ファイルが大きすぎます"));
  for (int s = 1; s <= kDirectorySlots; ++s) img.put32(static_cast<std::uint32_t>(dir.slot[s]));
  img.align();
  out = std::move(img.b);
  return true;
}

}  // namespace ravolin::data
