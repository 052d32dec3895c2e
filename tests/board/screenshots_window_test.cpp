// Pictures of the board windows on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "support/screenshot_window.h"

namespace ravolin::board {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, BoardWindowsOnTheDeliveredData) {
  // RAVOLIN_SCREENSHOT_PROGRAM_DIR may name another program folder than the delivered one.
  auto owned = make_state(program_folder());
  app::AppState& state = *owned;
  app::Navigator app(state);
  MainWindow& main = *app.main_window();
  ASSERT_TRUE(app.start()) << first_message();
  main.move(40, 40);
  save(&main, "main.png");

  LoadingWindow loading(state, kLoadingStartup);
  loading.start_progress(7);
  loading.set_progress(4);
  save(&loading, "loading.png");

  app.open_version();
  save(app.version_window(), "version.png");

  app.open_full_schedule(kModeSinkansen);
  save(app.schedule_window(), "full_schedule.png");
  app.open_full_schedule(kModeKeiyo);
  save(app.schedule_window(), "full_schedule_keiyo.png");

  PassingWindow passing(state, kModeSinkansen, 0);
  save(&passing, "passing_stations.png");
}

}  // namespace
}  // namespace ravolin::board
