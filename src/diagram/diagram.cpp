// SPDX-License-Identifier: MIT
#include "diagram/diagram.h"

#include "board/board.h"
#include "text/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

namespace ravolin::board {

namespace {

constexpr double kLabelSize = 12;
constexpr double kSmallSize = 11;
// How much wider the line of the selected train is drawn than its type's line.
constexpr double kSelectedExtraWidth = 2.4;
constexpr int kLastMinute = 24 * 60 + 90;  // the view never reaches past 25:30

const fares::KiloRow* kilo_of(const fares::FareTables& f, std::string_view name) {
  const int count = std::clamp(f.kilo_count, 0, fares::kMaxKiloRows);
  for (int i = 1; i <= count; ++i)
    if (text::trim(f.kilo_table[i].station_name) == name) return &f.kilo_table[i];
  return nullptr;
}

int station_count(const data::SinkansenTables& t) {
  return std::clamp(t.station_count, 0, data::kMaxSinStations);
}

bool same_station(const data::SinkansenTables& t, int d, int a, int b) {
  const int n = station_count(t);
  if (a < 1 || b < 1 || a > n || b > n) return false;
  return text::trim(t.station_name[d][a]) == text::trim(t.station_name[d][b]);
}

// The time a passenger boards at a row: the departure row's time where the station has one.
int board_time(const data::SinkansenTables& t, int d, int train, int row) {
  if (t.station_flag[d][row] == data::kFlagArrival && same_station(t, d, row, row + 1) &&
      t.time(d, row + 1, train) != 0)
    return t.time(d, row + 1, train);
  if (t.time(d, row, train) != 0) return t.time(d, row, train);
  if (same_station(t, d, row, row - 1)) return t.time(d, row - 1, train);
  return 0;
}

// The time a passenger alights at a row: the arrival row's time where the station has one.
int alight_time(const data::SinkansenTables& t, int d, int train, int row) {
  if (t.station_flag[d][row] == data::kFlagDeparture && same_station(t, d, row, row - 1) &&
      t.time(d, row - 1, train) != 0)
    return t.time(d, row - 1, train);
  if (t.time(d, row, train) != 0) return t.time(d, row, train);
  if (same_station(t, d, row, row + 1)) return t.time(d, row + 1, train);
  return 0;
}

std::string number(double v) {
  char buf[32];
  auto [end, ec] =
      std::to_chars(buf, buf + sizeof buf, std::round(v * 10) / 10, std::chars_format::fixed, 1);
  if (ec != std::errc()) return "0";
  std::string s(buf, end);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  if (s == "-0") s = "0";
  return s;
}

std::string hex(Rgb c) {
  static const char* digits = "0123456789abcdef";
  std::string s = "#";
  for (std::uint8_t v : {c.r, c.g, c.b}) {
    s += digits[v >> 4];
    s += digits[v & 15];
  }
  return s;
}

std::string xml_escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

double segment_distance(double px, double py, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  double u = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
  u = std::clamp(u, 0.0, 1.0);
  const double cx = x0 + u * dx - px, cy = y0 + u * dy - py;
  return std::sqrt(cx * cx + cy * cy);
}

// Legend names of the train types, in the order the legend lists them.
struct TypeEntry {
  char type;
  const char* name;
  const char* english;
};
constexpr TypeEntry kLegendOrder[] = {{'N', "のぞみ", "Nozomi"},  {'H', "ひかり", "Hikari"},
                                      {'K', "こだま", "Kodama"},  {'Y', "やまびこ", "Yamabiko"},
                                      {'M', "こまち", "Komachi"}, {'T', "つばさ", "Tsubasa"},
                                      {'O', "なすの", "Nasuno"},  {'A', "あさひ", "Asahi"},
                                      {'S', "あさま", "Asama"},   {'G', "たにがわ", "Tanigawa"}};

const std::string& shown(const std::string& name, const DiagramMarks& marks) {
  return marks.place_names ? marks.place_names->shown(name, marks.language) : name;
}

bool english(const DiagramMarks& marks) { return marks.language == text::Language::kEnglish; }

}  // namespace

// ---- model ----------------------------------------------------------------------------

int DiagramRoute::index_of(std::string_view name) const {
  for (std::size_t i = 0; i < stations.size(); ++i)
    if (stations[i].name == name) return static_cast<int>(i);
  return -1;
}

std::vector<DiagramRoute> diagram_routes(const data::SinkansenTables& t,
                                         const fares::FareTables& f) {
  // Stations of the down direction in row order (one entry per station), with kilometres.
  std::vector<DiagramStation> order;
  const int n = station_count(t);
  for (int row = 1; row <= n; ++row) {
    const std::string name = text::trim(t.station_name[1][row]);
    if (name.empty()) continue;
    if (!order.empty() && order.back().name == name) {
      order.back().major = true;  // arrival and departure rows of one station
      continue;
    }
    const fares::KiloRow* k = kilo_of(f, name);
    if (!k) continue;
    order.push_back({name, k->kilo, false});
  }

  // Chains of rising kilometres; each later chain is a branch.
  std::vector<std::vector<DiagramStation>> chains;
  for (const auto& s : order) {
    if (chains.empty() || s.km < chains.back().back().km) chains.emplace_back();
    chains.back().push_back(s);
  }

  std::vector<DiagramRoute> routes;
  for (auto& chain : chains) {
    DiagramRoute r;
    if (!routes.empty()) {
      // Join the branch at the last station of an earlier route below its first kilometre.
      int best_route = -1, best_station = -1;
      double best_km = -1;
      for (std::size_t ri = 0; ri < routes.size(); ++ri)
        for (std::size_t si = 0; si < routes[ri].stations.size(); ++si) {
          const double km = routes[ri].stations[si].km;
          if (km < chain.front().km && km > best_km) {
            best_km = km;
            best_route = static_cast<int>(ri);
            best_station = static_cast<int>(si);
          }
        }
      if (best_route >= 0) {
        const auto& base = routes[best_route].stations;
        r.stations.assign(base.begin(), base.begin() + best_station + 1);
        r.stations.back().major = true;  // where the branch leaves
      }
    }
    r.stations.insert(r.stations.end(), chain.begin(), chain.end());
    routes.push_back(std::move(r));
  }
  for (auto& r : routes) {
    if (r.stations.empty()) continue;
    r.stations.front().major = r.stations.back().major = true;
    r.caption = r.stations.front().name + "–" + r.stations.back().name;
  }
  // A branch point is a major station on every route that passes it.
  for (auto& r : routes)
    for (auto& s : r.stations)
      for (const auto& other : routes)
        if (int i = other.index_of(s.name); i >= 0 && other.stations[i].major) s.major = true;
  return routes;
}

int preferred_route(const std::vector<DiagramRoute>& routes, std::string_view station) {
  const std::string name = text::trim(station);
  for (std::size_t i = 0; i < routes.size(); ++i)
    if (!name.empty() && routes[i].index_of(name) >= 0) return static_cast<int>(i);
  int best = routes.empty() ? -1 : 0;
  for (std::size_t i = 1; i < routes.size(); ++i)
    if (routes[i].stations.back().km > routes[best].stations.back().km) best = static_cast<int>(i);
  return best;
}

std::vector<DiagramTrain> diagram_trains(const data::SinkansenTables& t, const DiagramRoute& route,
                                         const calendar::DayFlags& flags, int direction) {
  std::vector<DiagramTrain> out;
  const int n = station_count(t);
  for (int d = 1; d <= data::kSinDirections; ++d) {
    if (direction != 0 && direction != d) continue;
    const int trains = std::clamp(t.train_count[d], 0, data::kMaxSinTrains);
    for (int m = 1; m <= trains; ++m) {
      if (excluded_on_day(t.op_day[d][m], flags)) continue;
      DiagramTrain train;
      train.direction = d;
      train.train = m;
      const std::string id = text::trim(t.train_id[d][m]);
      train.type = id.empty() ? ' ' : id[0];
      train.label = text::trim_right(train_name(t, d, m));
      for (int row = 1; row <= n; ++row) {
        const int hhmm = t.time(d, row, m);
        if (hhmm == 0) continue;
        const int station = route.index_of(text::trim(t.station_name[d][row]));
        if (station < 0) continue;
        train.points.push_back({search::minutes_of(hhmm), station, row});
      }
      if (train.points.size() >= 2) out.push_back(std::move(train));
    }
  }
  return out;
}

NearestStop nearest_stop(const DiagramTrain& train, double minute) {
  NearestStop best;
  double gap = std::numeric_limits<double>::max();
  for (const auto& p : train.points) {
    const double g = std::abs(p.minute - minute);
    if (g < gap) {
      gap = g;
      best = {p.station, p.minute};
    }
  }
  return best;
}

std::string minute_text(int minute) {
  if (minute < 0) minute = 0;
  const int m = minute % 60;
  return std::to_string(minute / 60) + (m < 10 ? ":0" : ":") + std::to_string(m);
}

std::string hover_text(const DiagramTrain& train, const DiagramRoute& route, double minute,
                       text::Language language, const data::PlaceNames* names) {
  const NearestStop stop = nearest_stop(train, minute);
  if (stop.station < 0 || stop.station >= static_cast<int>(route.stations.size()))
    return train.label;
  const std::string& station = route.stations[stop.station].name;
  return train.label + "  " + (names ? names->shown(station, language) : station) + " " +
         minute_text(stop.minute);
}

std::string type_name(char type, text::Language language) {
  for (const auto& e : kLegendOrder)
    if (e.type == type) return language == text::Language::kEnglish ? e.english : e.name;
  return {};
}

std::string route_caption(const DiagramRoute& route, text::Language language,
                          const data::PlaceNames& names) {
  if (route.stations.empty()) return route.caption;
  return names.shown(route.stations.front().name, language) + "–" +
         names.shown(route.stations.back().name, language);
}

// ---- journey ---------------------------------------------------------------------------------

DiagramJourney journey_of(const data::SinkansenTables& t, const search::SearchResult& r, int i) {
  DiagramJourney j;
  if (i < 1 || i > std::min(r.count, search::kMaxResults) || r.direction < 1 || r.direction > 2)
    return j;
  const search::ResultEntry& e = r.entry(i);
  const int d = r.direction;
  const int n = station_count(t);
  const int trains[3] = {e.first_train, e.second_train, e.third_train};
  const int rows[4] = {r.boarding_row, e.first_transfer_row, e.second_transfer_row, 0};
  int from = r.boarding_row;
  for (int k = 0; k < 3 && trains[k] != 0; ++k) {
    const bool last = k == 2 || trains[k + 1] == 0;
    const int to = last ? r.alighting_row : rows[k + 1];
    const int m = trains[k];
    if (m < 1 || m > data::kMaxSinTrains || from < 1 || from > n || to < 1 || to > n) return {};
    const int board = board_time(t, d, m, from), alight = alight_time(t, d, m, to);
    if (board == 0 || alight == 0) return {};  // not a stop of that train: nothing to draw
    JourneyLeg leg;
    leg.train = m;
    leg.from_minute = search::minutes_of(board);
    leg.to_minute = search::minutes_of(alight);
    leg.from_station = text::trim(t.station_name[d][from]);
    leg.to_station = text::trim(t.station_name[d][to]);
    j.legs.push_back(std::move(leg));
    from = to;
  }
  j.direction = d;
  return j;
}

int route_of_journey(const std::vector<DiagramRoute>& routes, const DiagramJourney& j) {
  for (std::size_t i = 0; i < routes.size(); ++i) {
    bool all = !j.legs.empty();
    for (const auto& leg : j.legs)
      all = all && routes[i].index_of(leg.from_station) >= 0 &&
            routes[i].index_of(leg.to_station) >= 0;
    if (all) return static_cast<int>(i);
  }
  return -1;
}

// ---- styles and axes
// ------------------------------------------------------------------------------

TrainStyle train_style(char type, bool dark) {
  // Colours dark enough to read on the white plot (and light enough on the dark one); on
  // each line the fastest kind is drawn wide, the all-stations kind dashed.
  const auto pick = [dark](Rgb light, Rgb on_dark) { return dark ? on_dark : light; };
  const Rgb vermilion = pick({173, 58, 32}, {255, 128, 96});
  const Rgb blue = pick({33, 97, 167}, {96, 164, 255});
  const Rgb green = pick({35, 108, 62}, {96, 200, 120});
  const Rgb rose = pick({178, 44, 100}, {250, 120, 180});
  const Rgb violet = pick({112, 74, 177}, {180, 150, 255});
  const Rgb olive = pick({87, 100, 27}, {190, 205, 90});
  switch (type) {
    case 'N':
      return {vermilion, 2.2, Dash::Solid};  // のぞみ: wide
    case 'H':
      return {blue, 1.2, Dash::Solid};  // ひかり: thin
    case 'K':
      return {green, 1.1, Dash::Dashed};  // こだま: dashed
    case 'Y':
      return {green, 1.2, Dash::Solid};  // やまびこ: thin
    case 'M':
      return {rose, 2.2, Dash::Solid};  // こまち: wide
    case 'T':
      return {violet, 2.2, Dash::Dotted};  // つばさ: wide, dotted
    case 'O':
      return {olive, 1.1, Dash::Dashed};  // なすの: dashed
    case 'A':
      return {blue, 2.2, Dash::Solid};  // あさひ: wide
    case 'S':
      return {violet, 1.2, Dash::Solid};  // あさま: thin
    case 'G':
      return {green, 1.1, Dash::Dashed};  // たにがわ: dashed
    default:
      return {pick({100, 100, 100}, {170, 170, 170}), 1.0, Dash::Solid};
  }
}

const SceneColours& scene_colours(bool dark) {
  static const SceneColours light{
      {250, 249, 246}, {255, 255, 255}, {52, 58, 64},    {103, 109, 115}, {222, 222, 218},
      {238, 238, 234}, {222, 222, 218}, {170, 170, 166}, {173, 181, 189}, {255, 236, 153},
      {169, 85, 0},    {27, 42, 73},    {186, 71, 10},   {206, 45, 45},   0.7};
  static const SceneColours on_dark{
      {30, 32, 36},   {22, 24, 27},    {222, 226, 230}, {170, 178, 186}, {52, 56, 62},
      {38, 41, 46},   {52, 56, 62},    {92, 96, 104},   {88, 94, 102},   {56, 50, 16},
      {255, 190, 90}, {235, 240, 250}, {255, 150, 70},  {255, 110, 110}, 0.7};
  return dark ? on_dark : light;
}

double text_width(std::string_view utf8, double size) {
  double w = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    bool half = c < 0x80;
    if (c == 0xEF && i + 2 < utf8.size()) {
      // U+FF61..U+FF9F, the half-width kana, are half-width too.
      const auto c1 = static_cast<unsigned char>(utf8[i + 1]);
      const auto c2 = static_cast<unsigned char>(utf8[i + 2]);
      const int cp = ((c & 0x0F) << 12) | ((c1 & 0x3F) << 6) | (c2 & 0x3F);
      half = cp >= 0xFF61 && cp <= 0xFF9F;
    } else if (c == 0xE2 && i + 2 < utf8.size()) {
      // The en dash and the arrows of the captions are drawn narrow in a Gothic face too.
      const auto c1 = static_cast<unsigned char>(utf8[i + 1]);
      half = c1 == 0x80;
    }
    w += half ? size / 2 : size;
    i += static_cast<std::size_t>(len);
  }
  return w;
}

