// The search conditions window (ravolin25): boarding and alighting stations, departure
// and arrival windows, order of the results, transfer conditions and travel date.
// 検索開始 checks every field, stores the conditions (in the settings too, so the next
// run starts with them) and hands over to the results window.
#pragma once

#include "state/app_state.h"
#include "search/field_checks.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravolin::search {

class SearchWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads: back to the main window (終了), on to the results (検索開始).
  struct Routes {
    std::function<void()> show_main;
    std::function<void()> open_results;
  };
  SearchWindow(app::AppState& state, Routes routes, QWidget* parent = nullptr);

  void search_start();  // Command1 検索開始
  void exit_button();   // Command2 終了
  void end_proc();      // Escape: stores the position and closes, no other window shown

  // Opens the station picker for Text1 (mode 12) or Text6 (mode 22); the picked name
  // replaces the box's text.
  void open_station_picker(int mode);
  QWidget* station_picker() const { return picker_.data(); }
  // Command3 ｶﾚﾝﾀﾞｰ: the calendar, which fills the travel date when a day is picked.
  void open_calendar();
  QWidget* calendar() const { return calendar_.data(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_controls();
  void set_form1();
  // The form as the controls hold it, and back (defaults and the message line).
  ConditionForm read_form() const;
  void write_form(const ConditionForm& form);
  // Enter in text box i (1..11, 13..15): runs its check; true when accepted.
  bool enter_check(int i);
  // Label21: the weekday of the date in Text13..Text15, none when they make no date.
  void show_weekday();

  app::AppState& state_;
  Routes routes_;
  std::array<QLineEdit*, 16> text_{};  // Text1..Text15; [12] the message line
  std::array<QRadioButton*, 8> option_{};  // Option1..Option7
  QLabel* label21_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPointer<QWidget> picker_;
  QPointer<QWidget> calendar_;
};

}  // namespace ravolin::search
