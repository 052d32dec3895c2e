// SPDX-License-Identifier: MIT
// The hotel search window (ravolin12): one area name, checked against the area list,
// opens the hotel list of that area.
#pragma once

#include "state/app_state.h"

#include <QWidget>

#include <functional>

class QCloseEvent;
class QLineEdit;
class QPushButton;

namespace ravolin::hotels {

class HotelSearchWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // The area picker for the area field; its choice comes back through take_area().
    std::function<void()> open_area_picker;
    // The hotel list of the selection just started; false when there is no hotel to show
    // (the message has been shown).
    std::function<bool()> open_hotel_list;
  };

  HotelSearchWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // Opens the area picker for the area field (the "?" button, a double-click on the field).
  void open_area_picker();
  // The area picker's choice: into the area field, then on to 検索開始.
  void take_area(const QString& area);
  // The hotel list has closed: the window comes forward with the area field ready.
  void resume();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  std::string typed_area() const;  // the area field's text as a name in the data
  void refuse_area();              // the area is not one of the data's
  void refuse_empty_area();        // no area typed
  bool check_area_field();         // Enter in the area field
  void search();                   // 検索開始
  void end_search();               // 検索終了, Esc

  app::AppState& state_;
  Ways ways_;
  QLineEdit* area_ = nullptr;             // Text1
  QPushButton* search_button_ = nullptr;  // Command1 検索開始
  QPushButton* end_button_ = nullptr;     // Command2 検索終了
  QPushButton* picker_button_ = nullptr;  // Command3 "?"
};

}  // namespace ravolin::hotels
