// SPDX-License-Identifier: MIT
// The train diagram's model and layout on small tables written here: routes with a branch,
// train lines read back against the timetable, journeys, zoom and pan, hit test, SVG.
#include "diagram/diagram.h"

#include "board/board_fixture.h"
#include "board/passing_stations.h"

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

using testing::SinTables;

// A corridor with a branch: 東京 – 福島 – 仙台 and 福島 – 山形, the branch rows in between,
// as the Tohoku tables list them.
struct BranchCorridor {
  SinTables sin;
  std::unique_ptr<fares::FareTables> fares = std::make_unique<fares::FareTables>();
  int down_through = 0, down_branch = 0, up_through = 0, weekday_only = 0;

  BranchCorridor() {
    sin.stations(1,
                 {{"東京"}, {"福島", 1}, {"福島", 2}, {"米沢"}, {"山形"}, {"白石蔵王"}, {"仙台"}});
    sin.stations(2,
                 {{"仙台"}, {"白石蔵王"}, {"山形"}, {"米沢"}, {"福島", 1}, {"福島", 2}, {"東京"}});
    down_through = sin.train(1, "Y101", {600, 730, 732, 0, 0, 750, 805});
    down_branch = sin.train(1, "T201", {610, 745, 748, 815, 850, 0, 0});
    up_through = sin.train(2, "Y102", {900, 915, 0, 0, 930, 932, 1100});
    weekday_only = sin.train(1, "Y103", {1000, 1130, 1132, 0, 0, 1150, 1205}, 11);
    const std::pair<const char*, double> km[] = {{"東京", 0.0},       {"福島", 272.8},
                                                 {"米沢", 312.9},     {"山形", 359.9},
                                                 {"白石蔵王", 306.8}, {"仙台", 351.8}};
    for (const auto& [name, k] : km) {
      auto& row = fares->kilo_table[++fares->kilo_count];
      row.station_name = name;
      row.kilo = k;
    }
  }
};

calendar::DayFlags weekday() {
  calendar::DayFlags f;
  f.weekday = 4;
  return f;
}

TEST(DiagramRoutes, BranchJoinsAtTheLastStationBelowItsFirstKilometre) {
  BranchCorridor c;
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  ASSERT_EQ(routes.size(), 2u);
  EXPECT_EQ(routes[0].caption, "東京–山形");
  EXPECT_EQ(routes[1].caption, "東京–仙台");
  ASSERT_EQ(routes[1].stations.size(), 4u);
  EXPECT_EQ(routes[1].stations[1].name, "福島");
  EXPECT_TRUE(routes[1].stations[1].major);   // two rows, and the branch point
  EXPECT_FALSE(routes[1].stations[2].major);  // 白石蔵王
  EXPECT_DOUBLE_EQ(routes[1].stations[3].km, 351.8);
  EXPECT_EQ(preferred_route(routes, " 仙台 "), 1);
  EXPECT_EQ(preferred_route(routes, "新潟"), 0);  // none holds it: the longest
}

TEST(DiagramRoutes, StationsWithoutKilometresAreLeftOut) {
  BranchCorridor c;
  c.fares->kilo_table[2].station_name = "ふくしま";  // 福島 has no kilometres now
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  for (const auto& r : routes) EXPECT_EQ(r.index_of("福島"), -1);
}

TEST(DiagramTrains, LinesFollowTheTimetableWithAFlatStepWhereTheTrainStands) {
  BranchCorridor c;
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  const auto trains = diagram_trains(c.sin.get(), routes[1], weekday());
  // Y101 and Y103 down, Y102 up; T201 touches the 仙台 route at 東京 and 福島 only.
  ASSERT_EQ(trains.size(), 4u);
  const DiagramTrain& y101 = trains[0];
  EXPECT_EQ(y101.label, "やまびこ１０１");
  ASSERT_EQ(y101.points.size(), 5u);
  const int expected[][2] = {{360, 0}, {450, 1}, {452, 1}, {470, 2}, {485, 3}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(y101.points[i].minute, expected[i][0]) << i;
    EXPECT_EQ(y101.points[i].station, expected[i][1]) << i;
  }
  // The up train runs the other way: falling station indices.
  const DiagramTrain& up = trains[3];
  EXPECT_EQ(up.direction, 2);
  EXPECT_EQ(up.points.front().station, 3);
  EXPECT_EQ(up.points.back().station, 0);

  // Direction filter, and a train that does not run on the day.
  EXPECT_EQ(diagram_trains(c.sin.get(), routes[1], weekday(), 2).size(), 1u);
  calendar::DayFlags sunday;
  sunday.weekday = 1;
  sunday.day_off = sunday.sunday_or_holiday = 1;
  EXPECT_EQ(diagram_trains(c.sin.get(), routes[1], sunday).size(), 3u);
}

