// Pictures of the calendar and the correction window on the delivered data, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/calendar/calendar_window.h"
#include "gui/calendar/correction_window.h"
#include "support/screenshot_window.h"

#include <QLineEdit>

namespace ravolin::calendar {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, CalendarAndCorrectionOnTheDeliveredData) {
  auto owned = make_state(delivered_folder());
  app::AppState& state = *owned;
  state.end_program = [] {};
  state.process_events = [] {};
  app::Navigator app(state);
  ASSERT_TRUE(app.start());

  auto* calendar = new CalendarWindow(state, CalendarWindow::Targets{});
  calendar->set_stepper_value(2);
  save(calendar, "calendar.png");
  delete calendar;

  app.open_correction();
  CorrectionWindow* correction = app.correction_window();
  ASSERT_NE(correction, nullptr);
  correction->findChild<QLineEdit*>(QStringLiteral("Text9"))->setText(QStringLiteral("14"));
  correction->findChild<QLineEdit*>(QStringLiteral("Text10"))->setText(QStringLiteral("07"));
  save(correction, "correction.png");
}

}  // namespace
}  // namespace ravolin::calendar
