// SPDX-License-Identifier: MIT
// The board windows and the diagram on the delivered data.
#include "shots.h"

#include "app/navigator.h"
#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/diagram/diagram_window.h"
#include "search/engine.h"

#include <memory>

namespace ravolin::screenshots {

void diagram_pictures(Shots& shots) {
  shots.clock.move_to(calendar::make_system_time(2000, 3, 15, 10, 20, 0));
  auto state = shots.make_state(Shots::delivered_folder());
  app::Navigator app(*state);
  shots.start(app);
  app.open_diagram();
  board::DiagramWindow* w = Shots::need(app.diagram_window(), "the diagram window");
  w->resize(1400, 860);
  shots.save(w, "diagram.png");

  // 東京 → 広島 in the morning with one change: the journey zoomed, its trains bold.
  search::SearchConditions c;
  c.st_station = "東京";
  c.ed_station = "広島";
  c.st_time1 = 800;
  c.st_time2 = 900;
  c.ed_time1 = 800;
  c.ed_time2 = 2359;
  c.wait_time = 40;
  c.wait_count = 1;
  c.sort_order = search::kSortByRide;
  search::RouteSearch engine;
  auto result = std::make_unique<search::SearchResult>();
  Shots::check(engine.search(state->schedule.sin, c, state->day_flags, *result) > 0,
               "the route search found no journey");
  int pick = 1;
  for (int i = 1; i <= result->count; ++i)
    if (search::transfer_count(result->entry(i)) == 1) {
      pick = i;
      break;
    }
  w->show_journey(board::journey_of(state->schedule.sin, *result, pick));
  shots.save(w, "diagram_journey.png");
}

void dark_pictures(Shots& shots) {
  shots.clock.move_to(calendar::make_system_time(2000, 3, 15, 10, 20, 0));
  auto state = shots.make_state(Shots::delivered_folder());
  app::Navigator app(*state);
  shots.start(app);
  app.main_window()->move(40, 40);
  shots.save(app.main_window(), "main-dark.png");
  app.open_diagram();
  board::DiagramWindow* w = Shots::need(app.diagram_window(), "the diagram window");
  w->resize(1400, 860);
  shots.save(w, "diagram-dark.png");
}

void board_pictures(Shots& shots) {
  auto owned = shots.make_state(shots.program_folder());
  app::AppState& state = *owned;
  app::Navigator app(state);
  board::MainWindow& main = *app.main_window();
  shots.start(app);
  main.move(40, 40);
  shots.save(&main, "main.png");

  board::LoadingWindow loading(state, board::kLoadingStartup);
  loading.start_progress(7);
  loading.set_progress(4);
  shots.save(&loading, "loading.png");

  app.open_version();
  shots.save(app.version_window(), "version.png");

  app.open_full_schedule(board::kModeSinkansen);
  shots.save(app.schedule_window(), "full_schedule.png");
  app.open_full_schedule(board::kModeKeiyo);
  shots.save(app.schedule_window(), "full_schedule_keiyo.png");

  board::PassingWindow passing(state, board::kModeSinkansen, 0);
  shots.save(&passing, "passing_stations.png");
}

}  // namespace ravolin::screenshots
