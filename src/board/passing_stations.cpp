// SPDX-License-Identifier: MIT
#include "board/passing_stations.h"

#include "text/text.h"

#include <algorithm>

namespace ravolin::board {
namespace {

// The language and place names of one text.
struct Wording {
  text::Language language;
  const data::PlaceNames& names;
};

void append_stop(std::string& out, const std::string& name, int hhmm, const Wording& w) {
  if (!out.empty()) out += kStopSeparator;
  out += w.names.shown(name, w.language);
  out += w.language == text::Language::kEnglish ? " (" : "(";
  out += text::format_hhmm(hhmm);
  out += ')';
}

// The train on 0-based line `index`, or 0 when that line carries none.
template <std::size_t N>
int train_of_line(const std::array<int, N>& row_map, int index) {
  if (index < 0 || static_cast<std::size_t>(index) + 1 >= N) return 0;
  return row_map[static_cast<std::size_t>(index) + 1];
}

}  // namespace

std::string passing_stations_sinkansen(const data::SinkansenTables& t, const SinkansenBoard& b,
                                       int index, text::Language language,
                                       const data::PlaceNames& names) {
  return passing_stations_of_train(t, b.context.direction, train_of_line(b.row_map, index),
                                   b.context.station, language, names);
}

std::string passing_stations_of_train(const data::SinkansenTables& t, int d, int m, int j,
                                      text::Language language, const data::PlaceNames& names) {
  const Wording w{language, names};
  std::string out;
  const int count = std::clamp(t.station_count, 0, data::kMaxSinStations);
  if (m < 1 || m > data::kMaxSinTrains || d < 1 || d > 2 || j < 1 || j > count) return out;

  if (t.station_flag[d][j] == data::kFlagDeparture)
    append_stop(out, t.station_name[d][j], t.time(d, j, m), w);
  for (int c = j; c <= count; ++c) {
    int flag = t.station_flag[d][c];
    // A train's first stop at a station with two rows has its time on the departure row.
    const bool first_departure = flag == data::kFlagDeparture && c > j && out.empty();
    if ((flag == data::kFlagSingle || flag == data::kFlagArrival || first_departure) &&
        t.time(d, c, m) != 0)
      append_stop(out, t.station_name[d][c], t.time(d, c, m), w);
  }
  out += car_type_note(t.car_type[d][m], language);
  return out;
}

std::string passing_stations_keiyo(const data::KeiyoTables& t, const KeiyoBoard& b, int index,
                                   text::Language language, const data::PlaceNames& names) {
  const Wording w{language, names};
  std::string out;
  const int m = train_of_line(b.row_map, index);
  const int v = b.context.schedule;
  const int j = b.context.station;
  if (m < 1 || m > data::kMaxKeiyoTrains || v < 1 || v > data::kKeiyoSchedules) return out;
  const int count = std::clamp(t.station_count[v], 0, data::kKeiyoStations);
  if (j < 1 || j > count) return out;

  for (int c = j; c <= count; ++c) {
    if (t.time(v, c, m) != 0) append_stop(out, t.station_name[v][c], t.time(v, c, m), w);
  }
  return out;
}

std::string passing_stations(int mode, const data::ScheduleData& data, const SinkansenBoard& sin,
                             const KeiyoBoard& keiyo, int index, text::Language language,
                             const data::PlaceNames& names) {
  if (mode == kModeKeiyo) return passing_stations_keiyo(data.keiyo, keiyo, index, language, names);
  if (mode == kModeSinkansen)
    return passing_stations_sinkansen(data.sin, sin, index, language, names);
  return {};
}

}  // namespace ravolin::board
