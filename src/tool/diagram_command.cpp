// SPDX-License-Identifier: MIT
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
#include <vector>

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

// The command line as given: the folder and the options' texts.
struct DiagramArgs {
  std::string dir, date, out, from, to, direction, route;
  std::string width = "1600", height = "1000";
};

// What the options ask for, checked.
struct DiagramRequest {
  calendar::SystemTime noon;  // of the date: the day's calendar flags
  int direction = 0;          // 0 both, 1 down, 2 up
  int from = -1, to = -1;     // minutes of the view, -1: the whole day
  int width = 0, height = 0;
  bool svg = false, pdf = false;  // neither: PNG
};

// Walks DIR and the "--name value" options. Returns 0, or the exit status after the message.
int read_args(const Args& args, DiagramArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* target = nullptr;
    if (a == "--date")
      target = &out.date;
    else if (a == "--from")
      target = &out.from;
    else if (a == "--to")
      target = &out.to;
    else if (a == "--direction")
      target = &out.direction;
    else if (a == "--route")
      target = &out.route;
    else if (a == "--out")
      target = &out.out;
    else if (a == "--width")
      target = &out.width;
    else if (a == "--height")
      target = &out.height;
    else if (a.rfind("--", 0) == 0)
      return bad("unknown option '" + a + "'");
    if (target) {
      if (i + 1 >= args.size()) return bad("option " + a + " needs a value");
      *target = args[++i];
    } else if (out.dir.empty()) {
      out.dir = a;
    } else {
      return bad("unexpected argument '" + a + "'");
    }
  }
  return 0;
}

// Checks the options' values. Returns 0, or the exit status after the message.
int check_args(const DiagramArgs& a, DiagramRequest& r) {
  if (a.dir.empty()) return bad("missing program folder DIR");
  if (a.date.empty()) return bad("missing --date YYYY-MM-DD");
  if (a.out.empty()) return bad("missing --out FILE.svg|.png|.pdf");
  if (!parse_at(a.date + " 12:00", r.noon))
    return bad("--date must be a real date YYYY-MM-DD, not '" + a.date + "'");
  if (a.direction == "down")
    r.direction = 1;
  else if (a.direction == "up")
    r.direction = 2;
  else if (!a.direction.empty())
    return bad("--direction must be down or up");
  r.from = a.from.empty() ? -1 : parse_clock(a.from);
  r.to = a.to.empty() ? -1 : parse_clock(a.to);
  if ((!a.from.empty() && r.from < 0) || (!a.to.empty() && r.to < 0))
    return bad("--from and --to are HH:MM");
  if (r.from >= 0 && r.to >= 0 && r.to <= r.from) return bad("--to must be after --from");
  try {
    r.width = std::stoi(a.width);
    r.height = std::stoi(a.height);
  } catch (...) {
    return bad("--width and --height are numbers of pixels");
  }
  if (r.width < 200 || r.height < 150 || r.width > 20000 || r.height > 20000)
    return bad("--width and --height must be 200..20000 and 150..20000 pixels");
  r.svg = ends_with(a.out, ".svg");
  r.pdf = ends_with(a.out, ".pdf");
  if (!r.svg && !ends_with(a.out, ".png") && !r.pdf)
    return bad("--out must end in .svg, .png or .pdf");
  return 0;
}

// A route's caption as typed: the dash between the ends written "–", "—", "-" or " - ", in
// any case ("Tokyo–Akita", "tokyo-akita", "東京–秋田").
std::string folded_caption(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption.compare(i, 3, "\u2013") == 0 || caption.compare(i, 3, "\u2014") == 0) {
      out += '-';
      i += 2;
    } else if (caption[i] != ' ') {
      const char c = caption[i];
      out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return out;
}

// The route --route names (its number from 1, or its caption in either language as the
// diagram draws it), or the preferred one. Returns 0, or the exit status after the message,
// which lists the routes in the language of the texts.
int choose_route(const std::vector<board::DiagramRoute>& routes, const std::string& asked,
                 const std::string& user_station, text::Language language,
                 const data::PlaceNames& names, int& route) {
  route = board::preferred_route(routes, user_station);
  if (asked.empty()) return 0;
  route = -1;
  const std::string wanted = folded_caption(asked);
  for (std::size_t i = 0; i < routes.size() && route < 0; ++i) {
    const bool named =
        wanted == folded_caption(routes[i].caption) ||
        wanted == folded_caption(board::route_caption(routes[i], text::Language::kEnglish, names));
    if (named || std::to_string(i + 1) == asked) route = static_cast<int>(i);
  }
  if (route >= 0) return 0;
  std::string known;
  for (std::size_t i = 0; i < routes.size(); ++i)
    known += (i ? ", " : "") + std::to_string(i + 1) + " " +
             board::route_caption(routes[i], language, names);
  return bad("--route must be one of: " + known);
}

// Writes the scene as SVG, or through the painter as PNG or PDF. Returns the exit status.
int write_scene(const board::Scene& scene, const std::string& out, const DiagramRequest& r) {
  if (r.svg) {
    std::ofstream file(out, std::ios::binary);
    file << board::scene_to_svg(scene);
    file.close();
    if (!file) {
      std::fprintf(stderr, "ravolin-tool diagram: cannot write %s\n", out.c_str());
      return 1;
    }
    return 0;
  }
  std::string error;
  if (!write_raster(scene, out, r.pdf, error)) {
    std::fprintf(stderr, "ravolin-tool diagram: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int cmd_diagram(const Args& args, text::Language language) {
  DiagramArgs a;
  DiagramRequest r;
  if (int status = read_args(args, a); status != 0) return status;
  if (int status = check_args(a, r); status != 0) return status;

  auto f = std::make_unique<LoadedFolder>();
  if (!open_program_folder("diagram", a.dir, language, *f)) return 1;
  const BoardMoment moment = moment_at(r.noon, f->settings);
  const auto routes = board::diagram_routes(f->data.sin, f->fares);
  if (routes.empty()) {
    std::fprintf(stderr, "ravolin-tool diagram: no station of the timetable has kilometres\n");
    return 1;
  }
  int route = 0;
  if (int status = choose_route(routes, a.route, f->settings.sinkansen_station, language,
                                f->place_names, route);
      status != 0)
    return status;
  const auto trains = board::diagram_trains(f->data.sin, routes[route], moment.flags, r.direction);
  board::DiagramView view = board::whole_day_view(trains, r.width, r.height);
  if (r.from >= 0) view.from_minute = r.from;
  if (r.to >= 0) view.to_minute = r.to;
  if (view.to_minute <= view.from_minute) view.to_minute = view.from_minute + 60;
  const data::PlaceNames& names = f->place_names;
  board::DiagramMarks marks;
  marks.user_station = f->settings.sinkansen_station;
  marks.language = language;
  marks.place_names = &names;
  marks.title = board::route_caption(routes[route], language, names) + "  " + a.date;
  return write_scene(board::layout_diagram(routes[route], trains, view, marks), a.out, r);
}

}  // namespace ravolin::tool
