// SPDX-License-Identifier: MIT
#include "data/sources.h"

#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "files/replace_file.h"
#include "text/text.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace ravolin::data {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxErrors = 50;

struct Token {
  std::string text;
  bool quoted = false;
};

// ---------------------------------------------------------------- error context
class Ctx {
 public:
  Ctx(std::string file, std::vector<SourceError>& errors)
      : file_(std::move(file)), errors_(errors) {}
  int line = 0;
  bool error(const std::string& reason) {
    if (errors_.size() < kMaxErrors) errors_.push_back({file_, line, reason});
    ok_ = false;
    return false;
  }
  bool ok() const { return ok_; }
  const std::string& file() const { return file_; }

 private:
  std::string file_;
  std::vector<SourceError>& errors_;
  bool ok_ = true;
};

// ---------------------------------------------------------------- lexing
std::vector<std::string> split_lines(const std::string& s) {
  std::vector<std::string> lines;
  std::string cur;
  for (char c : s) {
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) {
    if (cur.back() == '\r') cur.pop_back();
    lines.push_back(cur);
  }
  return lines;
}

bool is_blank_or_comment(const std::string& line) {
  for (char c : line) {
    if (c == ' ' || c == '\t') continue;
    return c == '#';
  }
  return true;
}

// A quoted text whose opening quote is at line[i], "" standing for one quote: appended
// to `out`, with i left after the closing quote. An error when the quote is not closed.
bool read_quoted(const std::string& line, std::size_t& i, std::string& out, Ctx& ctx) {
  ++i;
  while (i < line.size()) {
    if (line[i] == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        out += '"';
        i += 2;
        continue;
      }
      ++i;
      return true;
    }
    out += line[i++];
  }
  return ctx.error("引用符が閉じていません");
}

// Blank/TAB separated tokens; "..." with "" for a quote.
bool tokenize(const std::string& line, std::vector<Token>& out, Ctx& ctx) {
  out.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token t;
    if (line[i] == '"') {
      t.quoted = true;
      if (!read_quoted(line, i, t.text, ctx)) return false;
      if (i < line.size() && line[i] != ' ' && line[i] != '\t')
        return ctx.error("閉じ引用符の後に空白がありません");
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') t.text += line[i++];
    }
    out.push_back(std::move(t));
  }
  return true;
}

// '|' separated fields of hotels.txt; blanks around unquoted fields removed.
bool split_fields(const std::string& line, std::vector<std::string>& out, Ctx& ctx) {
  out.clear();
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string f;
    if (i < line.size() && line[i] == '"') {
      if (!read_quoted(line, i, f, ctx)) return false;
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (i < line.size() && line[i] != '|') return ctx.error("閉じ引用符の後に | がありません");
    } else {
      while (i < line.size() && line[i] != '|') f += line[i++];
      while (!f.empty() && (f.back() == ' ' || f.back() == '\t')) f.pop_back();
    }
    out.push_back(std::move(f));
    if (i >= line.size()) break;
    ++i;  // the '|'
  }
  return true;
}

// ---------------------------------------------------------------- values
std::optional<long long> parse_int(const std::string& s) {
  if (s.empty() || s.size() > 12) return std::nullopt;
  std::size_t i = 0;
  bool neg = false;
  if (s[0] == '-') {
    neg = true;
    i = 1;
  }
  if (i >= s.size()) return std::nullopt;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
  }
  return neg ? -v : v;
}

bool int_in(Ctx& ctx, const std::string& s, long long lo, long long hi, const char* what,
            long long& v) {
  auto n = parse_int(s);
  if (!n) return ctx.error(std::string(what) + " 「" + s + "」 が整数ではありません");
  if (*n < lo || *n > hi)
    return ctx.error(std::string(what) + " " + s + " が範囲 " + std::to_string(lo) + ".." +
                     std::to_string(hi) + " の外です");
  v = *n;
  return true;
}

// "H:MM" / "HH:MM" (hours 0..56) -> hhmm; "-" -> 0.
bool parse_time(Ctx& ctx, const std::string& s, std::int32_t& hhmm) {
  if (s == "-") {
    hhmm = 0;
    return true;
  }
  std::size_t colon = s.find(':');
  bool good = colon != std::string::npos && (colon == 1 || colon == 2) && s.size() == colon + 3;
  int h = 0, m = 0;
  if (good) {
    for (std::size_t i = 0; i < s.size(); ++i)
      if (i != colon && (s[i] < '0' || s[i] > '9')) good = false;
  }
  if (good) {
    h = std::stoi(s.substr(0, colon));
    m = std::stoi(s.substr(colon + 1));
    if (m > 59) good = false;
  }
  if (!good) return ctx.error("時刻 「" + s + "」 が HH:MM の形ではありません");
  // The Shinkansen records keep a time below 5678; both lines share the same range.
  if (h > 56) return ctx.error("時刻 " + s + " が 56:59 を超えています");
  if (h == 0 && m == 0)
    return ctx.error("時刻 0:00 は「停車しない」と区別できません (24:00 と書いてください)");
  hhmm = h * 100 + m;
  return true;
}

bool sjis_ok(Ctx& ctx, const std::string& s, const char* what) {
  if (text::utf8_to_cp932(s)) return true;
  return ctx.error(std::string(what) + " 「" + s + "」 を Shift-JIS に変換できません");
}

// A fixed-width field: single-byte CP932 characters, at most `width` of them.
bool fixed_ok(Ctx& ctx, const std::string& s, std::size_t width, const char* what) {
  auto c = text::utf8_to_cp932(s);
  if (!c) return ctx.error(std::string(what) + " 「" + s + "」 を Shift-JIS に変換できません");
  for (unsigned char ch : *c)
    if ((ch >= 0x81 && ch <= 0x9F) || ch >= 0xE0)
      return ctx.error(std::string(what) + " 「" + s + "」 に全角文字があります (半角のみ)");
  if (c->size() > width)
    return ctx.error(std::string(what) + " 「" + s + "」 が " + std::to_string(width) +
                     " 文字を超えています");
  return true;
}

