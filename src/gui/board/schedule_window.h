// SPDX-License-Identifier: MIT
// The full schedule window (ravolin24): the whole day's departures from the user's
// station as an hour-by-minute table. Closes itself one minute after opening.
#pragma once

#include "state/app_state.h"

#include <QWidget>

class QCloseEvent;
class QTimer;

namespace ravolin::board {

class ScheduleWindow final : public QWidget {
  Q_OBJECT
 public:
  // Shows the table of one line: mode kModeKeiyo or kModeSinkansen.
  ScheduleWindow(app::AppState& state, int mode, QWidget* parent = nullptr);
  // 終了, Escape and the minute: keeps the window's place and closes it.
  void close_step();
  // The line shown: kModeKeiyo or kModeSinkansen.
  int mode() const { return mode_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::AppState& state_;
  int mode_;
  QTimer* close_timer_;  // Timer1
};

}  // namespace ravolin::board