TEST(DiagramTrains, HoverNamesTheNearestStopAndItsTime) {
  BranchCorridor c;
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  const auto trains = diagram_trains(c.sin.get(), routes[0], weekday());
  const DiagramTrain* t201 = nullptr;
  for (const auto& t : trains)
    if (t.label.rfind("つばさ", 0) == 0) t201 = &t;
  ASSERT_NE(t201, nullptr);
  EXPECT_EQ(hover_text(*t201, routes[0], 12 * 60 + 40), "つばさ２０１  山形 8:50");
  EXPECT_EQ(hover_text(*t201, routes[0], 0), "つばさ２０１  東京 6:10");
  EXPECT_EQ(minute_text(24 * 60 + 10), "24:10");
}

TEST(DiagramJourney, LegsUseArrivalAndDepartureRowsOfTheChangeStation) {
  BranchCorridor c;
  search::SearchResult r;
  r.direction = 1;
  r.boarding_row = 1;
  r.alighting_row = 5;
  r.count = 1;
  // Y101 東京 → 福島, change to T201 at the departure row of 福島, on to 山形.
  r.entries[1].first_train = c.down_through;
  r.entries[1].second_train = c.down_branch;
  r.entries[1].first_transfer_row = 3;
  const DiagramJourney j = journey_of(c.sin.get(), r, 1);
  ASSERT_EQ(j.legs.size(), 2u);
  EXPECT_EQ(j.legs[0].from_minute, 360);
  EXPECT_EQ(j.legs[0].to_minute, 450);  // arrives 7:30, not its 7:32 departure
  EXPECT_EQ(j.legs[0].to_station, "福島");
  EXPECT_EQ(j.legs[1].from_minute, 468);  // departs 7:48, not its 7:45 arrival
  EXPECT_EQ(j.legs[1].to_minute, 530);
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  EXPECT_EQ(route_of_journey(routes, j), 0);
  EXPECT_TRUE(journey_of(c.sin.get(), r, 2).empty());
  r.entries[2] = r.entries[1];
  r.entries[2].first_transfer_row = 4;  // T201 at 米沢, where Y101 never stops
  r.count = 2;
  EXPECT_TRUE(journey_of(c.sin.get(), r, 2).empty());
  EXPECT_TRUE(journey_of(c.sin.get(), r, 0).empty());

  // Drawn: the legs bold on top, the change marked with its wait.
  const auto trains = diagram_trains(c.sin.get(), routes[0], weekday());
  DiagramMarks marks;
  marks.journey = &j;
  const Scene sc = layout_diagram(routes[0], trains, {1200, 800, 300, 720}, marks);
  int bold = 0;
  for (const auto& l : sc.lines) bold += l.width > 3 && l.train >= 0;
  EXPECT_EQ(bold, 2);
  bool wait_label = false;
  for (const auto& t : sc.texts) wait_label = wait_label || t.text == "乗換 福島 18分";
  EXPECT_TRUE(wait_label);
}

TEST(DiagramLayout, ZoomAndPanMoveTimeOnlyAndStayInsideTheDay) {
  BranchCorridor c;
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  const auto trains = diagram_trains(c.sin.get(), routes[1], weekday());
  DiagramView v = whole_day_view(trains, 1200, 800);
  EXPECT_EQ(v.from_minute, 360);
  EXPECT_EQ(v.to_minute, 780);  // the hour after the last arrival, 12:05
  const DiagramAxes before = diagram_axes(routes[1], v);
  const DiagramView zoomed = zoom_view(v, 0.5, 600);
  const DiagramAxes after = diagram_axes(routes[1], zoomed);
  // The minute under the mouse stays where it was; the stations do not move.
  EXPECT_NEAR(before.x_of(600), after.x_of(600), 1e-9);
  EXPECT_NEAR(zoomed.to_minute - zoomed.from_minute, 210, 1e-9);
  for (const auto& s : routes[1].stations) EXPECT_DOUBLE_EQ(before.y_of(s.km), after.y_of(s.km));
  const DiagramView far_left = pan_view(zoomed, -5000);
  EXPECT_EQ(far_left.from_minute, 0);
  EXPECT_NEAR(far_left.to_minute, 210, 1e-9);
  const DiagramView tiny = zoom_view(v, 0.001, 600);
  EXPECT_NEAR(tiny.to_minute - tiny.from_minute, 30, 1e-9);
}

