// SPDX-License-Identifier: MIT
// The diagram window (ravolin30): the train diagram of the service date, with the program
// clock's time as a moving line, zoom and pan on the time axis, a train's label on hover,
// its stops on double-click, and export to PNG, SVG and PDF.
#pragma once

#include "diagram/diagram.h"
#include "state/app_state.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCloseEvent;
class QComboBox;
class QPushButton;

namespace ravolin::board {

class DiagramCanvas;

class DiagramWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // Shows the stops of a train double-clicked in the diagram (its passing-station text).
    std::function<void(const std::string& stops)> show_stops;
  };

  DiagramWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // Shows a journey of the route search: its route, its hours, its trains bold.
  void show_journey(const DiagramJourney& journey);
  // Follows the board's refresh: the service date's trains and the clock line.
  void refresh();
  // Escape and 閉じる: keeps the window's place and closes it.
  void close_step();

  // The export: the visible part (whole_day false) or the whole day, as PNG, SVG or PDF by
  // the file name's ending. False with a reason.
  bool export_to(const std::string& path, bool whole_day, std::string& error) const;

  // For the canvas and for tests.
  const DiagramRoute& route() const;
  const std::vector<DiagramTrain>& trains() const { return trains_; }
  const DiagramView& view() const { return view_; }
  void set_view(const DiagramView& v);
  const Scene& scene() const { return scene_; }
  const DiagramJourney& journey() const { return journey_; }
  // The tooltip text at a point of the canvas; empty away from every line.
  std::string hover_at(double x, double y) const;
  // Shows the stops of the train under a point (Ways::show_stops); false when there is none.
  bool open_stops_at(double x, double y);
  // The train chosen with the keys (PageDown / PageUp, N / P): an index into trains(), or
  // -1 for none.
  int selected_train() const;
  // Selects the next (step 1) or the previous (step -1) train in the order of departure,
  // the first time the one leaving nearest the clock line (or the start of the hours
  // shown); brings its departure into view, shows its text at its line and announces it.
  void select_next(int step);
  // Enter: the selected train's stops, as a double-click on its line; false with none.
  bool open_selected_stops();
  // The axes of the window's scene (station labels measured in its language).
  DiagramAxes axes() const { return diagram_axes(route(), view_, marks()); }
  // The keys and mouse actions of the diagram, as its tooltip lists them.
  static QString keys_text();
  // Replaces the file dialog of the export buttons (tests): returns the chosen path or "".
  std::function<std::string(const QString& suggested)> choose_file;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void build_controls();
  void name_controls(QPushButton* whole_day, QPushButton* export_button, QPushButton* close_button);
  bool dark_palette() const;
  // The marks the window and its exports share: user station, journey, language.
  DiagramMarks marks() const;
  void fit_to_screen();
  void rebuild_trains();
  void relayout();
  void export_dialog(bool whole_day);
  int now_minute() const;
  bool open_stops(int train_index);

  app::AppState& state_;
  Ways ways_;
  std::vector<DiagramRoute> routes_;
  int route_index_ = 0;
  int direction_ = 0;
  std::vector<DiagramTrain> trains_;
  // The selected train by direction and number: it stays selected across a refresh.
  int selected_direction_ = 0;
  int selected_number_ = 0;
  DiagramJourney journey_;
  DiagramView view_;
  Scene scene_;
  DiagramCanvas* canvas_ = nullptr;
  QComboBox* route_box_ = nullptr;      // Combo1: the line, where the data has several
  QComboBox* direction_box_ = nullptr;  // Combo2: both directions, down or up
};

}  // namespace ravolin::board
