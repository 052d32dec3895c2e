// SPDX-License-Identifier: MIT
#include "gui/board/passing_window.h"

#include "board/passing_stations.h"
#include "gui/common/separator_wrap.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QTextEdit>
#include <QTimer>

namespace ravolin::board {

PassingWindow::PassingWindow(app::AppState& state, int mode, int line, QWidget* parent)
    : PassingWindow(state,
                    passing_stations(mode, state.schedule, state.sinkansen_board, state.keiyo_board,
                                     line, state.language, state.place_names),
                    parent) {
  mode_ = mode;
  line_ = line;
}

PassingWindow::PassingWindow(app::AppState& state, const std::string& stops, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName(QStringLiteral("ravolin23"));
  ui::help_on_f1(this, state, 123);  // 通過駅の時刻表示
  setWindowTitle(tr("通過駅の時刻表示"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* stops_text = new QTextEdit(this);
  stops_text->setObjectName(QStringLiteral("Text1"));
  // Tall enough for the longest stop list (an all-stations Tohoku train with its car
  // note) to show whole: the window closes before anyone could scroll it.
  stops_text->setGeometry(px(60), px(60), px(7680), px(1560));
  stops_text->setReadOnly(true);
  stops_text->setAccessibleName(tr("通過駅の時刻"));
  stops_text->setAcceptRichText(false);
  stops_text->setFont(ui::gothic_font(12));
  // Lines break between stops only, never inside a station name.
  ui::wrap_only_after(stops_text, QString::fromUtf8(kStopSeparator));
  stops_text->setPlainText(QString::fromStdString(stops));
  auto* keys = new ui::KeyConventions(this);
  keys->escape_closes(stops_text, [this] { close_step(); });

  close_timer_ = new QTimer(this);
  close_timer_->setObjectName(QStringLiteral("Timer1"));
  close_timer_->setInterval(10000);
  // Time is up: the window goes, unless the keyboard is in it (someone is reading it,
  // with a screen reader perhaps); the timer looks again one interval later.
  connect(close_timer_, &QTimer::timeout, this, [this] {
    if (!isActiveWindow()) close_step();
  });
  close_timer_->start();

  setFixedSize(px(7800), px(1680));
  ui::place_window(this, state.settings.pos(settings::kPassingWindowId));
  stops_text->setFocus();
}

void PassingWindow::close_step() {
  ui::store_position(this, state_.settings.pos(settings::kPassingWindowId));
  close();
}

void PassingWindow::closeEvent(QCloseEvent* event) {
  close_timer_->stop();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::board
