// Pictures of the diagram window on the delivered data, for docs/screenshots: the whole day,
// and a journey of the route search. Runs only when RAVOLIN_SCREENSHOT_DIR is set.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/diagram/diagram_window.h"
#include "gui/board/main_window.h"
#include "search/engine.h"
#include "support/screenshot_window.h"

#include <memory>

namespace ravolin::board {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, DiagramOnTheDeliveredData) {
  clock.move_to(calendar::make_system_time(2000, 3, 15, 10, 20, 0));
  auto state = make_state(delivered_folder());
  app::Navigator app(*state);
  ASSERT_TRUE(app.start());
  app.open_diagram();
  DiagramWindow* w = app.diagram_window();
  ASSERT_NE(w, nullptr);
  w->resize(1400, 860);
  save(w, "diagram.png");

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
  ASSERT_GT(engine.search(state->schedule.sin, c, state->day_flags, *result), 0);
  int pick = 1;
  for (int i = 1; i <= result->count; ++i)
    if (search::transfer_count(result->entry(i)) == 1) {
      pick = i;
      break;
    }
  const DiagramJourney journey = journey_of(state->schedule.sin, *result, pick);
  w->show_journey(journey);
  save(w, "diagram_journey.png");
}

}  // namespace
}  // namespace ravolin::board
