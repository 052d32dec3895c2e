// The hotel search window (ravolin12): one area name, checked against the area list,
// opens the hotel list of that area.
#pragma once

#include "state/app_state.h"

#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravolin::hotels {

class HotelSearchWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit HotelSearchWindow(app::AppState& state, QWidget* parent = nullptr);

  // Opens the area picker for the area field (the "?" button, a double-click on the field).
  void open_area_picker();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool check_text1();  // Enter in the area field
  void search();       // 検索開始
  void end_proc();     // 検索終了, Esc

  app::AppState& state_;
  QLabel* label1_;
  QLineEdit* text1_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
};

}  // namespace ravolin::hotels