double DiagramAxes::x_of(double minute) const {
  return plot_x + (minute - from_minute) / (to_minute - from_minute) * plot_w;
}
double DiagramAxes::y_of(double km) const {
  if (km1 <= km0) return plot_y;
  return plot_y + (km - km0) / (km1 - km0) * plot_h;
}
double DiagramAxes::minute_at(double x) const {
  return from_minute + (x - plot_x) / plot_w * (to_minute - from_minute);
}

DiagramAxes diagram_axes(const DiagramRoute& route, const DiagramView& view,
                         const DiagramMarks& marks) {
  DiagramAxes a;
  double label_w = 0;
  for (const auto& s : route.stations)
    label_w = std::max(label_w, text_width(shown(s.name, marks), kLabelSize));
  a.plot_x = std::max(56.0, label_w + 28);
  a.plot_y = 34;
  a.plot_w = std::max(40.0, view.width - a.plot_x - 18);
  a.plot_h = std::max(40.0, view.height - a.plot_y - 46);
  a.from_minute = view.from_minute;
  a.to_minute = std::max(view.to_minute, view.from_minute + 1);
  if (!route.stations.empty()) {
    a.km0 = route.stations.front().km;
    a.km1 = route.stations.back().km;
  }
  return a;
}

// ---- layout -------------------------------------------------------------------------------------

