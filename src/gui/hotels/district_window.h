// The district selection window (ravolin7): the area's districts in two lists, those
// not chosen and those chosen; closing it reopens the hotel list with the choice.
#pragma once

#include "state/app_state.h"
#include "hotels/hotel_list.h"

#include <QWidget>

class QCloseEvent;
class QListWidget;
class QPushButton;

namespace ravolin::hotels {

class DistrictWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit DistrictWindow(app::AppState& state, QWidget* parent = nullptr);

  // Opens the window (one at a time) and shows it.
  static DistrictWindow* open(app::AppState& state, QWidget* parent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fill_lists();
  void update_buttons();
  void accept_choice();  // 了解, Esc
  void cancel();         // ｷｬﾝｾﾙ
  std::vector<int> selected_rows(QListWidget* list) const;

  app::AppState& state_;
  DistrictChooser chooser_;
  QListWidget* list1_;
  QListWidget* list2_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
  QPushButton* command4_;
  QPushButton* command5_;
  QPushButton* command6_;
};

}  // namespace ravolin::hotels
