// SPDX-License-Identifier: MIT
#include "gui/board/main_window.h"

#include "board/about_text.h"
#include "gui/common/accessibility.h"
#include "gui/common/readable_colours.h"
#include "gui/common/window_conventions.h"
#include "text/text.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace ravolin::board {

namespace {

// Layout in twips. Without the Keiyo line the buttons move up and the window gets
// shorter by kKeiyoShift, so that it shows the Shinkansen list alone.
constexpr int kKeiyoShift = 1485;
constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 5235;
constexpr int kButtonsTop = 4665;

// The list's lines, written over the items it has (a screen reader keeps the item it is
// on), then the current line on the train it showed: `train` (row_map's number of the
// train on the current line before, 0 for none) is looked for in the new `row_map`;
// without it, the current line stays at its row (the next train when that one has left).
// The current line is selected too, as the arrow keys select it.
template <typename RowMap>
void refill_list(QListWidget* list, const std::vector<std::string>& lines, const RowMap& row_map,
                 int train) {
  const int current = list->currentRow();
  const int count = static_cast<int>(lines.size());
  while (list->count() > count) delete list->takeItem(list->count() - 1);
  for (int row = 0; row < count; ++row) {
    const QString text = QString::fromStdString(lines[static_cast<std::size_t>(row)]);
    if (row < list->count()) {
      if (list->item(row)->text() != text) list->item(row)->setText(text);
    } else {
      list->addItem(text);
    }
  }
  if (current < 0 || count == 0) return;
  int row = std::min(current, count - 1);
  for (int r = 0; train > 0 && r < count && r + 1 < static_cast<int>(row_map.size()); ++r)
    if (row_map[static_cast<std::size_t>(r + 1)] == train) row = r;
  list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

// The train on the current line of `list` by the board it shows; 0 for none.
template <typename RowMap>
int current_train(const QListWidget* list, const RowMap& row_map) {
  const int row = list->currentRow();
  if (row < 0 || row + 1 >= static_cast<int>(row_map.size())) return 0;
  return row_map[static_cast<std::size_t>(row + 1)];
}

}  // namespace

MainWindow::MainWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QMainWindow(parent), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin1"));
  ui::help_on_f1(this, state, 101);  // メイン画面
  setWindowTitle(tr("ラボリン&ホテル情報"));
  setFont(ui::gothic_font(12));
  build_controls();
  build_menus();
  refresh_timer_ = new QTimer(this);
  refresh_timer_->setObjectName(QStringLiteral("Timer1"));
  refresh_timer_->setInterval(60000);
  connect(refresh_timer_, &QTimer::timeout, this, &MainWindow::refresh);
}

void MainWindow::build_controls() {
  central_ = new QWidget(this);
  setCentralWidget(central_);
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  clock_button_ = new QPushButton(central_);
  clock_button_->setObjectName(QStringLiteral("Command2"));
  clock_button_->setGeometry(px(120), px(90), px(7560), px(420));
  // The caption is the date and time shown; the name says what pressing it does.
  clock_button_->setAccessibleName(tr("日時補正"));
  connect(clock_button_, &QPushButton::clicked, this, [this] { ways_.open_correction(); });

  sinkansen_frame_ = new QGroupBox(tr("新幹線"), central_);
  sinkansen_frame_->setObjectName(QStringLiteral("Frame1"));
  sinkansen_frame_->setGeometry(px(120), px(570), px(7560), px(2520));
  sinkansen_list_ = new QListWidget(sinkansen_frame_);
  sinkansen_list_->setObjectName(QStringLiteral("List1"));
  sinkansen_list_->setGeometry(px(90), px(300), px(7380), px(2130));

  keiyo_frame_ = new QGroupBox(tr("京葉線"), central_);
  keiyo_frame_->setObjectName(QStringLiteral("Frame2"));
  keiyo_frame_->setGeometry(px(120), px(3180), px(7560), px(1395));
  keiyo_list_ = new QListWidget(keiyo_frame_);
  keiyo_list_->setObjectName(QStringLiteral("List2"));
  keiyo_list_->setGeometry(px(90), px(300), px(7380), px(1005));
  // The frames' titles change with the board; the lists keep names of their own, and
  // their items carry each board line's whole text.
  sinkansen_list_->setAccessibleName(tr("新幹線の発車案内"));
  keiyo_list_->setAccessibleName(tr("京葉線の発車案内"));
  for (QListWidget* list : {sinkansen_list_, keiyo_list_})
    list->setItemDelegate(new ui::ReadableLinesDelegate(list));

  build_buttons();

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w :
       std::initializer_list<QWidget*>{exit_button_, clock_button_, search_button_, hotels_button_,
                                       settings_button_, sinkansen_list_, keiyo_list_})
    keys->escape_closes(w, [this] { end_proc(); });

  for (QWidget* w :
       std::initializer_list<QWidget*>{sinkansen_frame_, keiyo_frame_, sinkansen_list_->viewport(),
                                       keiyo_list_->viewport(), sinkansen_list_, keiyo_list_})
    w->installEventFilter(this);

  central_->setFixedSize(px(kClientWidth), px(kClientHeight));
}

