// SPDX-License-Identifier: MIT
// The hotel record edit window (ravolin14): one of the user's hotels, added (add mode) or
// changed (update mode), with a hint and an example in the message field for the field
// that has the focus, the checks of every field and the confirmation before storing.
#pragma once

#include "hotels/user_registry.h"
#include "state/app_state.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravolin::hotels {

class HotelEditWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // A confirmed new entry (add mode, 追加更新) and a confirmed change of entry `index`.
    std::function<void(HotelEntry entry)> add_entry;
    std::function<void(int index, HotelEntry entry)> update_entry;
    // The list's line is no longer taken for 修正 and 削除 (stored, Esc).
    std::function<void()> drop_line_choice;
    // The area picker for the area field; its choice comes back through set_area().
    std::function<void()> open_area_picker;
    // The window has closed.
    std::function<void()> closed;
  };

  // `registry`: the user hotel list's entries; `index`: the entry to change (0-based), or
  // -1 to add one.
  HotelEditWindow(app::AppState& state, const UserRegistry& registry, int index, Ways ways,
                  QWidget* parent = nullptr);

  bool add_mode() const { return index_ < 0; }

  void store();         // Command1 更新
  void store_as_new();  // Command3 追加更新
  void cancel();        // Command2 取消
  void open_picker();   // Command4 "?" and a double-click on the area field
  // The area picker's choice: into the area field, then on to the district.
  void set_area(const QString& area);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_fields(QWidget* frame);
  void build_buttons(QWidget* frame);
  void connect_keys();
  QLineEdit* box(HotelField f) const { return boxes_[static_cast<std::size_t>(f)]; }
  HotelFields read_fields() const;
  void show_fields(const HotelFields& f);
  bool check_on_enter(HotelField f);
  void store_entry(bool as_new);
  void escape();
  void show_hint(HotelField f);
  // The focus has come to a field (its hint and "?") or a button.
  void focus_arrived(QObject* control);
  void message(const std::string& text);

  app::AppState& state_;
  const UserRegistry& registry_;
  int index_;
  Ways ways_;
  std::array<QLineEdit*, 8> boxes_{};           // by HotelField
  QPlainTextEdit* message_box_ = nullptr;       // Text8
  QLabel* mode_label_ = nullptr;                // Label10
  QPushButton* store_button_ = nullptr;         // Command1 更新
  QPushButton* cancel_button_ = nullptr;        // Command2 取消
  QPushButton* store_as_new_button_ = nullptr;  // Command3 追加更新
  QPushButton* picker_button_ = nullptr;        // Command4 "?"
  int hint_field_ = -1;  // the field whose hint was written last; -1 after a button
};

}  // namespace ravolin::hotels