// ---------------------------------------------------------------- station references
struct Rows {
  std::array<std::string, kMaxSinStations + 1> name{};
  std::array<std::int32_t, kMaxSinStations + 1> flag{};
  int count = 0;  // rows listed
};

std::vector<int> rows_named(const Rows& r, const std::string& name) {
  std::vector<int> out;
  for (int s = 1; s <= r.count; ++s)
    if (r.name[s] == name) out.push_back(s);
  return out;
}

bool is_pair(const Rows& r, const std::vector<int>& rows) {
  return rows.size() == 2 && rows[1] == rows[0] + 1 && r.flag[rows[0]] == kFlagArrival &&
         r.flag[rows[1]] == kFlagDeparture;
}

// Resolves a reference. `pair_first` (fares): a plain name of a station listed twice means
// its arrival row. Otherwise such a name sets *pair to the arrival row and returns 0.
int resolve(Ctx& ctx, const Rows& r, const std::string& ref, bool allow_zero, bool pair_first,
            int* pair) {
  if (pair) *pair = 0;
  if (ref.size() > 1 && ref[0] == '@') {
    auto n = parse_int(ref.substr(1));
    if (!n || *n < (allow_zero ? 0 : 1) || *n > kMaxSinStations) {
      ctx.error("駅の行番号 「" + ref + "」 が範囲外です");
      return -1;
    }
    return static_cast<int>(*n);
  }
  auto rows = rows_named(r, ref);
  if (rows.size() == 1) return rows[0];
  if (is_pair(r, rows)) {
    if (pair_first) return rows[0];
    if (pair) {
      *pair = rows[0];
      return 0;
    }
  }
  if (rows.size() > 1) {
    ctx.error("駅名 「" + ref +
              "」 が複数の行にあります (NAME(着) / NAME(発) / @N で指定してください)");
    return -1;
  }
  for (const char* suffix : {"(着)", "(発)"}) {
    std::string sfx = suffix;
    if (ref.size() > sfx.size() && ref.compare(ref.size() - sfx.size(), sfx.size(), sfx) == 0) {
      std::string base = ref.substr(0, ref.size() - sfx.size());
      int want = sfx == "(着)" ? kFlagArrival : kFlagDeparture;
      int found = 0, hits = 0;
      for (int s : rows_named(r, base))
        if (r.flag[s] == want) {
          found = s;
          ++hits;
        }
      if (hits == 1) return found;
      if (hits > 1) {
        ctx.error("駅 「" + ref + "」 が複数の行にあります (@N で指定してください)");
        return -1;
      }
    }
  }
  ctx.error("駅 「" + ref + "」 がありません");
  return -1;
}

const std::string* find_file(const SourceFiles& files, const std::string& name) {
  auto it = files.find(name);
  return it == files.end() ? nullptr : &it->second;
}

// Iterates over the meaningful lines of a file.
template <class F>
void each_line(Ctx& ctx, const std::string& content, F f) {
  auto lines = split_lines(content);
  if (content.size() >= 3 && content.compare(0, 3, "\xEF\xBB\xBF") == 0) lines[0].erase(0, 3);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ctx.line = static_cast<int>(i) + 1;
    if (is_blank_or_comment(lines[i])) continue;
    f(lines[i]);
  }
  ctx.line = 0;
}

bool keyword(const std::vector<Token>& t, const char* word) {
  return !t.empty() && !t[0].quoted && t[0].text == word;
}

// ---------------------------------------------------------------- the files
void parse_edition(const std::string& content, RawData& raw, Ctx& ctx) {
  bool seen = false;
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    long long v = 0;
    if (keyword(t, "edition") && t.size() == 2) {
      if (int_in(ctx, t[1].text, 1, 3, "版コード", v)) raw.edition = static_cast<int>(v);
      seen = true;
    } else {
      ctx.error("「edition N」 の行ではありません");
    }
  });
  if (!seen) ctx.error("「edition N」 の行がありません");
}

void parse_areas(const std::string& content, RawData& raw, Ctx& ctx) {
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    if (t.size() < 2 || t.size() > 3) {
      ctx.error("「名前 地方コード [第2コード]」 の形ではありません");
      return;
    }
    RawArea a;
    long long region = 0, second = 0;
    a.name = t[0].text;
    if (!sjis_ok(ctx, a.name, "地域名") || !int_in(ctx, t[1].text, 0, 99, "地方コード", region) ||
        (t.size() == 3 && !int_in(ctx, t[2].text, 0, 9, "第2コード", second)))
      return;
    a.region = static_cast<int>(region);
    a.second = static_cast<int>(second);
    if (raw.areas.size() == static_cast<std::size_t>(kMaxAreas)) {
      ctx.error("地域が 100 件を超えています");
      return;
    }
    raw.areas.push_back(std::move(a));
  });
  // The names must fit in block 0.
  std::size_t bytes = 4;
  for (const auto& a : raw.areas) bytes += 4 + text::utf8_to_cp932(a.name).value_or("").size();
  if (bytes > kBlockSize)
    ctx.error("地域名の合計が " + std::to_string(bytes) + " バイトで、1024 バイトに収まりません");
}

void parse_districts(const std::string& content, RawData& raw, Ctx& ctx) {
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    if (t.size() != 1) {
      ctx.error("1 行に地区名は 1 つです (空白を含む名前は \"...\" で囲んでください)");
      return;
    }
    if (!sjis_ok(ctx, t[0].text, "地区名")) return;
    if (raw.districts.size() == static_cast<std::size_t>(hotels::kMaxDistricts)) {
      ctx.error("地区が 200 件を超えています");
      return;
    }
    raw.districts.push_back(t[0].text);
  });
}

bool parse_flag(const std::string& s, std::int32_t& flag) {
  if (s == "0")
    flag = 0;
  else if (s == "1" || s == "着")
    flag = 1;
  else if (s == "2" || s == "発")
    flag = 2;
  else
    return false;
  return true;
}