void MainWindow::build_buttons() {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  const auto button = [&](const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, central_);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(kButtonsTop), px(1800), px(450));
    return b;
  };
  search_button_ = button("Command3", tr("新幹線検索"), 120);
  hotels_button_ = button("Command4", tr("ホテル検索"), 2040);
  settings_button_ = button("Command5", tr("動作環境"), 3960);
  exit_button_ = button("Command1", tr("終了"), 5880);
  // Enter on a focused button presses it, as Space does.
  for (QPushButton* b :
       {exit_button_, clock_button_, search_button_, hotels_button_, settings_button_})
    b->setAutoDefault(true);
  connect(exit_button_, &QPushButton::clicked, this, &MainWindow::exit_button);
  connect(search_button_, &QPushButton::clicked, this, [this] { ways_.open_search(); });
  connect(hotels_button_, &QPushButton::clicked, this, [this] { ways_.open_hotel_search(); });
  connect(settings_button_, &QPushButton::clicked, this, [this] { ways_.open_settings(); });
}

void MainWindow::build_menus() {
  const auto action = [](QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("ﾌｧｲﾙ(&F&ﾊ)"));
  file->setObjectName(QStringLiteral("menu_file"));
  connect(action(file, "menu_file_exit", tr("Ravolinの終了(&X&ｻ)")), &QAction::triggered, this,
          &MainWindow::exit_from_menu);

  QMenu* edit = menuBar()->addMenu(tr("編集(&E&ｲ)"));
  edit->setObjectName(QStringLiteral("menu_edit"));
  connect(action(edit, "menu_edit_time", tr("日時補正(&T&ｶ)")), &QAction::triggered, this,
          [this] { ways_.open_correction(); });
  edit->addSeparator();
  connect(action(edit, "menu_edit_settings", tr("動作環境登録(&C&ｿ)")), &QAction::triggered, this,
          [this] { ways_.open_settings(); });
  edit->addSeparator();
  connect(action(edit, "menu_edit_hotels", tr("ホテル情報の登録・修正（&H&ｸ）")),
          &QAction::triggered, this, [this] { ways_.open_user_hotels(); });

  QMenu* view = menuBar()->addMenu(tr("表示(&V&ﾋ)"));
  view->setObjectName(QStringLiteral("menu_view"));
  connect(action(view, "menu_view_sinkansen", tr("新幹線時刻表(&S&ﾄ)")), &QAction::triggered, this,
          [this] { ways_.open_full_schedule(kModeSinkansen); });
  keiyo_schedule_action_ = action(view, "menu_view_keiyo", tr("京葉線時刻表(&K&ﾉ)"));
  connect(keiyo_schedule_action_, &QAction::triggered, this,
          [this] { ways_.open_full_schedule(kModeKeiyo); });
  view->addSeparator();
  connect(action(view, "menu_view_search", tr("新幹線検索(&C&ｿ)")), &QAction::triggered, this,
          [this] { ways_.open_search(); });
  connect(action(view, "menu_view_hotels", tr("ﾎﾃﾙ検索(&H&ｸ)")), &QAction::triggered, this,
          [this] { ways_.open_hotel_search(); });
  view->addSeparator();
  connect(action(view, "menu_view_diagram", tr("ダイヤグラム(&D&ｼ)")), &QAction::triggered, this,
          [this] { ways_.open_diagram(); });

  QMenu* help = menuBar()->addMenu(tr("ﾍﾙﾌﾟ(&H&ｸ)"));
  help->setObjectName(QStringLiteral("menu_help"));
  connect(action(help, "menu_help_topics", tr("ﾄﾋﾟｯｸの検索(&H&ｸ)")), &QAction::triggered, this,
          [this] { ways_.open_help_contents(); });
  help->addSeparator();
  connect(action(help, "menu_help_version", tr("ﾊﾞｰｼﾞｮﾝ情報(&A&ﾁ)")), &QAction::triggered, this,
          [this] { ways_.open_version(); });

  for (QMenu* menu : {file, edit, view, help}) ui::fit_access_key_entries(menu);
}

