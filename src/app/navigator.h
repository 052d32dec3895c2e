// SPDX-License-Identifier: MIT
// The program's life between main() and the windows: the start-up with the loading
// window, every window opened with its inputs and its ways on, and the exit path that
// writes the settings. The only place that knows every window.
#pragma once

#include "board/next_train.h"
#include "state/app_state.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

#include <functional>
#include <memory>
#include <string>

namespace ravolin::board {
class DiagramWindow;
class LoadingWindow;
class MainWindow;
class PassingWindow;
class ScheduleWindow;
class VersionWindow;
}  // namespace ravolin::board
namespace ravolin::calendar {
class CorrectionWindow;
}
namespace ravolin::hotels {
class AreaPickerWindow;
class DistrictWindow;
class HotelEditWindow;
class HotelListWindow;
class HotelSearchWindow;
class UserHotelsWindow;
}  // namespace ravolin::hotels
namespace ravolin::search {
class ResultsWindow;
class SearchWindow;
}  // namespace ravolin::search
namespace ravolin::settings {
class SettingsWindow;
class StationPickerWindow;
}  // namespace ravolin::settings

namespace ravolin::app {

class Navigator final : public QObject {
  Q_OBJECT
 public:
  explicit Navigator(AppState& state);
  ~Navigator() override;

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

  // ---- where the windows lead ----------------------------------------------------------
  void open_full_schedule(int mode);
  void open_passing_stations(int mode, int line);
  void open_version();
  void open_help_contents();
  void open_correction();
  void open_settings();
  // The station picker (ravolin22) of `mode` for a box of `opener`, which it writes the
  // picked name into before running `picked`. One picker at a time: a new one replaces
  // the open one.
  void open_station_picker(QWidget* opener, int mode, QLineEdit* target,
                           std::function<void()> picked);
  void open_search();
  void open_hotel_search();
  void open_user_hotels();
  // The edit window of a user hotel list for its entry `index` (0-based), or for a new
  // entry (-1); it hands the confirmed entry to the list.
  void open_hotel_editor(hotels::UserHotelsWindow& list, int index);
  void open_diagram();
  // The settings window switched the Keiyo display on: the program ends like "終了", and
  // the settings file holds keiyo_use=1 so that the next start loads the Keiyo data.
  void end_for_keiyo_data();

  // ---- the windows, while open -------------------------------------------------------------
  board::MainWindow* main_window() const;
  board::ScheduleWindow* schedule_window() const;
  board::PassingWindow* passing_window() const;
  board::VersionWindow* version_window() const;
  board::DiagramWindow* diagram_window() const;
  calendar::CorrectionWindow* correction_window() const;
  settings::SettingsWindow* settings_window() const;
  settings::StationPickerWindow* station_picker() const;
  search::SearchWindow* search_window() const;
  search::ResultsWindow* results_window() const;
  hotels::HotelSearchWindow* hotel_search_window() const;
  hotels::UserHotelsWindow* user_hotels_window() const;
  hotels::HotelEditWindow* hotel_edit_window() const;
  // Replaces the area picker (tests): called with the window that asks for it and the
  // picker mode instead of opening the picker.
  void substitute_area_picker(std::function<void(QWidget* caller, int mode)> picker) {
    area_picker_substitute_ = std::move(picker);
  }

 private:
  void step(const std::string& name);
  bool read_data_file();
  // The results window of a started search (from the conditions window's 検索開始).
  void open_results();
  void show_journey_in_diagram(int entry);
  // The hotel windows' ways: the hotel list of the current selection (false when there is
  // nothing to show), the district selection and the area picker for a caller's area field.
  bool open_hotel_list();
  void open_districts();
  void open_area_picker(QWidget* caller, int mode, std::function<void(const QString&)> chosen);
  // After every refresh of the board: the diagram and the tray follow it.
  void board_refreshed();
  // The tray icon: shown at start-up where the desktop has a tray.
  void set_up_tray();
  void update_tray();
  // The exit path of every way the main window closes.
  void close_step();
  void quit_from_menu();
  void close_other_windows();
  void write_settings();

  AppState& state_;
  std::function<void(const std::string&)> observer_;
  bool aborted_ = false;
  bool closed_ = false;             // the close step has run
  bool skip_close_step_ = false;    // "Ravolinの終了" ends without it
  bool keiyo_switched_on_ = false;  // end_for_keiyo_data() is closing the program
  bool searching_ = false;          // a results window is running its search
  bool tray_shown_ = false;
  board::HurryWatch hurry_watch_;

  std::unique_ptr<board::MainWindow> main_;
  QPointer<board::LoadingWindow> loading_;
  QPointer<board::ScheduleWindow> schedule_;
  QPointer<board::PassingWindow> passing_;
  QPointer<board::VersionWindow> version_;
  QPointer<board::DiagramWindow> diagram_;
  QPointer<calendar::CorrectionWindow> correction_;
  QPointer<settings::SettingsWindow> settings_;
  QPointer<settings::StationPickerWindow> station_picker_;
  QPointer<search::SearchWindow> search_;
  QPointer<search::ResultsWindow> results_;
  QPointer<hotels::HotelSearchWindow> hotel_search_;
  QPointer<hotels::HotelListWindow> hotel_list_;
  QPointer<hotels::DistrictWindow> districts_;
  QPointer<hotels::AreaPickerWindow> area_picker_;
  QPointer<hotels::UserHotelsWindow> user_hotels_;
  QPointer<hotels::HotelEditWindow> hotel_edit_;
  std::function<void(QWidget* caller, int mode)> area_picker_substitute_;
};

}  // namespace ravolin::app
