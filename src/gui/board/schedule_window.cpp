// SPDX-License-Identifier: MIT
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
  ui::help_on_f1(this, state, 124);  // 時刻表の表示
  setWindowTitle(tr("時刻表の表示"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* table_frame = new QGroupBox(this);
  table_frame->setObjectName(QStringLiteral("Frame1"));
  table_frame->setGeometry(px(120), px(60), px(9780), px(4500));
  auto* table_text = new QPlainTextEdit(table_frame);
  table_text->setObjectName(QStringLiteral("Text1"));
  // Wide enough for the busiest hour (14 departures) to show its whole row.
  table_text->setGeometry(px(120), px(300), px(9540), px(4080));
  table_text->setReadOnly(true);
  table_text->setAccessibleName(tr("時刻表"));
  table_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  table_text->setFont(ui::gothic_font(12));

  const FullSchedule table = full_schedule(mode, state.schedule, state.settings, state.day_flags,
                                           state.language, state.place_names);

  // An English Shinkansen table names its last stops below it; the rest moves down by the
  // height of that key.
  int key_height = 0;
  if (!table.key.empty()) {
    auto* key_label = new QLabel(this);
    key_label->setObjectName(QStringLiteral("Label2"));
    ui::show_plain(key_label);
    key_label->setWordWrap(true);
    key_label->setText(QString::fromStdString(destination_key_text(table.key, "\u00a0")));
    key_height = key_label->heightForWidth(px(9780)) + px(60);
    key_label->setGeometry(px(120), px(4620), px(9780), key_height);
  }

  auto* note_label = new QLabel(this);
  note_label->setObjectName(QStringLiteral("Label1"));
  ui::show_plain(note_label);  // the note comes from the data file
  note_label->setGeometry(px(120), px(4680) + key_height, px(6600), px(360));
  note_label->setBuddy(table_text);

  auto* exit_button = new QPushButton(tr("終了"), this);
  exit_button->setObjectName(QStringLiteral("Command1"));
  exit_button->setGeometry(px(8580), px(4650) + key_height, px(1320), px(420));
  exit_button->setAutoDefault(true);  // Enter on 終了 presses it
  connect(exit_button, &QPushButton::clicked, this, &ScheduleWindow::close_step);
  auto* keys = new ui::KeyConventions(this);
  keys->escape_closes(exit_button, [this] { close_step(); });

  table_frame->setTitle(ui::caption_text(table.caption));
  table_text->setPlainText(ui::text_box_text(table.text));
  note_label->setText(ui::caption_text(table.note));

  close_timer_ = new QTimer(this);
  close_timer_->setObjectName(QStringLiteral("Timer1"));
  close_timer_->setInterval(60000);
  // Time is up: the window goes, unless the keyboard is in it (someone is reading it,
  // with a screen reader perhaps); the timer looks again one interval later.
  connect(close_timer_, &QTimer::timeout, this, [this] {
    if (!isActiveWindow()) close_step();
  });
  close_timer_->start();

  setFixedSize(px(10020), px(5190) + key_height);
  ui::place_window(this, state.settings.pos(settings::kScheduleWindowId));
  exit_button->setFocus();
}

void ScheduleWindow::close_step() {
  ui::store_position(this, state_.settings.pos(settings::kScheduleWindowId));
  close();
}

void ScheduleWindow::closeEvent(QCloseEvent* event) {
  close_timer_->stop();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::board