// "駅名 [フラグ]": the next station row of direction `dir`. A departure row must follow
// the arrival row of the same station.
void parse_station_row(const std::vector<Token>& t, int dir, Rows& r, Ctx& ctx) {
  if (t.size() > 2) {
    ctx.error("「駅名 [フラグ]」 の形ではありません");
    return;
  }
  std::int32_t flag = 0;
  if (t.size() == 2 && !parse_flag(t[1].text, flag)) {
    ctx.error("フラグ 「" + t[1].text + "」 は 0, 1(着), 2(発) のどれかです");
    return;
  }
  if (!sjis_ok(ctx, t[0].text, "駅名")) return;
  if (r.count == kMaxSinStations) {
    ctx.error("方向 " + std::to_string(dir) + " の駅が 50 行を超えています");
    return;
  }
  ++r.count;
  r.name[r.count] = t[0].text;
  r.flag[r.count] = flag;
  if (flag == kFlagDeparture &&
      (r.count == 1 || r.flag[r.count - 1] != kFlagArrival || r.name[r.count - 1] != t[0].text))
    ctx.error("発 の行 「" + t[0].text + "」 の直前に同じ駅の 着 の行がありません");
  if (r.count > 1 && r.flag[r.count - 1] == kFlagArrival && flag != kFlagDeparture)
    ctx.error("着 の行 「" + r.name[r.count - 1] + "」 の直後に同じ駅の 発 の行がありません");
}

void parse_stations(const std::string& content, RawData& raw, std::array<Rows, 3>& rows, Ctx& ctx) {
  int dir = 0;
  int explicit_count = -1;
  std::array<int, 3> first_line{};
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    long long v = 0;
    if (keyword(t, "direction")) {
      if (t.size() == 2 && int_in(ctx, t[1].text, 1, 2, "方向", v)) {
        dir = static_cast<int>(v);
        if (rows[dir].count > 0) ctx.error("方向 " + t[1].text + " が 2 回あります");
        first_line[dir] = ctx.line;
      } else if (t.size() != 2) {
        ctx.error("「direction 1」 または 「direction 2」 と書いてください");
      }
      return;
    }
    if (keyword(t, "station-count")) {
      if (t.size() == 2 && int_in(ctx, t[1].text, 0, kMaxSinStations, "駅数", v))
        explicit_count = static_cast<int>(v);
      else if (t.size() != 2)
        ctx.error("「station-count N」 と書いてください");
      return;
    }
    if (dir == 0) {
      ctx.error("駅の行の前に 「direction 1」 が必要です");
      return;
    }
    parse_station_row(t, dir, rows[dir], ctx);
  });
  for (int d = 1; d <= 2; ++d) {
    const Rows& r = rows[d];
    if (r.count > 0 && r.flag[r.count] == kFlagArrival) {
      ctx.line = 0;
      ctx.error("方向 " + std::to_string(d) + " の最後の行が 着 の行です (発 の行が必要です)");
    }
  }
  ctx.line = 0;
  if (explicit_count >= 0) {
    raw.sin_station_count = explicit_count;
  } else {
    if (rows[1].count != rows[2].count)
      ctx.error("方向 1 (" + std::to_string(rows[1].count) + " 行) と方向 2 (" +
                std::to_string(rows[2].count) +
                " 行) の行数が違います (station-count で駅数を指定できます)");
    raw.sin_station_count = rows[1].count;
  }
  for (int d = 1; d <= 2; ++d) {
    raw.sin[d].station = rows[d].name;
    raw.sin[d].flag = rows[d].flag;
  }
}

bool car_ok(int edition, const std::string& c) {
  if (edition == 1)
    return c == "N" || c == "G" || c == "W" || c == "N5" || c == "N7" || c == "F" || c == "RS";
  return c == "M";
}

// "train ID [day N] [car C]": a new Shinkansen train; false (after the error) when the
// line is refused.
bool parse_train_line(const std::vector<Token>& t, int edition, std::vector<RawSinTrain>& trains,
                      Ctx& ctx) {
  if (t.size() < 2 || t.size() % 2 != 0)
    return ctx.error("「train ID [day N] [car C]」 の形ではありません");
  RawSinTrain tr;
  tr.id = t[1].text;
  if (text::trim(tr.id).empty()) return ctx.error("列車番号が空白です");
  if (!fixed_ok(ctx, tr.id, 4, "列車番号")) return false;
  for (std::size_t i = 2; i + 1 < t.size(); i += 2) {
    long long v = 0;
    if (t[i].text == "day") {
      if (!int_in(ctx, t[i + 1].text, 0, 255, "運転日コード", v)) return false;
      tr.op_day = static_cast<std::uint8_t>(v);
    } else if (t[i].text == "car") {
      if (!car_ok(edition, t[i + 1].text))
        return ctx.error("車両型 「" + t[i + 1].text + "」 はこの版では使えません" +
                         (edition == 1 ? " (N G W N5 N7 F RS)" : " (M)"));
      tr.car_type = t[i + 1].text;
    } else {
      return ctx.error("「" + t[i].text + "」 は day / car ではありません");
    }
  }
  if (trains.size() == static_cast<std::size_t>(kMaxSinTrains))
    return ctx.error("列車が 250 本を超えています");
  trains.push_back(std::move(tr));
  return true;
}

