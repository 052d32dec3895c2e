// SPDX-License-Identifier: MIT
#include "data/plausibility.h"

#include "text/text.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

namespace ravolin::data {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double kEps = 1e-6;

// Operating kilometres of the Keiyo line from 東京.
struct KeiyoKm {
  const char* name;
  double km;
};
constexpr KeiyoKm kKeiyoKm[] = {
    {"東京", 0.0},      {"八丁堀", 1.2},        {"越中島", 2.8},    {"潮見", 5.4},
    {"新木場", 7.4},    {"葛西臨海公園", 10.6}, {"舞浜", 12.7},     {"新浦安", 16.1},
    {"市川塩浜", 18.2}, {"二俣新町", 22.6},     {"南船橋", 26.0},   {"新習志野", 28.3},
    {"海浜幕張", 31.7}, {"検見川浜", 33.7},     {"稲毛海岸", 35.3}, {"千葉みなと", 39.0},
    {"蘇我", 43.0},
};

double minutes_of(std::int32_t hhmm) { return (hhmm / 100) * 60 + hhmm % 100; }

std::string clock(double minutes) {
  int m = static_cast<int>(std::lround(minutes));
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", m / 60, m % 60);
  return buf;
}

// One stop of a train as the file gives it.
struct Stop {
  std::string name;
  int node = -1;
  double km = kNone;
  double arr = kNone;        // arrival (a second time only at a station with two rows)
  double dep = kNone;        // departure
  bool two = false;          // both an arrival and a departure time
  std::int32_t raw_max = 0;  // the largest hhmm written for it
};

// A station on a train's way, stopped at or passed.
struct Point {
  int node = -1;
  std::string name;
  bool stop = false;
  bool two = false;
  bool first = false, last = false;
  double at = 0;      // arrival time, or the time it passes
  double leave = 0;   // departure time, or the time it passes (the arrival at the last stop)
  double window = 0;  // the earliest it may stand there (stops only)
};

struct Train {
  std::string id;
  std::vector<Stop> stops;
  std::vector<Point> route;  // empty when the way between its stops is not known
};

struct Line {
  std::string label;  // "新幹線 下り", "京葉線 平日下り", ...
  double limit = 0;   // km/h
  bool shinkansen = true;
  bool km_known = true;
  std::vector<Train> trains;
  std::vector<std::string> node_name;
  std::vector<double> node_km;
  std::vector<int> parent;  // -1 for a root
};

std::string trimmed(const std::string& s) { return text::trim(s); }

void add(std::vector<Finding>& out, FindingKind kind, std::string s) {
  out.push_back({kind, std::move(s)});
}

// ---------------------------------------------------------------- per-train checks

void check_times(const Line& line, const Train& t, std::vector<Finding>& out) {
  const std::string who = line.label + " " + t.id + ": ";
  for (std::size_t i = 0; i < t.stops.size(); ++i) {
    const Stop& s = t.stops[i];
    if (s.two && s.arr > s.dep)
      add(out, FindingKind::kBackwards,
          who + s.name + " arrives " + clock(s.arr) + " after it departs " + clock(s.dep));
    if (line.shinkansen && s.raw_max > 2400 && (i == 0 || t.stops[i - 1].raw_max <= 2400))
      add(out, FindingKind::kAfterMidnight,
          who + s.name + " " + text::format_hhmm(s.raw_max) + " is after midnight");
    if (i == 0) continue;
    const Stop& p = t.stops[i - 1];
    double run = s.arr - p.dep;
    if (run < 0) {
      add(out, FindingKind::kBackwards,
          who + p.name + " " + clock(p.dep) + " → " + s.name + " " + clock(s.arr) +
              ": the time goes backwards");
      continue;
    }
    if (!line.km_known || std::isnan(p.km) || std::isnan(s.km)) continue;
    double km = std::fabs(s.km - p.km);
    if (km <= 0) continue;
    if (run == 0 || km * 60.0 / run > line.limit + kEps) {
      char buf[160];
      if (run == 0)
        std::snprintf(buf, sizeof buf, ": %.1f km in 0 min (limit %.0f km/h)", km, line.limit);
      else
        std::snprintf(buf, sizeof buf, ": %.1f km in %.0f min = %.0f km/h (limit %.0f km/h)", km,
                      run, km * 60.0 / run, line.limit);
      add(out, FindingKind::kTooFast,
          who + p.name + " " + clock(p.dep) + " → " + s.name + " " + clock(s.arr) + buf);
    }
  }
}

// The stations between two stops, from the station tree of the line: the nodes after
// `from` up to and including `to`; empty when neither lies on the way to the other.
std::vector<int> way(const Line& line, int from, int to) {
  std::vector<int> up;
  for (int n = to; n != -1; n = line.parent[n]) {
    if (n == from) {
      std::vector<int> w(up.rbegin(), up.rend());
      return w;
    }
    up.push_back(n);
  }
  up.clear();
  for (int n = line.parent[from]; n != -1; n = line.parent[n]) {
    up.push_back(n);
    if (n == to) return up;
  }
  return {};
}

void build_route(const Line& line, Train& t) {
  t.route.clear();
  if (t.stops.size() < 2) return;
  for (const Stop& s : t.stops)
    if (s.node < 0) return;
  std::vector<Point> r;
  for (std::size_t i = 0; i < t.stops.size(); ++i) {
    const Stop& s = t.stops[i];
    if (i > 0) {
      const Stop& p = t.stops[i - 1];
      std::vector<int> w = way(line, p.node, s.node);
      if (w.empty()) return;
      double span = std::fabs(line.node_km[s.node] - line.node_km[p.node]);
      for (std::size_t k = 0; k + 1 < w.size(); ++k) {
        int n = w[k];
        double f = span > 0 ? std::fabs(line.node_km[n] - line.node_km[p.node]) / span : 0.0;
        Point q;
        q.node = n;
        q.name = line.node_name[n];
        q.at = q.leave = p.dep + f * (s.arr - p.dep);
        r.push_back(q);
      }
    }
    Point q;
    q.node = s.node;
    q.name = s.name;
    q.stop = true;
    q.two = s.two;
    q.first = i == 0;
    q.last = i + 1 == t.stops.size();
    q.at = s.arr;
    q.leave = q.last ? s.arr : s.dep;
    if (s.two || q.first || q.last) {
      q.window = s.arr;
    } else {
      // a short stop: it cannot have arrived before the line's speed allowed
      const Stop& p = t.stops[i - 1];
      double km = line.km_known ? std::fabs(line.node_km[s.node] - line.node_km[p.node]) : 0.0;
      q.window = std::min(s.dep, p.dep + km * 60.0 / line.limit);
    }
    r.push_back(q);
  }
  t.route = std::move(r);
}

void check_pattern(const Line& line, const Train& t, std::vector<Finding>& out) {
  std::string id = trimmed(t.id);
  if (id.empty() || t.route.empty()) return;
  const char* type = nullptr;
  if (line.shinkansen) {
    if (id[0] == 'K') type = "こだま";
    if (id[0] == 'O') type = "なすの";
  } else if (id.back() != 'A') {
    type = "普通";
  }
  if (!type) return;
  for (const Point& p : t.route)
    if (!p.stop)
      add(out, FindingKind::kStoppingPattern,
          line.label + " " + t.id + " (" + type + ") does not stop at " + p.name);
}

// ---------------------------------------------------------------- overtaking

std::string point_text(const Point& p) { return p.name + (p.stop ? " " : " ~") + clock(p.leave); }

// True when `y` may have passed `x` at point k: x stands there (not its last stop) while
// y passes, or y stops beside it at a station with arrival and departure rows.
bool may_pass_at(const Point& x, const Point& y) {
  if (!x.stop || x.last) return false;
  if (y.stop && !x.two) return false;
  return x.window <= y.at + kEps && y.leave <= x.leave + kEps;
}

void check_pair(const Line& line, const Train& a, const Train& b, std::vector<Finding>& out) {
  // the stations both trains run through, in travel order
  std::map<int, int> in_b;
  for (std::size_t k = 0; k < b.route.size(); ++k) in_b[b.route[k].node] = static_cast<int>(k);
  std::vector<std::pair<int, int>> common;
  for (std::size_t k = 0; k < a.route.size(); ++k) {
    auto it = in_b.find(a.route[k].node);
    if (it == in_b.end()) continue;
    if (!common.empty() && it->second <= common.back().second) return;  // not the same way
    common.push_back({static_cast<int>(k), it->second});
  }
  if (common.size() < 2) return;
  int last_sign = 0;
  std::size_t last_at = 0;
  for (std::size_t j = 0; j < common.size(); ++j) {
    const Point& pa = a.route[common[j].first];
    const Point& pb = b.route[common[j].second];
    double d = pa.leave - pb.leave;
    int sign = d < -kEps ? -1 : d > kEps ? 1 : 0;
    if (sign == 0) continue;
    if (last_sign != 0 && sign != last_sign) {
      // the one ahead before (x) is behind now (overtaken by y)
      bool a_overtaken = last_sign < 0;
      const Train& x = a_overtaken ? a : b;
      const Train& y = a_overtaken ? b : a;
      bool legal = false;
      for (std::size_t k = last_at + 1; k <= j && !legal; ++k) {
        const Point& px = a_overtaken ? a.route[common[k].first] : b.route[common[k].second];
        const Point& py = a_overtaken ? b.route[common[k].second] : a.route[common[k].first];
        legal = may_pass_at(px, py);
      }
      if (!legal) {
        const Point& x0 =
            a_overtaken ? a.route[common[last_at].first] : b.route[common[last_at].second];
        const Point& y0 =
            a_overtaken ? b.route[common[last_at].second] : a.route[common[last_at].first];
        const Point& x1 = a_overtaken ? pa : pb;
        const Point& y1 = a_overtaken ? pb : pa;
        add(out, FindingKind::kOvertaking,
            line.label + " " + y.id + " overtakes " + x.id + " between " + x0.name + " and " +
                x1.name + " on the open line: " + x.id + " " + point_text(x0) + " → " +
                point_text(x1) + ", " + y.id + " " + point_text(y0) + " → " + point_text(y1));
      }
    }
    last_sign = sign;
    last_at = j;
  }
}

// ---------------------------------------------------------------- lines from the file

// The station tree of a line: each station's parent is the nearest station (by
// kilometres, towards 東京) that some train runs through before it.
void build_tree(Line& line) {
  std::size_t n = line.node_name.size();
  line.parent.assign(n, -1);
  for (const Train& t : line.trains) {
    std::vector<int> seq;
    for (const Stop& s : t.stops)
      if (s.node >= 0) seq.push_back(s.node);
    if (seq.size() >= 2 && line.node_km[seq.front()] > line.node_km[seq.back()])
      seq.assign(seq.rbegin(), seq.rend());
    for (std::size_t i = 1; i < seq.size(); ++i) {
      int s = seq[i];
      int best = line.parent[s];
      for (std::size_t j = 0; j < i; ++j) {
        int c = seq[j];
        if (line.node_km[c] >= line.node_km[s]) continue;
        if (best < 0 || line.node_km[c] > line.node_km[best]) best = c;
      }
      line.parent[s] = best;
    }
  }
}

int node_of(Line& line, const std::string& name, double km) {
  for (std::size_t i = 0; i < line.node_name.size(); ++i)
    if (line.node_name[i] == name) return static_cast<int>(i);
  line.node_name.push_back(name);
  line.node_km.push_back(km);
  return static_cast<int>(line.node_name.size() - 1);
}

std::vector<Line> shinkansen_lines(const RawData& raw) {
  std::map<std::string, double> km;
  for (const RawKilo& k : raw.kilo)
    if (k.station >= 1 && k.station <= kMaxSinStations && !raw.sin[1].station[k.station].empty())
      km.emplace(trimmed(raw.sin[1].station[k.station]), k.tenths / 10.0);
  Line proto;
  proto.limit = shinkansen_speed_limit(raw.edition);
  for (const auto& [name, v] : km) node_of(proto, name, v);

  std::vector<Line> lines;
  int rows = std::min(raw.sin_station_count, kMaxSinStations);
  for (int d = 1; d <= kSinDirections; ++d) {
    Line line = proto;
    line.label = d == 1 ? "新幹線 下り" : "新幹線 上り";
    const RawSinDirection& dir = raw.sin[d];
    int count = std::min<int>(dir.train_count, static_cast<int>(dir.trains.size()));
    for (int i = 0; i < count; ++i) {
      const RawSinTrain& rt = dir.trains[i];
      Train t;
      t.id = trimmed(rt.id);
      for (int r = 1; r <= rows; ++r) {
        std::string name = trimmed(dir.station[r]);
        bool pair = dir.flag[r] == kFlagArrival && r < rows && dir.flag[r + 1] == kFlagDeparture &&
                    trimmed(dir.station[r + 1]) == name;
        std::int32_t a = rt.time[r], b = pair ? rt.time[r + 1] : rt.time[r];
        if (pair) ++r;
        if (a == 0 && b == 0) continue;
        Stop s;
        s.name = name;
        auto it = km.find(name);
        if (it != km.end()) {
          s.km = it->second;
          s.node = node_of(line, name, s.km);
        }
        s.two = a != 0 && b != 0 && pair;
        s.arr = minutes_of(a != 0 ? a : b);
        s.dep = minutes_of(b != 0 ? b : a);
        s.raw_max = std::max(a, b);
        t.stops.push_back(s);
      }
      line.trains.push_back(std::move(t));
    }
    lines.push_back(std::move(line));
  }
  // one station tree for both directions
  Line both = proto;
  for (const Line& l : lines)
    for (const Train& t : l.trains) both.trains.push_back(t);
  both.node_name = lines[1].node_name;
  both.node_km = lines[1].node_km;
  build_tree(both);
  for (Line& l : lines) {
    l.node_name = both.node_name;
    l.node_km = both.node_km;
    l.parent = both.parent;
  }
  return lines;
}

std::vector<Line> keiyo_lines(const RawData& raw) {
  static const char* const kLabels[] = {"", "京葉線 平日下り", "京葉線 平日上り", "京葉線 休日下り",
                                        "京葉線 休日上り"};
  std::vector<Line> lines;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    const RawKeiyoSchedule& ks = raw.keiyo[v];
    Line line;
    line.label = kLabels[v];
    line.shinkansen = false;
    line.limit = kKeiyoSpeedLimit;
    int cols = std::min(ks.station_count, kKeiyoTimeColumns);
    std::vector<double> col_km(cols + 1, kNone);
    for (int c = 1; c <= cols; ++c) {
      std::string name = trimmed(ks.station[c]);
      for (const KeiyoKm& k : kKeiyoKm)
        if (name == k.name) col_km[c] = k.km;
      if (std::isnan(col_km[c])) line.km_known = false;
    }
    // the columns are the line in travel order: a chain, one node per column
    for (int c = 1; c <= cols; ++c) {
      line.node_name.push_back(trimmed(ks.station[c]));
      line.node_km.push_back(line.km_known ? std::fabs(col_km[c] - col_km[1]) : c);
      line.parent.push_back(c == 1 ? -1 : c - 2);
    }
    int count = std::min<int>(ks.train_count, static_cast<int>(ks.trains.size()));
    for (int i = 0; i < count; ++i) {
      const RawKeiyoTrain& rt = ks.trains[i];
      Train t;
      t.id = trimmed(rt.id);
      for (int c = 1; c <= cols; ++c) {
        if (rt.time[c] == 0) continue;
        Stop s;
        s.name = line.node_name[c - 1];
        s.node = c - 1;
        s.km = line.node_km[c - 1];
        s.arr = s.dep = minutes_of(rt.time[c]);
        s.raw_max = rt.time[c];
        t.stops.push_back(s);
      }
      line.trains.push_back(std::move(t));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void check_line(Line& line, std::vector<Finding>& out) {
  for (Train& t : line.trains) {
    check_times(line, t, out);
    build_route(line, t);
    check_pattern(line, t, out);
  }
  for (std::size_t i = 0; i < line.trains.size(); ++i)
    for (std::size_t j = i + 1; j < line.trains.size(); ++j)
      if (!line.trains[i].route.empty() && !line.trains[j].route.empty())
        check_pair(line, line.trains[i], line.trains[j], out);
}

}  // namespace

double shinkansen_speed_limit(int edition) { return edition == 1 ? 300.0 : 275.0; }

const char* finding_kind_name(FindingKind kind) {
  switch (kind) {
    case FindingKind::kBackwards:
      return "backwards";
    case FindingKind::kTooFast:
      return "speed";
    case FindingKind::kOvertaking:
      return "overtaking";
    case FindingKind::kAfterMidnight:
      return "midnight";
    case FindingKind::kStoppingPattern:
      return "pattern";
  }
  return "?";
}

std::vector<Finding> check_plausibility(const RawData& raw) {
  std::vector<Finding> out;
  for (Line& line : shinkansen_lines(raw)) check_line(line, out);
  for (Line& line : keiyo_lines(raw)) check_line(line, out);
  return out;
}

}  // namespace ravolin::data
