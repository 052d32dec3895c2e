// SPDX-License-Identifier: MIT
#include "board/full_schedule.h"

#include "board/board.h"
#include "text/text.h"

#include <algorithm>
#include <array>

namespace ravolin::board {
namespace {

constexpr const char* kKeiyoNote = "（注）（　）内は新習志野駅とまり";
// The Keiyo note names the station where the short trains end.
constexpr const char* kKeiyoShortTerminus = "新習志野";

bool is_english(text::Language language) { return language == text::Language::kEnglish; }

const char* edition_note(int edition_code, text::Language language) {
  if (is_english(language)) {
    switch (edition_code) {
      case 1:
        return "Note: plain = Hikari  [ ] = Nozomi  ( ) = Kodama";
      case 2:
        return "Note: plain = Yamabiko  [ ] = Tsubasa  < > = Komachi  ( ) = Nasuno";
      case 3:
        return "Note: plain = Asahi  [ ] = Asama  ( ) = Tanigawa";
      default:
        return "";
    }
  }
  switch (edition_code) {
    case 1:
      return "（注）無印はひかり  [　］はのぞみ　（　）はこだま";
    case 2:
      return "（注）無印はやまびこ  ［　］はつばさ　＜　＞はこまち　（　）はなすの";
    case 3:
      return "（注）無印はあさひ ［　］はあさま　（　）はたにがわ";
    default:
      return "";
  }
}

// Starts a new hour row when the hour changes (or for the first entry).
void start_row_if_needed(std::string& out, int hour, int& previous_hour, bool& first) {
  if (first || hour != previous_hour) {
    if (!out.empty()) out += "\r\n";
    out += text::format_00(hour);
    out += '|';
  }
  first = false;
  previous_hour = hour;
}

// The mark of a train's last stop: the first character of its name as shown.
std::string terminus_mark(const std::string& name, text::Language language,
                          const data::PlaceNames& names) {
  return text::char_left(text::trim(names.shown(text::trim(name), language)), 1);
}

}  // namespace

FullSchedule full_schedule_sinkansen(const data::SinkansenTables& t, const settings::Settings& s,
                                     const calendar::DayFlags& flags, int edition_code,
                                     text::Language language, const data::PlaceNames& names) {
  FullSchedule fs;
  const int d = sinkansen_direction(s);
  fs.caption = sinkansen_caption(d, s, language, names);
  fs.note = edition_note(edition_code, language);
  const int count = std::clamp(t.station_count, 0, data::kMaxSinStations);
  const int j = find_sinkansen_station(t, d, s.sinkansen_station);
  if (j > count) return fs;

  // The whole day may hold every train of the direction, so this list is not cut at
  // the board's candidate limit.
  std::array<int, data::kMaxSinTrains> cand{};
  int n = 0;
  const int trains = std::clamp(t.train_count[d], 0, data::kMaxSinTrains);
  for (int m = 1; m <= trains; ++m) {
    int exclusion = 0;
    exclude_if_not_running(t, d, m, flags, exclusion);
    if (exclusion != 0) continue;
    if (t.time(d, j, m) == 0 || !serves_later_station(t, d, j, m)) continue;
    cand[n++] = m;
  }
  sort_sinkansen(t, d, j, cand.data(), n);

  int previous_hour = 0;
  bool first = true;
  for (int i = 0; i < n; ++i) {
    const int m = cand[i];
    const int tj = t.time(d, j, m);
    start_row_if_needed(fs.text, tj / 100, previous_hour, first);
    for (int c = count; c >= j; --c) {
      int flag = t.station_flag[d][c];
      if ((flag == data::kFlagSingle || flag == data::kFlagArrival) && t.time(d, c, m) != 0) {
        fs.text += terminus_mark(t.station_name[d][c], language, names);
        break;
      }
    }
    const std::string mm = text::format_00(tj % 100);
    const std::string& id = t.train_id[d][m];
    switch (id.empty() ? ' ' : id[0]) {
      case 'H':
      case 'Y':
      case 'A':
        fs.text += " " + mm + "  ";
        break;
      case 'N':
      case 'T':
      case 'S':
        fs.text += "[" + mm + "] ";
        break;
      case 'K':
      case 'O':
      case 'G':
        fs.text += "(" + mm + ") ";
        break;
      case 'M':
        fs.text += "<" + mm + "> ";
        break;
      default:
        break;
    }
  }
  return fs;
}

FullSchedule full_schedule_keiyo(const data::KeiyoTables& t, const settings::Settings& s,
                                 const calendar::DayFlags& flags, text::Language language,
                                 const data::PlaceNames& names) {
  FullSchedule fs;
  const int v = keiyo_schedule(s, flags);
  fs.caption = keiyo_caption(v, s, language, names);
  fs.note = is_english(language)
                ? "Note: ( ) = terminates at " + names.shown(kKeiyoShortTerminus, language)
                : kKeiyoNote;
  const int count = std::clamp(t.station_count[v], 0, data::kKeiyoStations);
  const int j = find_keiyo_station(t, v, s.keiyo_station);
  if (j > count) return fs;

  std::array<int, data::kMaxKeiyoTrains> cand{};
  int n = 0;
  const int trains = std::clamp(t.train_count[v], 0, data::kMaxKeiyoTrains);
  for (int m = 1; m <= trains; ++m) {
    if (t.time(v, j, m) != 0) cand[n++] = m;
  }
  sort_keiyo(t, v, j, cand.data(), n);

  int previous_hour = 0;
  bool first = true;
  for (int i = 0; i < n; ++i) {
    const int m = cand[i];
    const int tj = t.time(v, j, m);
    start_row_if_needed(fs.text, tj / 100, previous_hour, first);
    const bool rapid = is_keiyo_rapid(t.train_id[v][m]);
    if (is_english(language)) {
      fs.text += rapid ? "R " : "  ";
    } else {
      fs.text += rapid ? "快" : "  ";
    }
    const std::string mm = text::format_00(tj % 100);
    if (t.time(v, count, m) != 0) {
      fs.text += " " + mm + " ";
    } else {
      fs.text += "(" + mm + ")";
    }
  }
  return fs;
}

FullSchedule full_schedule(int mode, const data::ScheduleData& data, const settings::Settings& s,
                           const calendar::DayFlags& flags, text::Language language,
                           const data::PlaceNames& names) {
  if (mode == kModeKeiyo) return full_schedule_keiyo(data.keiyo, s, flags, language, names);
  if (mode == kModeSinkansen)
    return full_schedule_sinkansen(data.sin, s, flags, data.edition ? data.edition->code : 0,
                                   language, names);
  return {};
}

}  // namespace ravolin::board
