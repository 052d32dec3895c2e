// SPDX-License-Identifier: MIT
// The passing-station window (ravolin23): the later stops of the train on a
// double-clicked board line. Closes itself ten seconds after opening.
#pragma once

#include "state/app_state.h"

#include <QWidget>

class QCloseEvent;
class QTimer;

namespace ravolin::board {

class PassingWindow final : public QWidget {
  Q_OBJECT
 public:
  // Shows the train of a board line: line (0-based) of the list of mode (kModeKeiyo or
  // kModeSinkansen).
  PassingWindow(app::AppState& state, int mode, int line, QWidget* parent = nullptr);
  // Shows a given stop text (a train picked in the diagram).
  PassingWindow(app::AppState& state, const std::string& stops, QWidget* parent);
  // Escape and the ten seconds: keeps the window's place and closes it.
  void close_step();
  // The board line shown: its list (kModeKeiyo, kModeSinkansen; 0 for a given stop text)
  // and its 0-based line.
  int mode() const { return mode_; }
  int line() const { return line_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::AppState& state_;
  int mode_ = 0;
  int line_ = 0;
  QTimer* close_timer_;  // Timer1
};

}  // namespace ravolin::board
