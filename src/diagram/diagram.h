// SPDX-License-Identifier: MIT
// The train diagram (ダイヤグラム): time of day across, the corridor's stations down at
// their operating kilometres, every Shinkansen train of the day as a line from stop to
// stop. This file builds the model (routes, train lines, a journey to highlight) and lays
// it out as a scene of plain shapes, so the window, the exports and ravolin-tool draw the
// same picture and a test can read every point back.
#pragma once

#include "calendar/dates.h"
#include "data/fare_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "search/engine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravolin::board {

// ---- model ----------------------------------------------------------------------------

struct DiagramStation {
  std::string name;
  double km = 0.0;
  bool major = false;  // a station with separate arrival and departure rows, or a route end
};

// One line through the corridor, its stations in order of kilometres from the first.
// A corridor with branches (山形, 秋田, 長野) has one route per branch end.
struct DiagramRoute {
  std::string caption;  // "東京–新大阪"
  std::vector<DiagramStation> stations;
  // Index of the station of that name, or -1.
  int index_of(std::string_view name) const;
};

// The routes of the Shinkansen tables: the stations of the down direction in row order,
// at the kilometres of the fare section. Where the kilometres fall back, a branch begins;
// it joins the earlier stations at the last one below its first kilometre. Stations
// without kilometres are left out.
std::vector<DiagramRoute> diagram_routes(const data::SinkansenTables& t,
                                         const fares::FareTables& f);
// The route to show first: the first that holds `station` (the user's station), else the
// longest.
int preferred_route(const std::vector<DiagramRoute>& routes, std::string_view station);

struct DiagramPoint {
  int minute = 0;   // minutes from midnight of the service date (past 24:00 stays above 1440)
  int station = 0;  // index into the route's stations
  int row = 0;      // station row of the train's direction
};

struct DiagramTrain {
  int direction = 0;  // 1 down, 2 up
  int train = 0;      // train number in its direction
  char type = ' ';    // first letter of the identifier: 'N' のぞみ, 'K' こだま, ...
  std::string label;  // "のぞみ００１N"
  std::vector<DiagramPoint> points;  // in travel order; two points at a station where it stands
};

// The trains of the day on a route: direction 0 both, 1 down, 2 up. A train that does not
// run on the day or touches the route at fewer than two stops is left out.
std::vector<DiagramTrain> diagram_trains(const data::SinkansenTables& t, const DiagramRoute& route,
                                         const calendar::DayFlags& flags, int direction = 0);

// The minute of a train at a point of its line, interpolated between stops (for hovering):
// nearest stop to `minute`, as station index and its time.
struct NearestStop {
  int station = -1;
  int minute = 0;
};
NearestStop nearest_stop(const DiagramTrain& train, double minute);
// "のぞみ００１N  名古屋 9:34" for the tooltip of a train line.
// The station named in `language` where `names` knows its English form.
std::string hover_text(const DiagramTrain& train, const DiagramRoute& route, double minute,
                       text::Language language = text::Language::kJapanese,
                       const data::PlaceNames* names = nullptr);
// "9:34" (no leading zero, minutes past 24:00 shown as 24:10).
std::string minute_text(int minute);

// ---- a journey of the route search ---------------------------------------------------------

struct JourneyLeg {
  int train = 0;
  int from_minute = 0;  // boards
  int to_minute = 0;    // alights
  std::string from_station, to_station;
};
struct DiagramJourney {
  int direction = 0;
  std::vector<JourneyLeg> legs;  // one to three
  bool empty() const { return legs.empty(); }
  int first_minute() const { return legs.empty() ? 0 : legs.front().from_minute; }
  int last_minute() const { return legs.empty() ? 0 : legs.back().to_minute; }
};
// Result i (1-based) of a search as legs: the trains with their boarding and alighting
// stations and times. Empty for an index outside the result list.
DiagramJourney journey_of(const data::SinkansenTables& t, const search::SearchResult& r, int i);
// The route that holds every station of the journey (the first), or -1.
int route_of_journey(const std::vector<DiagramRoute>& routes, const DiagramJourney& j);

// ---- scene ---------------------------------------------------------------------------------

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
enum class Dash { Solid, Dashed, Dotted };

