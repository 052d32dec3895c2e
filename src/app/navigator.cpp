// SPDX-License-Identifier: MIT
#include "app/navigator.h"

#include "board/about_text.h"
#include "board/passing_stations.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/calendar/calendar_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/translation.h"
#include "gui/common/window_conventions.h"
#include "gui/diagram/diagram_window.h"
#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/district_window.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/hotel_list_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "gui/search/results_window.h"
#include "gui/search/search_window.h"
#include "gui/settings/settings_window.h"
#include "gui/settings/station_picker_window.h"
#include "hotels/hotel_list.h"
#include "hotels/hotel_words.h"
#include "settings/settings_file.h"
#include "state/loader.h"

#include <QLabel>
#include <QLineEdit>

namespace ravolin::app {

namespace {

// A window opened is shown in front with the keyboard (ui::bring_forward), so that a key
// pressed next (Escape above all) goes to it and not to the main window's lists.
using ui::bring_forward;

// Brings an open window of a kind that exists once forward; false when there is none.
template <typename Window>
bool bring_open_one_forward(const QPointer<Window>& w) {
  if (!w || !w->isVisible()) return false;
  bring_forward(w.data());
  return true;
}

// Closes and deletes a window that a new one of its kind replaces.
template <typename Window>
void replace(QPointer<Window>& w) {
  if (!w) return;
  w->close();
  delete w.data();
}

}  // namespace

Navigator::Navigator(AppState& state) : state_(state) {
  board::MainWindow::Ways ways;
  ways.open_correction = [this] { open_correction(); };
  ways.open_settings = [this] { open_settings(); };
  ways.open_search = [this] { open_search(); };
  ways.open_hotel_search = [this] { open_hotel_search(); };
  ways.open_user_hotels = [this] { open_user_hotels(); };
  ways.open_diagram = [this] { open_diagram(); };
  ways.open_version = [this] { open_version(); };
  ways.open_help_contents = [this] { open_help_contents(); };
  ways.open_full_schedule = [this](int mode) { open_full_schedule(mode); };
  ways.open_passing_stations = [this](int mode, int line) { open_passing_stations(mode, line); };
  ways.refreshed = [this] { board_refreshed(); };
  ways.closing = [this] {
    close_step();
    close_other_windows();
  };
  ways.quit_from_menu = [this] { quit_from_menu(); };
  main_ = std::make_unique<board::MainWindow>(state_, std::move(ways));
}

Navigator::~Navigator() { delete loading_.data(); }

board::MainWindow* Navigator::main_window() const { return main_.get(); }
board::ScheduleWindow* Navigator::schedule_window() const { return schedule_.data(); }
board::PassingWindow* Navigator::passing_window() const { return passing_.data(); }
board::VersionWindow* Navigator::version_window() const { return version_.data(); }
board::DiagramWindow* Navigator::diagram_window() const { return diagram_.data(); }
calendar::CorrectionWindow* Navigator::correction_window() const { return correction_.data(); }
settings::SettingsWindow* Navigator::settings_window() const { return settings_.data(); }
settings::StationPickerWindow* Navigator::station_picker() const { return station_picker_.data(); }
search::SearchWindow* Navigator::search_window() const { return search_.data(); }
search::ResultsWindow* Navigator::results_window() const { return results_.data(); }
hotels::HotelSearchWindow* Navigator::hotel_search_window() const { return hotel_search_.data(); }
hotels::UserHotelsWindow* Navigator::user_hotels_window() const { return user_hotels_.data(); }
hotels::HotelEditWindow* Navigator::hotel_edit_window() const { return hotel_edit_.data(); }

// ---- start-up ---------------------------------------------------------------------------

void Navigator::step(const std::string& name) {
  if (observer_) observer_(name);
}

bool Navigator::start() {
  // 1. The program folder is in state. 2. The section directory and the edition.
  step("get_control");
  data::DataError error;
  if (!data::load_edition(state_.data_path(), state_.schedule.directory, state_.schedule.edition,
                          error)) {
    state_.messages().error(main_.get(), tr("データファイルを読めません。\n").toStdString() +
                                             error.message(state_.language));
    return false;
  }

  // 3. Service date and clock.
  step("get_today");
  state_.system_time = state_.clock().now();
  calendar::get_today(state_.system_time, state_.service_date, state_.program_clock);

  // 4. init_sec: a missing settings file starts from the delivered settings; a damaged or
  // unreadable one is reported once, here.
  step("get_ini_file");
  const settings::SettingsRead read = settings::read_settings_file(state_.settings_path());
  state_.settings = read.settings;
  const std::string notice =
      settings::start_up_notice(read, state_.settings_path(), state_.language);
  if (!notice.empty()) state_.messages().error(main_.get(), notice);

  if (!read_data_file()) return false;

  main_->lay_out();
  step("set_form1");
  if (loading_) loading_->finish();
  delete loading_.data();
  step("loading_closed");
  set_up_tray();
  return true;
}

bool Navigator::read_data_file() {
  loading_ = new board::LoadingWindow(state_, board::kLoadingStartup);
  loading_->show();
  loading_->start_progress(7);
  step("loading_shown");
  state_.process_events();

  data::DataError error;
  const bool loaded = data::load_sections(
      state_.data_path(), state_.settings.keiyo_use, state_.schedule, state_.districts,
      state_.fares,
      [this](int progress) {
        if (loading_) loading_->set_progress(progress);
        step("progress " + std::to_string(progress));
        state_.process_events();
      },
      error, [this] { state_.process_events(); });
  if (loading_ && loading_->aborted()) {
    aborted_ = true;
    delete loading_.data();
    return false;
  }
  if (!loaded) {
    delete loading_.data();
    state_.messages().error(main_.get(), tr("データファイルを読めません。\n").toStdString() +
                                             error.message(state_.language));
    return false;
  }
  // English place names: a missing file leaves them in Japanese; a broken one is told once.
  data::PlaceNamesError names_error;
  if (!data::load_place_names(state_.path_of(data::kPlaceNamesFileName), state_.place_names,
                              names_error))
    state_.messages().error(main_.get(), names_error.message(state_.language));
  // English windows without their texts: told in English, the language of their reader
  // (the texts that would translate the message are the ones missing).
  if (state_.english() && state_.english_texts_missing)
    state_.messages().error(main_.get(), "The English window texts (" +
                                             state_.path_of(ui::kEnglishTranslationFile) +
                                             ") cannot be read: the windows show their Japanese "
                                             "texts. Reinstalling the program restores them.");
  // The English of the hotel list's remarks and access texts, in the same form.
  if (!data::load_place_names(state_.path_of(hotels::kHotelWordsFileName), state_.hotel_words,
                              names_error))
    state_.messages().error(main_.get(), names_error.message(state_.language));
  return true;
}

// ---- the board's windows ------------------------------------------------------------------

void Navigator::open_full_schedule(int mode) {
  // One full schedule window at a time: a second opening replaces the first, so the
  // table always shows the line just asked for.
  replace(schedule_);
  schedule_ = new board::ScheduleWindow(state_, mode, main_.get());
  bring_forward(schedule_.data());
}

void Navigator::open_passing_stations(int mode, int line) {
  replace(passing_);
  passing_ = new board::PassingWindow(state_, mode, line, main_.get());
  bring_forward(passing_.data());
}

void Navigator::open_version() {
  if (bring_open_one_forward(version_)) return;  // one version window
  version_ = new board::VersionWindow(state_, main_.get());
  bring_forward(version_.data());
}

void Navigator::open_help_contents() { state_.help().show_contents(state_.help_path()); }

void Navigator::open_correction() {
  if (bring_open_one_forward(correction_)) return;  // one correction window
  calendar::CorrectionWindow::Ways ways;
  ways.refresh_board = [this] { main_->refresh(); };
  correction_ = new calendar::CorrectionWindow(state_, std::move(ways), main_.get());
  bring_forward(correction_.data());
}

void Navigator::open_settings() {
  if (bring_open_one_forward(settings_)) return;  // one settings window
  settings::SettingsWindow::Ways ways;
  ways.rebuild_board = [this] {
    main_->edit_sinkansen();
    main_->edit_keiyo();
  };
  ways.front_main_window = [this] {
    main_->raise();
    main_->activateWindow();
  };
  ways.end_for_keiyo_data = [this] { end_for_keiyo_data(); };
  ways.open_station_picker = [this](int mode, QLineEdit* target, std::function<void()> picked) {
    open_station_picker(settings_.data(), mode, target, std::move(picked));
  };
  settings_ = new settings::SettingsWindow(state_, std::move(ways), main_.get());
  bring_forward(settings_.data());
}

void Navigator::open_station_picker(QWidget* opener, int mode, QLineEdit* target,
                                    std::function<void()> picked) {
  // A second double-click asks again for the box just clicked.
  if (station_picker_) station_picker_->close();
  // A child of the window it writes into: it goes when that window goes.
  station_picker_ = new settings::StationPickerWindow(state_, mode, target, opener);
  QObject* context = opener ? static_cast<QObject*>(opener) : station_picker_.data();
  if (picked)
    connect(station_picker_.data(), &settings::StationPickerWindow::picked, context,
            [picked = std::move(picked)] { picked(); });
  ui::bring_forward(station_picker_.data());
}

void Navigator::end_for_keiyo_data() {
  keiyo_switched_on_ = true;
  main_->exit_button();
}

// ---- route search ----------------------------------------------------------------------

void Navigator::open_search() {
  // No new search while one runs (its results window is loading).
  if (searching_) return;
  if (bring_open_one_forward(search_)) return;  // one conditions window
  search::SearchWindow::Ways ways;
  ways.back_to_board = [this] { bring_forward(main_.get()); };
  ways.start_search = [this] { open_results(); };
  ways.open_station_picker = [this](int mode, QLineEdit* box, std::function<void()> picked) {
    open_station_picker(search_.data(), mode, box, std::move(picked));
    return static_cast<QWidget*>(station_picker_.data());
  };
  ways.open_calendar = [this](const search::SearchWindow::DateBoxes& boxes) {
    const calendar::CalendarWindow::Targets targets{boxes.year,
                                                    boxes.month,
                                                    boxes.day,
                                                    boxes.weekday,
                                                    boxes.focus_after_pick,
                                                    boxes.focus_after_close};
    auto* window = new calendar::CalendarWindow(state_, targets, search_.data());
    ui::bring_forward(window);
    return static_cast<QWidget*>(window);
  };
  search_ = new search::SearchWindow(state_, std::move(ways), main_.get());
  bring_forward(search_.data());
}

void Navigator::open_results() {
  // One results window: a new search replaces the last one.
  replace(results_);
  search::ResultsWindow::Ways ways;
  ways.back_to_board = [this] { bring_forward(main_.get()); };
  ways.open_conditions = [this] { open_search(); };
  ways.show_journey = [this](int entry) { show_journey_in_diagram(entry); };
  ways.show_loading = [this] {
    QPointer<board::LoadingWindow> loading =
        new board::LoadingWindow(state_, board::kLoadingSearch);
    loading->show();
    return std::function<void()>([loading] {
      if (!loading) return;
      loading->finish();
      delete loading.data();
    });
  };
  auto* w = new search::ResultsWindow(state_, std::move(ways), main_.get());
  results_ = w;
  searching_ = true;
  const bool loaded = w->load();
  searching_ = false;
  if (loaded && results_) bring_forward(w);
}

void Navigator::show_journey_in_diagram(int entry) {
  open_diagram();
  diagram_->show_journey(board::journey_of(state_.schedule.sin, state_.search_result, entry));
}

// ---- hotels ------------------------------------------------------------------------------

void Navigator::open_hotel_search() {
  if (bring_open_one_forward(hotel_search_)) return;  // one hotel search window
  hotels::HotelSearchWindow::Ways ways;
  ways.open_area_picker = [this] {
    open_area_picker(hotel_search_.data(), hotels::AreaPickerWindow::kModeHotelSearch,
                     [this](const QString& area) {
                       if (hotel_search_) hotel_search_->take_area(area);
                     });
  };
  ways.open_hotel_list = [this] { return open_hotel_list(); };
  hotel_search_ = new hotels::HotelSearchWindow(state_, std::move(ways), main_.get());
  bring_forward(hotel_search_.data());
}

bool Navigator::open_hotel_list() {
  // One hotel list: a new search or district choice replaces the open one.
  replace(hotel_list_);
  hotels::HotelListWindow::Ways ways;
  ways.while_loading = [this](const std::function<void()>& read) {
    board::LoadingWindow loading(state_, board::kLoadingHotels, hotel_list_.data());
    loading.show();
    state_.process_events();
    read();
    loading.finish();
  };
  ways.open_districts = [this] { open_districts(); };
  ways.back_to_search = [this] {
    if (hotel_search_ && hotel_search_->isVisible()) hotel_search_->resume();
  };
  hotel_list_ = new hotels::HotelListWindow(state_, std::move(ways), main_.get());
  if (!hotel_list_->start()) return false;  // closed, and deleted on close
  bring_forward(hotel_list_.data());
  return true;
}

void Navigator::open_districts() {
  replace(districts_);  // one district selection
  hotels::DistrictWindow::Ways ways;
  ways.chosen = [this](const std::vector<std::string>& districts) {
    hotels::set_district_filter(state_.hotel_selection, districts);
    open_hotel_list();
  };
  ways.cancelled = [this] { open_hotel_list(); };
  const hotels::HotelSelection& selection = state_.hotel_selection;
  districts_ = new hotels::DistrictWindow(state_, selection.district_list,
                                          selection.district_filter, std::move(ways), main_.get());
  bring_forward(districts_.data());
}

void Navigator::open_area_picker(QWidget* caller, int mode,
                                 std::function<void(const QString&)> chosen) {
  if (area_picker_substitute_) {
    area_picker_substitute_(caller, mode);
    return;
  }
  replace(area_picker_);  // one picker, for the field that asked last
  // From the search window the picker stands beside it; from the edit window it belongs to it.
  QWidget* parent = mode == hotels::AreaPickerWindow::kModeHotelRecord ? caller : main_.get();
  area_picker_ = new hotels::AreaPickerWindow(state_, mode, std::move(chosen), parent);
  bring_forward(area_picker_.data());
}

void Navigator::open_user_hotels() {
  // The list works on the file as it is now; the hotel list reads it afresh at its next
  // opening, whether the list is stored or left with 取消 (the file may have changed
  // outside the program since the table was read).
  state_.hotels_loaded = false;
  // One list at a time: a second opening brings the open one forward with its changes.
  if (bring_open_one_forward(user_hotels_)) return;
  hotels::UserHotelsWindow::Ways ways;
  ways.open_editor = [this](int index) {
    if (user_hotels_) open_hotel_editor(*user_hotels_, index);
  };
  ways.close_editor = [this] {
    if (hotel_edit_) hotel_edit_->close();
  };
  user_hotels_ = new hotels::UserHotelsWindow(state_, std::move(ways), main_.get());
  bring_forward(user_hotels_.data());
}

void Navigator::open_hotel_editor(hotels::UserHotelsWindow& list_window, int index) {
  if (bring_open_one_forward(hotel_edit_)) return;  // one entry edited at a time
  const QPointer<hotels::UserHotelsWindow> list = &list_window;
  hotels::HotelEditWindow::Ways ways;
  ways.add_entry = [list](hotels::HotelEntry entry) {
    if (list) list->add_entry(std::move(entry));
  };
  ways.update_entry = [list](int i, hotels::HotelEntry entry) {
    if (list) list->update_entry(i, std::move(entry));
  };
  ways.drop_line_choice = [list] {
    if (list) list->disable_entry_commands();
  };
  ways.open_area_picker = [this] {
    open_area_picker(hotel_edit_.data(), hotels::AreaPickerWindow::kModeHotelRecord,
                     [this](const QString& area) {
                       if (hotel_edit_) hotel_edit_->set_area(area);
                     });
  };
  ways.closed = [list] {
    if (list) list->edit_closed();
  };
  // The edit window belongs to the list: it goes when the list goes.
  hotel_edit_ = new hotels::HotelEditWindow(state_, list_window.registry(), index, std::move(ways),
                                            &list_window);
  bring_forward(hotel_edit_.data());
}

// ---- diagram -----------------------------------------------------------------------------

void Navigator::open_diagram() {
  if (!diagram_) {
    board::DiagramWindow::Ways ways;
    // A train's stops open over the diagram, one window for each train asked for; they
    // close with the diagram.
    ways.show_stops = [this](const std::string& stops) {
      bring_forward(new board::PassingWindow(state_, stops, diagram_.data()));
    };
    diagram_ = new board::DiagramWindow(state_, std::move(ways), main_.get());
  }
  bring_forward(diagram_.data());
}

// ---- refresh and tray ------------------------------------------------------------------------

void Navigator::board_refreshed() {
  if (diagram_) diagram_->refresh();
  update_tray();
}

void Navigator::set_up_tray() {
  ui::Tray* tray = state_.tray();
  if (!tray || !tray->available()) return;
  std::vector<ui::TrayEntry> entries;
  entries.push_back({"show", tr("ボードを表示／隠す").toStdString(), false, false, [this](bool) {
                       if (main_->isVisible() && !main_->isMinimized()) {
                         main_->hide();
                       } else {
                         main_->showNormal();
                         main_->raise();
                         main_->activateWindow();
                       }
                     }});
  entries.push_back({"notify", tr("急げ!!を通知する").toStdString(), true,
                     state_.settings.tray_notify == 1,
                     [this](bool on) { state_.settings.tray_notify = on ? 1 : 0; }});
  entries.push_back(
      {"exit", tr("終了").toStdString(), false, false, [this](bool) { main_->exit_button(); }});
  tray->show(entries);
  tray_shown_ = true;
  update_tray();
}

void Navigator::update_tray() {
  if (!tray_shown_) return;
  ui::Tray* tray = state_.tray();
  const bool keiyo = state_.settings.keiyo_use == 1;
  tray->set_tooltip(
      board::tray_tooltip(state_.sinkansen_board, state_.keiyo_board, keiyo, state_.language));
  const auto gained = hurry_watch_.update(state_.sinkansen_board, state_.keiyo_board, keiyo);
  if (state_.settings.tray_notify != 1) return;
  for (const auto& line : gained) tray->notify(tr("急げ!! そろそろ出発です").toStdString(), line);
}

// ---- exit ----------------------------------------------------------------------------------

void Navigator::quit_from_menu() {
  if (state_.settings.control2_flg == 1) write_settings();
  skip_close_step_ = true;
  state_.end_program();
}

void Navigator::write_settings() {
  if (!state_.keeps_changes()) return;  // said once at start: nothing is saved this run
  text::Message error;
  if (!settings::put_ini_file(state_.settings_path(), state_.settings, error))
    state_.messages().error(main_.get(), tr("動作環境ファイルを保存できません。\n").toStdString() +
                                             error.in(state_.language));
}

void Navigator::close_step() {
  if (closed_ || skip_close_step_) return;
  closed_ = true;
  main_->stop_refresh();
  if (tray_shown_) state_.tray()->hide();
  // With control2_flg other than 1 the file's own values are written back (the changes
  // made since start-up are dropped) with control2_flg 0. A run without a folder of the
  // user's own stores nothing (said once at start).
  text::Message error;
  const bool written =
      !state_.keeps_changes() ||
      (keiyo_switched_on_
           ? settings::put_ini_file_at_exit_keiyo_on(state_.settings_path(), state_.settings, error)
           : settings::put_ini_file_at_exit(state_.settings_path(), state_.settings, error));
  if (!written)
    state_.messages().error(main_.get(), tr("動作環境ファイルを保存できません。\n").toStdString() +
                                             error.in(state_.language));
  state_.help().close();
}

void Navigator::close_other_windows() {
  QWidget* const windows[] = {schedule_.data(), passing_.data(),      version_.data(),
                              settings_.data(), hotel_search_.data(), user_hotels_.data(),
                              diagram_.data(),  correction_.data(),   search_.data(),
                              results_.data()};
  for (QWidget* w : windows)
    if (w) w->close();
}

}  // namespace ravolin::app
