// The user hotel list window (ravolin13): the user's own hotels, one line each, with
// add, change and delete through the edit window (ravolin14). "登録終了" stores the list
// in hotelusr.csv; "取消" closes without touching the file.
#pragma once

#include "state/app_state.h"
#include "hotels/user_registry.h"

#include <QPointer>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace ravolin::hotels {

class HotelEditWindow;

class UserHotelsWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit UserHotelsWindow(app::AppState& state, QWidget* parent = nullptr);
  ~UserHotelsWindow() override;

  // The buttons.
  void store_and_close();  // Command1 登録終了
  void open_add();         // Command2 追加
  void open_update();      // Command3 修正 (and a double-click on the list)
  void delete_selected();  // Command4 削除
  void cancel();           // Command5 取消

  // What the edit window calls once the user has confirmed.
  bool add_entry(HotelEntry e);
  void update_entry(int index, HotelEntry e);
  // The edit window has closed: the list can be used again.
  void edit_closed();
  // Disables 修正 and 削除 (no line is taken for them any more).
  void disable_entry_commands();

  const UserRegistry& registry() const { return registry_; }
  HotelEditWindow* edit_window() const;
  bool changed() const { return changed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fill_list();
  int selected_line() const;
  void open_edit(int index);
  void set_editing(bool editing);
  void apply_enabled();
  void escape();

  app::AppState& state_;
  UserRegistry registry_;
  RegistryLoad load_;  // the file as the list was read from it
  bool changed_ = false;
  bool filling_ = false;         // the list is being refilled (no user choice)
  bool editing_ = false;         // the edit window is open
  bool entry_commands_ = false;  // 修正 and 削除 may be used (a line was clicked)
  QListWidget* list1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
  QPointer<QWidget> edit_;  // the HotelEditWindow, while it is open
};

}  // namespace ravolin::hotels
