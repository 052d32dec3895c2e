#include "gui/hotels/district_window.h"

#include "gui/hotels/hotel_list_window.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace ravolin::hotels {

namespace {
}  // namespace

DistrictWindow::DistrictWindow(app::AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      chooser_(state.hotel_selection.district_list, state.hotel_selection.district_filter) {
  setObjectName(QStringLiteral("ravolin7"));
  setWindowTitle(QStringLiteral("ホテル地区選択"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame1 = new QGroupBox(QStringLiteral("ホテル地区名"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(px(120), px(60), px(2400), px(3960));
  list1_ = new QListWidget(frame1);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(px(120), px(300), px(2160), px(3540));
  list1_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  auto* frame2 = new QGroupBox(QStringLiteral("選択地区名"), this);
  frame2->setObjectName(QStringLiteral("Frame2"));
  frame2->setGeometry(px(4320), px(60), px(2400), px(3960));
  list2_ = new QListWidget(frame2);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setGeometry(px(120), px(300), px(2160), px(3540));
  list2_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  const auto button = [&](const char* name, const QString& caption, int top) {
    return ui::command_button(this, name, caption, 2760, top, 1320, 420);
  };
  command1_ = button("Command1", QStringLiteral("選択>"), 480);
  command2_ = button("Command2", QStringLiteral("全選択>>"), 1020);
  command3_ = button("Command3", QStringLiteral("<取消"), 1800);
  command4_ = button("Command4", QStringLiteral("<<全取消"), 2340);
  command6_ = button("Command6", QStringLiteral("了解"), 4200);
  command6_->move(px(3960), px(4200));
  command5_ = button("Command5", QStringLiteral("ｷｬﾝｾﾙ"), 4200);
  command5_->move(px(5400), px(4200));

  connect(command1_, &QPushButton::clicked, this, [this] {
    chooser_.select(selected_rows(list1_));
    fill_lists();
  });
  connect(command2_, &QPushButton::clicked, this, [this] {
    chooser_.select_all();
    fill_lists();
  });
  connect(command3_, &QPushButton::clicked, this, [this] {
    chooser_.deselect(selected_rows(list2_));
    fill_lists();
  });
  connect(command4_, &QPushButton::clicked, this, [this] {
    chooser_.deselect_all();
    fill_lists();
  });
  connect(command6_, &QPushButton::clicked, this, &DistrictWindow::accept_choice);
  connect(command5_, &QPushButton::clicked, this, &DistrictWindow::cancel);
  connect(list1_, &QListWidget::itemSelectionChanged, this, [this] {
    chooser_.set_list1_selected(!list1_->selectedItems().isEmpty());
    update_buttons();
  });
  connect(list2_, &QListWidget::itemSelectionChanged, this, [this] {
    chooser_.set_list2_selected(!list2_->selectedItems().isEmpty());
    update_buttons();
  });

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : {static_cast<QWidget*>(list1_), static_cast<QWidget*>(list2_),
                     static_cast<QWidget*>(command1_), static_cast<QWidget*>(command2_),
                     static_cast<QWidget*>(command3_), static_cast<QWidget*>(command4_),
                     static_cast<QWidget*>(command5_), static_cast<QWidget*>(command6_)})
    keys->escape_closes(w, [this] { accept_choice(); });

  fill_lists();
  setFixedSize(px(6840), px(4800));
  ui::place_window(this, state.settings.pos(settings::kDistrictWindowId));
}

DistrictWindow* DistrictWindow::open(app::AppState& state, QWidget* parent) {
  if (QWidget* old = find_hotel_window("ravolin7")) old->close();
  auto* w = new DistrictWindow(state, parent);
  w->show();
  w->raise();
  w->activateWindow();
  w->list1_->setFocus();
  return w;
}

std::vector<int> DistrictWindow::selected_rows(QListWidget* list) const {
  std::vector<int> rows;
  for (int r = 0; r < list->count(); ++r)
    if (list->item(r)->isSelected()) rows.push_back(r);
  return rows;
}

void DistrictWindow::fill_lists() {
  // Moves only append to a list, so the rows a list keeps keep their selection.
  const auto refill = [](QListWidget* list, const std::vector<std::string>& entries) {
    std::vector<int> kept;
    for (int r = 0; r < list->count(); ++r)
      if (list->item(r)->isSelected() && r < static_cast<int>(entries.size()) &&
          list->item(r)->text().toStdString() == entries[r])
        kept.push_back(r);
    const QSignalBlocker block(list);
    list->clear();
    for (const auto& e : entries) list->addItem(QString::fromStdString(e));
    for (int r : kept) list->item(r)->setSelected(true);
  };
  refill(list1_, chooser_.list1());
  refill(list2_, chooser_.list2());
  update_buttons();
}

void DistrictWindow::update_buttons() {
  command1_->setEnabled(chooser_.select_enabled());
  command2_->setEnabled(chooser_.select_all_enabled());
  command3_->setEnabled(chooser_.deselect_enabled());
  command4_->setEnabled(chooser_.deselect_all_enabled());
}

void DistrictWindow::accept_choice() {
  set_district_filter(state_.hotel_selection, chooser_.list2());
  ui::store_position(this, state_.settings.pos(settings::kDistrictWindowId));
  HotelListWindow::open(state_, parentWidget());
  close();
}

void DistrictWindow::cancel() {
  ui::store_position(this, state_.settings.pos(settings::kDistrictWindowId));
  HotelListWindow::open(state_, parentWidget());
  close();
}

void DistrictWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
