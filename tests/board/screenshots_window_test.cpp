// Pictures of the board windows on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/about_text.h"
#include "board/loading_window.h"
#include "board/main_window.h"
#include "board/passing_window.h"
#include "board/schedule_window.h"
#include "board/version_window.h"
#include "ui/fake_platform.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace ravolin::board {
namespace {

void save(QWidget* w, const std::string& dir, const char* name) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, BoardWindowsOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  // RAVOLIN_SCREENSHOT_PROGRAM_DIR may name another program folder than the delivered one.
  const char* folder = std::getenv("RAVOLIN_SCREENSHOT_PROGRAM_DIR");
  auto owned = std::make_unique<app::AppState>(folder ? folder : RAVOLIN_PROGRAM_DIR "/tokaido",
                                               app::Platform{clock, messages, help, printer});
  app::AppState& state = *owned;
  MainWindow main(state);
  ASSERT_TRUE(main.start()) << (messages.shown().empty() ? "" : messages.shown()[0].request.text);
  main.move(40, 40);
  save(&main, dir, "main.png");

  LoadingWindow loading(state, kLoadingStartup);
  loading.start_progress(7);
  loading.set_progress(4);
  save(&loading, dir, "loading.png");

  main.open_version();
  save(main.version_window(), dir, "version.png");

  main.open_full_schedule(kModeSinkansen);
  save(main.schedule_window(), dir, "full_schedule.png");
  main.open_full_schedule(kModeKeiyo);
  save(main.schedule_window(), dir, "full_schedule_keiyo.png");

  state.selected_line = 0;
  state.satellite_mode = kModeSinkansen;
  PassingWindow passing(state);
  save(&passing, dir, "passing_stations.png");
}

}  // namespace
}  // namespace ravolin::board
