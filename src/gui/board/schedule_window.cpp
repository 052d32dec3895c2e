#include "gui/board/schedule_window.h"

#include "board/full_schedule.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace ravolin::board {

ScheduleWindow::ScheduleWindow(app::AppState& state, int mode, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), mode_(mode) {
  setObjectName(QStringLiteral("ravolin24"));
  setWindowTitle(QStringLiteral("時刻表の表示"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame1 = new QGroupBox(this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(px(120), px(60), px(9780), px(4500));
  auto* text1 = new QPlainTextEdit(frame1);
  text1->setObjectName(QStringLiteral("Text1"));
  // Wide enough for the busiest hour (14 departures) to show its whole row.
  text1->setGeometry(px(120), px(300), px(9540), px(4080));
  text1->setReadOnly(true);
  text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1->setFont(ui::gothic_font(12));

  auto* label1 = new QLabel(this);
  label1->setObjectName(QStringLiteral("Label1"));
  ui::show_plain(label1);  // the note comes from the data file
  label1->setGeometry(px(120), px(4680), px(6600), px(360));

  auto* command1 = new QPushButton(QStringLiteral("終了"), this);
  command1->setObjectName(QStringLiteral("Command1"));
  command1->setGeometry(px(8580), px(4650), px(1320), px(420));
  command1->setAutoDefault(true);  // Enter on 終了 presses it
  connect(command1, &QPushButton::clicked, this, &ScheduleWindow::end_proc);
  auto* keys = new ui::KeyConventions(this);
  keys->escape_closes(command1, [this] { end_proc(); });

  const FullSchedule table =
      full_schedule(mode, state.schedule, state.settings, state.day_flags);
  frame1->setTitle(QString::fromStdString(table.caption));
  text1->setPlainText(ui::text_box_text(table.text));
  label1->setText(QString::fromStdString(table.note));

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(60000);
  connect(timer1_, &QTimer::timeout, this, &ScheduleWindow::end_proc);
  timer1_->start();

  setFixedSize(px(10020), px(5190));
  ui::place_window(this, state.settings.pos(settings::kScheduleWindowId));
  command1->setFocus();
}

void ScheduleWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kScheduleWindowId));
  close();
}

void ScheduleWindow::closeEvent(QCloseEvent* event) {
  timer1_->stop();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::board
