// SPDX-License-Identifier: MIT
#include "gui/hotels/district_window.h"

#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace ravolin::hotels {

DistrictWindow::DistrictWindow(app::AppState& state, const std::vector<std::string>& districts,
                               const std::vector<std::string>& chosen, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      ways_(std::move(ways)),
      chooser_(districts, chosen) {
  setObjectName(QStringLiteral("ravolin7"));
  ui::help_on_f1(this, state, 107);  // 地区の絞り込み
  setWindowTitle(tr("ホテル地区選択"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();

  connect(select_button_, &QPushButton::clicked, this, [this] {
    chooser_.select(selected_rows(districts_));
    fill_lists();
  });
  connect(select_all_button_, &QPushButton::clicked, this, [this] {
    chooser_.select_all();
    fill_lists();
  });
  connect(deselect_button_, &QPushButton::clicked, this, [this] {
    chooser_.deselect(selected_rows(chosen_));
    fill_lists();
  });
  connect(deselect_all_button_, &QPushButton::clicked, this, [this] {
    chooser_.deselect_all();
    fill_lists();
  });
  connect(ok_button_, &QPushButton::clicked, this, &DistrictWindow::accept_choice);
  connect(cancel_button_, &QPushButton::clicked, this, &DistrictWindow::cancel);
  connect(districts_, &QListWidget::itemSelectionChanged, this, [this] {
    chooser_.set_list1_selected(!districts_->selectedItems().isEmpty());
    update_buttons();
  });
  connect(chosen_, &QListWidget::itemSelectionChanged, this, [this] {
    chooser_.set_list2_selected(!chosen_->selectedItems().isEmpty());
    update_buttons();
  });

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{
           districts_, chosen_, select_button_, select_all_button_, deselect_button_,
           deselect_all_button_, cancel_button_, ok_button_})
    keys->escape_closes(w, [this] { accept_choice(); });

  fill_lists();
  const ui::TwipLayout layout(this);
  setFixedSize(layout.px(6840), layout.px(4800));
  ui::place_window(this, state.settings.pos(settings::kDistrictWindowId));
  districts_->setFocus();
}

void DistrictWindow::build_controls() {
  const ui::TwipLayout layout(this);
  const auto list_in = [&](const char* frame_name, const QString& caption, int left,
                           const char* list_name) {
    auto* frame = layout.frame(this, QLatin1String(frame_name), caption, left, 60, 2400, 3960);
    auto* list =
        layout.place(new QListWidget(frame), QLatin1String(list_name), 120, 300, 2160, 3540);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setAccessibleName(caption);
    return list;
  };
  districts_ = list_in("Frame1", tr("ホテル地区名"), 120, "List1");
  chosen_ = list_in("Frame2", tr("選択地区名"), 4320, "List2");

  const auto button = [&](const char* name, const QString& caption, int left, int top) {
    return layout.button(this, QLatin1String(name), caption, left, top, 1320, 420);
  };
  select_button_ = button("Command1", tr("選択>"), 2760, 480);
  select_all_button_ = button("Command2", tr("全選択>>"), 2760, 1020);
  deselect_button_ = button("Command3", tr("<取消"), 2760, 1800);
  deselect_all_button_ = button("Command4", tr("<<全取消"), 2760, 2340);
  ok_button_ = button("Command6", tr("了解"), 3960, 4200);
  cancel_button_ = button("Command5", tr("ｷｬﾝｾﾙ"), 5400, 4200);
  // The arrows say where the districts go; a screen reader is told it in words.
  select_button_->setAccessibleName(tr("選択"));
  select_all_button_->setAccessibleName(tr("全選択"));
  deselect_button_->setAccessibleName(tr("取消"));
  deselect_all_button_->setAccessibleName(tr("全取消"));
}

std::vector<int> DistrictWindow::selected_rows(QListWidget* list) const {
  std::vector<int> rows;
  for (int r = 0; r < list->count(); ++r)
    if (list->item(r)->isSelected()) rows.push_back(r);
  return rows;
}

void DistrictWindow::fill_lists() {
  // Moves only append to a list, so the rows a list keeps keep their selection.
  // Districts are shown by their English names in English windows.
  const auto shown = [this](const std::string& district) {
    return QString::fromStdString(state_.place_names.shown(district, state_.language));
  };
  const auto refill = [&shown](QListWidget* list, const std::vector<std::string>& entries) {
    std::vector<int> kept;
    for (int r = 0; r < list->count(); ++r)
      if (list->item(r)->isSelected() && r < static_cast<int>(entries.size()) &&
          list->item(r)->text() == shown(entries[r]))
        kept.push_back(r);
    const QSignalBlocker block(list);
    list->clear();
    for (const auto& e : entries) list->addItem(shown(e));
    for (int r : kept) list->item(r)->setSelected(true);
  };
  refill(districts_, chooser_.list1());
  refill(chosen_, chooser_.list2());
  update_buttons();
}

void DistrictWindow::update_buttons() {
  select_button_->setEnabled(chooser_.select_enabled());
  select_all_button_->setEnabled(chooser_.select_all_enabled());
  deselect_button_->setEnabled(chooser_.deselect_enabled());
  deselect_all_button_->setEnabled(chooser_.deselect_all_enabled());
}

void DistrictWindow::accept_choice() {
  ui::store_position(this, state_.settings.pos(settings::kDistrictWindowId));
  if (ways_.chosen) ways_.chosen(chooser_.list2());
  close();
}

void DistrictWindow::cancel() {
  ui::store_position(this, state_.settings.pos(settings::kDistrictWindowId));
  if (ways_.cancelled) ways_.cancelled();
  close();
}

void DistrictWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
