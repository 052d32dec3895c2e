// SPDX-License-Identifier: MIT
#include "gui/calendar/correction_window.h"

#include "calendar/correction.h"
#include "calendar/dates.h"
#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "text/text.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace ravolin::calendar {

namespace {

constexpr int kBoxHeight = 255;
// Texts translated where they are shown (tr() in the window).
const char* const kUnits[] = {QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "年"),
                              QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "月"),
                              QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "日"),
                              QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "時"),
                              QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "分"),
                              QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "秒")};
// The boxes' names: the frame's caption and the unit.
const char* const kSystemBoxNames[] = {
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 年"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 月"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 日"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 時"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 分"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "現在日時 秒")};
const char* const kCorrectedBoxNames[] = {
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 年"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 月"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 日"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 時"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 分"),
    QT_TRANSLATE_NOOP("ravolin::calendar::CorrectionWindow", "補正日時 秒")};

}  // namespace

CorrectionWindow::CorrectionWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin21"));
  ui::help_on_f1(this, state, 121);  // 日時補正
  setWindowTitle(tr("日時補正"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_boxes();
  build_buttons();
  connect_corrected_boxes();

  clock_timer_ = new QTimer(this);
  clock_timer_->setObjectName(QStringLiteral("Timer1"));
  clock_timer_->setInterval(1000);
  connect(clock_timer_, &QTimer::timeout, this, &CorrectionWindow::tick);

  setFixedSize(ui::tw(this, 5400 + extra_width()), ui::tw(this, 2280));
  ui::place_window(this, state.settings.pos(settings::kCorrectionWindowId));

  tick();
  for (int i = 0; i < kDateTimeFields; ++i) corrected_boxes_[i]->setText(system_boxes_[i]->text());
  clock_timer_->start();
  corrected_boxes_[0]->setFocus();
}

void CorrectionWindow::build_boxes() {
  const ui::TwipLayout layout(this);
  // Two frames of six boxes: year, month, day, hour, minute, second with their units.
  const auto frame = [&](const char* name, const QString& caption, int top, int first,
                         const char* const(&names)[kDateTimeFields],
                         std::array<QLineEdit*, kDateTimeFields>& boxes) {
    QGroupBox* f =
        layout.frame(this, QString::fromLatin1(name), caption, 120, top, 5160 + extra_width(), 720);
    int left = 150;
    for (int i = 0; i < kDateTimeFields; ++i) {
      const int width = i == 0 ? 660 : 420;
      boxes[i] =
          layout.box(f, QStringLiteral("Text%1").arg(first + i), left, 330, width, kBoxHeight);
      boxes[i]->setAlignment(Qt::AlignRight);
      boxes[i]->setAccessibleName(tr(names[i]));
      // The unit beside the box is no buddy: the box's name says it already.
      layout.label(f, QStringLiteral("Label%1").arg(first + i), tr(kUnits[i]), left + width + 30,
                   330, 270, kBoxHeight);
      left += width + 330;
    }
  };
  frame("Frame1", tr("現在日時"), 90, 1, kSystemBoxNames, system_boxes_);
  frame("Frame2", tr("補正日時"), 900, kFirstCorrectedBox, kCorrectedBoxNames, corrected_boxes_);
  for (QLineEdit* box : system_boxes_) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
  }
}

int CorrectionWindow::extra_width() const {
  // The English names say what each button does to the clocks ("Use the computer's
  // clock"): the window is wider by what they need.
  return state_.english() ? 600 : 0;
}

void CorrectionWindow::build_buttons() {
  const ui::TwipLayout layout(this);
  const bool english = state_.english();
  const int width = english ? 1560 : 1440;  // the first two; the third takes what is left
  const int second = english ? 1800 : 1980;
  const int third = english ? 3480 : 3840;
  set_system_button_ =
      layout.button(this, QStringLiteral("Command1"), tr("日時設定"), 120, 1740, width, 420);
  set_temporary_button_ =
      layout.button(this, QStringLiteral("Command2"), tr("一時設定"), second, 1740, width, 420);
  cancel_button_ = layout.button(this, QStringLiteral("Command3"), tr("取消終了"), third, 1740,
                                 5280 + extra_width() - third, 420);
  // What each button does to the clocks, for the pointer and the screen reader alike.
  const std::pair<QPushButton*, QString> what[] = {
      {set_system_button_, tr("補正した日時をコンピューターの時計に設定して閉じます")},
      {set_temporary_button_,
       tr("コンピューターの時計は変えず、補正した日時をこのプログラムの中だけで使います")},
      {cancel_button_, tr("補正をやめ、コンピューターの時計の日時に戻して閉じます")},
  };
  for (const auto& [button, description] : what) {
    button->setToolTip(description);
    button->setAccessibleDescription(description);
  }
  connect(set_system_button_, &QPushButton::clicked, this, &CorrectionWindow::set_system_clock);
  connect(set_temporary_button_, &QPushButton::clicked, this, &CorrectionWindow::set_temporary);
  connect(cancel_button_, &QPushButton::clicked, this, &CorrectionWindow::cancel);
}

