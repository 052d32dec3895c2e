// The passing-station window (ravolin23): the later stops of the train on a
// double-clicked board line. Closes itself ten seconds after opening.
#pragma once

#include "app/app_state.h"

#include <QWidget>

class QCloseEvent;
class QTimer;

namespace ravolin::board {

class PassingWindow final : public QWidget {
  Q_OBJECT
 public:
  // Shows the train of line state.selected_line of the list of state.satellite_mode.
  PassingWindow(app::AppState& state, QWidget* parent = nullptr);
  // Shows a given stop text (a train picked in the diagram).
  PassingWindow(app::AppState& state, const std::string& stops, QWidget* parent);
  void end_proc();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::AppState& state_;
  QTimer* timer1_;
};

}  // namespace ravolin::board
