// SPDX-License-Identifier: MIT
// The search conditions window (ravolin25): boarding and alighting stations, departure
// and arrival windows, order of the results, transfer conditions and travel date.
// 検索開始 checks every field, stores the conditions (in the settings too, so the next
// run starts with them) and hands over to the results window.
#pragma once

#include "search/field_checks.h"
#include "state/app_state.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravolin::ui {
class TwipLayout;
}

namespace ravolin::search {

class SearchWindow final : public QWidget {
  Q_OBJECT
 public:
  // The boxes of a station frame: the station and its time window.
  struct StationBoxes {
    QLineEdit* station = nullptr;
    QLineEdit* from_hour = nullptr;
    QLineEdit* from_minute = nullptr;
    QLineEdit* to_hour = nullptr;
    QLineEdit* to_minute = nullptr;
  };
  // The boxes the calendar fills with the day picked, and where the focus goes after.
  struct DateBoxes {
    QLineEdit* year = nullptr;
    QLineEdit* month = nullptr;
    QLineEdit* day = nullptr;
    QLabel* weekday = nullptr;
    QWidget* focus_after_pick = nullptr;
    QWidget* focus_after_close = nullptr;
  };
  // Where the window may go next.
  struct Ways {
    std::function<void()> back_to_board;  // 終了
    std::function<void()> start_search;   // 検索開始, the conditions stored: the results
    // The station picker of `mode` (12 the boarding, 22 the alighting station), which
    // writes the name picked into `box` and then calls `picked`; returns the picker.
    std::function<QWidget*(int mode, QLineEdit* box, std::function<void()> picked)>
        open_station_picker;
    // ｶﾚﾝﾀﾞｰ: the calendar for the travel date; returns it.
    std::function<QWidget*(const DateBoxes& boxes)> open_calendar;
  };
  SearchWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

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
  void build_station_frames(const ui::TwipLayout& at, QGroupBox* search_frame);
  void build_option_frames(const ui::TwipLayout& at, QGroupBox* search_frame);
  void build_date_frame(const ui::TwipLayout& at, QGroupBox* search_frame);
  void build_commands(const ui::TwipLayout& at);
  void connect_keys();
  void fill_fields();
  // The text boxes by the number the form gives them (FormBox); [0] is empty.
  std::array<QLineEdit*, 16> form_boxes() const;
  // The form as the controls hold it, and back (defaults and the message line).
  ConditionForm read_form() const;
  void write_form(const ConditionForm& form);
  // Enter in a text box (FormBox, all but the message line): runs its check; true when
  // accepted.
  bool enter_check(int box);
  // Stores accepted conditions in the state and the settings, with the two-transfer
  // question between the journey and the combination; false when it was cancelled.
  bool store_conditions(const ConditionForm& form, SearchRequest request, bool ask);
  // Label21: the weekday of the date in Text13..Text15, none when they make no date.
  void show_weekday();
  // Text12: a message of the checks in the window's language.
  void show_message(const std::string& message);
  // Tells a screen reader that `field` was refused, with the refusing check's message.
  void announce_refusal(QWidget* field, const std::optional<std::string>& message);

  app::AppState& state_;
  Ways ways_;
  // Frame2 乗車条件 (Text1..Text5) and Frame3 下車条件 (Text6..Text10).
  StationBoxes departure_;
  StationBoxes arrival_;
  QLineEdit* wait_minutes_ = nullptr;          // Text11
  QLineEdit* message_line_ = nullptr;          // Text12
  QLineEdit* travel_year_ = nullptr;           // Text13
  QLineEdit* travel_month_ = nullptr;          // Text14
  QLineEdit* travel_day_ = nullptr;            // Text15
  QLabel* weekday_ = nullptr;                  // Label21
  QRadioButton* sort_by_departure_ = nullptr;  // Option1
  QRadioButton* sort_by_arrival_ = nullptr;    // Option2
  QRadioButton* sort_by_ride_ = nullptr;       // Option3
  QRadioButton* one_transfer_ = nullptr;       // Option4
  QRadioButton* two_transfers_ = nullptr;      // Option5
  QRadioButton* one_per_train_ = nullptr;      // Option6
  QRadioButton* all_per_train_ = nullptr;      // Option7
  QPushButton* search_button_ = nullptr;       // Command1 検索開始
  QPushButton* exit_button_ = nullptr;         // Command2 終了
  QPushButton* calendar_button_ = nullptr;     // Command3 ｶﾚﾝﾀﾞｰ
  QPointer<QWidget> picker_;
  QPointer<QWidget> calendar_;
};

}  // namespace ravolin::search
