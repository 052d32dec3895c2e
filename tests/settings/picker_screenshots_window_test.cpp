// Pictures of the station picker on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "settings/station_picker.h"
#include "gui/settings/station_picker_window.h"
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
  app::Navigator app(state);
  ASSERT_TRUE(app.start());

  QLineEdit target;
  auto* picker = new StationPickerWindow(state, kPickBoardingStation, &target);
  picker->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(2);
  save(picker, "station_picker.png");
  delete picker;

  picker = new StationPickerWindow(state, kPickKeiyoStation, &target);
  save(picker, "station_picker_keiyo.png");
  delete picker;
}

}  // namespace
}  // namespace ravolin::settings
