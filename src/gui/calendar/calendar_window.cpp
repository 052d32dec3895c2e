// SPDX-License-Identifier: MIT
#include "gui/calendar/calendar_window.h"

#include "calendar/dates.h"
#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "text/text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace ravolin::calendar {

namespace {

constexpr int kButtonWidth = 540;
constexpr int kButtonHeight = 420;
constexpr int kGridLeft = 120;
constexpr int kGridTop = 900;

const char* const kWeekdayHeadings[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The whole date a day button stands for, as a screen reader says it:
// "2026年12月7日 月曜日" or "Monday, 7 December 2026".
QString spoken_date(int year, int month, int day, text::Language language) {
  return QString::fromStdString(
      calendar::date_text_long(calendar::day_number(year, month, day), language));
}

}  // namespace

CalendarWindow::CalendarWindow(app::AppState& state, Targets targets, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), targets_(std::move(targets)) {
  setObjectName(QStringLiteral("ravolin4"));
  ui::help_on_f1(this, state, 104);  // カレンダー
  setWindowTitle(tr("カレンダｰ"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();

  system_ = state.clock().now();
  month_box_->setText(QString::fromStdString(month_text({system_.year, system_.month})));
  stepper_changed(stepper_value());
  connect(month_stepper_, &QScrollBar::valueChanged, this,
          [this] { stepper_changed(stepper_value()); });

  setFixedSize(ui::tw(this, kGridLeft + 7 * kButtonWidth + 540), ui::tw(this, 4080));
  ui::place_window(this, state.settings.pos(settings::kCalendarWindowId));
  month_box_->setFocus();
}

void CalendarWindow::build_controls() {
  const ui::TwipLayout layout(this);
  auto& keys = *new ui::KeyConventions(this);
  const auto escape = [this] { end_proc(); };

  month_box_ = layout.box(this, QStringLiteral("Text1"), kGridLeft, 120, 1620, 330);
  month_box_->setAccessibleName(tr("表示する年月"));
  month_box_->setAccessibleDescription(tr("年/月の形で入力して Enter (例 2000/3)"));
  keys.select_all_on_focus(month_box_);
  keys.enter_checks(month_box_, [this] { return typed_month_entered(); });
  keys.escape_closes(month_box_, escape);

  for (int c = 0; c < 7; ++c) {
    QLabel* heading = layout.label(this, QStringLiteral("Label%1").arg(c + 1),
                                   QString::fromLatin1(kWeekdayHeadings[c]),
                                   kGridLeft + c * kButtonWidth, 600, kButtonWidth, 270);
    heading->setAlignment(Qt::AlignCenter);
  }
  for (int i = 1; i <= kGridButtons; ++i) {
    const int row = (i - 1) / 7;
    const int column = (i - 1) % 7;
    // Enter on a focused day picks it.
    QPushButton* b = layout.button(this, QStringLiteral("Command%1").arg(i), QString(),
                                   kGridLeft + column * kButtonWidth,
                                   kGridTop + row * kButtonHeight, kButtonWidth, kButtonHeight);
    connect(b, &QPushButton::clicked, this, [this, i] { day_clicked(i); });
    b->installEventFilter(this);
    keys.escape_closes(b, escape);
    day_buttons_[i] = b;
  }

  // The stepper has 60 at its top end: moving up (arrow, key or wheel) shows later
  // months. The bar itself counts from the top, so its value is 61 minus the stepper's.
  month_stepper_ =
      layout.place(new QScrollBar(Qt::Vertical, this), QStringLiteral("VScroll1"),
                   kGridLeft + 7 * kButtonWidth + 120, kGridTop, 300, 6 * kButtonHeight);
  month_stepper_->setRange(1, kStepperMonths);
  month_stepper_->setSingleStep(1);
  month_stepper_->setPageStep(12);
  month_stepper_->setValue(kStepperMonths);
  month_stepper_->setAccessibleName(tr("表示する月の切り替え"));
  keys.escape_closes(month_stepper_, escape);

  QPushButton* end_button =
      layout.button(this, QStringLiteral("Command43"), tr("終了"),
                    kGridLeft + 7 * kButtonWidth + 420 - 1320, 3540, 1320, 420);
  connect(end_button, &QPushButton::clicked, this, &CalendarWindow::end_proc);
  keys.escape_closes(end_button, escape);
}

int CalendarWindow::stepper_value() const { return kStepperMonths + 1 - month_stepper_->value(); }

void CalendarWindow::set_stepper_value(int value) {
  month_stepper_->setValue(kStepperMonths + 1 - value);
}

void CalendarWindow::stepper_changed(int value) {
  shown_ = stepper_month(system_.year, system_.month, value);
  month_box_->setText(QString::fromStdString(month_text(shown_)));
  fill_grid();
}

bool CalendarWindow::typed_month_entered() {
  const std::optional<ShownMonth> m =
      typed_month(month_box_->text().toStdString(), system_.year, system_.month);
  if (!m) {
    // The months the calendar shows: from this month to the end of the last year.
    ui::announce_refusal(month_box_, tr("%1/%2 から %3/12 までの年月を入力してください")
                                         .arg(system_.year)
                                         .arg(system_.month)
                                         .arg(last_typed_year(system_.year)));
    return false;
  }
  shown_ = *m;
  fill_grid();
  return true;
}

void CalendarWindow::fill_grid() {
  days_ = month_grid(shown_);
  for (int i = 1; i <= kGridButtons; ++i) {
    if (i <= 7 || i >= 29) day_buttons_[i]->setText(QString());
    if (days_[i] != 0) {
      day_buttons_[i]->setText(QString::number(days_[i]));
      day_buttons_[i]->setAccessibleName(
          spoken_date(shown_.year, shown_.month, days_[i], state_.language));
      day_buttons_[i]->show();
    } else {
      day_buttons_[i]->hide();
    }
  }
}

void CalendarWindow::day_clicked(int i) {
  if (i < 1 || i > kGridButtons || days_[i] == 0) return;
  SearchDate& d = state_.search_date;
  d.year = shown_.year;
  d.month = shown_.month;
  d.day = days_[i];
  d.day_number = day_number(d.year, d.month, d.day);
  d.weekday = weekday_of(d.day_number);
  if (targets_.year) targets_.year->setText(QString::number(d.year));
  if (targets_.month) targets_.month->setText(QString::fromStdString(text::format_00(d.month)));
  if (targets_.day) targets_.day->setText(QString::fromStdString(text::format_00(d.day)));
  if (targets_.weekday)
    targets_.weekday->setText(QStringLiteral("(") +
                              QString::fromStdString(text::weekday_name(d.weekday)) +
                              QStringLiteral(")"));
  emit picked();
  ui::store_position(this, state_.settings.pos(settings::kCalendarWindowId));
  back_to(targets_.focus_after_pick);
  close();
}

void CalendarWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kCalendarWindowId));
  back_to(targets_.focus_after_close);
  close();
}

void CalendarWindow::back_to(QWidget* focus) {
  if (!focus) return;
  QWidget* window = focus->window();
  window->raise();
  window->activateWindow();
  focus->setFocus(Qt::OtherFocusReason);
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // The arrow keys move between the days of the grid.
    int step = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
        step = -1;
        break;
      case Qt::Key_Right:
        step = 1;
        break;
      case Qt::Key_Up:
        step = -7;
        break;
      case Qt::Key_Down:
        step = 7;
        break;
      default:
        break;
    }
    if (step != 0) {
      for (int i = 1; i <= kGridButtons; ++i) {
        if (day_buttons_[i] != watched) continue;
        const int to = i + step;
        if (to >= 1 && to <= kGridButtons && days_[to] != 0)
          day_buttons_[to]->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ravolin::calendar
