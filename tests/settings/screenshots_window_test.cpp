// A picture of the settings window on the delivered data, for docs/screenshots. Runs
// only when RAVOLIN_SCREENSHOT_DIR names the folder to write it to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "settings/settings_window.h"
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
  board::MainWindow main(*state);
  ASSERT_TRUE(main.start()) << first_message();
  main.show();
  main.open_settings();
  SettingsWindow* w = main.settings_window();
  ASSERT_NE(w, nullptr);
  save(w, "settings.png");
}

}  // namespace
}  // namespace ravolin::settings
