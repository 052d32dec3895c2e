// SPDX-License-Identifier: MIT
#include "search/report.h"

#include "board/board.h"
#include "fares/fare_text.h"
#include "text/text.h"

#include <algorithm>
#include <array>

namespace ravolin::search {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kNoResultEnglish = "No Shinkansen found for these conditions";

std::string date_text(const calendar::SearchDate& date, const Wording& w) {
  return w.english() ? calendar::date_text_ascii(date.day_number, w.language)
                     : text::format_date_jp(date.year, date.month, date.day, date.weekday);
}

// The English name of an edition's corridor; nullptr for an unknown code.
const char* english_corridor(int edition_code) {
  const data::Edition* edition = data::find_edition(edition_code);
  return edition ? edition->english_caption : nullptr;
}

// The two-character mark of a car-type code: the board's one-letter mark and a blank,
// or two blanks for a train without one.
std::string car_mark(std::string_view code) {
  std::string mark(board::car_type_mark(code));
  return mark.empty() ? std::string("  ") : mark + " ";
}

struct Leg {
  const data::SinkansenTables& sin;
  int d;
  const Wording& wording;
  int time(int row, int train) const { return sin.time(d, row, train); }
  const std::string& name(int row) const { return sin.station_name[d][row]; }
  int flag(int row) const { return sin.station_flag[d][row]; }

  // Where a train boarded earlier ends its leg at a transfer made at `row`: the
  // station's arrival row when `row` is a departure row and the train has a time
  // there, else `row` itself (so the leg always gets its end).
  int end_row(int row, int train) const {
    if (flag(row) == data::kFlagDeparture && row > 1 && time(row - 1, train) != 0) return row - 1;
    return row;
  }
  // "東京(06:00発)", in English "Tokyo (dep 06:00)".
  void stop(std::string& out, int row, int train, const char* what) const {
    if (wording.english()) {
      out += wording.place(name(row));
      out += std::string_view(what) == "発" ? " (dep " : " (arr ";
      out += text::format_hhmm(time(row, train));
      out += ")";
      return;
    }
    out += name(row);
    out += "(";
    out += text::format_hhmm(time(row, train));
    out += what;
    out += ")";
  }
};

std::string condition_line(const char* label, const std::string& station, int t1, int t2,
                           bool english = false) {
  std::string s = label;
  s += station;
  s += "   \t";
  s += english ? text::format_hhmm(t1) : text::format_plain(t1);
  s += " -> ";
  s += english ? text::format_hhmm(t2) : text::format_plain(t2);
  s += kCrLf;
  return s;
}

// The entries the report shows, in order: with one connection per train
// (combination_number 1) only the first entry of each first train.
std::vector<int> shown_entries(const data::SinkansenTables& sin, const SearchConditions& cond,
                               const SearchResult& result) {
  std::vector<int> shown;
  const int d = result.direction;
  if (d != 1 && d != 2) return shown;
  std::vector<std::string> used;
  const int count = std::min(result.count, kMaxResults);
  for (int i = 1; i <= count; ++i) {
    if (cond.combination_number == 1) {
      std::string id = text::trim(sin.train_id[d][result.entry(i).first_train]);
      if (std::find(used.begin(), used.end(), id) != used.end()) continue;
      used.push_back(id);
    }
    shown.push_back(i);
  }
  return shown;
}

}  // namespace

std::string Wording::place(const std::string& name) const {
  return names ? names->shown(name, language) : name;
}

const char* sort_order_name(int sort_order, text::Language language) {
  if (language == text::Language::kEnglish) {
    switch (sort_order) {
      case kSortByDeparture:
        return "by departure";
      case kSortByArrival:
        return "by arrival";
      case kSortByRide:
        return "by ride time";
      default:
        return "";
    }
  }
  switch (sort_order) {
    case kSortByDeparture:
      return "発車時刻順";
    case kSortByArrival:
      return "到着時刻順";
    case kSortByRide:
      return "乗車時間順";
    default:
      return "";
  }
}

std::string frame1_caption(const SearchConditions& cond, const calendar::SearchDate& date,
                           int season, const Wording& w) {
  if (w.english()) {
    return w.place(cond.st_station) + " → " + w.place(cond.ed_station) + "  [" +
           date_text(date, w) + fares::season_label(season, w.language) +
           "]  Order: " + sort_order_name(cond.sort_order, w.language);
  }
  std::string s = cond.st_station;
  s += " → ";
  s += cond.ed_station;
  s += "  【";
  s += text::format_date_jp(date.year, date.month, date.day, date.weekday);
  s += fares::season_label(season);
  s += "】";
  s += "　表示順序：";
  s += sort_order_name(cond.sort_order);
  return s;
}

