// SPDX-License-Identifier: MIT
// The main window (ravolin1): the two departure lists and the clock line, refreshed once
// a minute, with the buttons and menus that lead to every other window. Where they lead
// is the app's business: the window only says what was asked for.
#pragma once

#include "board/next_train.h"
#include "state/app_state.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QCloseEvent;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTimer;

namespace ravolin::board {

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // Where the buttons, menus and double-clicks lead, and what follows a refresh or a close.
  struct Ways {
    std::function<void()> open_correction;             // Command2, 日時補正
    std::function<void()> open_settings;               // Command5, 動作環境登録
    std::function<void()> open_search;                 // Command3, 新幹線検索
    std::function<void()> open_hotel_search;           // Command4, ﾎﾃﾙ検索
    std::function<void()> open_user_hotels;            // ホテル情報の登録・修正
    std::function<void()> open_diagram;                // ダイヤグラム
    std::function<void()> open_version;                // ﾊﾞｰｼﾞｮﾝ情報
    std::function<void()> open_help_contents;          // ﾄﾋﾟｯｸの検索
    std::function<void(int mode)> open_full_schedule;  // a frame double-clicked
    std::function<void(int mode, int line)> open_passing_stations;  // a line double-clicked
    std::function<void()> refreshed;       // after every refresh of the board
    std::function<void()> closing;         // the window closes: the exit path
    std::function<void()> quit_from_menu;  // "Ravolinの終了": ends without the close step
  };

  MainWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // set_form1: the stored position, the board, the layout with or without the Keiyo line;
  // then the refresh timer runs.
  void lay_out();
  // Stops the refresh timer (the program is ending).
  void stop_refresh();

  // The procedures the other windows' changes lead to.
  void set_holiday();
  void edit_time();
  void edit_sinkansen();
  void edit_keiyo();
  // The Timer1 tick: set_holiday, edit_time, edit_sinkansen, edit_keiyo.
  void refresh();

  void end_proc();        // Escape
  void exit_button();     // Command1 "終了"
  void exit_from_menu();  // "Ravolinの終了"

  // The selected line of a list (the list's length when none is selected).
  int selected_line(int mode) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  void build_buttons();
  void build_menus();
  // Tells a screen reader of each line that has just gained "急げ!!" (the first call
  // only takes note of the lines that show it).
  void announce_hurry();

  app::AppState& state_;
  Ways ways_;

  QWidget* central_ = nullptr;
  QGroupBox* sinkansen_frame_ = nullptr;
  QGroupBox* keiyo_frame_ = nullptr;
  QListWidget* sinkansen_list_ = nullptr;
  QListWidget* keiyo_list_ = nullptr;
  QPushButton* exit_button_ = nullptr;
  QPushButton* clock_button_ = nullptr;
  QPushButton* search_button_ = nullptr;
  QPushButton* hotels_button_ = nullptr;
  QPushButton* settings_button_ = nullptr;
  QTimer* refresh_timer_ = nullptr;
  QAction* keiyo_schedule_action_ = nullptr;
  board::HurryWatch hurry_watch_;
};

}  // namespace ravolin::board
