// diagram: the train diagram of a day as SVG, PNG or PDF, drawn by the same layout as the
// diagram window.
#include "diagram/diagram.h"
#include "tool/commands.h"
#include "tool/diagram_raster.h"
#include "tool/program_folder.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace ravolin::tool {
namespace {

int bad(const std::string& message) {
  std::fprintf(stderr, "ravolin-tool diagram: %s\n", message.c_str());
  return 2;
}

// "HH:MM" with HH up to 25 (the diagram runs past midnight); -1 when malformed.
int parse_clock(const std::string& s) {
  if (s.size() != 5 || s[2] != ':') return -1;
  for (int i : {0, 1, 3, 4})
    if (s[i] < '0' || s[i] > '9') return -1;
  const int h = (s[0] - '0') * 10 + (s[1] - '0');
  const int m = (s[3] - '0') * 10 + (s[4] - '0');
  if (h > 25 || m > 59) return -1;
  return h * 60 + m;
}

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int cmd_diagram(const Args& args) {
  std::string dir, date, out, from_text, to_text, direction_text, route_text;
  std::string width_text = "1600", height_text = "1000";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* target = nullptr;
    if (a == "--date") target = &date;
    else if (a == "--from") target = &from_text;
    else if (a == "--to") target = &to_text;
    else if (a == "--direction") target = &direction_text;
    else if (a == "--route") target = &route_text;
    else if (a == "--out") target = &out;
    else if (a == "--width") target = &width_text;
    else if (a == "--height") target = &height_text;
    else if (a.rfind("--", 0) == 0) return bad("unknown option '" + a + "'");
    if (target) {
      if (i + 1 >= args.size()) return bad("option " + a + " needs a value");
      *target = args[++i];
    } else if (dir.empty()) {
      dir = a;
    } else {
      return bad("unexpected argument '" + a + "'");
    }
  }
  if (dir.empty()) return bad("missing program folder DIR");
  if (date.empty()) return bad("missing --date YYYY-MM-DD");
  if (out.empty()) return bad("missing --out FILE.svg|.png|.pdf");
  calendar::SystemTime noon;
  if (!parse_at(date + " 12:00", noon)) return bad("--date must be a real date YYYY-MM-DD, not '" + date + "'");
  int direction = 0;
  if (direction_text == "down") direction = 1;
  else if (direction_text == "up") direction = 2;
  else if (!direction_text.empty()) return bad("--direction must be down or up");
  const int from = from_text.empty() ? -1 : parse_clock(from_text);
  const int to = to_text.empty() ? -1 : parse_clock(to_text);
  if ((!from_text.empty() && from < 0) || (!to_text.empty() && to < 0))
    return bad("--from and --to are HH:MM");
  if (from >= 0 && to >= 0 && to <= from) return bad("--to must be after --from");
  int width = 0, height = 0;
  try {
    width = std::stoi(width_text);
    height = std::stoi(height_text);
  } catch (...) {
    return bad("--width and --height are numbers of pixels");
  }
  if (width < 200 || height < 150 || width > 20000 || height > 20000)
    return bad("--width and --height must be 200..20000 and 150..20000 pixels");
  const bool svg = ends_with(out, ".svg"), png = ends_with(out, ".png"), pdf = ends_with(out, ".pdf");
  if (!svg && !png && !pdf) return bad("--out must end in .svg, .png or .pdf");

  auto f = std::make_unique<LoadedFolder>();
  std::string error;
  if (!load_program_folder(dir, *f, error)) {
    std::fprintf(stderr, "ravolin-tool diagram: %s\n", error.c_str());
    return 1;
  }
  const BoardMoment moment = moment_at(noon, f->settings);
  const auto routes = board::diagram_routes(f->data.sin, f->fares);
  if (routes.empty()) {
    std::fprintf(stderr, "ravolin-tool diagram: no station of the timetable has kilometres\n");
    return 1;
  }
  int route = board::preferred_route(routes, f->settings.sinkansen_station);
  if (!route_text.empty()) {
    route = -1;
    for (std::size_t i = 0; i < routes.size(); ++i)
      if (routes[i].caption == route_text || std::to_string(i + 1) == route_text)
        route = static_cast<int>(i);
    if (route < 0) {
      std::string known;
      for (std::size_t i = 0; i < routes.size(); ++i)
        known += (i ? ", " : "") + std::to_string(i + 1) + " " + routes[i].caption;
      return bad("--route must be one of: " + known);
    }
  }
  const auto trains = board::diagram_trains(f->data.sin, routes[route], moment.flags, direction);
  board::DiagramView view = board::whole_day_view(trains, width, height);
  if (from >= 0) view.from_minute = from;
  if (to >= 0) view.to_minute = to;
  if (view.to_minute <= view.from_minute) view.to_minute = view.from_minute + 60;
  board::DiagramMarks marks;
  marks.user_station = f->settings.sinkansen_station;
  marks.title = routes[route].caption + "  " + date;
  const board::Scene scene = board::layout_diagram(routes[route], trains, view, marks);

  if (svg) {
    std::ofstream file(out, std::ios::binary);
    file << board::scene_to_svg(scene);
    file.close();
    if (!file) {
      std::fprintf(stderr, "ravolin-tool diagram: cannot write %s\n", out.c_str());
      return 1;
    }
    return 0;
  }
  if (!write_raster(scene, out, pdf, error)) {
    std::fprintf(stderr, "ravolin-tool diagram: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace ravolin::tool
