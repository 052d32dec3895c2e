// SPDX-License-Identifier: MIT
#include "search/report.h"

#include "board/board.h"
#include "fares/fare_text.h"
#include "text/text.h"

#include <algorithm>

namespace ravolin::search {

namespace {

constexpr const char* kCrLf = "\r\n";

// The two-character mark of a car-type code: the board's one-letter mark and a blank,
// or two blanks for a train without one.
std::string car_mark(std::string_view code) {
  std::string mark(board::car_type_mark(code));
  return mark.empty() ? std::string("  ") : mark + " ";
}

struct Leg {
  const data::SinkansenTables& sin;
  int d;
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
  void stop(std::string& out, int row, int train, const char* what) const {
    out += name(row);
    out += "(";
    out += text::format_hhmm(time(row, train));
    out += what;
    out += ")";
  }
};

std::string condition_line(const char* label, const std::string& station, int t1, int t2) {
  std::string s = label;
  s += station;
  s += "   \t";
  s += text::format_plain(t1);
  s += " -> ";
  s += text::format_plain(t2);
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

const char* sort_order_name(int sort_order) {
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
                           int season) {
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

std::string legend_text(int edition_code) {
  if (edition_code == 1)
    return "列車名の[N]:のぞみ型 [n]:のぞみ500系 [E]:のぞみ700系 [G]:ｸﾞﾗﾝﾄﾞひかり "
           "[W]:ｳｴｽﾄひかり [R]:Rail Star";
  if (edition_code == 2 || edition_code == 3)
    return "列車名の[M]は「オール２階建て車両」で運行しています";
  return "";
}

void append_train_label(const data::SinkansenTables& sin, int direction, int /*row*/, int train,
                        std::string& line) {
  std::string id = text::trim(sin.train_id[direction][train]);
  if (!id.empty()) {
    line += board::train_type_name(id[0]);
    line += board::train_number_text(std::string_view(id).substr(1));
  }
  line += car_mark(sin.car_type[direction][train]);
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
                      const SearchResult& result) {
  std::string out;
  const int d = result.direction;
  if (d == 1 || d == 2) {
    const Leg leg{sin, d};
    const int from = result.boarding_row;
    const int to = result.alighting_row;
    for (const int i : shown_entries(sin, cond, result)) {
      const ResultEntry& e = result.entry(i);
      std::string line = "[";
      line += text::format_000(e.ride_minutes);
      line += "分]";
      append_train_label(sin, d, from, e.first_train, line);
      leg.stop(line, from, e.first_train, "発");
      line += "→";
      if (e.second_train == 0) {
        leg.stop(line, to, e.first_train, "着");
        line += " ";
        out += line;
      } else {
        leg.stop(line, leg.end_row(e.first_transfer_row, e.first_train), e.first_train, "着");
        line += " ";
        out += line;

        line = kCrLf;
        line += "\t\t～ ";
        append_train_label(sin, d, e.first_transfer_row, e.second_train, line);
        leg.stop(line, e.first_transfer_row, e.second_train, "発");
        line += "→";
        if (e.third_train == 0) {
          leg.stop(line, to, e.second_train, "着");
        } else {
          leg.stop(line, leg.end_row(e.second_transfer_row, e.second_train), e.second_train, "着");
        }
        line += " ";
        out += line;

        if (e.third_train != 0) {
          line = kCrLf;
          line += "\t\t\t～ ";
          append_train_label(sin, d, e.second_transfer_row, e.third_train, line);
          leg.stop(line, e.second_transfer_row, e.third_train, "発");
          line += "→";
          leg.stop(line, to, e.third_train, "着");
          line += " ";
          out += line;
        }
      }
      out += kCrLf;
      out += kCrLf;
    }
  }
  if (out.empty()) {
    out = kNoResultText;
    out += kCrLf;
    out += condition_line("乗車条件：", cond.st_station, cond.st_time1, cond.st_time2);
    out += condition_line("下車条件：", cond.ed_station, cond.ed_time1, cond.ed_time2);
  }
  return out;
}

std::vector<std::string> print_lines(const PrintPage& p) {
  const std::string rule_eq(89, '=');
  const std::string rule_dash(89, '-');
  std::string date_text =
      text::format_date_jp(p.date.year, p.date.month, p.date.day, p.date.weekday);
  std::vector<std::string> lines;
  lines.push_back(" ");
  lines.push_back("ラボリン（" + p.corridor_caption + "編）＆ホテル情報　(Version " +
                  p.program_version + ")");
  lines.push_back(rule_eq);
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
  lines.push_back("              日付　　：" + date_text + fares::season_label(p.season));
  lines.push_back(rule_eq);
  lines.push_back(p.results_text);
  lines.push_back(rule_dash);
  lines.push_back(p.fare_text);
  lines.push_back(rule_eq);
  std::string legend = legend_text(p.edition_code);
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
  out.caption = frame1_caption(in.cond, in.date, out.season);
  out.legend = legend_text(in.edition_code);
  yield();
  engine.search(in.sin, in.cond, in.flags, result, pending);
  yield();
  out.report = edit_data(in.sin, in.cond, result);
  yield();
  fares::FareJourney journey{in.cond.st_station, in.cond.ed_station, in.date, in.edition_code,
                             out.season};
  out.fare_text = fares::fare_text(in.fares, in.sin, in.holidays, in.system_year, journey);
  yield();
  return out;
}

}  // namespace ravolin::search
