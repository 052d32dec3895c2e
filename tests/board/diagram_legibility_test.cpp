// SPDX-License-Identifier: MIT
// Reading the diagram: every text and every line that means something stands out from what
// it is drawn on by 4.5:1, on the light and the dark colours; the kinds of train of one
// line differ by more than colour; the labels in English.
#include "diagram/contrast.h"
#include "diagram/diagram.h"

#include "board/board_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <utility>

namespace ravolin::board {
namespace {

using testing::SinTables;

TEST(ContrastRatio, MeasuresAsTheAccessibilityGuidelinesDo) {
  EXPECT_NEAR(contrast_ratio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
  EXPECT_NEAR(contrast_ratio({255, 255, 255}, {0, 0, 0}), 21.0, 1e-9);
  EXPECT_DOUBLE_EQ(contrast_ratio({120, 30, 200}, {120, 30, 200}), 1.0);
  // #767676 is the lightest grey that reads on white; #777777 is not.
  EXPECT_GE(contrast_ratio({0x76, 0x76, 0x76}, {255, 255, 255}), kReadableContrast);
  EXPECT_LT(contrast_ratio({0x77, 0x77, 0x77}, {255, 255, 255}), kReadableContrast);
  // Green weighs most: the same channel value is far lighter in green than in blue.
  EXPECT_GT(relative_luminance({0, 200, 0}), relative_luminance({200, 0, 0}));
  EXPECT_GT(relative_luminance({200, 0, 0}), relative_luminance({0, 0, 200}));
  EXPECT_EQ(blend({0, 0, 0}, 0.5, {255, 255, 255}), (Rgb{128, 128, 128}));
  EXPECT_EQ(blend({10, 20, 30}, 1.0, {255, 255, 255}), (Rgb{10, 20, 30}));
}

// 東京 – 名古屋 – 新大阪 with a train of every kind the editions run, one of them with a
// change at 名古屋.
struct EveryKind {
  SinTables sin;
  std::unique_ptr<fares::FareTables> fares = std::make_unique<fares::FareTables>();
  data::PlaceNames names;
  DiagramJourney journey;

  EveryKind() {
    sin.stations(1, {{"東京"}, {"名古屋", 1}, {"名古屋", 2}, {"新大阪"}});
    sin.stations(2, {{"新大阪"}, {"名古屋", 1}, {"名古屋", 2}, {"東京"}});
    const auto hhmm = [](int minute) { return minute / 60 * 100 + minute % 60; };
    int start = 6 * 60;
    for (const char* id :
         {"N001", "H003", "K005", "Y007", "M009", "T011", "O013", "A015", "S017", "G019"}) {
      sin.train(1, id, {hhmm(start), hhmm(start + 60), hhmm(start + 62), hhmm(start + 110)});
      start += 30;
    }
    const std::pair<const char*, double> km[] = {
        {"東京", 0.0}, {"名古屋", 366.0}, {"新大阪", 552.6}};
    for (const auto& [name, k] : km) {
      auto& row = fares->kilo_table[++fares->kilo_count];
      row.station_name = name;
      row.kilo = k;
    }
    names.add("東京", "Tokyo");
    names.add("名古屋", "Nagoya");
    names.add("新大阪", "Shin-Osaka");
    journey.direction = 1;
    journey.legs = {{1, 360, 420, "東京", "名古屋"}, {2, 452, 500, "名古屋", "新大阪"}};
  }
  DiagramRoute route() const { return diagram_routes(sin.get(), *fares)[0]; }
};

calendar::DayFlags weekday() {
  calendar::DayFlags f;
  f.weekday = 4;
  return f;
}

bool inside_plot(const Scene& sc, double x, double y) {
  return x >= sc.plot_x && x <= sc.plot_x + sc.plot_w && y >= sc.plot_y &&
         y <= sc.plot_y + sc.plot_h;
}

// What a text or line inside the plot may lie on: the plot, or the user's station band.
std::vector<Rgb> plot_grounds(const Scene& sc) {
  std::vector<Rgb> grounds{sc.rects.at(0).fill};
  for (std::size_t i = 1; i < sc.rects.size(); ++i)
    grounds.push_back(blend(sc.rects[i].fill, sc.rects[i].opacity, sc.rects[0].fill));
  return grounds;
}

// Every text, and every line but the guides and the trains drawn faint behind a journey,
// below 4.5:1 against a ground it lies on; one line each.
std::string unreadable(const Scene& sc) {
  std::ostringstream out;
  const std::vector<Rgb> in_plot = plot_grounds(sc);
  const std::vector<Rgb> outside{sc.background};
  for (const auto& t : sc.texts)
    for (Rgb g : inside_plot(sc, t.x, t.y) ? in_plot : outside)
      if (contrast_ratio(t.color, g) < kReadableContrast)
        out << "text '" << t.text << "' " << contrast_ratio(t.color, g) << "\n";
  for (const auto& l : sc.lines) {
    if (l.guide || l.opacity < 0.5) continue;
    for (Rgb g : l.clipped ? in_plot : outside) {
      const double ratio = contrast_ratio(blend(l.color, l.opacity, g), g);
      if (ratio < kReadableContrast)
        out << "line of train " << l.train << " width " << l.width << " " << ratio << "\n";
    }
  }
  return out.str();
}

TEST(DiagramColours, TextsAndLinesReadAgainstTheirGroundLightAndDark) {
  EveryKind c;
  const DiagramRoute route = c.route();
  const auto trains = diagram_trains(c.sin.get(), route, weekday());
  ASSERT_EQ(trains.size(), 10u);
  for (bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    DiagramMarks marks;
    marks.dark = dark;
    marks.now_minute = 9 * 60;
    marks.user_station = "名古屋";
    marks.title = "東京–新大阪  2026-05-06";
    // Zoomed in so the ten-minute labels show too.
    const Scene plain = layout_diagram(route, trains, {1600, 1000, 330, 630}, marks);
    EXPECT_EQ(unreadable(plain), "");
    marks.journey = &c.journey;
    const Scene with_journey = layout_diagram(route, trains, {1600, 1000, 330, 630}, marks);
    EXPECT_EQ(unreadable(with_journey), "");
    EXPECT_GT(with_journey.texts.size(), plain.texts.size());  // the journey's labels
  }
  EXPECT_LT(relative_luminance(scene_colours(true).plot), 0.05);
  EXPECT_GT(relative_luminance(scene_colours(false).plot), 0.9);
}

// On screen a line under 2 pixels is drawn one pixel wide, so "wide" is 2 and more.
std::pair<bool, Dash> shape_of(char type) {
  const TrainStyle st = train_style(type);
  return {st.width >= 2.0, st.dash};
}

TEST(DiagramColours, KindsOfOneLineDifferByWidthOrDashAndTheLegendShowsIt) {
  for (const std::string kinds : {"NHK", "YMTO", "ASG"}) {
    SCOPED_TRACE(kinds);
    std::set<std::pair<bool, Dash>> shapes;
    for (char k : kinds) shapes.insert(shape_of(k));
    EXPECT_EQ(shapes.size(), kinds.size());
    for (char k : kinds) {
      EXPECT_EQ(train_style(k, true).width, train_style(k).width);
      EXPECT_EQ(train_style(k, true).dash, train_style(k).dash);
    }
  }
  EveryKind c;
  const DiagramRoute route = c.route();
  const auto trains = diagram_trains(c.sin.get(), route, weekday());
  const Scene sc = layout_diagram(route, trains, {1600, 1000, 330, 630}, {});
  int legend = 0;
  for (const auto& l : sc.lines) {
    if (l.clipped || l.guide) continue;
    ++legend;
    // The legend's sample sits left of its name and has the name's train's style.
    const SceneText* name = nullptr;
    for (const auto& t : sc.texts)
      if (t.x == l.xy[2] + 6) name = &t;
    ASSERT_NE(name, nullptr);
    char type = ' ';
    for (char k : std::string("NHKYMTOASG"))
      if (type_name(k) == name->text) type = k;
    const TrainStyle st = train_style(type);
    EXPECT_EQ(l.dash, st.dash) << name->text;
    EXPECT_EQ(l.color, st.color) << name->text;
    EXPECT_EQ(l.width >= 2.0, st.width >= 2.0) << name->text;
  }
  EXPECT_EQ(legend, 10);
}

TEST(DiagramEnglish, StationsLegendClockAndJourneyInEnglish) {
  EveryKind c;
  const DiagramRoute route = c.route();
  const auto trains = diagram_trains(c.sin.get(), route, weekday());
  DiagramMarks marks;
  marks.language = text::Language::kEnglish;
  marks.place_names = &c.names;
  marks.now_minute = 7 * 60 + 5;
  marks.journey = &c.journey;
  marks.title = route_caption(route, marks.language, c.names) + "  2026-05-06";
  const Scene sc = layout_diagram(route, trains, {1600, 1000, 330, 630}, marks);
  std::set<std::string> texts;
  for (const auto& t : sc.texts) texts.insert(t.text);
  for (const char* expected : {"Tokyo", "Nagoya", "Shin-Osaka", "Nozomi", "Hikari", "Kodama",
                               "Tanigawa", "Now 7:05", "Tokyo dep 6:00", "Shin-Osaka arr 8:20",
                               "Change at Nagoya 32 min", "Tokyo–Shin-Osaka  2026-05-06"})
    EXPECT_EQ(texts.count(expected), 1u) << expected;
  for (std::string t : texts) {
    if (const auto dash = t.find("–"); dash != std::string::npos) t.erase(dash, 3);
    for (unsigned char ch : t) EXPECT_LT(ch, 0x80) << t;
  }
  // The labels' column is as wide as the longest English name needs.
  const DiagramAxes ax = diagram_axes(route, {1600, 1000, 330, 630}, marks);
  EXPECT_GE(ax.plot_x, text_width("Shin-Osaka", 12) + 14);
  EXPECT_EQ(ax.plot_x, sc.plot_x);
  // Japanese, the default, as it was.
  const Scene ja = layout_diagram(route, trains, {1600, 1000, 330, 630}, {});
  std::set<std::string> ja_texts;
  for (const auto& t : ja.texts) ja_texts.insert(t.text);
  EXPECT_EQ(ja_texts.count("名古屋"), 1u);
  EXPECT_EQ(ja_texts.count("のぞみ"), 1u);
  const std::string hover = hover_text(trains[0], route, 418, text::Language::kEnglish, &c.names);
  EXPECT_EQ(hover.substr(hover.size() - 13), "  Nagoya 7:00") << hover;
}

}  // namespace
}  // namespace ravolin::board
