// The main window (ravolin1): starts the program, shows the two departure lists and the
// clock line, refreshes them once a minute and opens every other window.
#pragma once

#include "app/app_state.h"
#include "board/next_train.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <string>

class QAction;
class QCloseEvent;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTimer;

namespace ravolin::settings {
class SettingsWindow;
}
namespace ravolin::hotels {
class HotelSearchWindow;
class UserHotelsWindow;
}
namespace ravolin::calendar {
class CorrectionWindow;
}  // namespace ravolin::calendar

namespace ravolin::search {
class ResultsWindow;
class SearchWindow;
}  // namespace ravolin::search

namespace ravolin::board {

class DiagramWindow;
class LoadingWindow;
class PassingWindow;
class ScheduleWindow;
class VersionWindow;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(app::AppState& state, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence (get_control, edition, get_today, init_sec with the loading
  // window, set_form1). False when the program must end: a data error (already shown to
  // the user) or "終了" pressed in the loading window. Nothing is written then.
  bool start();
  // True when start() ended because "終了" was pressed in the loading window.
  bool start_aborted() const { return aborted_; }
  // Observer of the start-up steps, for tests: "get_control", "get_today",
  // "get_ini_file", "loading_shown", "progress N", "set_form1", "loading_closed".
  void set_step_observer(std::function<void(const std::string&)> observer) {
    observer_ = std::move(observer);
  }

  // The procedures the other windows call after changing their inputs.
  void set_holiday();
  void edit_time();
  void edit_sinkansen();
  void edit_keiyo();
  // The Timer1 tick: set_holiday, edit_time, edit_sinkansen, edit_keiyo.
  void refresh();

  // Window actions (also reached through the menus).
  void open_full_schedule(int mode);
  void open_passing_stations(int mode);
  void open_version();
  void open_help_contents();

  // The date/time correction window (Command2, 日時補正).
  void open_correction();

  // The settings window (Command5, 動作環境登録).
  void open_settings();
  settings::SettingsWindow* settings_window() const;
  // The settings window switched the Keiyo display on: the program ends like "終了", and
  // the settings file holds keiyo_use=1 so that the next start loads the Keiyo data.
  void end_for_keiyo_data();

  // The Shinkansen search conditions window (Command3, 新幹線検索).
  void open_search();
  search::SearchWindow* search_window() const;
  search::ResultsWindow* results_window() const;

  // The hotel search window (Command4, ﾎﾃﾙ検索).
  void open_hotel_search();

  // The user hotel list window (ホテル情報の登録・修正).
  void open_user_hotels();

  // The train diagram (ダイヤグラム); with a journey, on that journey's hours.
  void open_diagram();
  DiagramWindow* diagram_window() const;

  void end_proc();        // Escape
  void exit_button();     // Command1 "終了"
  void exit_from_menu();  // "Ravolinの終了"

  ScheduleWindow* schedule_window() const;
  PassingWindow* passing_window() const;
  VersionWindow* version_window() const;
  hotels::HotelSearchWindow* hotel_search_window() const;
  hotels::UserHotelsWindow* user_hotels_window() const;
  calendar::CorrectionWindow* correction_window() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  void build_menus();
  void set_form1();
  void report_start_error(const std::string& text);
  void step(const std::string& name);
  // The close step of every path that closes the main window.
  void close_step();
  void write_settings();
  // The tray icon: shown at start-up where the desktop has a tray, brought up to date with
  // every refresh.
  void setup_tray();
  void update_tray();
  // The results window of a started search (from the conditions window's 検索開始).
  void open_results();

  app::AppState& state_;
  std::function<void(const std::string&)> observer_;
  bool aborted_ = false;
  bool closed_ = false;        // the close step has run
  bool skip_close_step_ = false;
  bool keiyo_layout_ = true;
  bool keiyo_switched_on_ = false;  // end_for_keiyo_data() is closing the window
  bool searching_ = false;     // a results window is running its search

  QWidget* central_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QListWidget* list1_ = nullptr;
  QListWidget* list2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
  QTimer* timer1_ = nullptr;
  QAction* keiyo_schedule_action_ = nullptr;

  QPointer<LoadingWindow> loading_;
  QPointer<ScheduleWindow> schedule_;
  QPointer<PassingWindow> passing_;
  QPointer<VersionWindow> version_;
  QPointer<settings::SettingsWindow> settings_;
  QPointer<hotels::HotelSearchWindow> hotel_search_;
  QPointer<hotels::UserHotelsWindow> user_hotels_;
  QPointer<DiagramWindow> diagram_;
  HurryWatch hurry_watch_;
  bool tray_shown_ = false;
  QPointer<calendar::CorrectionWindow> correction_;
  QPointer<search::SearchWindow> search_;
  QPointer<search::ResultsWindow> results_;
};

}  // namespace ravolin::board
