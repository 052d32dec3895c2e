// SPDX-License-Identifier: MIT
// The hotel list window (ravolin6): the hotels of the chosen area (and districts) in a
// grid under a title strip, with the way to the district selection window.
#pragma once

#include "state/app_state.h"

#include <QHeaderView>
#include <QWidget>

#include <functional>

class QCloseEvent;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ravolin::hotels {

// The grid's fixed heading row, drawn in the raised-light text style.
class RaisedHeader final : public QHeaderView {
  Q_OBJECT
 public:
  explicit RaisedHeader(QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override;
};

class HotelListWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // Runs `read` (the hotel table being read) with the loading window shown.
    std::function<void(const std::function<void()>& read)> while_loading;
    // 地区の絞り込み: the district selection window (this window closes).
    std::function<void()> open_districts;
    // 終了, Esc: back to the hotel search window.
    std::function<void()> back_to_search;
  };

  HotelListWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // Loads the hotel table when it is not loaded and selects the area's hotels. False,
  // after the message, when there is nothing to show: the window is then closed.
  bool start();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_grid();
  void load_hotels();
  void fill_grid();
  void fit_columns();
  void lay_out(int grid_width);
  void end_list();
  void narrow_districts();

  app::AppState& state_;
  Ways ways_;
  QPushButton* title_strip_ = nullptr;       // Command1 (caption only)
  QTableWidget* grid_ = nullptr;             // MSFlexGrid1
  QLabel* rating_note_ = nullptr;            // Label1
  QPushButton* end_button_ = nullptr;        // Command2 終了
  QPushButton* districts_button_ = nullptr;  // Command3 地区の絞り込み
};

}  // namespace ravolin::hotels