// "駅 時刻" or "駅 着時刻 発時刻": a stop of the current train.
void parse_stop_line(const std::vector<Token>& t, RawSinTrain& tr, const Rows& rows, Ctx& ctx) {
  if (t.size() < 2 || t.size() > 3) {
    ctx.error("「駅 時刻」 または 「駅 着時刻 発時刻」 の形ではありません");
    return;
  }
  int pair = 0;
  int s = resolve(ctx, rows, t[0].text, false, false, &pair);
  if (s < 0) return;
  auto set = [&](int row, const std::string& tm) {
    std::int32_t v = 0;
    if (!parse_time(ctx, tm, v)) return;
    if (tr.time[row] != 0) {
      ctx.error("列車 " + tr.id + " の駅 「" + t[0].text + "」 の時刻が 2 回あります");
      return;
    }
    tr.time[row] = v;
  };
  if (pair) {
    if (t.size() != 3) {
      ctx.error("駅 「" + t[0].text + "」 には着時刻と発時刻の 2 つを書いてください (無い方は -)");
      return;
    }
    set(pair, t[1].text);
    set(pair + 1, t[2].text);
  } else {
    if (t.size() != 2) {
      ctx.error("駅 「" + t[0].text + "」 の時刻は 1 つです");
      return;
    }
    set(s, t[1].text);
  }
}

void parse_trains(const std::string& content, int d, RawData& raw, const Rows& rows, Ctx& ctx) {
  auto& trains = raw.sin[d].trains;
  bool in_train = false;
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    if (keyword(t, "train")) {
      in_train = parse_train_line(t, raw.edition, trains, ctx);
      return;
    }
    if (!in_train) {
      if (trains.empty()) ctx.error("停車駅の行の前に 「train ID」 の行が必要です");
      return;
    }
    parse_stop_line(t, trains.back(), rows, ctx);
  });
  raw.sin[d].train_count = static_cast<int>(trains.size());
}

