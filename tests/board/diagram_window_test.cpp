// SPDX-License-Identifier: MIT
// The diagram window (ravolin30) on real widgets: lines that match the timetable, hover and
// double-click, keyboard and wheel zoom, a journey shown, the moving clock line, exports
// that other programs can read, Escape keeping the window's place; through the navigator,
// a double-clicked train's stops in a passing-station window.
#include "gui/diagram/diagram_window.h"
#include "board/passing_stations.h"
#include "diagram/contrast.h"
#include "gui/board/passing_window.h"
#include "gui/common/help_file.h"
#include "gui/common/translation.h"
#include "gui/common/window_conventions.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/started_main_window.h"

#include "board_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace ravolin::board {
namespace {

class DiagramWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state =
        std::make_unique<app::AppState>("/nowhere", app::Platform{clock, messages, help, printer});
    state->schedule.edition = data::find_edition(1);
    testing::SinTables sin;
    sin.stations(1, {{"東京"}, {"品川"}, {"名古屋", 1}, {"名古屋", 2}, {"新大阪"}});
    sin.stations(2, {{"新大阪"}, {"名古屋", 1}, {"名古屋", 2}, {"品川"}, {"東京"}});
    n001 = sin.train(1, "N001", {900, 907, 1040, 1041, 1130}, 0, "N");
    k101 = sin.train(1, "K101", {800, 808, 1100, 1110, 1230});
    h002 = sin.train(2, "H002", {800, 850, 851, 1020, 1027});
    state->schedule.sin = sin.get();
    const std::pair<const char*, double> km[] = {
        {"東京", 0.0}, {"品川", 6.8}, {"名古屋", 366.0}, {"新大阪", 552.6}};
    for (const auto& [name, k] : km) {
      auto& row = state->fares.kilo_table[++state->fares.kilo_count];
      row.station_name = name;
      row.kilo = k;
    }
    state->settings.sinkansen_station = "名古屋";
    state->settings.pos(settings::kDiagramWindowId) = {600, 900};
    state->day_flags = testing::weekday();
    state->program_clock.program_time = (10 * 60 + 0) / 1440.0;
    dir =
        std::filesystem::temp_directory_path() / ("ravolin-diagram-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  DiagramWindow* open() {
    DiagramWindow::Ways ways;
    ways.show_stops = [this](const std::string& stops) { shown_stops.push_back(stops); };
    auto* w = new DiagramWindow(*state, std::move(ways));
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    return w;
  }
  // The point of a train's line at its stop `k` in the window's scene.
  static QPointF point_of(const DiagramWindow& w, int train_index, int k) {
    for (const auto& l : w.scene().lines)
      if (l.train == train_index) return {l.xy[2 * k], l.xy[2 * k + 1]};
    return {};
  }

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 15, 10, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::filesystem::path dir;
  int n001 = 0, k101 = 0, h002 = 0;
  std::vector<std::string> shown_stops;  // what the window asked to show, in order
};

TEST_F(DiagramWindowTest, LinesHoverAndDoubleClickFollowTheTimetable) {
  QPointer<DiagramWindow> w = open();
  ASSERT_EQ(w->trains().size(), 3u);
  const DiagramAxes ax = diagram_axes(w->route(), w->view());
  // N001 leaves 名古屋 at 10:41: its fourth point is there.
  int n = -1;
  for (std::size_t i = 0; i < w->trains().size(); ++i)
    if (w->trains()[i].train == n001 && w->trains()[i].direction == 1) n = static_cast<int>(i);
  ASSERT_GE(n, 0);
  const QPointF p = point_of(*w, n, 3);
  EXPECT_DOUBLE_EQ(p.x(), ax.x_of(10 * 60 + 41));
  EXPECT_DOUBLE_EQ(p.y(), ax.y_of(366.0));

  // Hover half way between 名古屋 and 新大阪 on N001.
  const QPointF q = (point_of(*w, n, 3) + point_of(*w, n, 4)) / 2;
  EXPECT_EQ(w->hover_at(q.x(), q.y()).rfind("のぞみ００１N  ", 0), 0u);
  EXPECT_EQ(w->hover_at(q.x(), q.y() - 40), "");

  // A double-click on the canvas asks for that train's stops; away from every line, for none.
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, q.toPoint());
  ASSERT_EQ(shown_stops.size(), 1u);
  EXPECT_EQ(shown_stops[0],
            "東京(09:00) → 品川(09:07) → 名古屋(10:40) → 新大阪(11:30)　【のぞみ型車両】");
  QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, (q - QPointF(0, 40)).toPoint());
  EXPECT_EQ(shown_stops.size(), 1u);
  delete w.data();
}

