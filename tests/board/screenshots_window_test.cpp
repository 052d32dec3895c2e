// Pictures of the board windows on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/about_text.h"
#include "board/loading_window.h"
#include "board/main_window.h"
#include "board/passing_window.h"
#include "board/schedule_window.h"
#include "board/version_window.h"
#include "support/screenshot_window.h"

namespace ravolin::board {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, BoardWindowsOnTheDeliveredData) {
  // RAVOLIN_SCREENSHOT_PROGRAM_DIR may name another program folder than the delivered one.
  auto owned = make_state(program_folder());
  app::AppState& state = *owned;
  MainWindow main(state);
  ASSERT_TRUE(main.start()) << first_message();
  main.move(40, 40);
  save(&main, "main.png");

  LoadingWindow loading(state, kLoadingStartup);
  loading.start_progress(7);
  loading.set_progress(4);
  save(&loading, "loading.png");

  main.open_version();
  save(main.version_window(), "version.png");

  main.open_full_schedule(kModeSinkansen);
  save(main.schedule_window(), "full_schedule.png");
  main.open_full_schedule(kModeKeiyo);
  save(main.schedule_window(), "full_schedule_keiyo.png");

  state.selected_line = 0;
  state.satellite_mode = kModeSinkansen;
  PassingWindow passing(state);
  save(&passing, "passing_stations.png");
}

}  // namespace
}  // namespace ravolin::board
