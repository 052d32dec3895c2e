// SPDX-License-Identifier: MIT
// The version information window (ravolin9).
#pragma once

#include "state/app_state.h"

#include <QWidget>

namespace ravolin::board {

class VersionWindow final : public QWidget {
  Q_OBJECT
 public:
  // main_window is brought to the front when the window is closed with "確認".
  VersionWindow(app::AppState& state, QWidget* main_window);

 private:
  void confirm();
  app::AppState& state_;
  QWidget* main_window_;
};

}  // namespace ravolin::board
