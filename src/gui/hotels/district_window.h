// SPDX-License-Identifier: MIT
// The district selection window (ravolin7): the area's districts in two lists, those
// not chosen and those chosen; closing it hands the choice back (了解, Esc) or leaves the
// districts as they were (ｷｬﾝｾﾙ).
#pragma once

#include "hotels/hotel_list.h"
#include "state/app_state.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCloseEvent;
class QListWidget;
class QPushButton;

namespace ravolin::hotels {

class DistrictWindow final : public QWidget {
  Q_OBJECT
 public:
  // Where the window leads.
  struct Ways {
    // 了解, Esc: the districts chosen (none: every district).
    std::function<void(const std::vector<std::string>& districts)> chosen;
    // ｷｬﾝｾﾙ: the choice stays as it was.
    std::function<void()> cancelled;
  };

  // `districts`: the area's districts; `chosen`: those chosen so far.
  DistrictWindow(app::AppState& state, const std::vector<std::string>& districts,
                 const std::vector<std::string>& chosen, Ways ways, QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_controls();
  void fill_lists();
  void update_buttons();
  void accept_choice();  // 了解, Esc
  void cancel();         // ｷｬﾝｾﾙ
  std::vector<int> selected_rows(QListWidget* list) const;

  app::AppState& state_;
  Ways ways_;
  DistrictChooser chooser_;
  QListWidget* districts_ = nullptr;            // List1, not chosen
  QListWidget* chosen_ = nullptr;               // List2
  QPushButton* select_button_ = nullptr;        // Command1 選択>
  QPushButton* select_all_button_ = nullptr;    // Command2 全選択>>
  QPushButton* deselect_button_ = nullptr;      // Command3 <取消
  QPushButton* deselect_all_button_ = nullptr;  // Command4 <<全取消
  QPushButton* cancel_button_ = nullptr;        // Command5 ｷｬﾝｾﾙ
  QPushButton* ok_button_ = nullptr;            // Command6 了解
};

}  // namespace ravolin::hotels