TEST_F(DiagramWindowTest, PageKeysSelectATrainAnnounceItAndEnterOpensItsStops) {
  QPointer<DiagramWindow> w = open();
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  const auto selected_label = [&] {
    const int i = w->selected_train();
    return i < 0 ? std::string() : w->trains()[static_cast<std::size_t>(i)].label;
  };
  // The selected train's line stands out: the widest line of all, wider than its usual one.
  const auto stands_out = [&] {
    const int i = w->selected_train();
    double widest = 0, own = 0;
    for (const auto& l : w->scene().lines) {
      if (l.train < 0) continue;
      if (l.train == i)
        own = std::max(own, l.width);
      else
        widest = std::max(widest, l.width);
    }
    return i >= 0 && own > widest &&
           own > train_style(w->trains()[static_cast<std::size_t>(i)].type).width;
  };
  EXPECT_EQ(w->selected_train(), -1);

  // By departure: K101 and H002 at 8:00, N001 at 9:00. The first pick is the train
  // leaving nearest the clock line (10:00).
  QTest::keyClick(canvas, Qt::Key_PageDown);
  EXPECT_EQ(selected_label(), "のぞみ００１N");
  EXPECT_EQ(canvas->accessibleDescription().toStdString(), "のぞみ００１N  東京 9:00");
  EXPECT_TRUE(stands_out());

  // Enter asks for the stops exactly as a double-click on the line does.
  QTest::keyClick(canvas, Qt::Key_Return);
  ASSERT_EQ(shown_stops.size(), 1u);
  EXPECT_EQ(shown_stops[0],
            "東京(09:00) → 品川(09:07) → 名古屋(10:40) → 新大阪(11:30)　【のぞみ型車両】");

  QTest::keyClick(canvas, Qt::Key_PageUp);
  EXPECT_EQ(selected_label(), "ひかり００２");
  EXPECT_EQ(canvas->accessibleDescription().toStdString(), "ひかり００２  新大阪 8:00");
  QTest::keyClick(canvas, Qt::Key_P);
  EXPECT_EQ(selected_label(), "こだま１０１");
  EXPECT_TRUE(stands_out());
  QTest::keyClick(canvas, Qt::Key_P);  // the first stays selected
  EXPECT_EQ(selected_label(), "こだま１０１");
  QTest::keyClick(canvas, Qt::Key_N);
  EXPECT_EQ(selected_label(), "ひかり００２");
  QTest::keyClick(canvas, Qt::Key_Enter);
  ASSERT_EQ(shown_stops.size(), 2u);
  EXPECT_EQ(shown_stops[1], passing_stations_of_train(state->schedule.sin, 2, h002, 1));

  // A train outside the hours shown brings its departure into view.
  DiagramView later = w->view();
  later.from_minute = 11 * 60;
  later.to_minute = 12 * 60;
  w->set_view(later);
  QTest::keyClick(canvas, Qt::Key_PageDown);
  EXPECT_EQ(selected_label(), "のぞみ００１N");
  EXPECT_LE(w->view().from_minute, 9 * 60);
  EXPECT_GE(w->view().to_minute, 9 * 60);
  EXPECT_DOUBLE_EQ(w->view().to_minute - w->view().from_minute, 60.0);
  delete w.data();
}

