// SPDX-License-Identifier: MIT
// One full repaint of the train diagram for the whole day of the delivered 東海道・山陽
// data (both directions) at 1600x1000: the scene laid out and painted, as the window does
// on every change of view. Goal: 8 ms or less.
#include "app/navigator.h"
#include "diagram/diagram.h"
#include "gui/board/main_window.h"
#include "render/scene_painter.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace ravolin;

// The delivered data started in the main window, and the whole day of the first route as
// the diagram window lays it out on a 1600 x 1000 picture.
struct Loaded {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 15, 10, 20, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  board::MainWindow* main = nullptr;
  bool ok = false;
  std::vector<board::DiagramRoute> routes;
  std::vector<board::DiagramTrain> trains;
  board::DiagramView view;

  explicit Loaded(benchmark::State& bs) {
    state = std::make_unique<app::AppState>(RAVOLIN_PROGRAM_DIR "/tokaido",
                                            app::Platform{clock, messages, help, printer});
    app = std::make_unique<app::Navigator>(*state);
    main = app->main_window();
    ok = app->start();
    if (!ok) {
      bs.SkipWithError("start-up failed (is the delivered data built?)");
      return;
    }
    routes = board::diagram_routes(state->schedule.sin, state->fares);
    trains = board::diagram_trains(state->schedule.sin, routes[0], state->day_flags);
    view = board::whole_day_view(trains, 1600, 1000);
  }
};

void BM_DiagramFullRepaint(benchmark::State& bs) {
  Loaded l(bs);
  if (!l.ok) return;
  board::DiagramMarks marks;
  marks.now_minute = 620;
  marks.user_station = l.state->settings.sinkansen_station;
  QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : bs) {
    const board::Scene scene = board::layout_diagram(l.routes[0], l.trains, l.view, marks);
    QPainter p(&image);
    render::paint_scene(p, scene);
    p.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  bs.counters["trains"] = static_cast<double>(l.trains.size());
}
BENCHMARK(BM_DiagramFullRepaint)->Unit(benchmark::kMillisecond);

void BM_DiagramLayoutOnly(benchmark::State& bs) {
  Loaded l(bs);
  if (!l.ok) return;
  for (auto _ : bs)
    benchmark::DoNotOptimize(board::layout_diagram(l.routes[0], l.trains, l.view, {}));
}
BENCHMARK(BM_DiagramLayoutOnly)->Unit(benchmark::kMillisecond);

}  // namespace
