// The settings window (ravolin5, 動作環境): stations, directions, walking minutes and
// number of trains of both departure lists, the Keiyo display, the sorting of the user
// hotel list and whether the settings are stored at exit.
#pragma once

#include "state/app_state.h"
#include "settings/settings_form.h"

#include <QPointer>
#include <QWidget>

#include <functional>

#include <array>

class QCloseEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravolin::settings {

class StationPickerWindow;

class SettingsWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where 了解 and closing lead: the board rebuilt with the new settings, the main window
  // brought to the front, or the program ended when the Keiyo display is switched on.
  struct Ways {
    std::function<void()> rebuild_board;
    std::function<void()> front_main_window;
    std::function<void()> end_for_keiyo_data;
  };
  SettingsWindow(app::AppState& state, Ways ways, QWidget* parent);

  // 了解 (Command1).
  void ok();
  // Escape: closes without changing any setting.
  void end_proc();
  // The station picker opened by a double-click in Text1 or Text5, while it is open.
  StationPickerWindow* station_picker() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_controls();
  void fill(const SettingsForm& form);
  SettingsForm read_form() const;
  // Puts what the checks wrote (defaults) back into the boxes.
  void show_form_texts(const SettingsForm& form);
  void show_message(const std::optional<std::string>& message);
  // Enter in box 1..8: its check; true when accepted.
  bool check(int box);
  // Double-click in Text1 (mode 1) or Text5 (mode 2): the station picker.
  void open_station_picker(int mode);
  void front_main_window();

  app::AppState& state_;
  Ways ways_;
  std::array<QLineEdit*, 10> text_{};      // Text1..Text9
  std::array<QRadioButton*, 12> option_{};  // Option1..Option11
  QPushButton* command1_ = nullptr;
  QPointer<StationPickerWindow> picker_;
};

}  // namespace ravolin::settings
