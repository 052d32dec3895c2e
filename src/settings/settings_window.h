// The settings window (ravolin5, 動作環境): stations, directions, walking minutes and
// number of trains of both departure lists, the Keiyo display, the sorting of the user
// hotel list and whether the settings are stored at exit.
#pragma once

#include "app/app_state.h"
#include "settings/settings_form.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QCloseEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravolin::board {
class MainWindow;
}

namespace ravolin::settings {

class StationPickerWindow;

class SettingsWindow final : public QWidget {
  Q_OBJECT
 public:
  // main_window's lists are rebuilt by 了解; it is brought to the front when the window
  // closes, and closed (ending the program) when the Keiyo display is switched on.
  SettingsWindow(app::AppState& state, board::MainWindow* main_window);

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
  QPointer<board::MainWindow> main_window_;
  std::array<QLineEdit*, 10> text_{};      // Text1..Text9
  std::array<QRadioButton*, 12> option_{};  // Option1..Option11
  QPushButton* command1_ = nullptr;
  QPointer<StationPickerWindow> picker_;
};

}  // namespace ravolin::settings
