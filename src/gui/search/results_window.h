// SPDX-License-Identifier: MIT
// The results window (ravolin26): runs the route search while it loads, with the loading
// window on screen, and shows the connections, the fare text and the legend. The report
// can be printed under a header that repeats the conditions.
#pragma once

#include "search/report.h"
#include "state/app_state.h"

#include <QWidget>

#include <functional>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ravolin::search {

class ResultsWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window may go next.
  struct Ways {
    std::function<void()> back_to_board;    // 検索終了
    std::function<void()> open_conditions;  // 再検索
    // A double-click on a connection of Text1: the result entry (1-based) to draw in the
    // train diagram. Empty: nothing happens.
    std::function<void(int entry)> show_journey = {};
    // The loading window in its search mode, shown while the search runs: the call shows
    // it and returns what closes it. Empty: the search runs without one.
    std::function<std::function<void()>()> show_loading = {};
  };
  ResultsWindow(app::AppState& state, Ways ways, QWidget* parent = nullptr);

  // The load: the loading window in its search mode, the fare season and caption, the
  // search over the conditions in state, the report and the fare text. Shows nothing
  // itself; false when the window was closed while the search let events run.
  bool load();
  const ResultsTexts& texts() const { return texts_; }

  void end_search();    // Command1 検索終了
  void print();         // Command2 印刷
  void search_again();  // Command3 再検索
  void end_proc();      // Escape: stores the position and closes, no other window shown

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();

  app::AppState& state_;
  Ways ways_;
  ResultsTexts texts_;
  // The conditions the report was built from, printed in its header even when the
  // conditions window has stored others since.
  SearchConditions cond_;
  calendar::SearchDate date_;

  QGroupBox* results_frame_ = nullptr;   // Frame1, its caption the conditions
  QPlainTextEdit* report_ = nullptr;     // Text1
  QPlainTextEdit* fare_text_ = nullptr;  // Text2
  QLabel* legend_ = nullptr;             // Label1
  QPushButton* end_button_ = nullptr;    // Command1 検索終了
  QPushButton* print_button_ = nullptr;  // Command2 印刷
  QPushButton* again_button_ = nullptr;  // Command3 再検索
};

}  // namespace ravolin::search
