// SPDX-License-Identifier: MIT
// The station picker (ravolin22): lists the stations of one line and writes the chosen
// name into a text box of the window that opened it.
//
// Use: with the mode (settings/station_picker.h: 1 Keiyo station of the settings window,
// 2 its Shinkansen station, 12 the boarding and 22 the alighting station of the search
// window),
//
//   auto* picker = new settings::StationPickerWindow(state, settings::kPickBoardingStation,
//                                                    text1, this);
//   picker->show();
//
// The window is modeless and deletes itself when it closes. 選択 (or a double-click or
// Enter on a station) replaces the whole text of `target` with the station's name, emits
// picked() and closes; 取消終了 and Escape close without writing. With a mode outside
// the four, nothing is listed and nothing is written. The target may be deleted while
// the picker is open: the name then goes nowhere.
#pragma once

#include "state/app_state.h"

#include <QPointer>
#include <QWidget>

class QCloseEvent;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ravolin::settings {

class StationPickerWindow final : public QWidget {
  Q_OBJECT
 public:
  StationPickerWindow(app::AppState& state, int mode, QLineEdit* target, QWidget* parent = nullptr);
  int mode() const { return mode_; }

  // 選択: writes the first selected station into the target box and closes. Nothing
  // happens while no station is selected.
  void choose();
  // 取消終了 / Escape: closes without writing.
  void end_proc();

 signals:
  // After a station has been written into the target box (before the window closes).
  void picked(const QString& station);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void list_clicked();

  app::AppState& state_;
  int mode_;
  QPointer<QLineEdit> target_;
  bool known_mode_ = false;
  QListWidget* station_list_ = nullptr;   // List1
  QPushButton* choose_button_ = nullptr;  // Command3 選択
};

}  // namespace ravolin::settings
