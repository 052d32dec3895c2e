// A picture of the settings window on the delivered data, for docs/screenshots. Runs
// only when RAVOLIN_SCREENSHOT_DIR names the folder to write it to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/settings/settings_window.h"
#include "support/screenshot_window.h"

#include <QApplication>
#include <QTest>

namespace ravolin::settings {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, SettingsWindowOnTheDeliveredData) {
  auto state = make_state(program_folder());
  state->end_program = [] {};
  state->process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(*state);
  board::MainWindow& main = *app.main_window();
  ASSERT_TRUE(app.start()) << first_message();
  main.show();
  app.open_settings();
  SettingsWindow* w = app.settings_window();
  ASSERT_NE(w, nullptr);
  save(w, "settings.png");
}

}  // namespace
}  // namespace ravolin::settings