namespace {

// The plot area, and the band of the user's station across it.
void add_plot_area(Scene& sc, const DiagramAxes& ax, const DiagramRoute& route, int user_index,
                   const SceneColours& c) {
  sc.rects.push_back({ax.plot_x, ax.plot_y, ax.plot_w, ax.plot_h, c.plot, 1.0, false});
  if (user_index >= 0) {
    const double y = ax.y_of(route.stations[user_index].km);
    sc.rects.push_back({ax.plot_x, y - 5, ax.plot_w, 10, c.user_band, c.user_band_opacity, true});
  }
}

// Time grid: hours, and ten minutes where there is room; hour labels above.
void add_time_grid(Scene& sc, const DiagramAxes& ax, const SceneColours& c) {
  const double px_per_minute = ax.plot_w / (ax.to_minute - ax.from_minute);
  const int minor = px_per_minute * 10 >= 14 ? 10 : px_per_minute * 30 >= 14 ? 30 : 60;
  const int label_every = px_per_minute * 60 >= 44 ? 60 : px_per_minute * 120 >= 44 ? 120 : 180;
  const int first = static_cast<int>(std::ceil(ax.from_minute / minor)) * minor;
  for (int m = first; m <= ax.to_minute; m += minor) {
    const double x = ax.x_of(m);
    const bool hour = m % 60 == 0;
    sc.lines.push_back({{x, ax.plot_y, x, ax.plot_y + ax.plot_h},
                        hour ? c.grid : c.grid_minor,
                        1.0,
                        1.0,
                        Dash::Solid,
                        true,
                        -1,
                        true});
    if (hour && m % label_every == 0) {
      const std::string label = px_per_minute * 60 >= 90 ? minute_text(m) : std::to_string(m / 60);
      sc.texts.push_back({x, ax.plot_y - 10, label, kSmallSize, c.ink, Anchor::Middle, false});
    } else if (!hour && px_per_minute * minor >= 40) {
      sc.texts.push_back({x, ax.plot_y - 10, minute_text(m), kSmallSize - 1, c.minor_label,
                          Anchor::Middle, false});
    }
  }
}
// The y of each station's line, and of its label's baseline: labels of close stations
// are spread apart and kept above the bottom of the plot.
struct StationYs {
  std::vector<double> line, label;
};
StationYs station_ys(const DiagramRoute& route, const DiagramAxes& ax) {
  const int n = static_cast<int>(route.stations.size());
  StationYs ys{std::vector<double>(n), std::vector<double>(n)};
  for (int i = 0; i < n; ++i) {
    ys.line[i] = ax.y_of(route.stations[i].km);
    ys.label[i] = ys.line[i] + kLabelSize * 0.35;
  }
  const double gap = kLabelSize + 2;
  for (int i = 1; i < n; ++i) ys.label[i] = std::max(ys.label[i], ys.label[i - 1] + gap);
  const double bottom = ax.plot_y + ax.plot_h + kLabelSize * 0.35;
  if (n > 0 && ys.label[n - 1] > bottom) {
    ys.label[n - 1] = bottom;
    for (int i = n - 2; i >= 0; --i) ys.label[i] = std::min(ys.label[i], ys.label[i + 1] - gap);
  }
  return ys;
}

// Station lines and labels; a thin leader joins a moved label to its line.
void add_stations(Scene& sc, const DiagramAxes& ax, const DiagramRoute& route, const StationYs& ys,
                  int user_index, const DiagramMarks& marks, const SceneColours& c) {
  for (std::size_t i = 0; i < route.stations.size(); ++i) {
    const auto& s = route.stations[i];
    const bool is_user = static_cast<int>(i) == user_index;
    sc.lines.push_back({{ax.plot_x, ys.line[i], ax.plot_x + ax.plot_w, ys.line[i]},
                        s.major ? c.major_station_rule : c.station_rule,
                        s.major ? 1.2 : 1.0,
                        1.0,
                        Dash::Solid,
                        true,
                        -1,
                        true});
    const double moved = ys.label[i] - (ys.line[i] + kLabelSize * 0.35);
    if (std::abs(moved) > 1.5)
      sc.lines.push_back({{ax.plot_x - 12, ys.label[i] - kLabelSize * 0.35, ax.plot_x - 6,
                           ys.label[i] - kLabelSize * 0.35, ax.plot_x, ys.line[i]},
                          c.leader,
                          0.8,
                          1.0,
                          Dash::Solid,
                          false,
                          -1,
                          true});
    sc.texts.push_back({ax.plot_x - 14, ys.label[i], shown(s.name, marks), kLabelSize,
                        is_user ? c.user_ink : c.ink, Anchor::End, s.major || is_user});
  }
}

// Every train inside the view, in its type's style; faint when a journey is drawn over them.
// The selected train goes last, wider and opaque, so it stands over the others.
void add_trains(Scene& sc, const DiagramAxes& ax, const std::vector<DiagramTrain>& trains,
                const StationYs& ys, bool has_journey, int selected, bool dark) {
  std::optional<SceneLine> selected_line;
  for (std::size_t i = 0; i < trains.size(); ++i) {
    const auto& tr = trains[i];
    if (tr.points.back().minute < ax.from_minute - 1 &&
        tr.points.front().minute < ax.from_minute - 1)
      continue;
    if (tr.points.front().minute > ax.to_minute + 1 && tr.points.back().minute > ax.to_minute + 1)
      continue;
    const TrainStyle st = train_style(tr.type, dark);
    SceneLine line{{},      st.color, st.width,           has_journey ? 0.3 : 0.9,
                   st.dash, true,     static_cast<int>(i)};
    line.xy.reserve(tr.points.size() * 2);
    for (const auto& p : tr.points) {
      line.xy.push_back(ax.x_of(p.minute));
      line.xy.push_back(ys.line[p.station]);
    }
    if (static_cast<int>(i) == selected) {
      line.width += kSelectedExtraWidth;
      line.opacity = 1.0;
      selected_line = std::move(line);
    } else {
      sc.lines.push_back(std::move(line));
    }
  }
  if (selected_line) sc.lines.push_back(std::move(*selected_line));
}

// One leg of the journey in bold: the part of its train's line between boarding and alighting.
void add_journey_leg(Scene& sc, const DiagramAxes& ax, const std::vector<DiagramTrain>& trains,
                     const StationYs& ys, int direction, const JourneyLeg& leg, Rgb ink) {
  for (std::size_t i = 0; i < trains.size(); ++i) {
    const auto& tr = trains[i];
    if (tr.direction != direction || tr.train != leg.train) continue;
    SceneLine line{{}, ink, 3.6, 1.0, Dash::Solid, true, static_cast<int>(i)};
    for (const auto& p : tr.points)
      if (p.minute >= leg.from_minute && p.minute <= leg.to_minute) {
        line.xy.push_back(ax.x_of(p.minute));
        line.xy.push_back(ys.line[p.station]);
      }
    if (line.xy.size() >= 4) sc.lines.push_back(std::move(line));
  }
}

// "東京 9:00発" / "Tokyo dep 9:00", "新大阪 11:30着" / "Shin-Osaka arr 11:30".
std::string stop_label(const std::string& station, int minute, bool departs,
                       const DiagramMarks& marks) {
  if (english(marks))
    return shown(station, marks) + (departs ? " dep " : " arr ") + minute_text(minute);
  return station + " " + minute_text(minute) + (departs ? "発" : "着");
}

// "乗換 名古屋 12分" / "Change at Nagoya 12 min".
std::string change_label(const std::string& station, int wait, const DiagramMarks& marks) {
  if (english(marks))
    return "Change at " + shown(station, marks) + " " + std::to_string(wait) + " min";
  return "乗換 " + station + " " + std::to_string(wait) + "分";
}

// The journey: its legs bold, its start and end labelled, its changes marked with the wait.
void add_journey(Scene& sc, const DiagramAxes& ax, const DiagramRoute& route,
                 const std::vector<DiagramTrain>& trains, const StationYs& ys,
                 const DiagramMarks& marks, const SceneColours& c) {
  const DiagramJourney& j = *marks.journey;
  for (std::size_t k = 0; k < j.legs.size(); ++k) {
    const auto& leg = j.legs[k];
    add_journey_leg(sc, ax, trains, ys, j.direction, leg, c.journey_ink);
    const int from = route.index_of(leg.from_station);
    // Start and end labels on the side away from the line: left of the start, right of
    // the end, below a top station and above a bottom one.
    const bool down = j.direction == 1;
    if (k == 0 && from >= 0)
      sc.texts.push_back({ax.x_of(leg.from_minute) - 6, ys.line[from] + (down ? 15 : -7),
                          stop_label(leg.from_station, leg.from_minute, true, marks), kSmallSize,
                          c.journey_ink, Anchor::End, true, true});
    const int to = route.index_of(leg.to_station);
    if (k + 1 == j.legs.size() && to >= 0)
      sc.texts.push_back({ax.x_of(leg.to_minute) + 6, ys.line[to] + (down ? -7 : 15),
                          stop_label(leg.to_station, leg.to_minute, false, marks), kSmallSize,
                          c.journey_ink, Anchor::Start, true, true});
    if (k + 1 < j.legs.size() && to >= 0) {
      const int wait = j.legs[k + 1].from_minute - leg.to_minute;
      const double x0 = ax.x_of(leg.to_minute), x1 = ax.x_of(j.legs[k + 1].from_minute);
      sc.lines.push_back(
          {{x0, ys.line[to], x1, ys.line[to]}, c.change_ink, 4.0, 1.0, Dash::Solid, true, -1});
      sc.texts.push_back({x1 + 8, ys.line[to] + (down ? -6 : 14),
                          change_label(leg.to_station, wait, marks), kSmallSize, c.change_ink,
                          Anchor::Start, true, true});
    }
  }
}

// The program clock, when it falls inside the view.
void add_clock(Scene& sc, const DiagramAxes& ax, const DiagramMarks& marks, const SceneColours& c) {
  const int now_minute = marks.now_minute;
  if (now_minute < ax.from_minute || now_minute > ax.to_minute) return;
  const double x = ax.x_of(now_minute);
  sc.lines.push_back(
      {{x, ax.plot_y, x, ax.plot_y + ax.plot_h}, c.clock, 1.6, 1.0, Dash::Solid, true, -1});
  sc.texts.push_back({x + 4, ax.plot_y + ax.plot_h - 6,
                      (english(marks) ? "Now " : "現在 ") + minute_text(now_minute), kSmallSize,
                      c.clock, Anchor::Start, true, true});
}

// Legend of the types drawn along the bottom, and the title at its right end.
void add_legend(Scene& sc, const DiagramAxes& ax, const std::vector<DiagramTrain>& trains,
                double height, const DiagramMarks& marks, const SceneColours& c) {
  std::vector<char> present;
  for (const auto& tr : trains)
    if (std::find(present.begin(), present.end(), tr.type) == present.end())
      present.push_back(tr.type);
  double lx = ax.plot_x;
  const double ly = height - 16;
  for (const auto& e : kLegendOrder) {
    if (std::find(present.begin(), present.end(), e.type) == present.end()) continue;
    const TrainStyle st = train_style(e.type, marks.dark);
    const std::string name = english(marks) ? e.english : e.name;
    sc.lines.push_back(
        {{lx, ly - 4, lx + 26, ly - 4}, st.color, st.width + 0.6, 1.0, st.dash, false, -1});
    sc.texts.push_back({lx + 32, ly, name, kLabelSize, c.ink, Anchor::Start, false});
    lx += 32 + text_width(name, kLabelSize) + 20;
  }
  if (!marks.title.empty())
    sc.texts.push_back(
        {ax.plot_x + ax.plot_w, ly, marks.title, kLabelSize, c.ink, Anchor::End, true});
}

}  // namespace