std::int32_t keiyo_id_number(const std::string& id) {
  if (id.size() < 2 || id.size() > 5) return -1;
  char last = id.back();
  if (!((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z'))) return -1;
  std::int32_t x = 0;
  for (std::size_t i = 0; i + 1 < id.size(); ++i) {
    if (id[i] < '0' || id[i] > '9') return -1;
    x = x * 10 + (id[i] - '0');
  }
  return x;
}

// "train ID 時刻…": a Keiyo train with up to 12 times, added to schedule v.
void parse_keiyo_train(const std::vector<Token>& t, int v, RawKeiyoSchedule& sch, Ctx& ctx) {
  if (t.size() < 2 || t.size() > 2 + static_cast<std::size_t>(kKeiyoTimeColumns)) {
    ctx.error("「train ID 時刻…」 (時刻は 12 個まで) の形ではありません");
    return;
  }
  RawKeiyoTrain tr;
  tr.id = t[1].text;
  if (!fixed_ok(ctx, tr.id, 5, "列車番号")) return;
  std::int32_t number = keiyo_id_number(tr.id);
  if (number < 1) {
    ctx.error("列車番号 「" + tr.id + "」 は 1 以上の番号と英字 1 文字です (例 1234A)");
    return;
  }
  // Every one of the 12 fields holds the number, also where the train does not stop.
  if (number >= 8192) {
    ctx.error("列車番号 " + std::to_string(number) + " が 8192 以上です");
    return;
  }
  for (std::size_t i = 2; i < t.size(); ++i) {
    std::int32_t hhmm = 0;
    if (!parse_time(ctx, t[i].text, hhmm)) return;
    if (hhmm + number >= 8192) {
      ctx.error("時刻 " + t[i].text + " と列車番号 " + std::to_string(number) +
                " の和が 8192 以上です");
      return;
    }
    tr.time[i - 1] = hhmm;
  }
  if (sch.trains.size() == static_cast<std::size_t>(kMaxKeiyoTrains)) {
    ctx.error("ダイヤ " + std::to_string(v) + " の列車が 200 本を超えています");
    return;
  }
  sch.trains.push_back(std::move(tr));
}

void parse_keiyo(const std::string& content, RawData& raw, Ctx& ctx) {
  int v = 0;
  std::array<bool, 5> seen{};
  std::array<int, 5> explicit_count{-1, -1, -1, -1, -1};
  std::array<int, 5> names{};
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    long long n = 0;
    if (keyword(t, "schedule")) {
      if (t.size() != 2 || !int_in(ctx, t[1].text, 1, 4, "ダイヤ番号", n)) {
        if (t.size() != 2) ctx.error("「schedule N」 (N = 1..4) と書いてください");
        v = 0;
        return;
      }
      v = static_cast<int>(n);
      if (seen[v]) ctx.error("schedule " + t[1].text + " が 2 回あります");
      seen[v] = true;
      return;
    }
    if (v == 0) {
      ctx.error("行の前に 「schedule N」 が必要です");
      return;
    }
    auto& sch = raw.keiyo[v];
    if (keyword(t, "stations")) {
      if (t.size() - 1 > static_cast<std::size_t>(kKeiyoStations)) {
        ctx.error("駅が 15 を超えています");
        return;
      }
      for (std::size_t i = 1; i < t.size(); ++i) {
        if (!sjis_ok(ctx, t[i].text, "駅名")) return;
        sch.station[i] = t[i].text;
      }
      names[v] = static_cast<int>(t.size()) - 1;
      return;
    }
    if (keyword(t, "station-count")) {
      if (t.size() == 2 && int_in(ctx, t[1].text, 0, kKeiyoStations, "駅数", n))
        explicit_count[v] = static_cast<int>(n);
      else if (t.size() != 2)
        ctx.error("「station-count N」 と書いてください");
      return;
    }
    if (keyword(t, "train")) {
      parse_keiyo_train(t, v, sch, ctx);
      return;
    }
    ctx.error("「" + (t.empty() ? std::string() : t[0].text) +
              "」 は schedule / stations / station-count / train ではありません");
  });
  for (int s = 1; s <= kKeiyoSchedules; ++s) {
    auto& sch = raw.keiyo[s];
    sch.station_count = explicit_count[s] >= 0 ? explicit_count[s] : names[s];
    sch.train_count = static_cast<int>(sch.trains.size());
  }
}

// Appends a row to a fare section unless it already holds `max` rows.
template <class Row>
void add_row(Ctx& ctx, const std::string& section, std::vector<Row>& rows, int max,
             const Row& row) {
  if (rows.size() == static_cast<std::size_t>(max)) {
    ctx.error("[" + section + "] が " + std::to_string(max) + " 行を超えています");
    return;
  }
  rows.push_back(row);
}

// The 16- and 32-bit bounds of the fare fields.
constexpr long long kI16Lo = -32768, kI16Hi = 32767, kI32Lo = INT32_MIN, kI32Hi = INT32_MAX;

// A fare line with lo..hi columns; otherwise an error that shows the line's form.
bool columns(Ctx& ctx, const std::vector<Token>& t, std::size_t lo, std::size_t hi,
             const char* form) {
  if (t.size() >= lo && t.size() <= hi) return true;
  return ctx.error(std::string("列の数が違います: ") + form);
}

// A station of a fare line: its row number (0 allowed), or false after the error.
bool fare_station(Ctx& ctx, const Rows& rows, const Token& token, int& out) {
  out = resolve(ctx, rows, token.text, true, true, nullptr);
  return out >= 0;
}

// "駅 キロ": the kilometres with at most one decimal.
void parse_kilo_row(const std::vector<Token>& t, RawData& raw, const Rows& rows, Ctx& ctx) {
  if (!columns(ctx, t, 2, 2, "駅 キロ")) return;
  RawKilo k;
  if (!fare_station(ctx, rows, t[0], k.station)) return;
  const std::string& km = t[1].text;
  std::size_t dot = km.find('.');
  std::string whole = km.substr(0, dot), frac = dot == std::string::npos ? "0" : km.substr(dot + 1);
  auto w = parse_int(whole);
  auto f = parse_int(frac);
  if (!w || !f || *w < 0 || frac.size() != 1 || whole[0] == '-' || *w > 3355443) {
    ctx.error("キロ 「" + km + "」 は小数 1 桁までの 0 以上の数です");
    return;
  }
  k.tenths = static_cast<std::int32_t>(*w * 10 + *f);
  add_row(ctx, "kilo", raw.kilo, fares::kMaxKiloRows, k);
}

void parse_pair_row(const std::vector<Token>& t, RawData& raw, const Rows& rows, Ctx& ctx) {
  if (!columns(ctx, t, 6, 6, "A B 運賃 特急料金 自由席料金 回数券")) return;
  RawPair p;
  long long fare = 0, express = 0, free_fee = 0, coupon = 0;
  if (!fare_station(ctx, rows, t[0], p.a) || !fare_station(ctx, rows, t[1], p.b) ||
      !int_in(ctx, t[2].text, kI16Lo, kI16Hi, "運賃", fare) ||
      !int_in(ctx, t[3].text, kI16Lo, kI16Hi, "特急料金", express) ||
      !int_in(ctx, t[4].text, 0, kI16Hi, "自由席特急料金", free_fee) ||
      !int_in(ctx, t[5].text, kI32Lo, kI32Hi, "回数券", coupon))
    return;
  p.fare = static_cast<std::int32_t>(fare);
  p.express = static_cast<std::int32_t>(express);
  p.free_fee = static_cast<std::int32_t>(free_fee);
  p.coupon = static_cast<std::int32_t>(coupon);
  add_row(ctx, "pair", raw.pairs, fares::kMaxPairRows, p);
}

void parse_green_row(const std::vector<Token>& t, RawData& raw, Ctx& ctx) {
  if (!columns(ctx, t, 4, 4, "上限キロ グリーン料金 個室2 個室4")) return;
  long long upper = 0, green = 0, room2 = 0, room4 = 0;
  if (!int_in(ctx, t[0].text, 0, kI16Hi, "上限キロ", upper) ||
      !int_in(ctx, t[1].text, kI16Lo, kI16Hi, "グリーン料金", green) ||
      !int_in(ctx, t[2].text, kI16Lo, kI16Hi, "個室料金(2)", room2) ||
      !int_in(ctx, t[3].text, kI16Lo, kI16Hi, "個室料金(4)", room4))
    return;
  add_row(ctx, "green", raw.green, fares::kMaxGreenRows,
          RawGreen{static_cast<std::int32_t>(upper), static_cast<std::int32_t>(green),
                   static_cast<std::int32_t>(room2), static_cast<std::int32_t>(room4)});
}

void parse_ticket_row(const std::vector<Token>& t, RawData& raw, const Rows& rows, Ctx& ctx) {
  if (!columns(ctx, t, 6, 6, "A B 種類 枚数 有効期間 価格")) return;
  RawTicket k;
  long long type = 0, sheets = 0, valid = 0, price = 0;
  if (!fare_station(ctx, rows, t[0], k.a) || !fare_station(ctx, rows, t[1], k.b) ||
      !int_in(ctx, t[2].text, 1, fares::kTicketTypes, "切符の種類", type) ||
      !int_in(ctx, t[3].text, 0, 63, "枚数", sheets) ||
      !int_in(ctx, t[4].text, 0, kI16Hi, "有効期間", valid) ||
      !int_in(ctx, t[5].text, kI32Lo, kI32Hi, "価格", price))
    return;
  k.type = static_cast<int>(type);
  k.sheets = static_cast<int>(sheets);
  k.valid = static_cast<std::int32_t>(valid);
  k.price = static_cast<std::int32_t>(price);
  add_row(ctx, "ticket", raw.tickets, fares::kMaxTicketRows, k);
}

void parse_nozomi_row(const std::vector<Token>& t, RawData& raw, const Rows& rows, Ctx& ctx) {
  if (!columns(ctx, t, 4, 5, "A B のぞみ料金 乗継加算 [予備]")) return;
  if (raw.edition != 1) {
    ctx.error("[nozomi] は 東海道・山陽新幹線 (edition 1) だけに書けます");
    return;
  }
  RawNozomi z;
  long long fee = 0, transfer = 0, spare = 0;
  if (!fare_station(ctx, rows, t[0], z.a) || !fare_station(ctx, rows, t[1], z.b) ||
      !int_in(ctx, t[2].text, kI16Lo, kI16Hi, "のぞみ料金", fee) ||
      !int_in(ctx, t[3].text, kI16Lo, kI16Hi, "乗継加算", transfer) ||
      (t.size() == 5 && !int_in(ctx, t[4].text, kI16Lo, kI16Hi, "予備", spare)))
    return;
  z.fee = static_cast<std::int32_t>(fee);
  z.transfer = static_cast<std::int32_t>(transfer);
  z.spare = static_cast<std::int32_t>(spare);
  add_row(ctx, "nozomi", raw.nozomi, fares::kMaxNozomiRows, z);
}

// A "[section]" heading line: sets `section` (cleared, after an error, for an unknown one).
bool fare_heading(const std::vector<Token>& t, std::string& section, Ctx& ctx) {
  if (!(t.size() == 1 && !t[0].quoted && t[0].text.size() > 2 && t[0].text.front() == '[' &&
        t[0].text.back() == ']'))
    return false;
  section = t[0].text.substr(1, t[0].text.size() - 2);
  if (section != "kilo" && section != "pair" && section != "green" && section != "ticket" &&
      section != "nozomi") {
    ctx.error("[" + section + "] は [kilo] [pair] [green] [ticket] [nozomi] のどれでもありません");
    section.clear();
  }
  return true;
}

void parse_fares(const std::string& content, RawData& raw, const Rows& rows, Ctx& ctx) {
  std::string section;
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<Token> t;
    if (!tokenize(line, t, ctx)) return;
    if (fare_heading(t, section, ctx)) return;
    if (section == "kilo")
      parse_kilo_row(t, raw, rows, ctx);
    else if (section == "pair")
      parse_pair_row(t, raw, rows, ctx);
    else if (section == "green")
      parse_green_row(t, raw, ctx);
    else if (section == "ticket")
      parse_ticket_row(t, raw, rows, ctx);
    else if (section == "nozomi")
      parse_nozomi_row(t, raw, rows, ctx);
    else
      ctx.error("行の前に [kilo] などの見出しが必要です");
  });
}

