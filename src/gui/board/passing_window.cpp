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
                    passing_stations(mode, state.schedule, state.sinkansen_board,
                                     state.keiyo_board, line),
                    parent) {
  mode_ = mode;
  line_ = line;
}

PassingWindow::PassingWindow(app::AppState& state, const std::string& stops, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName(QStringLiteral("ravolin23"));
  setWindowTitle(QStringLiteral("通過駅の時刻表示"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* text1 = new QTextEdit(this);
  text1->setObjectName(QStringLiteral("Text1"));
  // Tall enough for the longest stop list (an all-stations Tohoku train with its car
  // note) to show whole: the window closes before anyone could scroll it.
  text1->setGeometry(px(60), px(60), px(7680), px(1560));
  text1->setReadOnly(true);
  text1->setAcceptRichText(false);
  text1->setFont(ui::gothic_font(12));
  // Lines break between stops only, never inside a station name.
  ui::wrap_only_after(text1, QString::fromUtf8(kStopSeparator));
  text1->setPlainText(QString::fromStdString(stops));
  auto* keys = new ui::KeyConventions(this);
  keys->escape_closes(text1, [this] { end_proc(); });

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(10000);
  connect(timer1_, &QTimer::timeout, this, &PassingWindow::end_proc);
  timer1_->start();

  setFixedSize(px(7800), px(1680));
  ui::place_window(this, state.settings.pos(settings::kPassingWindowId));
  text1->setFocus();
}

void PassingWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kPassingWindowId));
  close();
}

void PassingWindow::closeEvent(QCloseEvent* event) {
  timer1_->stop();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::board
