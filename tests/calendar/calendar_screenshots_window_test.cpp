// Pictures of the calendar and the correction window on the delivered data, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "calendar/calendar_window.h"
#include "calendar/correction_window.h"
#include "ui/fake_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace ravolin::calendar {
namespace {

void save(QWidget* w, const std::string& dir, const char* name) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, CalendarAndCorrectionOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  FixedClock clock{make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state(RAVOLIN_PROGRAM_DIR "/tokaido", app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] {};
  board::MainWindow main(state);
  ASSERT_TRUE(main.start());

  auto* calendar = new CalendarWindow(state, CalendarWindow::Targets{});
  calendar->set_stepper_value(2);
  save(calendar, dir, "calendar.png");
  delete calendar;

  main.open_correction();
  CorrectionWindow* correction = main.correction_window();
  ASSERT_NE(correction, nullptr);
  correction->findChild<QLineEdit*>(QStringLiteral("Text9"))->setText(QStringLiteral("14"));
  correction->findChild<QLineEdit*>(QStringLiteral("Text10"))->setText(QStringLiteral("07"));
  save(correction, dir, "correction.png");
}

}  // namespace
}  // namespace ravolin::calendar