// Area or district by name (the first of that name) or @N.
int name_ref(Ctx& ctx, const std::string& ref, const std::vector<std::string>& names, int max,
             const char* what) {
  if (ref.size() > 1 && ref[0] == '@') {
    auto n = parse_int(ref.substr(1));
    if (!n || *n < 0 || *n > max) {
      ctx.error(std::string(what) + "番号 「" + ref + "」 が範囲外です");
      return -1;
    }
    return static_cast<int>(*n);
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == ref) return static_cast<int>(i) + 1;
  ctx.error(std::string(what) + " 「" + ref + "」 がありません");
  return -1;
}

void parse_hotels(const std::string& content, RawData& raw, Ctx& ctx) {
  std::vector<std::string> area_names;
  for (const auto& a : raw.areas) area_names.push_back(a.name);
  // A blank phone ("") ends the phones of the file: every later hotel has none either.
  std::string phones_ended_by;
  each_line(ctx, content, [&](const std::string& line) {
    std::vector<std::string> f;
    if (!split_fields(line, f, ctx)) return;
    if (f.size() != 8) {
      ctx.error("項目が " + std::to_string(f.size()) +
                " 個あります (地域|地区|名前|電話|部屋数|交通|部屋代|備考 の 8 個)");
      return;
    }
    RawHotel h;
    h.area = name_ref(ctx, f[0], area_names, kMaxAreas, "地域");
    h.district = name_ref(ctx, f[1], raw.districts, hotels::kMaxDistricts, "地区");
    if (h.area < 0 || h.district < 0) return;
    h.name = f[2];
    h.phone = f[3];
    long long rooms = 0;
    const bool no_phone = text::trim(h.phone).empty();
    if (no_phone) h.phone.clear();
    if (!no_phone && !phones_ended_by.empty()) {
      ctx.error(
          "電話番号があります (「" + phones_ended_by +
          "」 の空白の電話番号で電話番号は終わっています: 後のホテルの電話番号も \"\" にします)");
      return;
    }
    if (no_phone && phones_ended_by.empty()) phones_ended_by = h.name;
    if (!sjis_ok(ctx, h.name, "ホテル名") || !fixed_ok(ctx, h.phone, 12, "電話番号") ||
        !int_in(ctx, f[4], 0, 4095, "部屋数", rooms) || !sjis_ok(ctx, f[5], "交通") ||
        !fixed_ok(ctx, f[6], 8, "部屋代") || !sjis_ok(ctx, f[7], "備考"))
      return;
    h.rooms = static_cast<int>(rooms);
    h.access = f[5];
    h.price = f[6];
    h.remarks = f[7];
    if (raw.hotels.size() == static_cast<std::size_t>(hotels::kMaxHotels)) {
      ctx.error("ホテルが 1000 件を超えています");
      return;
    }
    raw.hotels.push_back(std::move(h));
  });
}

// ---------------------------------------------------------------- writing
bool needs_quotes(const std::string& s) {
  if (s.empty()) return true;
  if (s[0] == '#' || s[0] == '"' || s[0] == '[') return true;
  for (char c : s)
    if (c == ' ' || c == '\t' || c == '"') return true;
  return false;
}

