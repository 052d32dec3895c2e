// Pictures of the station picker on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "settings/station_picker.h"
#include "settings/station_picker_window.h"
#include "support/screenshot_window.h"

#include <QLineEdit>
#include <QListWidget>

namespace ravolin::settings {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, StationPickerOnTheDeliveredData) {
  auto owned = make_state(delivered_folder());
  app::AppState& state = *owned;
  state.end_program = [] {};
  state.process_events = [] {};
  board::MainWindow main(state);
  ASSERT_TRUE(main.start());

  QLineEdit target;
  state.satellite_mode = kPickBoardingStation;
  auto* picker = new StationPickerWindow(state, &target);
  picker->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(2);
  save(picker, "station_picker.png");
  delete picker;

  state.satellite_mode = kPickKeiyoStation;
  picker = new StationPickerWindow(state, &target);
  save(picker, "station_picker_keiyo.png");
  delete picker;
}

}  // namespace
}  // namespace ravolin::settings
