// A picture of the settings window on the delivered data, for docs/screenshots. Runs
// only when RAVOLIN_SCREENSHOT_DIR names the folder to write it to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "settings/settings_window.h"
#include "ui/fake_platform.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace ravolin::settings {
namespace {

TEST(Screenshots, SettingsWindowOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  const char* folder = std::getenv("RAVOLIN_SCREENSHOT_PROGRAM_DIR");
  auto state = std::make_unique<app::AppState>(folder ? folder : RAVOLIN_PROGRAM_DIR "/tokaido",
                                               app::Platform{clock, messages, help, printer});
  state->end_program = [] {};
  state->process_events = [] { QCoreApplication::processEvents(); };
  board::MainWindow main(*state);
  ASSERT_TRUE(main.start()) << (messages.shown().empty() ? "" : messages.shown()[0].request.text);
  main.show();
  main.open_settings();
  SettingsWindow* w = main.settings_window();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/settings.png")));
}

}  // namespace
}  // namespace ravolin::settings
