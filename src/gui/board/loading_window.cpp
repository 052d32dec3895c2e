// SPDX-License-Identifier: MIT
#include "gui/board/loading_window.h"

#include "board/about_text.h"
#include "gui/common/accessibility.h"
#include "gui/common/picture.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace ravolin::board {

LoadingWindow::LoadingWindow(app::AppState& state, int mode, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint), state_(state) {
  setObjectName(QStringLiteral("ravolin11"));
  ui::help_on_f1(this, state, 102);  // データロード中の画面
  setWindowTitle(tr("ラボリン&ホテル情報"));
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* about_frame = new QGroupBox(this);
  about_frame->setObjectName(QStringLiteral("Frame1"));
  about_frame->setGeometry(px(120), px(60), px(7380), px(1560));
  auto* picture = new QLabel(about_frame);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(px(120), px(180), px(1500), px(1200));
  picture->setPixmap(ui::program_picture(px(1500), px(1200)));
  about_box_ = new QPlainTextEdit(about_frame);
  about_box_->setObjectName(QStringLiteral("Text1"));
  about_box_->setGeometry(px(1740), px(180), px(5520), px(1260));
  about_box_->setReadOnly(true);
  about_box_->setFocusPolicy(Qt::NoFocus);
  about_box_->setAccessibleName(tr("製品情報"));
  about_box_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  about_box_->setPlainText(ui::text_box_text(
      about_text(corridor_caption(state.schedule.edition, state.language), state.language)));

  loading_message_ =
      new QPushButton(QString::fromStdString(loading_message(mode, state.language)), this);
  loading_message_->setObjectName(QStringLiteral("Command1"));
  ui::caption_only(loading_message_, ui::CaptionKind::kText);
  loading_message_->setGeometry(px(120), px(1740), px(7380), px(420));
  loading_message_->setFocusPolicy(Qt::NoFocus);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setGeometry(px(120), px(2280), px(5820), px(330));
  progress_->setTextVisible(false);
  progress_->setAccessibleName(tr("読み込みの進み具合"));
  progress_->hide();

  exit_button_ = new QPushButton(tr("終了"), this);
  exit_button_->setObjectName(QStringLiteral("Command2"));
  exit_button_->setGeometry(px(6180), px(2250), px(1320), px(390));
  connect(exit_button_, &QPushButton::clicked, this, [this] {
    // Ends the program at once; nothing is saved.
    aborted_ = true;
    state_.end_program();
  });

  setFixedSize(px(7620), px(2760));
  ui::place_window(this, state.settings.pos(settings::kLoadingWindowId));
}

void LoadingWindow::start_progress(int steps) {
  progress_->setRange(0, steps);
  progress_->setValue(0);
  progress_->show();
}

void LoadingWindow::set_progress(int value) { progress_->setValue(value); }

void LoadingWindow::finish() { close(); }

void LoadingWindow::closeEvent(QCloseEvent* event) {
  ui::store_position(this, state_.settings.pos(settings::kLoadingWindowId));
  event->accept();
}

}  // namespace ravolin::board
