// The full schedule window (ravolin24): the whole day's departures from the user's
// station as an hour-by-minute table. Closes itself one minute after opening.
#pragma once

#include "app/app_state.h"

#include <QWidget>

class QCloseEvent;
class QTimer;

namespace ravolin::board {

class ScheduleWindow final : public QWidget {
  Q_OBJECT
 public:
  // Shows the table of the satellite-window mode in state (1 Keiyo, 2 Shinkansen).
  ScheduleWindow(app::AppState& state, QWidget* parent = nullptr);
  void end_proc();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::AppState& state_;
  QTimer* timer1_;
};

}  // namespace ravolin::board
