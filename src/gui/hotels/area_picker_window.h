// SPDX-License-Identifier: MIT
// The area picker (ravolin15): a hotel area chosen from one region's areas or from the
// recently used places, handed to the window that opened it.
#pragma once

#include "state/app_state.h"

#include <QWidget>

#include <array>
#include <functional>

class QCloseEvent;
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

  // `chosen` receives the chosen name (trimmed); the picker closes after it.
  AreaPickerWindow(app::AppState& state, int mode, std::function<void(const QString&)> chosen,
                   QWidget* parent = nullptr);

  int mode() const { return mode_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_regions(QWidget* frame);
  void build_lists(QWidget* frame);
  void build_buttons();
  void show_region(int region);  // the areas of a region; 0 lists every area
  void show_recent_places();
  void confirm();  // 選択確定
  void choose(const QString& entry);
  void cancel_and_close();  // 取消終了, Esc

  app::AppState& state_;
  int mode_;
  std::function<void(const QString&)> chosen_;
  // Option1 .. Option9 for the regions, Option10 for the whole country; [0] unused.
  std::array<QRadioButton*, 11> region_options_{};
  QListWidget* areas_ = nullptr;           // List1
  QListWidget* recent_places_ = nullptr;   // List2
  QPushButton* confirm_button_ = nullptr;  // Command3 選択確定
  QPushButton* cancel_button_ = nullptr;   // Command2 取消
  QPushButton* close_button_ = nullptr;    // Command1 取消終了
};

}  // namespace ravolin::hotels