Scene layout_diagram(const DiagramRoute& route, const std::vector<DiagramTrain>& trains,
                     const DiagramView& view, const DiagramMarks& marks) {
  const SceneColours& c = scene_colours(marks.dark);
  Scene sc;
  sc.width = view.width;
  sc.height = view.height;
  sc.background = c.background;
  const DiagramAxes ax = diagram_axes(route, view, marks);
  sc.plot_x = ax.plot_x;
  sc.plot_y = ax.plot_y;
  sc.plot_w = ax.plot_w;
  sc.plot_h = ax.plot_h;
  const std::string user = text::trim(marks.user_station);
  const int user_index = user.empty() ? -1 : route.index_of(user);
  add_plot_area(sc, ax, route, user_index, c);
  add_time_grid(sc, ax, c);
  const StationYs ys = station_ys(route, ax);
  add_stations(sc, ax, route, ys, user_index, marks, c);
  const bool has_journey = marks.journey && !marks.journey->empty();
  add_trains(sc, ax, trains, ys, has_journey, marks.selected_train, marks.dark);
  if (has_journey) add_journey(sc, ax, route, trains, ys, marks, c);
  add_clock(sc, ax, marks, c);
  add_legend(sc, ax, trains, view.height, marks, c);
  return sc;
}

int hit_train(const Scene& scene, double x, double y, double tolerance) {
  int best = -1;
  double best_d = tolerance;
  for (const auto& line : scene.lines) {
    if (line.train < 0) continue;
    for (std::size_t k = 0; k + 3 < line.xy.size(); k += 2) {
      const double d =
          segment_distance(x, y, line.xy[k], line.xy[k + 1], line.xy[k + 2], line.xy[k + 3]);
      if (d <= best_d) {
        best_d = d;
        best = line.train;
      }
    }
  }
  return best;
}