void MainWindow::lay_out() {
  ui::place_window(this, state_.settings.pos(settings::kMainWindowId));
  set_holiday();
  edit_time();
  edit_sinkansen();
  edit_keiyo();
  const bool keiyo_layout = state_.settings.keiyo_use == 1;
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  const int shift = keiyo_layout ? 0 : kKeiyoShift;
  keiyo_frame_->setVisible(keiyo_layout);
  for (QPushButton* b : {exit_button_, search_button_, hotels_button_, settings_button_})
    b->move(b->x(), px(kButtonsTop - shift));
  central_->setFixedSize(px(kClientWidth), px(kClientHeight - shift));
  setFixedSize(px(kClientWidth), menuBar()->sizeHint().height() + px(kClientHeight - shift));
  keiyo_schedule_action_->setEnabled(keiyo_layout);
  announce_hurry();
  refresh_timer_->start();
}

void MainWindow::stop_refresh() { refresh_timer_->stop(); }

void MainWindow::set_holiday() {
  const auto& d = state_.service_date;
  state_.day_flags = calendar::set_holiday(state_.settings.holidays, d.month, d.day, d.weekday);
}

void MainWindow::edit_time() {
  state_.system_time = state_.clock().now();
  calendar::update_program_time(state_.program_clock, state_.system_time.time_of_day);
  clock_button_->setText(QString::fromStdString(calendar::clock_caption(
      state_.service_date, state_.program_clock.program_time, state_.language)));
  clock_button_->setAccessibleDescription(clock_button_->text());
}

void MainWindow::edit_sinkansen() {
  const SinkansenContext before = state_.sinkansen_board.context;
  const int train = current_train(sinkansen_list_, state_.sinkansen_board.row_map);
  board::edit_sinkansen(state_.schedule.sin, state_.settings, state_.day_flags,
                        state_.program_clock.program_time, state_.sinkansen_board, state_.language,
                        state_.place_names);
  sinkansen_frame_->setTitle(ui::caption_text(state_.sinkansen_board.caption));
  const bool same_list = before.direction == state_.sinkansen_board.context.direction &&
                         before.station == state_.sinkansen_board.context.station;
  refill_list(sinkansen_list_, state_.sinkansen_board.lines, state_.sinkansen_board.row_map,
              same_list ? train : 0);
}

