// SPDX-License-Identifier: MIT
#include "board/board.h"

#include "text/print_columns.h"
#include "text/text.h"

#include <algorithm>
#include <utility>

namespace ravolin::board {
namespace {

// Station rows a list may look at: the tables' own count, kept inside the arrays.
int sin_station_count(const data::SinkansenTables& t) {
  return std::clamp(t.station_count, 0, data::kMaxSinStations);
}
int sin_train_count(const data::SinkansenTables& t, int d) {
  return std::clamp(t.train_count[d], 0, data::kMaxSinTrains);
}
int keiyo_station_count(const data::KeiyoTables& t, int v) {
  return std::clamp(t.station_count[v], 0, data::kKeiyoStations);
}
int keiyo_train_count(const data::KeiyoTables& t, int v) {
  return std::clamp(t.train_count[v], 0, data::kMaxKeiyoTrains);
}

bool is_english(text::Language language) { return language == text::Language::kEnglish; }

// Appends "ｈｈ：ｍｍ" (full-width) for an hhmm time; in English "hh:mm".
void append_full_width_time(std::string& out, int hhmm,
                            text::Language language = text::Language::kJapanese) {
  out +=
      is_english(language) ? text::format_hhmm(hhmm) : text::to_full_width(text::format_hhmm(hhmm));
}

// The station of a setting as the caption shows it.
std::string caption_station(const std::string& setting, text::Language language,
                            const data::PlaceNames& names) {
  return names.shown(text::trim(setting), language);
}

// Reuses the list's line strings from the previous rebuild, so a refresh allocates
// only when a line grows beyond what it held before.
class LineWriter {
 public:
  explicit LineWriter(std::vector<std::string>& lines) : lines_(lines) {}
  std::string& next() {
    if (n_ < lines_.size()) {
      lines_[n_].clear();
    } else {
      lines_.emplace_back();
    }
    return lines_[n_++];
  }
  std::size_t count() const { return n_; }
  void finish() { lines_.resize(n_); }