TEST_F(DiagramWindowTest, KeysAndWheelZoomAndPanTheHoursOnly) {
  QPointer<DiagramWindow> w = open();
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  const DiagramView before = w->view();
  const double y_nagoya = diagram_axes(w->route(), before).y_of(366.0);
  QTest::keyClick(canvas, Qt::Key_Plus);
  DiagramView v = w->view();
  EXPECT_NEAR(v.to_minute - v.from_minute, (before.to_minute - before.from_minute) * 0.8, 1e-6);
  EXPECT_DOUBLE_EQ(diagram_axes(w->route(), v).y_of(366.0), y_nagoya);
  QTest::keyClick(canvas, Qt::Key_Right);
  EXPECT_GT(w->view().from_minute, v.from_minute);
  QTest::keyClick(canvas, Qt::Key_Minus);
  QTest::keyClick(canvas, Qt::Key_Minus);
  EXPECT_GT(w->view().to_minute - w->view().from_minute, v.to_minute - v.from_minute);

  // The wheel keeps the minute under the mouse in place.
  const DiagramAxes ax = diagram_axes(w->route(), w->view());
  const double x = ax.plot_x + ax.plot_w / 3;
  const double minute = ax.minute_at(x);
  QWheelEvent wheel(QPointF(x, 200), canvas->mapToGlobal(QPointF(x, 200)), QPoint(), QPoint(0, 240),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(canvas, &wheel);
  EXPECT_NEAR(diagram_axes(w->route(), w->view()).x_of(minute), x, 1e-6);

  // Escape closes it and keeps its place for the next opening.
  w->move(ui::tw(w, 1200), ui::tw(w, 750));
  QTest::keyClick(canvas, Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(settings::kDiagramWindowId).left, 1200);
  EXPECT_EQ(state->settings.pos(settings::kDiagramWindowId).top, 750);
}

TEST_F(DiagramWindowTest, AJourneyOpensOnItsHoursWithItsTrainsBold) {
  search::SearchResult r;
  r.direction = 1;
  r.boarding_row = 2;   // 品川
  r.alighting_row = 5;  // 新大阪
  r.count = 1;
  r.entries[1].first_train = k101;
  r.entries[1].second_train = n001;
  r.entries[1].first_transfer_row = 4;  // K101 to 名古屋, N001 on (the drawing only is checked)
  const DiagramJourney j = journey_of(state->schedule.sin, r, 1);
  ASSERT_EQ(j.legs.size(), 2u);
  QPointer<DiagramWindow> w = open();
  w->show_journey(j);
  EXPECT_LE(w->view().from_minute, 8 * 60 + 8);
  EXPECT_GE(w->view().to_minute, 11 * 60 + 30);
  std::vector<int> bold;
  for (const auto& l : w->scene().lines)
    if (l.train >= 0 && l.width > 3) bold.push_back(w->trains()[l.train].train);
  EXPECT_EQ(bold, (std::vector<int>{k101, n001}));
  // 全日表示 drops the journey.
  QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
  EXPECT_TRUE(w->journey().empty());
  delete w.data();
}

TEST_F(DiagramWindowTest, TheClockLineMovesWithTheRefresh) {
  QPointer<DiagramWindow> w = open();
  const auto clock_x = [&] {
    for (const auto& l : w->scene().lines)
      if (l.color == scene_colours(false).clock && l.xy.size() == 4) return l.xy[0];
    return -1.0;
  };
  const DiagramAxes ax = diagram_axes(w->route(), w->view());
  EXPECT_DOUBLE_EQ(clock_x(), ax.x_of(600));
  state->program_clock.program_time = (10 * 60 + 30) / 1440.0;
  w->refresh();
  EXPECT_DOUBLE_EQ(clock_x(), ax.x_of(630));
  delete w.data();
}

TEST_F(DiagramWindowTest, OpensWholeOnAScreenSmallerThanItsSize) {
  // The test screen is smaller than the diagram's usual 1100 x 720: the window shrinks to
  // it, so 閉じる at the top right is on the screen.
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(avail.width(), 1100);
  QPointer<DiagramWindow> w = open();
  EXPECT_LE(w->width(), avail.width());
  EXPECT_LE(w->height(), avail.height());
  auto* close_button = w->findChild<QPushButton*>(QStringLiteral("Command3"));
  ASSERT_NE(close_button, nullptr);
  EXPECT_LE(close_button->mapToGlobal(QPoint(close_button->width(), 0)).x(), avail.right() + 1);
  w->close();
}

TEST_F(DiagramWindowTest, ExportsAreFilesOtherProgramsRead) {
  QPointer<DiagramWindow> w = open();
  std::string error;
  const std::string png = (dir / "d.png").string(), svg = (dir / "d.svg").string(),
                    pdf = (dir / "d.pdf").string();
  ASSERT_TRUE(w->export_to(png, true, error)) << error;
  EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1600, 1000));
  ASSERT_TRUE(w->export_to(png, false, error)) << error;
  EXPECT_EQ(QImage(QString::fromStdString(png)).size(),
            QSize(static_cast<int>(w->view().width), static_cast<int>(w->view().height)));

  ASSERT_TRUE(w->export_to(svg, true, error)) << error;
  QFile f(QString::fromStdString(svg));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&f);
  int polylines = 0;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement &&
        xml.name() == QStringLiteral("polyline"))
      ++polylines;
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(polylines, 3);

  ASSERT_TRUE(w->export_to(pdf, true, error)) << error;
  const std::string cmd = "pdfinfo '" + pdf + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0);

  // The buttons' path: a name that cannot be written is reported, nothing else happens.
  w->choose_file = [&](const QString&) { return (dir / "no" / "such" / "d.png").string(); };
  EXPECT_FALSE(w->export_to((dir / "no" / "such" / "d.png").string(), false, error));
  EXPECT_FALSE(w->export_to((dir / "d.gif").string(), false, error));
  delete w.data();
}

