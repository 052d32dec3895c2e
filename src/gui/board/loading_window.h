// SPDX-License-Identifier: MIT
// The loading window (ravolin11): the product lines, a loading message and a progress
// bar while the data file is read (at start-up, for the hotel list, for a search).
#pragma once

#include "state/app_state.h"

#include <QWidget>

class QCloseEvent;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ravolin::board {

class LoadingWindow final : public QWidget {
  Q_OBJECT
 public:
  // mode: board::kLoadingStartup, kLoadingHotels, kLoadingSearch (about_text.h).
  LoadingWindow(app::AppState& state, int mode, QWidget* parent = nullptr);

  // Shows the progress bar with range 0..steps at 0.
  void start_progress(int steps = 7);
  void set_progress(int value);
  // True once the user has pressed "終了" (the program is ending).
  bool aborted() const { return aborted_; }
  // Stores the position and closes the window.
  void finish();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::AppState& state_;
  QPlainTextEdit* about_box_;     // Text1: the product lines
  QProgressBar* progress_;        // ProgressBar1
  QPushButton* loading_message_;  // Command1: what is being loaded
  QPushButton* exit_button_;      // Command2: 終了
  bool aborted_ = false;
};

}  // namespace ravolin::board