 private:
  std::vector<std::string>& lines_;
  std::size_t n_ = 0;
};

template <std::size_t N>
void clear_row_map_from(std::array<int, N>& map, int first) {
  for (std::size_t r = static_cast<std::size_t>(std::max(first, 1)); r < N; ++r) map[r] = 0;
}

}  // namespace

Thresholds compute_thresholds(int hour, int minute, int normal_minutes, int hurry_minutes) {
  Thresholds th;
  th.window_end = (hour + 2) * 100 + minute;
  auto arrival = [&](int minutes, int& arrival_hour) {
    int s = minute + minutes;
    if (s >= 60) {
      arrival_hour = hour + s / 60;
      return arrival_hour * 100 + (s - 60 * (s / 60));
    }
    arrival_hour = hour;
    return hour * 100 + s;
  };
  int unused_hour = 0;
  th.normal_arrival = arrival(normal_minutes, unused_hour);
  th.hurry_arrival = arrival(hurry_minutes, th.hurry_hour);
  return th;
}

void clock_hour_minute(double program_time, int& hour, int& minute) {
  int second = 0;
  calendar::split_time_of_day(program_time, hour, minute, second);
}

int sinkansen_direction(const settings::Settings& s) { return s.sinkansen_flg == 1 ? 1 : 2; }

int keiyo_schedule(const settings::Settings& s, const calendar::DayFlags& flags) {
  bool down = s.keiyo_flg == 1;
  if (flags.day_off == 0) return down ? 1 : 2;
  return down ? 3 : 4;
}

std::string sinkansen_caption(int direction, const settings::Settings& s, text::Language language,
                              const data::PlaceNames& names) {
  std::string c;
  if (is_english(language)) {
    c = direction == 1 ? "Shinkansen (down)" : "Shinkansen (up)";
  } else {
    c = direction == 1 ? "新幹線（下り）" : "新幹線（上り）";
  }
  c += "  ";
  c += caption_station(s.sinkansen_station, language, names);
  return c;
}

std::string keiyo_caption(int schedule, const settings::Settings& s, text::Language language,
                          const data::PlaceNames& names) {
  static constexpr const char* kCaptions[] = {"", "京葉線（平日下り）", "京葉線（平日上り）",
                                              "京葉線（土休日下り）", "京葉線（土休日上り）"};
  static constexpr const char* kEnglishCaptions[] = {
      "", "Keiyo Line (weekdays, down)", "Keiyo Line (weekdays, up)",
      "Keiyo Line (weekends & holidays, down)", "Keiyo Line (weekends & holidays, up)"};
  const auto& captions = is_english(language) ? kEnglishCaptions : kCaptions;
  std::string c = (schedule >= 1 && schedule <= 4) ? captions[schedule] : "";
  c += "  ";
  c += caption_station(s.keiyo_station, language, names);
  return c;
}

int find_sinkansen_station(const data::SinkansenTables& t, int direction, std::string_view name) {
  int count = sin_station_count(t);
  for (int j = 1; j <= count; ++j) {
    int flag = t.station_flag[direction][j];
    if ((flag == data::kFlagSingle || flag == data::kFlagDeparture) &&
        t.station_name[direction][j] == name)
      return j;
  }
  return count + 1;
}

int find_keiyo_station(const data::KeiyoTables& t, int schedule, std::string_view name) {
  int count = keiyo_station_count(t, schedule);
  for (int j = 1; j <= count; ++j) {
    if (t.station_name[schedule][j] == name) return j;
  }
  return count + 1;
}

bool serves_later_station(const data::SinkansenTables& t, int direction, int station, int train) {
  const int count = sin_station_count(t);
  for (int c = station + 1; c <= count; ++c)
    if (t.time(direction, c, train) != 0) return true;
  return false;
}

bool is_keiyo_rapid(std::string_view train_id) {
  const std::string id = text::trim(train_id);
  return !id.empty() && id.back() == 'A';
}

bool excluded_on_day(int code, const calendar::DayFlags& f) {
  switch (code) {
    case 11:
      return f.day_off == 1;
    case 1:
      return f.sunday_or_holiday == 1;
    case 10:
      return f.plain_saturday == 1;
    case 50:
      return f.weekday != 6;
    case 51:
      return f.sunday_or_holiday != 1 && f.weekday != 6;
    case 70:
      return f.sunday_or_holiday != 1;
    case 170:
      return f.weekday == 1;
    default:
      return false;
  }
}

void exclude_if_not_running(const data::SinkansenTables& t, int direction, int train,
                            const calendar::DayFlags& flags, int& exclusion) {
  if (exclusion != 0) return;
  if (excluded_on_day(t.op_day[direction][train], flags)) exclusion = 1;
}

namespace {
template <typename TimeAt>
void exchange_sort(int* trains, int count, TimeAt time_at) {
  for (int a = 0; a + 1 < count; ++a) {
    for (int b = a + 1; b < count; ++b) {
      if (time_at(trains[a]) > time_at(trains[b])) std::swap(trains[a], trains[b]);
    }
  }
}
}  // namespace

void sort_sinkansen(const data::SinkansenTables& t, int direction, int station, int* trains,
                    int count) {
  exchange_sort(trains, count, [&](int m) { return t.time(direction, station, m); });
}

void sort_keiyo(const data::KeiyoTables& t, int schedule, int station, int* trains, int count) {
  exchange_sort(trains, count, [&](int m) { return t.time(schedule, station, m); });
}

namespace {
std::string_view english_train_type_name(char letter) {
  switch (letter) {
    case 'N':
      return "Nozomi";
    case 'H':
      return "Hikari";
    case 'K':
      return "Kodama";
    case 'Y':
      return "Yamabiko";
    case 'M':
      return "Komachi";
    case 'T':
      return "Tsubasa";
    case 'O':
      return "Nasuno";
    case 'A':
      return "Asahi";
    case 'S':
      return "Asama";
    case 'G':
      return "Tanigawa";
    default:
      return {};
  }
}
}  // namespace

std::string_view train_type_name(char letter, text::Language language) {
  if (is_english(language)) return english_train_type_name(letter);
  switch (letter) {
    case 'N':
      return "のぞみ";
    case 'H':
      return "ひかり";
    case 'K':
      return "こだま";
    case 'Y':
      return "やまびこ";
    case 'M':
      return "こまち";
    case 'T':
      return "つばさ";
    case 'O':
      return "なすの";
    case 'A':
      return "あさひ";
    case 'S':
      return "あさま";
    case 'G':
      return "たにがわ";
    default:
      return {};
  }
}

namespace {
struct CarType {
  std::string_view code, mark, note, english_note;
};
constexpr CarType kCarTypes[] = {
    {"N", "N", "　【のぞみ型車両】", "  [Nozomi type cars]"},
    {"G", "G", "　【グランドひかり】", "  [Grand Hikari]"},
    {"W", "W", "　【ウエストひかり】", "  [West Hikari]"},
    {"N5", "n", "　【のぞみ５００系】", "  [Nozomi, Series 500]"},
    {"N7", "E", "　【のぞみ７００系】", "  [Nozomi, Series 700]"},
    {"F", "F", "　【ファミリひかり】", "  [Family Hikari]"},
    {"RS", "R", "　【Rail Star】", "  [Rail Star]"},
    {"M", "M", "　【オール２階建て車両】", "  [All double-decker cars]"},
};
const CarType* find_car_type(std::string_view code) {
  for (const auto& c : kCarTypes)
    if (c.code == code) return &c;
  return nullptr;
}
}  // namespace

std::string_view car_type_mark(std::string_view code) {
  const CarType* c = find_car_type(code);
  return c ? c->mark : std::string_view{};
}

std::string_view car_type_note(std::string_view code, text::Language language) {
  const CarType* c = find_car_type(code);
  if (!c) return {};
  return is_english(language) ? c->english_note : c->note;
}

std::string train_number_text(std::string_view rest) {
  std::string r = text::trim(rest);
  if (r.empty() || r.size() > 9 ||
      !std::all_of(r.begin(), r.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return r;
  return text::format_000(std::stoi(r));
}

namespace {
void append_train_name(std::string& out, const data::SinkansenTables& t, int d, int m) {
  const std::string& id = t.train_id[d][m];
  if (id.empty()) {
    out += ' ';
    return;
  }
  out += train_type_name(id[0]);
  out += text::to_full_width(train_number_text(std::string_view(id).substr(1)));
  std::string_view mark = car_type_mark(t.car_type[d][m]);
  if (mark.empty()) {
    out += ' ';
  } else {
    out += mark;
  }
}
}  // namespace

std::string train_name(const data::SinkansenTables& t, int direction, int train) {
  std::string s;
  append_train_name(s, t, direction, train);
  return s;
}

namespace {
// Columns of "Yamabiko 123", the longest name with its number: the mark follows them.
constexpr int kEnglishNameColumns = 12;
}  // namespace

std::string english_train_number(std::string_view rest) {
  std::string r = train_number_text(rest);
  if (r.empty() || !std::all_of(r.begin(), r.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return r;
  return std::to_string(std::stoi(r));
}

std::string train_name_english(const data::SinkansenTables& t, int direction, int train) {
  const std::string& id = t.train_id[direction][train];
  std::string s;
  if (!id.empty()) {
    s = train_type_name(id[0], text::Language::kEnglish);
    if (!s.empty()) s += ' ';
    s += english_train_number(std::string_view(id).substr(1));
  }
  const int columns = text::text_columns(s);
  if (columns < kEnglishNameColumns)
    s.append(static_cast<std::size_t>(kEnglishNameColumns - columns), ' ');
  const std::string_view mark =
      id.empty() ? std::string_view{} : car_type_mark(t.car_type[direction][train]);
  s += mark.empty() ? std::string_view(" ") : mark;
  return s;
}

namespace {

// The thresholds of one list at the program clock.
Thresholds thresholds_at(double program_time, int normal_minutes, int hurry_minutes) {
  int hour = 0, minute = 0;
  clock_hour_minute(program_time, hour, minute);
  return compute_thresholds(hour, minute, normal_minutes, hurry_minutes);
}

// "  新大阪 (１３：２０)": the last stop and the arrival time there ("  Shin-Osaka (13:20)").
void append_last_stop(std::string& line, const std::string& name, int hhmm, text::Language language,
                      const data::PlaceNames& names) {
  line += "  ";
  line += names.shown(name, language);
  line += " (";
  append_full_width_time(line, hhmm, language);
  line += ')';
}

// Writes the lines of the ordered candidates into the board, the same way for both
// lines: append_train(line, m) writes the train's part of the line and returns its
// departure time, after which "急げ!!" is added when only hurrying reaches it. Stops after
// `line_limit` lines (0: no limit); an empty list gets the message of the hurry hour.
template <class Board, typename AppendTrain>
void fill_board(Board& out, const int* cand, int n, int line_limit, const Thresholds& th,
                text::Language language, AppendTrain append_train) {
  const bool english = is_english(language);
  LineWriter lines(out.lines);
  int shown = 0;
  for (int i = 0; i < n; ++i) {
    const int m = cand[i];
    std::string& line = lines.next();
    const int departure = append_train(line, m);
    if (departure <= th.normal_arrival) {
      line += "  ";
      line += english ? kHurryMarkEnglish : kHurryMark;
    }
    ++shown;
    out.row_map[static_cast<std::size_t>(shown)] = m;
    if (line_limit != 0 && shown == line_limit) break;
  }
  out.train_lines = shown;
  clear_row_map_from(out.row_map, shown + 1);
  if (shown == 0) {
    if (english) {
      lines.next() = th.hurry_hour <= 6 ? kNotRunningYetEnglish : kServiceEndedEnglish;
    } else {
      lines.next() = th.hurry_hour <= 6 ? kNotRunningYet : kServiceEnded;
    }
  }
  lines.finish();
}

}  // namespace

void edit_sinkansen(const data::SinkansenTables& t, const settings::Settings& s,
                    const calendar::DayFlags& flags, double program_time, SinkansenBoard& out,
                    text::Language language, const data::PlaceNames& names) {
  const int d = sinkansen_direction(s);
  out.caption = sinkansen_caption(d, s, language, names);
  const int count = sin_station_count(t);
  const int j = find_sinkansen_station(t, d, s.sinkansen_station);
  out.context = {d, j};
  const Thresholds th = thresholds_at(program_time, s.sinkansen_hun1, s.sinkansen_hun2);
  const int line_limit = s.sinkansen_hyouji;

  std::array<int, kMaxCandidates> cand{};
  int n = 0;
  if (j <= count) {
    const int trains = sin_train_count(t, d);
    for (int m = 1; m <= trains && n < kMaxCandidates; ++m) {
      const int tj = t.time(d, j, m);
      if (tj == 0 || tj < th.hurry_arrival) continue;
      if (line_limit == 0 && tj >= th.window_end) continue;
      int exclusion = 0;
      exclude_if_not_running(t, d, m, flags, exclusion);
      if (exclusion != 0) continue;
      if (!serves_later_station(t, d, j, m)) continue;
      cand[n++] = m;
    }
  }
  sort_sinkansen(t, d, j, cand.data(), n);

  fill_board(out, cand.data(), n, line_limit, th, language, [&](std::string& line, int m) {
    const int tj = t.time(d, j, m);
    if (is_english(language)) {
      line += train_name_english(t, d, m);
    } else {
      append_train_name(line, t, d, m);
    }
    line += ' ';
    append_full_width_time(line, tj, language);
    int last = 0;
    if (t.time(d, count, m) != 0) {
      last = count;
    } else {
      for (int c = count - 1; c >= j; --c) {
        int flag = t.station_flag[d][c];
        if ((flag == data::kFlagSingle || flag == data::kFlagArrival) && t.time(d, c, m) != 0) {
          last = c;
          break;
        }
      }
    }
    if (last != 0)
      append_last_stop(line, t.station_name[d][last], t.time(d, last, m), language, names);
    return tj;
  });
}

void edit_keiyo(const data::KeiyoTables& t, const settings::Settings& s,
                const calendar::DayFlags& flags, double program_time, KeiyoBoard& out,
                text::Language language, const data::PlaceNames& names) {
  if (s.keiyo_use != 1) return;
  const int v = keiyo_schedule(s, flags);
  out.caption = keiyo_caption(v, s, language, names);
  const int count = keiyo_station_count(t, v);
  const int j = find_keiyo_station(t, v, s.keiyo_station);
  out.context = {v, j};
  const Thresholds th = thresholds_at(program_time, s.keiyo_hun1, s.keiyo_hun2);
  const int line_limit = s.keiyo_hyouji;

  std::array<int, kMaxCandidates> cand{};
  int n = 0;
  if (j <= count) {
    const int trains = keiyo_train_count(t, v);
    for (int m = 1; m <= trains && n < kMaxCandidates; ++m) {
      const int tj = t.time(v, j, m);
      // A train that does not stop here has no time at j and is never a candidate.
      if (tj == 0 || tj < th.hurry_arrival) continue;
      if (line_limit == 0 && tj >= th.window_end) continue;
      cand[n++] = m;
    }
  }
  sort_keiyo(t, v, j, cand.data(), n);

  fill_board(out, cand.data(), n, line_limit, th, language, [&](std::string& line, int m) {
    const int tj = t.time(v, j, m);
    const bool rapid = is_keiyo_rapid(t.train_id[v][m]);
    if (is_english(language)) {
      line += rapid ? "Rapid" : "Local";
    } else {
      line += rapid ? "快速" : "普通";
    }
    line += ' ';
    append_full_width_time(line, tj, language);
    // The train has a time at j, so a last stop is always found.
    int last = j;
    if (t.time(v, count, m) != 0) {
      last = count;
    } else {
      for (int c = count - 1; c >= j; --c) {
        if (t.time(v, c, m) != 0) {
          last = c;
          break;
        }
      }
    }
    append_last_stop(line, t.station_name[v][last], t.time(v, last, m), language, names);
    return tj;
  });
}

}  // namespace ravolin::board