void MainWindow::edit_keiyo() {
  if (state_.settings.keiyo_use != 1) return;
  const KeiyoContext before = state_.keiyo_board.context;
  const int train = current_train(keiyo_list_, state_.keiyo_board.row_map);
  board::edit_keiyo(state_.schedule.keiyo, state_.settings, state_.day_flags,
                    state_.program_clock.program_time, state_.keiyo_board, state_.language,
                    state_.place_names);
  keiyo_frame_->setTitle(ui::caption_text(state_.keiyo_board.caption));
  const bool same_list = before.schedule == state_.keiyo_board.context.schedule &&
                         before.station == state_.keiyo_board.context.station;
  refill_list(keiyo_list_, state_.keiyo_board.lines, state_.keiyo_board.row_map,
              same_list ? train : 0);
}

void MainWindow::refresh() {
  set_holiday();
  edit_time();
  edit_sinkansen();
  edit_keiyo();
  announce_hurry();
  if (ways_.refreshed) ways_.refreshed();
}

void MainWindow::announce_hurry() {
  const bool keiyo = state_.settings.keiyo_use == 1;
  const std::vector<std::string> gained =
      hurry_watch_.update(state_.sinkansen_board, state_.keiyo_board, keiyo);
  if (gained.empty()) return;
  // One notice for all of them (a second one would cut the first short), said where the
  // user is: on the control of this window that has the focus, whichever list gained
  // the line; without one, on the list that shows the first line.
  QStringList lines;
  for (const std::string& line : gained) lines << QString::fromStdString(line);
  QWidget* where = focusWidget();
  if (!where) {
    where = sinkansen_list_;
    for (int row = 0; row < keiyo_list_->count(); ++row)
      if (text::trim(keiyo_list_->item(row)->text().toStdString()) == gained.front())
        where = keiyo_list_;
  }
  ui::announce(where, lines.join(state_.english() ? QStringLiteral("; ") : QStringLiteral("、")));
}

// ---- exit -------------------------------------------------------------------------

void MainWindow::exit_button() {
  ui::store_position(this, state_.settings.pos(settings::kMainWindowId));
  close();
}

void MainWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kMainWindowId));
  close();
  state_.end_program();
}

void MainWindow::exit_from_menu() {
  ui::store_position(this, state_.settings.pos(settings::kMainWindowId));
  ways_.quit_from_menu();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  ways_.closing();
  event->accept();
  state_.end_program();
}

int MainWindow::selected_line(int mode) const {
  const QListWidget* list = mode == kModeKeiyo ? keiyo_list_ : sinkansen_list_;
  for (int row = 0; row < list->count(); ++row)
    if (list->item(row)->isSelected()) return row;
  return list->count();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && (watched == sinkansen_list_ || watched == keiyo_list_)) {
    // The keyboard arrives on a line: the first, most urgent one, unless one is chosen.
    auto* list = static_cast<QListWidget*>(watched);
    if (list->count() > 0 && (list->currentRow() < 0 || list->selectedItems().isEmpty()))
      list->setCurrentRow(std::max(list->currentRow(), 0), QItemSelectionModel::ClearAndSelect);
  }
  if (event->type() == QEvent::KeyPress && (watched == sinkansen_list_ || watched == keiyo_list_)) {
    // Enter on a selected line opens its later stops, as a double-click does.
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int mode = watched == keiyo_list_ ? kModeKeiyo : kModeSinkansen;
    const auto* list = static_cast<QListWidget*>(watched);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !list->selectedItems().isEmpty()) {
      ways_.open_passing_stations(mode, selected_line(mode));
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == sinkansen_frame_) {
      ways_.open_full_schedule(kModeSinkansen);
      return true;
    }
    if (watched == keiyo_frame_) {
      ways_.open_full_schedule(kModeKeiyo);
      return true;
    }
    if (watched == sinkansen_list_->viewport() || watched == keiyo_list_->viewport()) {
      // The first click of the double-click has already selected the line under it.
      const int mode = watched == keiyo_list_->viewport() ? kModeKeiyo : kModeSinkansen;
      ways_.open_passing_stations(mode, selected_line(mode));
      return false;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace ravolin::board