std::string scene_to_svg(const Scene& sc) {
  std::string s;
  s.reserve(256 * 1024);
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(sc.width) + "\" height=\"" +
       number(sc.height) + "\" viewBox=\"0 0 " + number(sc.width) + " " + number(sc.height) +
       "\">\n";
  s += "<defs><clipPath id=\"plot\"><rect x=\"" + number(sc.plot_x) + "\" y=\"" +
       number(sc.plot_y) + "\" width=\"" + number(sc.plot_w) + "\" height=\"" + number(sc.plot_h) +
       "\"/></clipPath></defs>\n";
  s += "<rect width=\"100%\" height=\"100%\" fill=\"" + hex(sc.background) + "\"/>\n";
  for (const auto& r : sc.rects) {
    s += "<rect x=\"" + number(r.x) + "\" y=\"" + number(r.y) + "\" width=\"" + number(r.w) +
         "\" height=\"" + number(r.h) + "\" fill=\"" + hex(r.fill) + "\"";
    if (r.opacity < 1) s += " fill-opacity=\"" + number(r.opacity * 100) + "%\"";
    if (r.clipped) s += " clip-path=\"url(#plot)\"";
    s += "/>\n";
  }
  for (const auto& l : sc.lines) {
    if (l.xy.size() < 4) continue;
    s += "<polyline fill=\"none\" stroke=\"" + hex(l.color) + "\" stroke-width=\"" +
         number(l.width) + "\" stroke-linejoin=\"round\"";
    if (l.opacity < 1) s += " stroke-opacity=\"" + number(l.opacity * 100) + "%\"";
    if (l.dash == Dash::Dashed) s += " stroke-dasharray=\"6 3\"";
    if (l.dash == Dash::Dotted) s += " stroke-dasharray=\"1.5 2.5\"";
    if (l.clipped) s += " clip-path=\"url(#plot)\"";
    s += " points=\"";
    for (std::size_t k = 0; k + 1 < l.xy.size(); k += 2) {
      if (k) s += ' ';
      s += number(l.xy[k]) + "," + number(l.xy[k + 1]);
    }
    s += "\"/>\n";
  }
  for (const auto& t : sc.texts) {
    s += "<text x=\"" + number(t.x) + "\" y=\"" + number(t.y) + "\" font-size=\"" + number(t.size) +
         "\" font-family=\"IPAGothic, 'MS Gothic', monospace\" fill=\"" + hex(t.color) + "\"";
    if (t.anchor == Anchor::Middle) s += " text-anchor=\"middle\"";
    if (t.anchor == Anchor::End) s += " text-anchor=\"end\"";
    if (t.bold) s += " font-weight=\"bold\"";
    if (t.halo) {
      s += " stroke=\"";
      s += hex(sc.background);
      s += "\" stroke-width=\"3\" paint-order=\"stroke\"";
    }
    s += '>';
    s += xml_escape(t.text);
    s += "</text>\n";
  }
  s += "</svg>\n";
  return s;
}