struct SceneLine {
  std::vector<double> xy;  // x0, y0, x1, y1, ...
  Rgb color;
  double width = 1.0;
  double opacity = 1.0;
  Dash dash = Dash::Solid;
  bool clipped = true;  // drawn inside the plot area only
  int train = -1;       // index into the trains the scene was laid out from
  bool guide = false;   // grid, station rule or leader: a guide for the eye, no meaning of its own
};
enum class Anchor { Start, Middle, End };
struct SceneText {
  double x = 0, y = 0;  // baseline point
  std::string text;
  double size = 12;  // pixels
  Rgb color;
  Anchor anchor = Anchor::Start;
  bool bold = false;
  bool halo = false;  // a ring of the background colour keeps it readable over lines
};
struct SceneRect {
  double x = 0, y = 0, w = 0, h = 0;
  Rgb fill;
  double opacity = 1.0;
  bool clipped = false;
};
struct Scene {
  double width = 0, height = 0;
  double plot_x = 0, plot_y = 0, plot_w = 0, plot_h = 0;  // the area of the train lines
  Rgb background{255, 255, 255};
  std::vector<SceneRect> rects;  // drawn first
  std::vector<SceneLine> lines;  // then the lines, in order
  std::vector<SceneText> texts;  // then the texts
};

// What part of the day the scene shows and what it marks.
struct DiagramView {
  double width = 1600, height = 1000;
  double from_minute = 5 * 60, to_minute = 24 * 60 + 30;
};
struct DiagramMarks {
  int now_minute = -1;                      // the program clock; -1: no line
  std::string user_station;                 // highlighted
  const DiagramJourney* journey = nullptr;  // drawn bold, with its changes marked
  int selected_train = -1;                  // index into the trains: drawn wide, over the rest
  std::string title;                        // bottom right: route and date
  bool dark = false;                        // the colours for a dark window
  text::Language language = text::Language::kJapanese;
  const data::PlaceNames* place_names = nullptr;  // station names in English, where known
};

// Style of a train type: colour, width and dash. The kinds of one line differ by width or
// dash as well as by colour, so they are told apart without telling red from green.
struct TrainStyle {
  Rgb color;
  double width;
  Dash dash;
};
TrainStyle train_style(char type, bool dark = false);

// The colours of the picture other than the trains', light (the default, and every
// export) or dark (a window on a dark desktop).
struct SceneColours {
  Rgb background, plot, ink, minor_label, grid, grid_minor, station_rule, major_station_rule,
      leader, user_band, user_ink, journey_ink, change_ink, clock;
  double user_band_opacity;
};
const SceneColours& scene_colours(bool dark);

// The legend name of a train type ("のぞみ", "Nozomi"); empty for a type it does not list.
std::string type_name(char type, text::Language language = text::Language::kJapanese);
// "東京–新大阪" in the language of the names.
std::string route_caption(const DiagramRoute& route, text::Language language,
                          const data::PlaceNames& names);

// Text width in pixels at a pixel size in the program's Gothic font: half-width characters
// half the size, the rest the full size.
double text_width(std::string_view utf8, double size);

Scene layout_diagram(const DiagramRoute& route, const std::vector<DiagramTrain>& trains,
                     const DiagramView& view, const DiagramMarks& marks);

// The y of a station and the x of a minute in a scene laid out for `view`.
struct DiagramAxes {
  double plot_x = 0, plot_y = 0, plot_w = 0, plot_h = 0;
  double from_minute = 0, to_minute = 0, km0 = 0, km1 = 0;
  double x_of(double minute) const;
  double y_of(double km) const;
  double minute_at(double x) const;
};
// The station labels' width is measured in the marks' language.
DiagramAxes diagram_axes(const DiagramRoute& route, const DiagramView& view,
                         const DiagramMarks& marks = {});

// The train whose line passes nearest to (x, y) within `tolerance` pixels; -1 for none.
int hit_train(const Scene& scene, double x, double y, double tolerance = 4.0);

// The scene as an SVG document (UTF-8).
std::string scene_to_svg(const Scene& scene);

// Zoom around a minute and pan, keeping the view inside the day [0, 1440 + 90] and at least
// `min_span` minutes wide.
DiagramView zoom_view(const DiagramView& v, double factor, double around_minute,
                      double min_span = 30);
DiagramView pan_view(const DiagramView& v, double minutes);
// The whole service day of the trains: from the hour before the first departure to the
// hour after the last arrival.
DiagramView whole_day_view(const std::vector<DiagramTrain>& trains, double width, double height);

}  // namespace ravolin::board
