#include "gui/hotels/area_picker_window.h"

#include "hotels/hotel_list.h"
#include "gui/hotels/hotel_list_window.h"
#include "text/text.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::hotels {

namespace {
const char* const kRegionCaptions[] = {"北海道エリア", "東北エリア", "北陸・中部エリア",
                                       "東京エリア",   "大阪エリア", "中国エリア",
                                       "四国エリア",   "九州エリア", "沖縄エリア"};
}  // namespace

AreaPickerWindow::AreaPickerWindow(app::AppState& state, int mode, QLineEdit* field,
                                   QWidget* focus_after, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      mode_(mode),
      field_(field),
      focus_after_(focus_after) {
  setObjectName(QStringLiteral("ravolin15"));
  setWindowTitle(QStringLiteral("ラボリン&ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame1 = new QGroupBox(QStringLiteral("ホテル地域の選択"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(px(120), px(60), px(7800), px(4500));
  auto* text1 = new QLineEdit(
      QStringLiteral("エリア、もしくは最近選択の出発地よりホテル地域を選択して下さい"), frame1);
  text1->setObjectName(QStringLiteral("Text1"));
  text1->setGeometry(px(120), px(300), px(7560), px(330));
  text1->setEnabled(false);

  for (int i = 1; i <= 10; ++i) {
    auto* o = new QRadioButton(
        i <= 9 ? QString::fromUtf8(kRegionCaptions[i - 1]) : QStringLiteral("全国"), frame1);
    o->setObjectName(QStringLiteral("Option%1").arg(i));
    o->setGeometry(px(120), px(720 + (i - 1) * 360), px(1860), px(330));
    const int region = i <= 9 ? i : 0;
    // Every click runs it, on the option already chosen as well: the list starts afresh.
    connect(o, &QRadioButton::clicked, this, [this, region] { set_list1(region); });
    option_[i] = o;
  }

  // Caption-only headings above the lists.
  auto* command4 = new QPushButton(QStringLiteral("ホテル地域"), frame1);
  command4->setObjectName(QStringLiteral("Command4"));
  command4->setGeometry(px(2100), px(720), px(2640), px(330));
  command4->setFocusPolicy(Qt::NoFocus);
  list1_ = new QListWidget(frame1);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(px(2100), px(1050), px(2640), px(3300));
  auto* command5 = new QPushButton(QStringLiteral("最近選択のホテル地域"), frame1);
  command5->setObjectName(QStringLiteral("Command5"));
  command5->setGeometry(px(4860), px(720), px(2820), px(330));
  command5->setFocusPolicy(Qt::NoFocus);
  list2_ = new QListWidget(frame1);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setGeometry(px(4860), px(1050), px(2820), px(3300));

  const auto button = [&](const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(px(left), px(4680), px(1440), px(420));
    b->setAutoDefault(true);
    return b;
  };
  command3_ = button("Command3", QStringLiteral("選択確定"), 3360);
  command2_ = button("Command2", QStringLiteral("取消"), 4920);
  command1_ = button("Command1", QStringLiteral("取消終了"), 6480);
  command2_->setEnabled(false);
  connect(command3_, &QPushButton::clicked, this, &AreaPickerWindow::confirm);
  connect(command1_, &QPushButton::clicked, this, &AreaPickerWindow::end_proc);

  for (QListWidget* list : {list1_, list2_}) {
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
      if (!list->selectedItems().isEmpty()) command3_->setEnabled(true);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
      ui::store_position(this, state_.settings.pos(settings::kAreaPickerWindowId));
      choose(item->text());
    });
    list->installEventFilter(this);  // Enter chooses like a double-click
  }

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : findChildren<QWidget*>())
    if (w->focusPolicy() != Qt::NoFocus) keys->escape_closes(w, [this] { end_proc(); });

  set_list2();
  const int flg = state.settings.control9_flg;
  if (flg >= 0 && flg <= 9) {
    option_[flg == 0 ? 10 : flg]->setChecked(true);
    set_list1(flg);
  } else {
    list1_->clear();  // no region: nothing to list
  }
  command3_->setEnabled(false);

  setFixedSize(px(8040), px(5280));
  ui::place_window(this, state.settings.pos(settings::kAreaPickerWindowId));
}

AreaPickerWindow* AreaPickerWindow::open(app::AppState& state, int mode, QLineEdit* field,
                                         QWidget* focus_after, QWidget* parent) {
  if (QWidget* old = find_hotel_window("ravolin15")) old->close();
  auto* w = new AreaPickerWindow(state, mode, field, focus_after, parent);
  w->show();
  w->raise();
  w->activateWindow();
  w->list1_->setFocus();
  return w;
}

bool AreaPickerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == list1_ || watched == list2_)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    QListWidgetItem* item = static_cast<QListWidget*>(watched)->currentItem();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && item && item->isSelected()) {
      ui::store_position(this, state_.settings.pos(settings::kAreaPickerWindowId));
      choose(item->text());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void AreaPickerWindow::set_list1(int region) {
  list1_->clear();
  for (const auto& name : areas_of_region(state_.schedule.areas, region))
    list1_->addItem(QString::fromStdString(name));
  command3_->setEnabled(false);
  state_.settings.control9_flg = static_cast<std::int16_t>(region);
}

void AreaPickerWindow::set_list2() {
  list2_->clear();
  for (const auto& place : recent_places(state_.settings))
    list2_->addItem(QString::fromStdString(place));
}

void AreaPickerWindow::confirm() {
  // The selected area of List1, or, when none is selected there, the selected recent place.
  for (QListWidget* list : {list1_, list2_}) {
    const auto selected = list->selectedItems();
    if (!selected.isEmpty()) {
      choose(selected.first()->text());
      return;
    }
  }
}

void AreaPickerWindow::choose(const QString& entry) {
  if (field_) {
    field_->setText(QString::fromStdString(text::trim(entry.toStdString())));
    if (QWidget* caller = field_->window()) caller->activateWindow();
  }
  if (focus_after_) focus_after_->setFocus();
  close();
}

void AreaPickerWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kAreaPickerWindowId));
  close();
}

void AreaPickerWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