std::string quote(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

// A word of a source line: quoted where it would not read back as one word.
std::string source_word(const std::string& s) { return needs_quotes(s) ? quote(s) : s; }

// A name that is also a keyword of its file must be quoted to stay a name.
std::string name_word(const std::string& s, std::initializer_list<const char*> keywords) {
  for (const char* k : keywords)
    if (s == k) return quote(s);
  return source_word(s);
}

std::string field(const std::string& s) {
  bool q = s.find('|') != std::string::npos || s.find('"') != std::string::npos ||
           (!s.empty() && (s.front() == ' ' || s.back() == ' ' || s.front() == '\t' ||
                           s.back() == '\t' || s.front() == '#'));
  return q ? quote(s) : s;
}

std::string time_word(std::int32_t t) {
  if (t == 0) return "-";
  return text::format_hhmm(t);
}

Rows rows_of(const RawSinDirection& d) {
  Rows r;
  r.name = d.station;
  r.flag = d.flag;
  for (int s = 1; s <= kMaxSinStations; ++s)
    if (!d.station[s].empty() || d.flag[s] != 0) r.count = s;
  return r;
}

// The reference that resolve() maps back to row s.
std::string station_ref(const Rows& r, int s, bool fares) {
  if (s == 0 || s > r.count || r.name[s].empty()) return "@" + std::to_string(s);
  const std::string& name = r.name[s];
  if (name.front() == '@' || name == "-" || name == "train") return "@" + std::to_string(s);
  auto rows = rows_named(r, name);
  if (rows.size() == 1) return source_word(name);
  if (is_pair(r, rows)) {
    if (fares && s == rows[0]) return source_word(name);
    return source_word(name + (s == rows[0] ? "(着)" : "(発)"));
  }
  return "@" + std::to_string(s);
}

std::string write_trains(const RawSinDirection& d, int count) {
  Rows r = rows_of(d);
  std::string out = "# train ID [day CODE] [car CODE], then one line per stop\n";
  for (int i = 0; i < count && i < static_cast<int>(d.trains.size()); ++i) {
    const auto& tr = d.trains[i];
    out += "\ntrain " + source_word(text::trim_right(tr.id));
    if (tr.op_day != 0) out += " day " + std::to_string(tr.op_day);
    if (!tr.car_type.empty()) out += " car " + tr.car_type;
    out += "\n";
    for (int s = 1; s <= kMaxSinStations; ++s) {
      bool pair_row = s < kMaxSinStations && !r.name[s].empty() && r.name[s].front() != '@' &&
                      r.name[s] != "train" && r.name[s] != "-" &&
                      is_pair(r, rows_named(r, r.name[s])) && rows_named(r, r.name[s])[0] == s;
      if (pair_row) {
        if (tr.time[s] != 0 || tr.time[s + 1] != 0)
          out += source_word(r.name[s]) + " " + time_word(tr.time[s]) + " " +
                 time_word(tr.time[s + 1]) + "\n";
        ++s;
        continue;
      }
      if (tr.time[s] == 0) continue;
      out += station_ref(r, s, false) + " " + time_word(tr.time[s]) + "\n";
    }
  }
  return out;
}

std::string area_ref(const std::vector<std::string>& names, int n) {
  if (n >= 1 && n <= static_cast<int>(names.size())) {
    const std::string& name = names[n - 1];
    bool first = true;
    for (int i = 0; i + 1 < n; ++i)
      if (names[i] == name) first = false;
    if (first && !name.empty() && name.front() != '@' && name == text::trim(name))
      return field(name);
  }
  std::string ref = "@";
  ref += std::to_string(n);
  return ref;
}

}  // namespace

std::string SourceError::message() const {
  return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + reason;
}

bool parse_sources(const SourceFiles& files, RawData& raw, std::vector<SourceError>& errors) {
  raw = RawData{};
  std::size_t before = errors.size();
  auto need = [&](const char* name) -> const std::string* {
    const std::string* f = find_file(files, name);
    if (!f) errors.push_back({name, 0, "ファイルがありません"});
    return f;
  };
  const std::string* edition = need("edition.txt");
  const std::string* areas = need("areas.txt");
  const std::string* districts = need("districts.txt");
  const std::string* stations = need("stations.txt");
  const std::string* down = need("trains-down.txt");
  const std::string* up = need("trains-up.txt");
  const std::string* fares = need("fares.txt");
  if (errors.size() > before) return false;
  const std::string* keiyo = find_file(files, "keiyo.txt");
  const std::string* hotels = find_file(files, "hotels.txt");

  Ctx c_ed("edition.txt", errors);
  parse_edition(*edition, raw, c_ed);
  Ctx c_ar("areas.txt", errors);
  parse_areas(*areas, raw, c_ar);
  Ctx c_di("districts.txt", errors);
  parse_districts(*districts, raw, c_di);
  std::array<Rows, 3> rows{};
  Ctx c_st("stations.txt", errors);
  parse_stations(*stations, raw, rows, c_st);
  Ctx c_dn("trains-down.txt", errors);
  parse_trains(*down, 1, raw, rows[1], c_dn);
  Ctx c_up("trains-up.txt", errors);
  parse_trains(*up, 2, raw, rows[2], c_up);
  if (keiyo) {
    Ctx c_ke("keiyo.txt", errors);
    parse_keiyo(*keiyo, raw, c_ke);
  }
  Ctx c_fa("fares.txt", errors);
  parse_fares(*fares, raw, rows[1], c_fa);
  if (hotels) {
    Ctx c_ho("hotels.txt", errors);
    parse_hotels(*hotels, raw, c_ho);
  }
  return errors.size() == before;
}

