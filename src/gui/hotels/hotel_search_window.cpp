// SPDX-License-Identifier: MIT
#include "gui/hotels/hotel_search_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "hotels/hotel_list.h"
#include "text/text.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ravolin::hotels {

HotelSearchWindow::HotelSearchWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin12"));
  ui::help_on_f1(this, state, 112);  // ホテル検索
  setWindowTitle(tr("ﾗﾎﾞﾘﾝ&ﾎﾃﾙ情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  area_->setText(
      QString::fromStdString(area_prefill(state.settings, state.language, state.place_names)));

  auto* keys = new ui::KeyConventions(this);
  keys->select_all_on_focus(area_);
  keys->enter_checks(
      area_, [this] { return check_area_field(); }, search_button_);
  for (QWidget* w : {static_cast<QWidget*>(area_), static_cast<QWidget*>(search_button_),
                     static_cast<QWidget*>(end_button_), static_cast<QWidget*>(picker_button_)})
    keys->escape_closes(w, [this] { end_search(); });
  area_->installEventFilter(this);
  search_button_->installEventFilter(this);
  end_button_->installEventFilter(this);

  const ui::TwipLayout layout(this);
  setFixedSize(layout.px(5640), layout.px(1620));
  ui::place_window(this, state.settings.pos(settings::kHotelSearchWindowId));
}

void HotelSearchWindow::build_controls() {
  const ui::TwipLayout layout(this);
  auto* frame =
      layout.frame(this, QStringLiteral("Frame1"), tr("ホテル検索条件"), 120, 60, 5400, 900);
  auto* area_label =
      layout.label(frame, QStringLiteral("Label1"), tr("ホテル検索地域名"), 180, 360, 1800, 330);
  area_ = layout.box(frame, QStringLiteral("Text1"), 2040, 330, 2400, 390);
  area_label->setBuddy(area_);
  area_->setAccessibleName(tr("ホテル検索地域名"));
  picker_button_ =
      layout.button(frame, QStringLiteral("Command3"), QStringLiteral("?"), 4500, 330, 390, 390);
  picker_button_->setAccessibleName(tr("ホテル地域の選択"));
  // Reached with Tab, but a click leaves the focus in the area field.
  picker_button_->setFocusPolicy(Qt::TabFocus);
  picker_button_->hide();
  connect(picker_button_, &QPushButton::clicked, this, &HotelSearchWindow::open_area_picker);

  search_button_ =
      layout.button(this, QStringLiteral("Command1"), tr("検索開始"), 2520, 1080, 1440, 420);
  connect(search_button_, &QPushButton::clicked, this, &HotelSearchWindow::search);
  end_button_ =
      layout.button(this, QStringLiteral("Command2"), tr("検索終了"), 4080, 1080, 1440, 420);
  connect(end_button_, &QPushButton::clicked, this, &HotelSearchWindow::end_search);

  setTabOrder(area_, picker_button_);
  setTabOrder(picker_button_, search_button_);
  setTabOrder(search_button_, end_button_);
}

bool HotelSearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // "?" belongs to the area field: shown while it has the focus, hidden when a button
    // takes it.
    if (watched == area_)
      picker_button_->show();
    else if (watched == search_button_ || watched == end_button_)
      picker_button_->hide();
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == area_) {
    open_area_picker();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void HotelSearchWindow::open_area_picker() {
  picker_button_->hide();
  if (ways_.open_area_picker) ways_.open_area_picker();
}

void HotelSearchWindow::take_area(const QString& area) {
  area_->setText(area);
  activateWindow();
  search_button_->setFocus();
}

void HotelSearchWindow::resume() {
  activateWindow();
  area_->setFocus();
}

std::string HotelSearchWindow::typed_area() const {
  // An area typed by its English name is the area of that name in the data.
  return state_.place_names.japanese_of(area_->text().toStdString());
}

void HotelSearchWindow::refuse_area() {
  const char* message = area_error_message(state_.language);
  state_.messages().error(this, message, kAreaErrorHelpTopic);
  area_->setFocus();
  ui::announce_refusal(area_, QString::fromUtf8(message));
}

void HotelSearchWindow::refuse_empty_area() {
  area_->setFocus();
  ui::announce_refusal(area_, tr("地域を入力してください"));
}

bool HotelSearchWindow::check_area_field() {
  if (text::trim(area_->text().toStdString()).empty()) {
    refuse_empty_area();
    return false;
  }
  if (check_area(state_.schedule.areas, typed_area())) return true;
  refuse_area();
  return false;
}

void HotelSearchWindow::search() {
  const std::string area = typed_area();
  if (text::trim(area).empty()) {
    refuse_empty_area();
    return;
  }
  if (!check_area(state_.schedule.areas, area)) {
    refuse_area();
    return;
  }
  ui::store_position(this, state_.settings.pos(settings::kHotelSearchWindowId));
  start_hotel_search(state_.hotel_selection, area);
  // The list is dated with the computer's date, which becomes the service date again.
  const calendar::SystemTime now = state_.clock().now();
  calendar::ServiceDate& service = state_.service_date;
  service.day_number = now.day_number;
  service.year = now.year;
  service.month = now.month;
  service.day = now.day;
  service.weekday = calendar::weekday_of(now.day_number);
  if (!ways_.open_hotel_list || !ways_.open_hotel_list())
    resume();  // the loading window may have taken the keyboard
}

void HotelSearchWindow::end_search() {
  ui::store_position(this, state_.settings.pos(settings::kHotelSearchWindowId));
  close();
}

void HotelSearchWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
