// SPDX-License-Identifier: MIT
// The settings window (ravolin5, 動作環境): stations, directions, walking minutes and
// number of trains of both departure lists, the Keiyo display, the sorting of the user
// hotel list and whether the settings are stored at exit.
#pragma once

#include "settings/settings_form.h"
#include "state/app_state.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QCloseEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravolin::ui {
class TwipLayout;
}

namespace ravolin::settings {

class SettingsWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where 了解 and closing lead: the board rebuilt with the new settings, the main window
  // brought to the front, or the program ended when the Keiyo display is switched on; and
  // where a double-click in a station box leads: the station picker of `mode`
  // (settings/station_picker.h), which writes the picked name into `target` and then
  // runs `picked`.
  struct Ways {
    std::function<void()> rebuild_board;
    std::function<void()> front_main_window;
    std::function<void()> end_for_keiyo_data;
    std::function<void(int mode, QLineEdit* target, std::function<void()> picked)>
        open_station_picker;
  };
  SettingsWindow(app::AppState& state, Ways ways, QWidget* parent);

  // 了解 (Command1).
  void ok();
  // Escape: closes without changing any setting.
  void end_proc();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The controls of one line's frame: its two direction options and its four boxes.
  struct LineControls {
    QRadioButton* down = nullptr;
    QRadioButton* up = nullptr;
    QLineEdit* station = nullptr;
    QLineEdit* normal_minutes = nullptr;
    QLineEdit* hurry_minutes = nullptr;
    QLineEdit* train_count = nullptr;
  };
  // What a line's frame is called and holds, by control name and caption.
  struct LineFrame {
    const char* frame;
    QString caption;
    int top;
    int first_option;
    QString down;
    QString up;
    const char* station_frame;
    int first_box;  // FormBox of its station box
    int first_label;
    QString line;  // the line's name, which tells its boxes from the other line's
  };

  void build_controls();
  LineControls build_line_frame(const ui::TwipLayout& layout, const LineFrame& f);
  void build_switches(const ui::TwipLayout& layout);
  void build_message_line_and_ok(const ui::TwipLayout& layout);
  // The language of the windows from the next start (the settings file's `language`).
  void build_language_choice(const ui::TwipLayout& layout);
  void store_language();
  void connect_keys();
  void set_tab_order();
  void fill(const SettingsForm& form);
  SettingsForm read_form() const;
  static bool station_box(int box);
  std::string shown_text(int box, const std::string& text) const;
  // Puts what the checks wrote (defaults) back into the boxes.
  void show_form_texts(const SettingsForm& form);
  void show_message(const std::optional<std::string>& message);
  // A check's message as the window shows it.
  QString message_text(const std::string& message) const;
  // Tells a screen reader that form box `box` was refused, with the check's own message.
  void announce_refusal(int box, const std::optional<std::string>& message);
  // Enter in a box (FormBox): its check; true when accepted.
  bool check(int box);
  // Double-click in the Keiyo (mode 1) or the Shinkansen (mode 2) station box.
  void open_station_picker(int mode);
  void front_main_window();

  app::AppState& state_;
  Ways ways_;
  LineControls keiyo_;      // Frame1 / Frame4: Option1, Option2, Text1..Text4
  LineControls sinkansen_;  // Frame5 / Frame6: Option8, Option9, Text5..Text8
  // The eight boxes by their FormBox number, as the form and its checks count them.
  std::array<QLineEdit*, kFormBoxes + 1> form_boxes_{};
  QRadioButton* keiyo_shown_ = nullptr;       // Option10
  QRadioButton* keiyo_hidden_ = nullptr;      // Option11
  QRadioButton* sort_on_entry_ = nullptr;     // Option5
  QRadioButton* sort_on_storing_ = nullptr;   // Option6
  QRadioButton* no_sorting_ = nullptr;        // Option7
  QRadioButton* store_at_exit_ = nullptr;     // Option3
  QRadioButton* no_store_at_exit_ = nullptr;  // Option4
  QLineEdit* message_line_ = nullptr;         // Text9
  QCheckBox* english_ = nullptr;              // Check1
  QPushButton* ok_button_ = nullptr;          // Command1
};

}  // namespace ravolin::settings
