#include "gui/hotels/hotel_search_window.h"

#include "gui/hotels/area_picker_window.h"
#include "hotels/hotel_list.h"
#include "gui/hotels/hotel_list_window.h"
#include "text/text.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ravolin::hotels {

namespace {
}  // namespace

HotelSearchWindow::HotelSearchWindow(app::AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state) {
  setObjectName(QStringLiteral("ravolin12"));
  setWindowTitle(QStringLiteral("ﾗﾎﾞﾘﾝ&ﾎﾃﾙ情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame1 = new QGroupBox(QStringLiteral("ホテル検索条件"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(px(120), px(60), px(5400), px(900));
  label1_ = new QLabel(QStringLiteral("ホテル検索地域名"), frame1);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(px(180), px(360), px(1800), px(330));
  text1_ = new QLineEdit(frame1);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setGeometry(px(2040), px(330), px(2400), px(390));
  text1_->setText(QString::fromStdString(area_prefill(state.settings)));
  command3_ = new QPushButton(QStringLiteral("?"), frame1);
  command3_->setObjectName(QStringLiteral("Command3"));
  command3_->setGeometry(px(4500), px(330), px(390), px(390));
  // Reached with Tab, but a click leaves the focus in the area field.
  command3_->setFocusPolicy(Qt::TabFocus);
  command3_->setAutoDefault(true);
  command3_->hide();
  connect(command3_, &QPushButton::clicked, this, &HotelSearchWindow::open_area_picker);

  command1_ = new QPushButton(QStringLiteral("検索開始"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(px(2520), px(1080), px(1440), px(420));
  command1_->setAutoDefault(true);
  connect(command1_, &QPushButton::clicked, this, &HotelSearchWindow::search);
  command2_ = new QPushButton(QStringLiteral("検索終了"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(px(4080), px(1080), px(1440), px(420));
  command2_->setAutoDefault(true);
  connect(command2_, &QPushButton::clicked, this, &HotelSearchWindow::end_proc);

  setTabOrder(text1_, command3_);
  setTabOrder(command3_, command1_);
  setTabOrder(command1_, command2_);

  auto* keys = new ui::KeyConventions(this);
  keys->select_all_on_focus(text1_);
  keys->enter_checks(text1_, [this] { return check_text1(); }, command1_);
  for (QWidget* w : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(command1_),
                     static_cast<QWidget*>(command2_), static_cast<QWidget*>(command3_)})
    keys->escape_closes(w, [this] { end_proc(); });
  text1_->installEventFilter(this);
  command1_->installEventFilter(this);
  command2_->installEventFilter(this);

  setFixedSize(px(5640), px(1620));
  ui::place_window(this, state.settings.pos(settings::kHotelSearchWindowId));
}

bool HotelSearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // "?" belongs to the area field: shown while it has the focus, hidden when a button
    // takes it.
    if (watched == text1_) command3_->show();
    else if (watched == command1_ || watched == command2_) command3_->hide();
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == text1_) {
    open_area_picker();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void HotelSearchWindow::open_area_picker() {
  command3_->hide();
  AreaPickerWindow::open(state_, AreaPickerWindow::kModeHotelSearch, text1_, command1_,
                         parentWidget());
}

bool HotelSearchWindow::check_text1() {
  if (text::trim(text1_->text().toStdString()).empty()) return false;
  if (check_area(state_.schedule.areas, text1_->text().toStdString())) return true;
  state_.messages().error(this, kAreaErrorMessage, kAreaErrorHelpTopic);
  text1_->setFocus();
  return false;
}

void HotelSearchWindow::search() {
  const std::string area = text1_->text().toStdString();
  if (text::trim(area).empty()) {
    text1_->setFocus();
    return;
  }
  if (!check_area(state_.schedule.areas, area)) {
    state_.messages().error(this, kAreaErrorMessage, kAreaErrorHelpTopic);
    text1_->setFocus();
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
  if (!HotelListWindow::open(state_, parentWidget())) {
    activateWindow();  // the loading window may have taken it
    text1_->setFocus();
  }
}

void HotelSearchWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kHotelSearchWindowId));
  close();
}

void HotelSearchWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
