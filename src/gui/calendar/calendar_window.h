// SPDX-License-Identifier: MIT
// The calendar (ravolin4): a month grid for picking the travel date of a route search.
//
// Use from the search conditions window:
//
//   calendar::CalendarWindow::Targets t;
//   t.year = text13; t.month = text14; t.day = text15; t.weekday = label21;
//   t.focus_after_pick = text1;    // gets the focus once a day is chosen
//   t.focus_after_close = text3;   // gets the focus after 終了 or Escape
//   auto* cal = new calendar::CalendarWindow(state, t, this);
//   cal->show();
//
// The window is modeless and deletes itself when it closes. A day button writes the date
// into state.search_date (day number, year, month, day, weekday) and into the target
// boxes ("yyyy", "mm", "dd" and "(aaa)"), emits picked(), brings the window of
// focus_after_pick to the front with the focus there, and closes. 終了 and Escape close
// without writing. Every target is optional and may be deleted while the calendar is
// open. The months offered run from the system clock's month for 60 months (stepper) or,
// typed as "yyyy/m", up to ten years past the system year.
#pragma once

#include "calendar/month_grid.h"
#include "state/app_state.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace ravolin::calendar {

class CalendarWindow final : public QWidget {
  Q_OBJECT
 public:
  struct Targets {
    QPointer<QLineEdit> year;
    QPointer<QLineEdit> month;
    QPointer<QLineEdit> day;
    QPointer<QLabel> weekday;
    QPointer<QWidget> focus_after_pick;
    QPointer<QWidget> focus_after_close;
  };

  CalendarWindow(app::AppState& state, Targets targets, QWidget* parent = nullptr);

  // The month in the grid.
  ShownMonth shown() const { return shown_; }
  // The month stepper VScroll1: 1 (the system month, at the bottom) .. 60 (at the top).
  int stepper_value() const;
  void set_stepper_value(int value);
  // Day button i (1..42) clicked: returns its date when it holds a day.
  void day_clicked(int i);
  // 終了 / Escape.
  void end_proc();

 signals:
  // After a day has been written into state.search_date and the targets.
  void picked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  void stepper_changed(int value);
  bool typed_month_entered();
  void fill_grid();
  void back_to(QWidget* focus);

  app::AppState& state_;
  Targets targets_;
  SystemTime system_;
  ShownMonth shown_;
  std::array<int, kGridButtons + 1> days_{};
  // Command1..Command42, numbered as the month grid numbers its days.
  std::array<QPushButton*, kGridButtons + 1> day_buttons_{};
  QLineEdit* month_box_ = nullptr;       // Text1
  QScrollBar* month_stepper_ = nullptr;  // VScroll1
};

}  // namespace ravolin::calendar
