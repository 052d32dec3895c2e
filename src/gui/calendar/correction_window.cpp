#include "gui/calendar/correction_window.h"

#include "calendar/correction.h"
#include "text/text.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace ravolin::calendar {

namespace {

constexpr int kBoxHeight = 255;
const char* const kUnits[] = {"年", "月", "日", "時", "分", "秒"};

}  // namespace

CorrectionWindow::CorrectionWindow(app::AppState& state, std::function<void()> refresh_board,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), refresh_board_(std::move(refresh_board)) {
  setObjectName(QStringLiteral("ravolin21"));
  setWindowTitle(QStringLiteral("日時補正"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  auto* keys = new ui::KeyConventions(this);
  const auto escape = [this] { end_proc(); };

  // Two frames of six boxes: year, month, day, hour, minute, second with their units.
  const auto frame = [&](const char* name, const QString& caption, int top, int first) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(px(120), px(top), px(5160), px(720));
    int left = 150;
    for (int i = 0; i < 6; ++i) {
      const int width = i == 0 ? 660 : 420;
      auto* t = new QLineEdit(f);
      t->setObjectName(QStringLiteral("Text%1").arg(first + i));
      t->setGeometry(px(left), px(330), px(width), px(kBoxHeight));
      t->setAlignment(Qt::AlignRight);
      text_[first + i] = t;
      auto* unit = new QLabel(QString::fromUtf8(kUnits[i]), f);
      unit->setObjectName(QStringLiteral("Label%1").arg(first + i));
      unit->setGeometry(px(left + width + 30), px(330), px(270), px(kBoxHeight));
      left += width + 330;
    }
  };
  frame("Frame1", QStringLiteral("現在日時"), 90, 1);
  frame("Frame2", QStringLiteral("補正日時"), 900, 7);
  for (int n = 1; n <= 6; ++n) {
    text_[n]->setReadOnly(true);
    text_[n]->setFocusPolicy(Qt::NoFocus);
  }

  const auto button = [&](const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(1740), px(1440), px(420));
    b->setAutoDefault(true);  // Enter on a focused button presses it
    keys->escape_closes(b, escape);
    return b;
  };
  auto* command1 = button("Command1", QStringLiteral("日時設定"), 120);
  auto* command2 = button("Command2", QStringLiteral("一時設定"), 1980);
  auto* command3 = button("Command3", QStringLiteral("取消終了"), 3840);
  buttons_ = {command1, command2, command3};
  connect(command1, &QPushButton::clicked, this, &CorrectionWindow::set_system_clock);
  connect(command2, &QPushButton::clicked, this, &CorrectionWindow::set_temporary);
  connect(command3, &QPushButton::clicked, this, &CorrectionWindow::cancel);

  // The corrected fields: each checks on Enter and hands the focus on.
  const std::array<std::function<bool()>, 13> checks = {
      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
      [this] { return chk_year(box(7)->text().toStdString(), tick_, state_.service_date); },
      [this] { return chk_month(box(8)->text().toStdString(), state_.service_date); },
      [this] {
        if (!chk_day(box(9)->text().toStdString(), tick_, state_.service_date)) return false;
        // The date takes effect at once: the board shows the corrected day.
        set_service_day(state_.service_date);
        if (refresh_board_) refresh_board_();
        return true;
      },
      [this] { return chk_hour(box(10)->text().toStdString(), state_.service_date); },
      [this] { return chk_minute(box(11)->text().toStdString(), state_.service_date); },
      [this] { return chk_second(box(12)->text().toStdString(), state_.service_date); },
  };
  for (int n = 7; n <= 12; ++n) {
    QWidget* next = n < 12 ? static_cast<QWidget*>(text_[n + 1]) : command2;
    keys->enter_checks(text_[n], checks[n], next);
    keys->select_all_on_focus(text_[n]);
    text_[n]->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    keys->escape_closes(text_[n], escape);
  }

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  connect(timer1_, &QTimer::timeout, this, &CorrectionWindow::tick);

  setFixedSize(px(5400), px(2280));
  ui::place_window(this, state.settings.pos(settings::kCorrectionWindowId));

  tick();
  for (int n = 1; n <= 6; ++n) text_[n + 6]->setText(text_[n]->text());
  timer1_->start();
  text_[7]->setFocus();
}

void CorrectionWindow::tick() {
  tick_ = state_.clock().now();
  state_.system_time = tick_;
  const int parts[] = {tick_.year, tick_.month, tick_.day, tick_.hour, tick_.minute, tick_.second};
  text_[1]->setText(QString::number(parts[0]).rightJustified(4, QLatin1Char('0')));
  for (int i = 1; i < 6; ++i)
    text_[i + 1]->setText(QString::fromStdString(text::format_00(parts[i])));
}

std::array<std::string, 6> CorrectionWindow::corrected_fields() const {
  std::array<std::string, 6> f;
  for (int i = 0; i < 6; ++i) f[i] = text_[7 + i]->text().toStdString();
  return f;
}

bool CorrectionWindow::check_all() {
  const int refused = check_corrected_fields(corrected_fields(), tick_, state_.service_date);
  if (refused == 0) return true;
  text_[refused]->setFocus(Qt::OtherFocusReason);
  return false;
}

void CorrectionWindow::set_system_clock() {
  if (setting_ || !check_all()) return;
  timer1_->stop();
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
    state_.messages().error(this, "システムの日時を設定できませんでした。\n" + result.reason +
                                      "\n補正した日時は一時設定として使います。");
  finish();
}

void CorrectionWindow::show_setting(bool setting) {
  setting_ = setting;
  // Nothing to press or change while the system clock is being set.
  for (int n = 7; n <= 12; ++n) text_[n]->setEnabled(!setting);
  for (QPushButton* b : buttons_) b->setEnabled(!setting);
  if (setting) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void CorrectionWindow::set_temporary() {
  if (setting_) return;
  if (!check_all()) return;
  timer1_->stop();
  apply_correction(state_.settings.holidays, tick_, true, state_.service_date,
                   state_.program_clock, state_.day_flags);
  finish();
}

void CorrectionWindow::cancel() {
  if (setting_) return;
  timer1_->stop();
  cancel_correction(state_.settings.holidays, tick_, state_.service_date, state_.program_clock,
                    state_.day_flags);
  finish();
}

void CorrectionWindow::end_proc() {
  if (setting_) return;
  timer1_->stop();
  escape_correction(tick_, state_.service_date, state_.program_clock);
  finish();
}

void CorrectionWindow::finish() {
  if (refresh_board_) refresh_board_();
  ui::store_position(this, state_.settings.pos(settings::kCorrectionWindowId));
  close();
}

void CorrectionWindow::closeEvent(QCloseEvent* event) {
  if (setting_) {  // the answer of the time-setting service closes the window
    event->ignore();
    return;
  }
  timer1_->stop();
  event->accept();
}

}  // namespace ravolin::calendar