std::string legend_text(int edition_code, text::Language language) {
  if (language == text::Language::kEnglish) {
    if (edition_code == 1)
      return "[N] Nozomi type [n] Nozomi 500 [E] Nozomi 700 [G] Grand Hikari [W] West Hikari "
             "[R] Rail Star";
    if (edition_code == 2 || edition_code == 3)
      return "[M] after the train: all double-decker cars";
    return "";
  }
  if (edition_code == 1)
    return "列車名の[N]:のぞみ型 [n]:のぞみ500系 [E]:のぞみ700系 [G]:ｸﾞﾗﾝﾄﾞひかり "
           "[W]:ｳｴｽﾄひかり [R]:Rail Star";
  if (edition_code == 2 || edition_code == 3)
    return "列車名の[M]は「オール２階建て車両」で運行しています";
  return "";
}

namespace {

// "Hikari 5 G ": the English label of a train, named as the English board names it.
void append_english_label(const data::SinkansenTables& sin, int direction, int train,
                          std::string& line) {
  std::string id = text::trim(sin.train_id[direction][train]);
  if (!id.empty()) {
    std::string_view type = board::train_type_name(id[0], text::Language::kEnglish);
    line += type;
    if (!type.empty()) line += ' ';
    line += board::english_train_number(std::string_view(id).substr(1));
    line += ' ';
  }
  line += car_mark(sin.car_type[direction][train]);
}

// The report's lines of one connection (no line end after the last).
std::string entry_lines(const Leg& leg, const ResultEntry& e, int from, int to) {
  const bool english = leg.wording.english();
  const auto label = [&](int row, int train, std::string& line) {
    if (english)
      append_english_label(leg.sin, leg.d, train, line);
    else
      append_train_label(leg.sin, leg.d, row, train, line);
  };
  const char* arrow = english ? " -> " : "→";
  std::string out = "[";
  out += english ? text::format_plain(e.ride_minutes) : text::format_000(e.ride_minutes);
  out += english ? " min] " : "分]";
  const std::array<int, 3> trains{e.first_train, e.second_train, e.third_train};
  const std::array<int, 2> transfers{e.first_transfer_row, e.second_transfer_row};
  for (std::size_t k = 0; k < 3 && trains[k] != 0; ++k) {
    if (k > 0) {
      out += kCrLf;
      out += k == 1 ? "\t\t" : "\t\t\t";
      out += english ? "~ " : "～ ";
    }
    const int board_row = k == 0 ? from : transfers[k - 1];
    label(board_row, trains[k], out);
    leg.stop(out, board_row, trains[k], "発");
    out += arrow;
    const bool last = k == 2 || trains[k + 1] == 0;
    leg.stop(out, last ? to : leg.end_row(transfers[k], trains[k]), trains[k], "着");
    out += " ";
  }
  return out;
}

}  // namespace

void append_train_label(const data::SinkansenTables& sin, int direction, int /*row*/, int train,
                        std::string& line) {
  std::string id = text::trim(sin.train_id[direction][train]);
  if (!id.empty()) {
    line += board::train_type_name(id[0]);
    line += board::train_number_text(std::string_view(id).substr(1));
  }
  line += car_mark(sin.car_type[direction][train]);
}

int connection_count(const data::SinkansenTables& sin, const SearchConditions& cond,
                     const SearchResult& result) {
  return static_cast<int>(shown_entries(sin, cond, result).size());
}

int entry_at_line(const data::SinkansenTables& sin, const SearchConditions& cond,
                  const SearchResult& result, int line) {
  if (line < 0) return 0;
  int first = 0;  // first text line of the entry
  for (const int i : shown_entries(sin, cond, result)) {
    const ResultEntry& e = result.entry(i);
    const int lines = 1 + (e.second_train != 0) + (e.third_train != 0);
    if (line < first + lines) return i;
    if (line == first + lines) return 0;  // the blank line between entries
    first += lines + 1;
  }
  return 0;
}

std::string edit_data(const data::SinkansenTables& sin, const SearchConditions& cond,
                      const SearchResult& result, const Wording& wording) {
  std::string out;
  const int d = result.direction;
  if (d == 1 || d == 2) {
    const Leg leg{sin, d, wording};
    for (const int i : shown_entries(sin, cond, result)) {
      out += entry_lines(leg, result.entry(i), result.boarding_row, result.alighting_row);
      out += kCrLf;
      out += kCrLf;
    }
  }
  if (out.empty() && wording.english()) {
    out = kNoResultEnglish;
    out += kCrLf;
    out += condition_line("Departure: ", wording.place(cond.st_station), cond.st_time1,
                          cond.st_time2, true);
    out += condition_line("Arrival:   ", wording.place(cond.ed_station), cond.ed_time1,
                          cond.ed_time2, true);
  } else if (out.empty()) {
    out = kNoResultText;
    out += kCrLf;
    out += condition_line("乗車条件：", cond.st_station, cond.st_time1, cond.st_time2);
    out += condition_line("下車条件：", cond.ed_station, cond.ed_time1, cond.ed_time2);
  }
  return out;
}

