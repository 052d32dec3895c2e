// SPDX-License-Identifier: MIT
#include "gui/hotels/area_picker_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "hotels/hotel_list.h"
#include "text/text.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::hotels {

namespace {
const char* const kRegionCaptions[] = {
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "北海道エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "東北エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "北陸・中部エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "東京エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "大阪エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "中国エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "四国エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "九州エリア"),
    QT_TRANSLATE_NOOP("ravolin::hotels::AreaPickerWindow", "沖縄エリア"),
};
}  // namespace

AreaPickerWindow::AreaPickerWindow(app::AppState& state, int mode,
                                   std::function<void(const QString&)> chosen, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      mode_(mode),
      chosen_(std::move(chosen)) {
  setObjectName(QStringLiteral("ravolin15"));
  ui::help_on_f1(this, state, 115);  // 地域の選択
  setWindowTitle(tr("ラボリン&ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const ui::TwipLayout layout(this);

  auto* frame =
      layout.frame(this, QStringLiteral("Frame1"), tr("ホテル地域の選択"), 120, 60, 7800, 4500);
  auto* guide = layout.box(frame, QStringLiteral("Text1"), 120, 300, 7560, 330);
  guide->setText(tr("エリア、もしくは最近選択の出発地よりホテル地域を選択して下さい"));
  guide->setAccessibleName(tr("案内"));
  // Inert but readable: a read-only line in the colours of text, which Tab passes by; a
  // screen reader says it with the lists.
  guide->setReadOnly(true);
  guide->setFocusPolicy(Qt::NoFocus);
  build_regions(frame);
  build_lists(frame);
  build_buttons();

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : findChildren<QWidget*>())
    if (w->focusPolicy() != Qt::NoFocus) keys->escape_closes(w, [this] { cancel_and_close(); });

  show_recent_places();
  const int region = state.settings.control9_flg;
  if (region >= 0 && region <= 9) {
    region_options_[region == 0 ? 10 : region]->setChecked(true);
    show_region(region);
  } else {
    areas_->clear();  // no region: nothing to list
  }
  confirm_button_->setEnabled(false);

  setFixedSize(layout.px(8040), layout.px(5280));
  ui::place_window(this, state.settings.pos(settings::kAreaPickerWindowId));
  // Tab goes as the window reads: the region, its areas, the recent places, the buttons;
  // the window opens at the chosen region (at the areas when none is chosen).
  ui::tab_enters_options_at_chosen(this);
  QWidget* first = areas_;
  for (QRadioButton* option : region_options_)
    if (option && option->isChecked()) first = option;
  first->setFocus();
}

void AreaPickerWindow::build_regions(QWidget* frame) {
  const ui::TwipLayout layout(this);
  for (int i = 1; i <= 10; ++i) {
    const QString caption = i <= 9 ? tr(kRegionCaptions[i - 1]) : tr("全国");
    auto* option = layout.option(frame, QStringLiteral("Option%1").arg(i), caption, 120,
                                 720 + (i - 1) * 360, 1860, 330);
    const int region = i <= 9 ? i : 0;
    // Every click runs it, on the option already chosen as well: the list starts afresh.
    connect(option, &QRadioButton::clicked, this, [this, region] { show_region(region); });
    region_options_[i] = option;
  }
}

void AreaPickerWindow::build_lists(QWidget* frame) {
  const ui::TwipLayout layout(this);
  // Caption-only headings above the lists.
  const auto heading = [&](const char* name, const QString& caption, int left, int width) {
    ui::caption_only(
        layout.place(new QPushButton(caption, frame), QLatin1String(name), left, 720, width, 330));
  };
  heading("Command4", tr("ホテル地域"), 2100, 2640);
  heading("Command5", tr("最近選択のホテル地域"), 4860, 2820);
  areas_ = layout.place(new QListWidget(frame), QStringLiteral("List1"), 2100, 1050, 2640, 3300);
  recent_places_ =
      layout.place(new QListWidget(frame), QStringLiteral("List2"), 4860, 1050, 2820, 3300);
  areas_->setAccessibleName(tr("ホテル地域"));
  recent_places_->setAccessibleName(tr("最近選択のホテル地域"));
  const QString guide = findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
  frame->setAccessibleDescription(guide);
  areas_->setAccessibleDescription(guide);
  recent_places_->setAccessibleDescription(guide);

  for (QListWidget* list : {areas_, recent_places_}) {
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
      if (!list->selectedItems().isEmpty()) confirm_button_->setEnabled(true);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
      ui::store_position(this, state_.settings.pos(settings::kAreaPickerWindowId));
      choose(item->text());
    });
    list->installEventFilter(this);  // Enter chooses like a double-click
  }
}

void AreaPickerWindow::build_buttons() {
  const ui::TwipLayout layout(this);
  confirm_button_ =
      layout.button(this, QStringLiteral("Command3"), tr("選択確定"), 3360, 4680, 1440, 420);
  cancel_button_ =
      layout.button(this, QStringLiteral("Command2"), tr("取消"), 4920, 4680, 1440, 420);
  close_button_ =
      layout.button(this, QStringLiteral("Command1"), tr("取消終了"), 6480, 4680, 1440, 420);
  cancel_button_->setEnabled(false);
  connect(confirm_button_, &QPushButton::clicked, this, &AreaPickerWindow::confirm);
  connect(close_button_, &QPushButton::clicked, this, &AreaPickerWindow::cancel_and_close);
}

bool AreaPickerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == areas_ || watched == recent_places_)) {
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

void AreaPickerWindow::show_region(int region) {
  areas_->clear();
  for (const auto& name :
       areas_of_region(state_.schedule.areas, region, state_.language, state_.place_names))
    areas_->addItem(QString::fromStdString(name));
  confirm_button_->setEnabled(false);
  state_.settings.control9_flg = static_cast<std::int16_t>(region);
}

void AreaPickerWindow::show_recent_places() {
  recent_places_->clear();
  for (const auto& place : recent_places(state_.settings, state_.language, state_.place_names))
    recent_places_->addItem(QString::fromStdString(place));
}

void AreaPickerWindow::confirm() {
  // The selected area of List1, or, when none is selected there, the selected recent place.
  for (QListWidget* list : {areas_, recent_places_}) {
    const auto selected = list->selectedItems();
    if (!selected.isEmpty()) {
      choose(selected.first()->text());
      return;
    }
  }
}

void AreaPickerWindow::choose(const QString& entry) {
  if (chosen_) chosen_(QString::fromStdString(text::trim(entry.toStdString())));
  close();
}

void AreaPickerWindow::cancel_and_close() {
  ui::store_position(this, state_.settings.pos(settings::kAreaPickerWindowId));
  close();
}

void AreaPickerWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