void CorrectionWindow::connect_corrected_boxes() {
  auto* keys = new ui::KeyConventions(this);
  const auto escape = [this] { end_proc(); };
  for (QPushButton* b : {set_system_button_, set_temporary_button_, cancel_button_})
    keys->escape_closes(b, escape);
  const auto text = [this](int i) { return corrected_boxes_[i]->text().toStdString(); };
  ServiceDate& service = state_.service_date;
  // The corrected fields: each checks on Enter and hands the focus on.
  const std::array<std::function<bool()>, kDateTimeFields> checks = {
      [this, text, &service] { return check_year(text(0), tick_, service) || refuse(0); },
      [this, text, &service] { return check_month(text(1), service) || refuse(1); },
      [this, text, &service] {
        if (!check_day(text(2), tick_, service)) return refuse(2);
        // The date takes effect at once: the board shows the corrected day.
        set_service_day(service);
        if (ways_.refresh_board) ways_.refresh_board();
        return true;
      },
      [this, text, &service] { return check_hour(text(3), service) || refuse(3); },
      [this, text, &service] { return check_minute(text(4), service) || refuse(4); },
      [this, text, &service] { return check_second(text(5), service) || refuse(5); },
  };
  for (int i = 0; i < kDateTimeFields; ++i) {
    QLineEdit* box = corrected_boxes_[i];
    QWidget* next = i + 1 < kDateTimeFields ? static_cast<QWidget*>(corrected_boxes_[i + 1])
                                            : set_temporary_button_;
    keys->enter_checks(box, checks[i], next);
    keys->select_all_on_focus(box);
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    keys->escape_closes(box, escape);
  }
}

void CorrectionWindow::tick() {
  tick_ = state_.clock().now();
  state_.system_time = tick_;
  const int parts[] = {tick_.year, tick_.month, tick_.day, tick_.hour, tick_.minute, tick_.second};
  system_boxes_[0]->setText(QString::number(parts[0]).rightJustified(4, QLatin1Char('0')));
  for (int i = 1; i < kDateTimeFields; ++i)
    system_boxes_[i]->setText(QString::fromStdString(text::format_00(parts[i])));
}

std::array<std::string, kDateTimeFields> CorrectionWindow::corrected_fields() const {
  std::array<std::string, kDateTimeFields> fields;
  for (int i = 0; i < kDateTimeFields; ++i) fields[i] = corrected_boxes_[i]->text().toStdString();
  return fields;
}

bool CorrectionWindow::check_all() {
  const int refused = check_corrected_fields(corrected_fields(), tick_, state_.service_date);
  if (refused == 0) return true;
  corrected_boxes_[refused - kFirstCorrectedBox]->setFocus(Qt::OtherFocusReason);
  return refuse(refused - kFirstCorrectedBox);
}

bool CorrectionWindow::refuse(int field) {
  // The numbers the field takes; a day of the month that has gone is refused too.
  const ServiceDate& d = state_.service_date;
  int last = 59;
  switch (field) {
    case 0:
      last = last_correction_year(tick_.year);
      break;
    case 1:
      last = 12;
      break;
    case 2:
      last = d.month >= 1 && d.month <= 12 ? days_in_month(d.year, d.month) : 31;
      break;
    case 3:
      last = 23;
      break;
    default:
      break;
  }
  const int first = field == 0 ? kFirstCorrectionYear : field == 1 || field == 2 ? 1 : 0;
  QString reason = tr("%1から%2までの数を入力してください").arg(first).arg(last);
  if (field == 2 && d.year == tick_.year && d.month == tick_.month && d.day >= 1 &&
      d.day < tick_.day && corrected_boxes_[2]->text().trimmed() == QString::number(d.day))
    reason = tr("今日より前の日は指定できません");
  ui::announce_refusal(corrected_boxes_[field], reason);
  return false;
}

void CorrectionWindow::set_system_clock() {
  if (setting_ || !check_all()) return;
  clock_timer_->stop();
  show_setting(true);
  // The service may take its time (it may ask for authorisation): the windows go on
  // meanwhile, and the answer finishes the correction.
  QPointer<CorrectionWindow> self(this);
  state_.clock().set(corrected_system_time(state_.service_date),
                     [self](const ClockSetResult& result) {
                       if (self) self->system_clock_answered(result);
                     });
}

void CorrectionWindow::system_clock_answered(const ClockSetResult& result) {
  show_setting(false);
  // Refused or not answered in time: the board still shows the corrected time, the
  // program's own clock carrying it.
  apply_correction(state_.settings.holidays, tick_, !result.ok(), state_.service_date,
                   state_.program_clock, state_.day_flags);
  if (!result.ok())
    state_.messages().error(
        this,
        tr("システムの日時を設定できませんでした。\n%1\n補正した日時は一時設定として使います。")
            .arg(QString::fromStdString(result.reason.in(state_.language)))
            .toStdString());
  finish();
}

void CorrectionWindow::show_setting(bool setting) {
  setting_ = setting;
  // Nothing to press or change while the system clock is being set.
  for (QLineEdit* box : corrected_boxes_) box->setEnabled(!setting);
  for (QPushButton* b : {set_system_button_, set_temporary_button_, cancel_button_})
    b->setEnabled(!setting);
  if (setting) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void CorrectionWindow::set_temporary() {
  if (setting_) return;
  if (!check_all()) return;
  clock_timer_->stop();
  apply_correction(state_.settings.holidays, tick_, true, state_.service_date, state_.program_clock,
                   state_.day_flags);
  finish();
}

void CorrectionWindow::cancel() {
  if (setting_) return;
  clock_timer_->stop();
  cancel_correction(state_.settings.holidays, tick_, state_.service_date, state_.program_clock,
                    state_.day_flags);
  finish();
}

void CorrectionWindow::end_proc() {
  if (setting_) return;
  clock_timer_->stop();
  escape_correction(tick_, state_.service_date, state_.program_clock);
  finish();
}

void CorrectionWindow::finish() {
  if (ways_.refresh_board) ways_.refresh_board();
  ui::store_position(this, state_.settings.pos(settings::kCorrectionWindowId));
  close();
}

void CorrectionWindow::closeEvent(QCloseEvent* event) {
  if (setting_) {  // the answer of the time-setting service closes the window
    event->ignore();
    return;
  }
  clock_timer_->stop();
  event->accept();
}

}  // namespace ravolin::calendar