namespace {

// The printed header in English, its values at the Japanese one's column 24.
std::vector<std::string> english_header(const PrintPage& p) {
  const Wording& w = p.wording;
  const char* corridor = english_corridor(p.edition_code);
  std::vector<std::string> lines;
  lines.push_back(" ");
  lines.push_back(
      "Ravolin & Hotel Guide: " + (corridor ? std::string(corridor) : p.corridor_caption) +
      "  (Version " + p.program_version + ")");
  lines.push_back(std::string(89, '='));
  lines.push_back("  Conditions  From    : " + w.place(text::trim(p.cond.st_station)) +
                  "   To: " + w.place(text::trim(p.cond.ed_station)));
  const std::string indent(14, ' ');
  lines.push_back(indent + "Depart  : " + text::format_hhmm(p.cond.st_time1) + " - " +
                  text::format_hhmm(p.cond.st_time2));
  lines.push_back(indent + "Arrive  : " + text::format_hhmm(p.cond.ed_time1) + " - " +
                  text::format_hhmm(p.cond.ed_time2));
  lines.push_back(
      indent + "Transfer: " + (p.cond.wait_count == 1 ? "up to 1 transfer" : "up to 2 transfers") +
      "   [Wait at most: " + text::format_plain(p.cond.wait_time) + " min]");
  lines.push_back(indent + "Order   : " + sort_order_name(p.cond.sort_order, w.language));
  lines.push_back(indent + "Date    : " + date_text(p.date, w) +
                  fares::season_label(p.season, w.language));
  return lines;
}

// The printed header as the program has always printed it.
void append_japanese_header(const PrintPage& p, std::vector<std::string>& lines) {
  const std::string date_jp =
      text::format_date_jp(p.date.year, p.date.month, p.date.day, p.date.weekday);
  lines.push_back(" ");
  lines.push_back("ラボリン（" + p.corridor_caption + "編）＆ホテル情報　(Version " +
                  p.program_version + ")");
  lines.push_back(std::string(89, '='));
  lines.push_back("　検索条件　　乗車駅　：" + text::trim(p.cond.st_station) + "　下車駅：" +
                  text::trim(p.cond.ed_station));
  lines.push_back("              乗車時間：" + text::format_hhmm(p.cond.st_time1) + " ～ " +
                  text::format_hhmm(p.cond.st_time2));
  lines.push_back("              下車時間：" + text::format_hhmm(p.cond.ed_time1) + " ～ " +
                  text::format_hhmm(p.cond.ed_time2));
  lines.push_back(std::string("　　　　　　　乗換条件：") +
                  (p.cond.wait_count == 1 ? "１回乗り換え" : "２回乗り換え") +
                  "　　［乗り換え時間：" + text::format_plain(p.cond.wait_time) + "分］");
  lines.push_back(std::string("　　　　　　　表示順　：") + sort_order_name(p.cond.sort_order));
  lines.push_back("              日付　　：" + date_jp + fares::season_label(p.season));
}

}  // namespace

std::vector<std::string> print_lines(const PrintPage& p) {
  const std::string rule_eq(89, '=');
  const std::string rule_dash(89, '-');
  std::vector<std::string> lines;
  if (p.wording.english()) {
    lines = english_header(p);
  } else {
    append_japanese_header(p, lines);
  }
  lines.push_back(rule_eq);
  lines.push_back(p.results_text);
  lines.push_back(rule_dash);
  lines.push_back(p.fare_text);
  lines.push_back(rule_eq);
  std::string legend = legend_text(p.edition_code, p.wording.language);
  if (!legend.empty()) lines.push_back(legend);
  return lines;
}

ResultsTexts load_results(const ResultsInput& in, RouteSearch& engine, SearchResult& result,
                          const PendingEvents& pending) {
  auto yield = [&] {
    if (pending) pending();
  };
  ResultsTexts out;
  out.season = fares::fare_season(in.holidays, in.date, in.system_year);
  out.caption = frame1_caption(in.cond, in.date, out.season, in.wording);
  out.legend = legend_text(in.edition_code, in.wording.language);
  yield();
  engine.search(in.sin, in.cond, in.flags, result, pending);
  yield();
  out.report = edit_data(in.sin, in.cond, result, in.wording);
  yield();
  fares::FareJourney journey{in.cond.st_station, in.cond.ed_station, in.date,
                             in.edition_code,    out.season,         in.wording.language,
                             in.wording.names};
  out.fare_text = fares::fare_text(in.fares, in.sin, in.holidays, in.system_year, journey);
  yield();
  return out;
}

}  // namespace ravolin::search
