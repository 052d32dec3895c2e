// SPDX-License-Identifier: MIT
// The user hotel list window (ravolin13): the user's own hotels, one line each, with
// add, change and delete through the edit window (ravolin14). "登録終了" stores the list
// in hotelusr.csv; "取消" closes without touching the file.
#pragma once

#include "hotels/user_registry.h"
#include "state/app_state.h"

#include <QWidget>

#include <functional>

class QListWidget;
class QPushButton;

namespace ravolin::hotels {

class UserHotelsWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // The edit window for the entry at `index` (0-based), or for a new one (-1). It
    // reports back through add_entry / update_entry / disable_entry_commands and
    // edit_closed.
    std::function<void(int index)> open_editor;
    // The list closes: so does the edit window.
    std::function<void()> close_editor;
  };

  UserHotelsWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // The buttons.
  void store_and_close();  // Command1 登録終了
  void open_add();         // Command2 追加
  void open_update();      // Command3 修正 (and a double-click on the list)
  void delete_selected();  // Command4 削除
  void cancel();           // Command5 取消

  // What the edit window calls once the user has confirmed.
  bool add_entry(HotelEntry entry);
  void update_entry(int index, HotelEntry entry);
  // The edit window has closed: the list can be used again.
  void edit_closed();
  // Disables 修正 and 削除 (no line is taken for them any more).
  void disable_entry_commands();

  const UserRegistry& registry() const { return registry_; }
  bool changed() const { return changed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_controls();
  void connect_controls();
  void fill_list();
  int selected_line() const;
  void open_editor(int index);
  void set_editing(bool editing);
  void apply_enabled();
  void escape();

  app::AppState& state_;
  Ways ways_;
  UserRegistry registry_;
  RegistryLoad file_as_read_;  // the file as the list was read from it
  bool changed_ = false;
  bool filling_ = false;                  // the list is being refilled (no user choice)
  bool editing_ = false;                  // the edit window is open
  bool entry_commands_ = false;           // 修正 and 削除 may be used (a line was clicked)
  QListWidget* hotel_lines_ = nullptr;    // List1
  QPushButton* store_button_ = nullptr;   // Command1 登録終了
  QPushButton* add_button_ = nullptr;     // Command2 追加
  QPushButton* change_button_ = nullptr;  // Command3 修正
  QPushButton* delete_button_ = nullptr;  // Command4 削除
  QPushButton* cancel_button_ = nullptr;  // Command5 取消
};

}  // namespace ravolin::hotels