TEST(DiagramLayout, SceneLinesSitOnTheAxesAndHitTheirTrain) {
  BranchCorridor c;
  const auto routes = diagram_routes(c.sin.get(), *c.fares);
  const auto trains = diagram_trains(c.sin.get(), routes[1], weekday());
  const DiagramView v{1200, 800, 300, 800};
  DiagramMarks marks;
  marks.now_minute = 455;
  marks.user_station = "福島";
  const Scene sc = layout_diagram(routes[1], trains, v, marks);
  const DiagramAxes ax = diagram_axes(routes[1], v);
  const SceneLine* y101 = nullptr;
  for (const auto& l : sc.lines)
    if (l.train == 0) y101 = &l;
  ASSERT_NE(y101, nullptr);
  ASSERT_EQ(y101->xy.size(), 10u);
  EXPECT_DOUBLE_EQ(y101->xy[2], ax.x_of(450));
  EXPECT_DOUBLE_EQ(y101->xy[3], ax.y_of(272.8));
  EXPECT_DOUBLE_EQ(y101->xy[5], y101->xy[3]);  // stands at 福島: a flat step
  // Half way between 東京 and 福島 on Y101's line.
  EXPECT_EQ(hit_train(sc, ax.x_of(405), ax.y_of(136.4)), 0);
  EXPECT_EQ(hit_train(sc, ax.x_of(405), ax.y_of(20)), -1);
  // The clock line and the user's station band.
  bool clock = false, band = false;
  for (const auto& l : sc.lines)
    clock = clock ||
            (l.xy.size() == 4 && l.xy[0] == ax.x_of(455) && l.color == scene_colours(false).clock);
  for (const auto& r : sc.rects)
    band = band || (r.clipped && r.y < ax.y_of(272.8) && r.y + r.h > ax.y_of(272.8));
  EXPECT_TRUE(clock);
  EXPECT_TRUE(band);
}

TEST(DiagramLayout, CloseStationLabelsNeverOverlap) {
  SinTables sin;
  sin.stations(1, {{"東京"}, {"上野"}, {"大宮"}, {"盛岡"}});
  sin.stations(2, {{"盛岡"}, {"大宮"}, {"上野"}, {"東京"}});
  sin.train(1, "Y1", {600, 605, 625, 900});
  fares::FareTables f;
  const std::pair<const char*, double> km[] = {
      {"東京", 0}, {"上野", 3.6}, {"大宮", 30.3}, {"盛岡", 535.3}};
  for (const auto& [name, k] : km) {
    auto& row = f.kilo_table[++f.kilo_count];
    row.station_name = name;
    row.kilo = k;
  }
  const auto routes = diagram_routes(sin.get(), f);
  const Scene sc = layout_diagram(routes[0], diagram_trains(sin.get(), routes[0], weekday()),
                                  {800, 300, 300, 1000}, {});
  std::vector<double> ys;
  for (const auto& t : sc.texts)
    if (t.anchor == Anchor::End && routes[0].index_of(t.text) >= 0) ys.push_back(t.y);
  ASSERT_EQ(ys.size(), 4u);
  for (std::size_t i = 1; i < ys.size(); ++i) EXPECT_GE(ys[i] - ys[i - 1], 12.0);
}

TEST(DiagramSvg, WellFormedAndEscaped) {
  Scene sc;
  sc.width = 100;
  sc.height = 50;
  sc.texts.push_back({1, 2, "A&B <C>", 12, {}, Anchor::Start, false});
  sc.lines.push_back({{0, 0, 10.25, 5}, {255, 0, 16}, 1.5, 0.5, Dash::Dashed, true, 0});
  const std::string svg = scene_to_svg(sc);
  EXPECT_NE(svg.find(">A&amp;B &lt;C&gt;</text>"), std::string::npos);
  EXPECT_NE(svg.find("points=\"0,0 10.3,5\""), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#ff0010\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-opacity=\"50%\""), std::string::npos);
  EXPECT_EQ(svg.rfind("</svg>\n"), svg.size() - 7);
}

TEST(PassingStationsOfTrain, AWholeTrainFromItsFirstStop) {
  BranchCorridor c;
  // T201 starts nowhere on an arrival row; from row 1 every stop is listed once.
  EXPECT_EQ(passing_stations_of_train(c.sin.get(), 1, c.down_branch, 1),
            "東京(06:10) → 福島(07:45) → 米沢(08:15) → 山形(08:50)");
  EXPECT_EQ(passing_stations_of_train(c.sin.get(), 1, 0, 1), "");
}

}  // namespace
}  // namespace ravolin::board
