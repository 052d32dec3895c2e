// The hotel record edit window (ravolin14): one of the user's hotels, added (add mode) or
// changed (update mode), with a hint and an example in the message field for the field
// that has the focus, the checks of every field and the confirmation before storing.
#pragma once

#include "state/app_state.h"
#include "hotels/user_registry.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravolin::hotels {

class UserHotelsWindow;

// The area picker's mode for this window.
inline constexpr int kAreaPickerEditMode = 3;

class HotelEditWindow final : public QWidget {
  Q_OBJECT
 public:
  // index: the entry to change (0-based), or -1 to add one.
  HotelEditWindow(app::AppState& state, UserHotelsWindow& list, int index);

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
  UserHotelsWindow& list_;
  int index_;
  std::array<QLineEdit*, 8> boxes_{};
  QPlainTextEdit* text8_ = nullptr;
  QLabel* mode_label_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  int hint_field_ = -1;  // the field whose hint was written last; -1 after a button
};

}  // namespace ravolin::hotels