TEST_F(DiagramWindowTest, ADarkDesktopGetsTheDarkCanvasAndFilesStayLight) {
  QPointer<DiagramWindow> w = open();
  EXPECT_EQ(w->scene().background, scene_colours(false).background);
  QPalette dark = w->palette();
  dark.setColor(QPalette::Window, QColor(37, 37, 38));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  w->setPalette(dark);
  EXPECT_EQ(w->scene().background, scene_colours(true).background);
  // On screen: the plot is dark, and the legend's first sample reads on it.
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  const QImage shown = canvas->grab().toImage();
  const Scene& sc = w->scene();
  const QColor plot =
      shown.pixelColor(static_cast<int>(sc.plot_x + 3), static_cast<int>(sc.plot_y + 3));
  EXPECT_LT(relative_luminance({static_cast<std::uint8_t>(plot.red()),
                                static_cast<std::uint8_t>(plot.green()),
                                static_cast<std::uint8_t>(plot.blue())}),
            0.05);
  // A file goes to paper and other programs: light whatever the desktop.
  std::string error;
  const std::string svg = (dir / "d.svg").string();
  ASSERT_TRUE(w->export_to(svg, false, error)) << error;
  QFile f(QString::fromStdString(svg));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("<rect width=\"100%\" height=\"100%\" fill=\"#faf9f6\"/>"));
  delete w.data();
}

TEST_F(DiagramWindowTest, KeysInTheTooltipAndTheHelpTopicThatF1Opens) {
  QPointer<DiagramWindow> w = open();
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  ui::HelpFile file;
  text::Message error;
  ASSERT_TRUE(ui::read_help_file(RAVOLIN_SOURCE_DIR "/resources/ravolin2.hlp", file, error))
      << error.in(text::Language::kJapanese);
  const ui::HelpTopic* topic = file.find(130);
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(topic->title, "ダイヤグラム");
  for (const char* key :
       {"＋ または ↑", "－ または ↓", "← →", "PageDown / PageUp", "Enter", "F1", "Esc"}) {
    EXPECT_TRUE(canvas->toolTip().contains(QString::fromUtf8(key))) << key;
    EXPECT_NE(topic->text.find(key), std::string::npos) << key;
  }
  help.clear();
  QTest::keyClick(canvas, Qt::Key_F1);
  auto* close_button = w->findChild<QPushButton*>(QStringLiteral("Command3"));
  QTest::keyClick(close_button, Qt::Key_F1);
  ASSERT_EQ(help.calls().size(), 2u);
  for (const auto& call : help.calls()) {
    EXPECT_EQ(call.what, "topic");
    EXPECT_EQ(call.topic, 130);
    EXPECT_EQ(call.path, state->help_path());
  }
  // Every control that takes the focus says what it is, each differently.
  QStringList names;
  for (QWidget* c : w->findChildren<QWidget*>())
    if (c->focusPolicy() != Qt::NoFocus && !c->isWindow()) {
      EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
      EXPECT_FALSE(names.contains(c->accessibleName())) << c->accessibleName().toStdString();
      names << c->accessibleName();
    }
  EXPECT_GE(names.size(), 5);
  delete w.data();
}

