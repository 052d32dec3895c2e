// SPDX-License-Identifier: MIT
// The date/time correction window (ravolin21): shows the running system clock and takes a
// corrected date and time, applied by setting the system clock (日時設定) or by shifting
// the program's own clock (一時設定); 取消終了 returns to the system date and time.
//
// Use (from the main window):
//
//   calendar::CorrectionWindow::Ways ways;
//   ways.refresh_board = [this] { refresh(); };
//   auto* w = new calendar::CorrectionWindow(state, std::move(ways), this);
//   w->show();
//
// The window is modeless and deletes itself when it closes.
#pragma once

#include "calendar/correction.h"
#include "state/app_state.h"

#include <QWidget>

#include <array>
#include <functional>

class QCloseEvent;
class QLineEdit;
class QPushButton;
class QTimer;

namespace ravolin::calendar {

class CorrectionWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where a correction leads: `refresh_board` recomputes the board from the service date
  // and clock (day-type flags, clock caption, both lists); the window calls it whenever
  // it has changed them, so the main window follows at once.
  struct Ways {
    std::function<void()> refresh_board;
  };
  CorrectionWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // 日時設定 (Command1): asks the platform to set the system clock and closes when it
  // has answered; until then the window waits with nothing to press.
  void set_system_clock();
  void set_temporary();  // 一時設定 (Command2)
  void cancel();         // 取消終了 (Command3)
  void end_proc();       // Escape
  // Timer1: reads the system clock and shows it in the system boxes.
  void tick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_boxes();
  void build_buttons();
  int extra_width() const;  // twips the English window adds to the width
  void connect_corrected_boxes();
  std::array<std::string, kDateTimeFields> corrected_fields() const;
  // Runs the checks; on a refusal puts the focus in the refused box and returns false.
  bool check_all();
  // Tells a screen reader why corrected field `field` (0 year .. 5 second) was refused;
  // false.
  bool refuse(int field);
  void system_clock_answered(const ClockSetResult& result);
  void show_setting(bool setting);
  void finish();

  app::AppState& state_;
  Ways ways_;
  SystemTime tick_;  // the system clock at the last timer tick
  // Year, month, day, hour, minute, second: the running system clock (Text1..Text6) and
  // the corrected date and time (Text7..Text12, the boxes the correction's checks number).
  std::array<QLineEdit*, kDateTimeFields> system_boxes_{};
  std::array<QLineEdit*, kDateTimeFields> corrected_boxes_{};
  QPushButton* set_system_button_ = nullptr;     // Command1 日時設定
  QPushButton* set_temporary_button_ = nullptr;  // Command2 一時設定
  QPushButton* cancel_button_ = nullptr;         // Command3 取消終了
  bool setting_ = false;                         // waiting for the system clock to be set
  QTimer* clock_timer_ = nullptr;                // Timer1
};

}  // namespace ravolin::calendar
