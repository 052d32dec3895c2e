// SPDX-License-Identifier: MIT
#include "gui/settings/station_picker_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "settings/station_picker.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ravolin::settings {

namespace {

// The lines the picker is titled with, for the English windows.
[[maybe_unused]] constexpr const char* kLineTitles[] = {
    QT_TRANSLATE_NOOP("ravolin::settings::StationPickerWindow", "京葉線"),
    QT_TRANSLATE_NOOP("ravolin::settings::StationPickerWindow", "東海道・山陽新幹線"),
    QT_TRANSLATE_NOOP("ravolin::settings::StationPickerWindow", "東北・山形・秋田新幹線"),
    QT_TRANSLATE_NOOP("ravolin::settings::StationPickerWindow", "上越・長野行新幹線"),
};

}  // namespace

StationPickerWindow::StationPickerWindow(app::AppState& state, int mode, QLineEdit* target,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), mode_(mode), target_(target) {
  setObjectName(QStringLiteral("ravolin22"));
  ui::help_on_f1(this, state, 122);  // 駅の選択
  setWindowTitle(tr("利用駅の選択"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const ui::TwipLayout layout(this);

  const PickerContents contents = picker_contents(state.schedule, mode);
  known_mode_ = contents.known_mode;

  auto* title_button = layout.place(new QPushButton(tr(contents.title.c_str()), this),
                                    QStringLiteral("Command1"), 120, 120, 3360, 420);
  title_button->setAccessibleName(tr("路線") + QLatin1Char(' ') + title_button->text());
  ui::caption_only(title_button, ui::CaptionKind::kText);

  station_list_ =
      layout.place(new QListWidget(this), QStringLiteral("List1"), 120, 660, 3360, 3900);
  station_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  station_list_->setAccessibleName(tr("駅の一覧"));
  for (const std::string& name : contents.stations)
    station_list_->addItem(QString::fromStdString(state.place_names.shown(name, state.language)));

  choose_button_ =
      layout.button(this, QStringLiteral("Command3"), tr("選択"), 120, 4680, 1620, 420);
  choose_button_->setEnabled(false);
  auto* cancel_button =
      layout.button(this, QStringLiteral("Command2"), tr("取消終了"), 1860, 4680, 1620, 420);

  connect(choose_button_, &QPushButton::clicked, this, &StationPickerWindow::choose);
  connect(cancel_button, &QPushButton::clicked, this, &StationPickerWindow::end_proc);
  connect(station_list_, &QListWidget::itemDoubleClicked, this, &StationPickerWindow::choose);
  // A station chosen with the arrow keys enables 選択 as a click does.
  connect(station_list_, &QListWidget::itemSelectionChanged, this,
          [this] { choose_button_->setEnabled(!station_list_->selectedItems().isEmpty()); });
  station_list_->viewport()->installEventFilter(this);
  station_list_->installEventFilter(this);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w :
       std::initializer_list<QWidget*>{station_list_, title_button, cancel_button, choose_button_})
    keys->escape_closes(w, [this] { end_proc(); });

  setFixedSize(layout.px(3600), layout.px(5220));
  ui::place_window(this, state.settings.pos(settings::kStationPickerWindowId));
  station_list_->setFocus();
}

void StationPickerWindow::list_clicked() {
  if (station_list_->selectedItems().isEmpty()) {
    choose_button_->setEnabled(false);
    return;
  }
  choose_button_->setEnabled(true);
  choose_button_->setFocus(Qt::MouseFocusReason);
}

void StationPickerWindow::choose() {
  QListWidgetItem* first = nullptr;
  for (int row = 0; row < station_list_->count() && !first; ++row)
    if (station_list_->item(row)->isSelected()) first = station_list_->item(row);
  if (!first) return;
  const QString name = first->text();
  if (known_mode_ && target_) {
    target_->setText(name);
    emit picked(name);
  }
  ui::store_position(this, state_.settings.pos(settings::kStationPickerWindowId));
  close();
}

void StationPickerWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kStationPickerWindowId));
  close();
}

void StationPickerWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  event->accept();
}

bool StationPickerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == station_list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    list_clicked();
  } else if (watched == station_list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      choose();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ravolin::settings
