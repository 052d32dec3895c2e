// The area picker (ravolin15): a hotel area chosen from one region's areas or from the
// recently used places, written into the calling window's area field.
#pragma once

#include "state/app_state.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QCloseEvent;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace ravolin::hotels {

class AreaPickerWindow final : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kModeHotelSearch = 2;  // the hotel search window's area field
  static constexpr int kModeHotelRecord = 3;  // the hotel record edit window's area field

  // `field` receives the chosen name; `focus_after` then gets the focus.
  AreaPickerWindow(app::AppState& state, int mode, QLineEdit* field, QWidget* focus_after,
                   QWidget* parent = nullptr);

  // Opens the picker (one at a time) and shows it.
  static AreaPickerWindow* open(app::AppState& state, int mode, QLineEdit* field,
                                QWidget* focus_after, QWidget* parent);

  int mode() const { return mode_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void set_list1(int region);
  void set_list2();
  void confirm();  // 選択確定
  void choose(const QString& entry);
  void end_proc();  // 取消終了, Esc

  app::AppState& state_;
  int mode_;
  QPointer<QLineEdit> field_;
  QPointer<QWidget> focus_after_;
  std::array<QRadioButton*, 11> option_{};  // Option1 .. Option10
  QListWidget* list1_;
  QListWidget* list2_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
};

}  // namespace ravolin::hotels
