#include "gui/board/loading_window.h"

#include "board/about_text.h"
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
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      state_(state) {
  setObjectName(QStringLiteral("ravolin11"));
  setWindowTitle(QStringLiteral("ラボリン&ホテル情報"));
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(px(120), px(60), px(7380), px(1560));
  auto* image = new QLabel(frame);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(px(120), px(180), px(1500), px(1200));
  image->setPixmap(ui::program_picture(px(1500), px(1200)));
  text1_ = new QPlainTextEdit(frame);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setGeometry(px(1740), px(180), px(5520), px(1260));
  text1_->setReadOnly(true);
  text1_->setFocusPolicy(Qt::NoFocus);
  text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text1_->setPlainText(ui::text_box_text(
      about_text(state.schedule.edition ? state.schedule.edition->caption : "")));

  command1_ = new QPushButton(QString::fromStdString(loading_message(mode)), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(px(120), px(1740), px(7380), px(420));
  command1_->setFocusPolicy(Qt::NoFocus);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setGeometry(px(120), px(2280), px(5820), px(330));
  progress_->setTextVisible(false);
  progress_->hide();

  command2_ = new QPushButton(QStringLiteral("終了"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(px(6180), px(2250), px(1320), px(390));
  connect(command2_, &QPushButton::clicked, this, [this] {
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