namespace {

// stations.txt: the station count, then each direction's rows with their flags.
std::string write_stations(const RawData& raw) {
  std::string s = "station-count " + std::to_string(raw.sin_station_count) + "\n";
  for (int d = 1; d <= kSinDirections; ++d) {
    Rows r = rows_of(raw.sin[d]);
    s += "\ndirection " + std::to_string(d) + "\n";
    for (int i = 1; i <= r.count; ++i) {
      s += name_word(r.name[i], {"direction", "station-count"});
      if (r.flag[i]) {
        s += ' ';
        s += std::to_string(r.flag[i]);
      }
      s += '\n';
    }
  }
  return s;
}

// keiyo.txt: each schedule that holds anything, with its stations and trains.
std::string write_keiyo(const RawData& raw) {
  std::string s = "# schedule 1..4, stations (up to 15), station-count, train ID and 12 times\n";
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    const auto& sch = raw.keiyo[v];
    int last = 0;
    for (int i = 1; i <= kKeiyoStations; ++i)
      if (!sch.station[i].empty()) last = i;
    if (last == 0 && sch.station_count == 0 && sch.train_count == 0) continue;
    s += "\nschedule " + std::to_string(v) + "\n";
    if (last > 0) {
      s += "stations";
      for (int i = 1; i <= last; ++i) {
        s += ' ';
        s += source_word(sch.station[i]);
      }
      s += "\n";
    }
    s += "station-count " + std::to_string(sch.station_count) + "\n";
    for (int t = 0; t < sch.train_count && t < static_cast<int>(sch.trains.size()); ++t) {
      const auto& tr = sch.trains[t];
      int last_column = 0;
      for (int c = 1; c <= kKeiyoTimeColumns; ++c)
        if (tr.time[c] != 0) last_column = c;
      s += "train " + source_word(text::trim_right(tr.id));
      for (int c = 1; c <= last_column; ++c) {
        s += ' ';
        s += time_word(tr.time[c]);
      }
      s += "\n";
    }
  }
  return s;
}

// fares.txt: the five sections, stations named by their direction-1 rows.
std::string write_fares(const RawData& raw) {
  Rows r1 = rows_of(raw.sin[1]);
  auto ref = [&](int n) { return station_ref(r1, n, true); };
  std::string s = "[kilo]\n# STATION KM\n";
  for (const auto& k : raw.kilo)
    s += ref(k.station) + " " + std::to_string(k.tenths / 10) + "." +
         std::to_string(k.tenths % 10) + "\n";
  s += "\n[pair]\n# A B FARE EXPRESS FREE COUPON\n";
  for (const auto& p : raw.pairs)
    s += ref(p.a) + " " + ref(p.b) + " " + std::to_string(p.fare) + " " +
         std::to_string(p.express) + " " + std::to_string(p.free_fee) + " " +
         std::to_string(p.coupon) + "\n";
  s += "\n[green]\n# UPPER_KM GREEN ROOM2 ROOM4\n";
  for (const auto& g : raw.green)
    s += std::to_string(g.upper) + " " + std::to_string(g.green) + " " + std::to_string(g.room2) +
         " " + std::to_string(g.room4) + "\n";
  s += "\n[ticket]\n# A B TYPE SHEETS VALID PRICE\n";
  for (const auto& t : raw.tickets)
    s += ref(t.a) + " " + ref(t.b) + " " + std::to_string(t.type) + " " + std::to_string(t.sheets) +
         " " + std::to_string(t.valid) + " " + std::to_string(t.price) + "\n";
  if (raw.edition == 1) {
    s += "\n[nozomi]\n# A B FEE TRANSFER SPARE\n";
    for (const auto& z : raw.nozomi)
      s += ref(z.a) + " " + ref(z.b) + " " + std::to_string(z.fee) + " " +
           std::to_string(z.transfer) + " " + std::to_string(z.spare) + "\n";
  }
  return s;
}

// hotels.txt: one hotel a line, fields joined by " | ".
std::string write_hotels(const RawData& raw) {
  std::vector<std::string> area_names;
  for (const auto& a : raw.areas) area_names.push_back(a.name);
  std::string s = "# AREA | DISTRICT | NAME | PHONE | ROOMS | ACCESS | PRICE | REMARKS\n";
  for (const auto& h : raw.hotels) {
    // A hotel without a phone: written "" so that the empty field shows.
    const std::string phone = text::trim_right(h.phone);
    s += area_ref(area_names, h.area) + " | " + area_ref(raw.districts, h.district) + " | " +
         field(h.name) + " | " + (phone.empty() ? std::string("\"\"") : field(phone)) + " | " +
         std::to_string(h.rooms) + " | " + field(h.access) + " | " +
         field(text::trim_right(h.price)) + " | " + field(h.remarks) + "\n";
  }
  return s;
}

}  // namespace

SourceFiles write_sources(const RawData& raw) {
  SourceFiles f;
  f["edition.txt"] = "edition " + std::to_string(raw.edition) + "\n";

  std::string s = "# NAME REGION SECOND\n";
  for (const auto& a : raw.areas)
    s += source_word(a.name) + " " + std::to_string(a.region) + " " + std::to_string(a.second) +
         "\n";
  f["areas.txt"] = s;

  s = "# one district name per line\n";
  for (const auto& d : raw.districts) s += source_word(d) + "\n";
  f["districts.txt"] = s;

  f["stations.txt"] = write_stations(raw);
  f["trains-down.txt"] = write_trains(raw.sin[1], raw.sin[1].train_count);
  f["trains-up.txt"] = write_trains(raw.sin[2], raw.sin[2].train_count);
  f["keiyo.txt"] = write_keiyo(raw);
  f["fares.txt"] = write_fares(raw);
  f["hotels.txt"] = write_hotels(raw);
  return f;
}

bool read_source_dir(const std::string& dir, SourceFiles& files, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    error = dir + ": フォルダがありません";
    return false;
  }
  for (const char* name :
       {"edition.txt", "areas.txt", "districts.txt", "stations.txt", "trains-down.txt",
        "trains-up.txt", "keiyo.txt", "fares.txt", "hotels.txt"}) {
    fs::path p = fs::path(dir) / name;
    if (!fs::exists(p, ec)) continue;
    std::string content;
    if (!settings::read_whole_file(p.string(), settings::kMaxSourceFileBytes, content, error))
      return false;
    files[name] = std::move(content);
  }
  return true;
}

bool write_file_atomic(const std::string& path, const std::string& bytes, std::string& error) {
  return settings::replace_file(path, bytes, error);
}

bool write_source_dir(const std::string& dir, const SourceFiles& files, std::string& error) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    error = settings::file_error("フォルダを作成できません", dir, ec.value());
    return false;
  }
  for (const auto& [name, content] : files)
    if (!write_file_atomic((fs::path(dir) / name).string(), content, error)) return false;
  return true;
}

}  // namespace ravolin::data
