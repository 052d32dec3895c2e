// SPDX-License-Identifier: MIT
// The calendar and the correction window on the delivered data.
#include "shots.h"

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/calendar/calendar_window.h"
#include "gui/calendar/correction_window.h"

#include <QLineEdit>

namespace ravolin::screenshots {

void calendar_pictures(Shots& shots) {
  auto owned = shots.make_state(Shots::delivered_folder());
  app::AppState& state = *owned;
  app::Navigator app(state);
  shots.start(app);

  auto* calendar = new calendar::CalendarWindow(state, calendar::CalendarWindow::Targets{});
  calendar->set_stepper_value(2);
  shots.save(calendar, "calendar.png");
  delete calendar;

  app.open_correction();
  calendar::CorrectionWindow* correction =
      Shots::need(app.correction_window(), "the correction window");
  correction->findChild<QLineEdit*>(QStringLiteral("Text9"))->setText(QStringLiteral("14"));
  correction->findChild<QLineEdit*>(QStringLiteral("Text10"))->setText(QStringLiteral("07"));
  shots.save(correction, "correction.png");
}

}  // namespace ravolin::screenshots
