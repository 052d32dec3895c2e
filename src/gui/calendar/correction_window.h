// The date/time correction window (ravolin21): shows the running system clock and takes a
// corrected date and time, applied by setting the system clock (日時設定) or by shifting
// the program's own clock (一時設定); 取消終了 returns to the system date and time.
//
// Use (from the main window):
//
//   auto* w = new calendar::CorrectionWindow(state, [this] { refresh(); }, this);
//   w->show();
//
// The window is modeless and deletes itself when it closes. `refresh_board` recomputes
// the board from the service date and clock (day-type flags, clock caption, both lists);
// the window calls it whenever it has changed them, so the main window follows at once.
#pragma once

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
  CorrectionWindow(app::AppState& state, std::function<void()> refresh_board,
                   QWidget* parent = nullptr);

  // 日時設定 (Command1): asks the platform to set the system clock and closes when it
  // has answered; until then the window waits with nothing to press.
  void set_system_clock();
  void set_temporary();     // 一時設定 (Command2)
  void cancel();            // 取消終了 (Command3)
  void end_proc();          // Escape
  // Timer1: reads the system clock and shows it in Text1..Text6.
  void tick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* box(int n) const { return text_[n]; }
  std::array<std::string, 6> corrected_fields() const;
  // Runs the checks; on a refusal puts the focus in the refused box and returns false.
  bool check_all();
  void system_clock_answered(const ClockSetResult& result);
  void show_setting(bool setting);
  void finish();

  app::AppState& state_;
  std::function<void()> refresh_board_;
  SystemTime tick_;  // the system clock at the last timer tick
  std::array<QLineEdit*, 13> text_{};
  std::array<QPushButton*, 3> buttons_{};  // Command1..Command3
  bool setting_ = false;  // waiting for the system clock to be set
  QTimer* timer1_ = nullptr;
};

}  // namespace ravolin::calendar
