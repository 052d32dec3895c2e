// The hotel list window (ravolin6): the hotels of the chosen area (and districts) in a
// grid under a title strip, with the way to the district selection window.
#pragma once

#include "state/app_state.h"

#include <QHeaderView>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ravolin::hotels {

// The open window of the program with this identifier (ravolin6, ravolin7, ravolin12,
// ravolin15), or nullptr.
QWidget* find_hotel_window(const char* object_name);

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
  explicit HotelListWindow(app::AppState& state, QWidget* parent = nullptr);

  // Loads the hotel table when it is not loaded and selects the area's hotels. False,
  // after the message, when there is nothing to show: the window is then closed.
  bool start();

  // Opens the hotel list for the current selection in place of an open one; nullptr when
  // there is no hotel to show (the message has been shown).
  static HotelListWindow* open(app::AppState& state, QWidget* parent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void load_hotels();
  void set_grid();
  void fit_columns();
  void lay_out(int grid_width);
  void end_proc();
  void narrow_districts();

  app::AppState& state_;
  QPushButton* command1_;
  QTableWidget* grid_;
  QLabel* label1_;
  QPushButton* command2_;
  QPushButton* command3_;
};

}  // namespace ravolin::hotels