// ---- view -------------------------------------------------------------------------------------

DiagramView zoom_view(const DiagramView& v, double factor, double around, double min_span) {
  DiagramView out = v;
  const double span = v.to_minute - v.from_minute;
  const double new_span = std::clamp(span * factor, min_span, static_cast<double>(kLastMinute));
  const double ratio = span > 0 ? (around - v.from_minute) / span : 0.5;
  out.from_minute = around - ratio * new_span;
  out.to_minute = out.from_minute + new_span;
  return pan_view(out, 0);
}

DiagramView pan_view(const DiagramView& v, double minutes) {
  DiagramView out = v;
  const double span = v.to_minute - v.from_minute;
  out.from_minute = std::clamp(v.from_minute + minutes, 0.0, kLastMinute - span);
  out.to_minute = out.from_minute + span;
  return out;
}

DiagramView whole_day_view(const std::vector<DiagramTrain>& trains, double width, double height) {
  DiagramView v;
  v.width = width;
  v.height = height;
  int lo = 24 * 60, hi = 0;
  for (const auto& t : trains)
    for (const auto& p : t.points) {
      lo = std::min(lo, p.minute);
      hi = std::max(hi, p.minute);
    }
  if (lo > hi) return v;
  v.from_minute = std::max(0, lo / 60 * 60);
  v.to_minute = std::min(kLastMinute, (hi + 59) / 60 * 60);
  if (v.to_minute - v.from_minute < 60) v.to_minute = v.from_minute + 60;
  return v;
}

}  // namespace ravolin::board
