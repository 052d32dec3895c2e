#include "gui/settings/station_picker_window.h"

#include "settings/station_picker.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ravolin::settings {

namespace {
}  // namespace

StationPickerWindow::StationPickerWindow(app::AppState& state, int mode, QLineEdit* target,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), mode_(mode), target_(target) {
  setObjectName(QStringLiteral("ravolin22"));
  setWindowTitle(QStringLiteral("利用駅の選択"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  const PickerContents contents = picker_contents(state.schedule, mode);
  known_mode_ = contents.known_mode;

  auto* command1 = new QPushButton(QString::fromStdString(contents.title), this);
  command1->setObjectName(QStringLiteral("Command1"));
  command1->setGeometry(px(120), px(120), px(3360), px(420));

  list1_ = new QListWidget(this);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(px(120), px(660), px(3360), px(3900));
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& name : contents.stations)
    list1_->addItem(QString::fromStdString(name));

  command3_ = new QPushButton(QStringLiteral("選択"), this);
  command3_->setObjectName(QStringLiteral("Command3"));
  command3_->setGeometry(px(120), px(4680), px(1620), px(420));
  command3_->setEnabled(false);
  command3_->setAutoDefault(true);  // Enter on a focused button presses it

  auto* command2 = new QPushButton(QStringLiteral("取消終了"), this);
  command2->setObjectName(QStringLiteral("Command2"));
  command2->setGeometry(px(1860), px(4680), px(1620), px(420));
  command2->setAutoDefault(true);

  connect(command3_, &QPushButton::clicked, this, &StationPickerWindow::choose);
  connect(command2, &QPushButton::clicked, this, &StationPickerWindow::end_proc);
  connect(list1_, &QListWidget::itemDoubleClicked, this, &StationPickerWindow::choose);
  // A station chosen with the arrow keys enables 選択 as a click does.
  connect(list1_, &QListWidget::itemSelectionChanged, this,
          [this] { command3_->setEnabled(!list1_->selectedItems().isEmpty()); });
  list1_->viewport()->installEventFilter(this);
  list1_->installEventFilter(this);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{list1_, command1, command2, command3_})
    keys->escape_closes(w, [this] { end_proc(); });

  setFixedSize(px(3600), px(5220));
  ui::place_window(this, state.settings.pos(settings::kStationPickerWindowId));
  list1_->setFocus();
}

void StationPickerWindow::list_clicked() {
  if (list1_->selectedItems().isEmpty()) {
    command3_->setEnabled(false);
  command3_->setAutoDefault(true);  // Enter on a focused button presses it
    return;
  }
  command3_->setEnabled(true);
  command3_->setFocus(Qt::MouseFocusReason);
}

void StationPickerWindow::choose() {
  QListWidgetItem* first = nullptr;
  for (int row = 0; row < list1_->count() && !first; ++row)
    if (list1_->item(row)->isSelected()) first = list1_->item(row);
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
  if (watched == list1_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    list_clicked();
  } else if (watched == list1_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      choose();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ravolin::settings