TEST_F(DiagramWindowTest, EnglishWindowShowsEnglishTextsAndStationNames) {
  ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish, RAVOLIN_PROGRAM_DIR "/tokaido"));
  state->language = text::Language::kEnglish;
  for (const auto& [ja, en] :
       std::initializer_list<std::pair<const char*, const char*>>{{"東京", "Tokyo"},
                                                                  {"品川", "Shinagawa"},
                                                                  {"名古屋", "Nagoya"},
                                                                  {"新大阪", "Shin-Osaka"}})
    state->place_names.add(ja, en);
  QPointer<DiagramWindow> w = open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Diagram"));
  EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
            QStringLiteral("Whole day"));
  EXPECT_EQ(w->findChild<QComboBox*>(QStringLiteral("Combo2"))->itemText(1),
            QStringLiteral("Down"));
  auto* canvas = w->findChild<QWidget*>(QStringLiteral("Picture1"));
  EXPECT_TRUE(canvas->toolTip().startsWith(QStringLiteral("+ or Up: zoom in")));
  std::vector<std::string> texts;
  for (const auto& t : w->scene().texts) texts.push_back(t.text);
  for (const char* expected : {"Nagoya", "Shin-Osaka", "Nozomi", "Kodama", "Now 10:00"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  for (QWidget* c : w->findChildren<QWidget*>())
    if (c->isVisible() && !c->accessibleName().isEmpty()) {
      for (QChar ch : c->accessibleName())
        EXPECT_LT(ch.unicode(), 0x80) << c->accessibleName().toStdString();
    }
  delete w.data();
  ui::use_language(*qApp, text::Language::kJapanese, RAVOLIN_PROGRAM_DIR "/tokaido");
}

// Opened through the navigator, the diagram's double-click opens the train's stops in a
// passing-station window over the diagram, which closes with it.
class DiagramNavigatorTest : public test_support::StartedMainWindow {
 protected:
  DiagramNavigatorTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 15, 10, 0, 0)) {}
};

TEST_F(DiagramNavigatorTest, ADoubleClickedTrainsStopsOpenOverTheDiagram) {
  start_main();
  app->open_diagram();
  QPointer<DiagramWindow> w = app->diagram_window();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  const SceneLine* first = nullptr;
  for (const auto& l : w->scene().lines)
    if (l.train >= 0 && l.xy.size() >= 4 && !first) first = &l;
  ASSERT_NE(first, nullptr);
  const auto& xy = first->xy;
  const QPointF q((xy[0] + xy[2]) / 2, (xy[1] + xy[3]) / 2);
  const int hit = hit_train(w->scene(), q.x(), q.y(), 5.0);
  ASSERT_GE(hit, 0);
  const DiagramTrain& train = w->trains()[static_cast<std::size_t>(hit)];
  const std::string expected =
      passing_stations_of_train(state->schedule.sin, train.direction, train.train, 1);
  ASSERT_FALSE(expected.empty());

  QTest::mouseDClick(w->findChild<QWidget*>(QStringLiteral("Picture1")), Qt::LeftButton,
                     Qt::NoModifier, q.toPoint());
  QPointer<PassingWindow> stops = w->findChild<PassingWindow*>();
  ASSERT_NE(stops, nullptr);
  EXPECT_TRUE(stops->isVisible());
  EXPECT_EQ(stops->findChild<QTextEdit*>(QStringLiteral("Text1"))->toPlainText().toStdString(),
            expected);
  w->close();
  flush_deletes();
  EXPECT_TRUE(stops.isNull());
}

}  // namespace
}  // namespace ravolin::board
