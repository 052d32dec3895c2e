// Pictures of the station picker on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "settings/station_picker.h"
#include "settings/station_picker_window.h"
#include "ui/fake_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace ravolin::settings {
namespace {

void save(QWidget* w, const std::string& dir, const char* name) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, StationPickerOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state(RAVOLIN_PROGRAM_DIR "/tokaido", app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] {};
  board::MainWindow main(state);
  ASSERT_TRUE(main.start());

  QLineEdit target;
  state.satellite_mode = kPickBoardingStation;
  auto* picker = new StationPickerWindow(state, &target);
  picker->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(2);
  save(picker, dir, "station_picker.png");
  delete picker;

  state.satellite_mode = kPickKeiyoStation;
  picker = new StationPickerWindow(state, &target);
  save(picker, dir, "station_picker_keiyo.png");
  delete picker;
}

}  // namespace
}  // namespace ravolin::settings
