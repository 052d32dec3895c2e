#include "board/main_window.h"

#include "board/about_text.h"
#include "board/diagram_window.h"
#include "board/loading_window.h"
#include "board/passing_window.h"
#include "board/schedule_window.h"
#include "board/version_window.h"
#include "calendar/correction_window.h"
#include "data/loader.h"
#include "hotels/hotel_search_window.h"
#include "hotels/user_hotels_window.h"
#include "search/results_window.h"
#include "search/search_window.h"
#include "settings/settings_file.h"
#include "settings/settings_window.h"
#include "ui/window_conventions.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace ravolin::board {

namespace {

// Layout in twips. Without the Keiyo line the buttons move up and the window gets
// shorter by kKeiyoShift, so that it shows the Shinkansen list alone.
constexpr int kKeiyoShift = 1485;
constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 5235;
constexpr int kButtonsTop = 4665;

// Shows a window opened from the main window and gives it the keyboard, so that a key
// pressed next (Escape above all) goes to it and not to the main window's lists.
void show_in_front(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}

void fill_list(QListWidget* list, const std::vector<std::string>& lines) {
  list->clear();
  for (const auto& line : lines) list->addItem(QString::fromStdString(line));
}

}  // namespace

MainWindow::MainWindow(app::AppState& state, QWidget* parent)
    : QMainWindow(parent), state_(state) {
  setObjectName(QStringLiteral("ravolin1"));
  setWindowTitle(QStringLiteral("ラボリン&ホテル情報"));
  setFont(ui::gothic_font(12));
  build_controls();
  build_menus();
  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(60000);
  connect(timer1_, &QTimer::timeout, this, &MainWindow::refresh);
}

MainWindow::~MainWindow() {
  delete loading_.data();
}

ScheduleWindow* MainWindow::schedule_window() const { return schedule_.data(); }
PassingWindow* MainWindow::passing_window() const { return passing_.data(); }
VersionWindow* MainWindow::version_window() const { return version_.data(); }
hotels::HotelSearchWindow* MainWindow::hotel_search_window() const { return hotel_search_.data(); }
calendar::CorrectionWindow* MainWindow::correction_window() const { return correction_.data(); }

void MainWindow::build_controls() {
  central_ = new QWidget(this);
  setCentralWidget(central_);
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  command2_ = new QPushButton(central_);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(px(120), px(90), px(7560), px(420));
  connect(command2_, &QPushButton::clicked, this, &MainWindow::open_correction);

  frame1_ = new QGroupBox(QStringLiteral("新幹線"), central_);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(px(120), px(570), px(7560), px(2520));
  list1_ = new QListWidget(frame1_);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(px(90), px(300), px(7380), px(2130));

  frame2_ = new QGroupBox(QStringLiteral("京葉線"), central_);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  frame2_->setGeometry(px(120), px(3180), px(7560), px(1395));
  list2_ = new QListWidget(frame2_);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setGeometry(px(90), px(300), px(7380), px(1005));

  const auto button = [&](const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, central_);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(kButtonsTop), px(1800), px(450));
    return b;
  };
  command3_ = button("Command3", QStringLiteral("新幹線検索"), 120);
  command4_ = button("Command4", QStringLiteral("ホテル検索"), 2040);
  command5_ = button("Command5", QStringLiteral("動作環境"), 3960);
  command1_ = button("Command1", QStringLiteral("終了"), 5880);
  // Enter on a focused button presses it, as Space does.
  for (QPushButton* b : {command1_, command2_, command3_, command4_, command5_})
    b->setAutoDefault(true);
  connect(command1_, &QPushButton::clicked, this, &MainWindow::exit_button);
  connect(command3_, &QPushButton::clicked, this, &MainWindow::open_search);
  connect(command4_, &QPushButton::clicked, this, &MainWindow::open_hotel_search);
  connect(command5_, &QPushButton::clicked, this, &MainWindow::open_settings);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{command1_, command2_, command3_, command4_,
                                                    command5_, list1_, list2_})
    keys->escape_closes(w, [this] { end_proc(); });

  for (QWidget* w : std::initializer_list<QWidget*>{frame1_, frame2_, list1_->viewport(),
                                                    list2_->viewport()})
    w->installEventFilter(this);

  central_->setFixedSize(px(kClientWidth), px(kClientHeight));
}

void MainWindow::build_menus() {
  const auto action = [](QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F&ﾊ)"));
  file->setObjectName(QStringLiteral("menu_file"));
  connect(action(file, "menu_file_exit", QStringLiteral("Ravolinの終了(&X&ｻ)")),
          &QAction::triggered, this, &MainWindow::exit_from_menu);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E&ｲ)"));
  edit->setObjectName(QStringLiteral("menu_edit"));
  connect(action(edit, "menu_edit_time", QStringLiteral("日時補正(&T&ｶ)")),
          &QAction::triggered, this, &MainWindow::open_correction);
  edit->addSeparator();
  connect(action(edit, "menu_edit_settings", QStringLiteral("動作環境登録(&C&ｿ)")),
          &QAction::triggered, this, &MainWindow::open_settings);
  edit->addSeparator();
  connect(action(edit, "menu_edit_hotels", QStringLiteral("ホテル情報の登録・修正（&H&ｸ）")),
          &QAction::triggered, this, &MainWindow::open_user_hotels);

  QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V&ﾋ)"));
  view->setObjectName(QStringLiteral("menu_view"));
  connect(action(view, "menu_view_sinkansen", QStringLiteral("新幹線時刻表(&S&ﾄ)")),
          &QAction::triggered, this, [this] { open_full_schedule(kModeSinkansen); });
  keiyo_schedule_action_ = action(view, "menu_view_keiyo", QStringLiteral("京葉線時刻表(&K&ﾉ)"));
  connect(keiyo_schedule_action_, &QAction::triggered, this,
          [this] { open_full_schedule(kModeKeiyo); });
  view->addSeparator();
  connect(action(view, "menu_view_search", QStringLiteral("新幹線検索(&C&ｿ)")),
          &QAction::triggered, this, &MainWindow::open_search);
  connect(action(view, "menu_view_hotels", QStringLiteral("ﾎﾃﾙ検索(&H&ｸ)")),
          &QAction::triggered, this, &MainWindow::open_hotel_search);
  view->addSeparator();
  connect(action(view, "menu_view_diagram", QStringLiteral("ダイヤグラム(&D&ｼ)")),
          &QAction::triggered, this, &MainWindow::open_diagram);

  QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H&ｸ)"));
  help->setObjectName(QStringLiteral("menu_help"));
  connect(action(help, "menu_help_topics", QStringLiteral("ﾄﾋﾟｯｸの検索(&H&ｸ)")),
          &QAction::triggered, this, &MainWindow::open_help_contents);
  help->addSeparator();
  connect(action(help, "menu_help_version", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A&ﾁ)")),
          &QAction::triggered, this, &MainWindow::open_version);

  for (QMenu* menu : {file, edit, view, help}) ui::fit_access_key_entries(menu);
}

void MainWindow::step(const std::string& name) {
  if (observer_) observer_(name);
}

void MainWindow::report_start_error(const std::string& text) {
  state_.messages().error(this, text);
}

bool MainWindow::start() {
  // 1. The program folder is in state. 2. The section directory and the edition.
  step("get_control");
  data::DataError error;
  if (!data::load_edition(state_.data_path(), state_.schedule.directory,
                          state_.schedule.edition, error)) {
    report_start_error("データファイルを読めません。\n" + error.message());
    return false;
  }

  // 3. Service date and clock.
  step("get_today");
  state_.system_time = state_.clock().now();
  calendar::get_today(state_.system_time, state_.service_date, state_.program_clock);

  // 4. init_sec.
  step("get_ini_file");
  {
    // A missing file starts from the delivered settings; a damaged or unreadable one is
    // reported once, here.
    const settings::SettingsRead read = settings::read_settings_file(state_.settings_path());
    state_.settings = read.settings;
    const std::string notice = settings::start_up_notice(read, state_.settings_path());
    if (!notice.empty()) state_.messages().error(this, notice);
  }

  loading_ = new LoadingWindow(state_, kLoadingStartup);
  loading_->show();
  loading_->start_progress(7);
  step("loading_shown");
  state_.process_events();

  const bool loaded = data::load_sections(
      state_.data_path(), state_.settings.keiyo_use, state_.schedule, state_.districts,
      state_.fares,
      [this](int progress) {
        if (loading_) loading_->set_progress(progress);
        step("progress " + std::to_string(progress));
        state_.process_events();
      },
      error, [this] { state_.process_events(); });
  const bool aborted = loading_ && loading_->aborted();
  if (aborted) {
    aborted_ = true;
    delete loading_.data();
    return false;
  }
  if (!loaded) {
    delete loading_.data();
    report_start_error("データファイルを読めません。\n" + error.message());
    return false;
  }
  if (state_.settings.keiyo_use != 1) keiyo_schedule_action_->setEnabled(false);

  set_form1();
  step("set_form1");
  if (loading_) loading_->finish();
  delete loading_.data();
  step("loading_closed");
  setup_tray();
  timer1_->start();
  return true;
}

void MainWindow::set_form1() {
  ui::place_window(this, state_.settings.pos(1));
  set_holiday();
  edit_time();
  edit_sinkansen();
  edit_keiyo();
  keiyo_layout_ = state_.settings.keiyo_use == 1;
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  const int shift = keiyo_layout_ ? 0 : kKeiyoShift;
  frame2_->setVisible(keiyo_layout_);
  for (QPushButton* b : {command1_, command3_, command4_, command5_})
    b->move(b->x(), px(kButtonsTop - shift));
  central_->setFixedSize(px(kClientWidth), px(kClientHeight - shift));
  setFixedSize(px(kClientWidth), menuBar()->sizeHint().height() + px(kClientHeight - shift));
}

void MainWindow::set_holiday() {
  const auto& d = state_.service_date;
  state_.day_flags = calendar::set_holiday(state_.settings.holidays, d.month, d.day, d.weekday);
}

void MainWindow::edit_time() {
  state_.system_time = state_.clock().now();
  calendar::edit_time(state_.program_clock, state_.system_time.time_of_day);
  command2_->setText(QString::fromStdString(
      calendar::clock_caption(state_.service_date, state_.program_clock.program_time)));
}

void MainWindow::edit_sinkansen() {
  board::edit_sinkansen(state_.schedule.sin, state_.settings, state_.day_flags,
                        state_.program_clock.program_time, state_.sinkansen_board);
  frame1_->setTitle(QString::fromStdString(state_.sinkansen_board.caption));
  fill_list(list1_, state_.sinkansen_board.lines);
}

void MainWindow::edit_keiyo() {
  if (state_.settings.keiyo_use != 1) return;
  board::edit_keiyo(state_.schedule.keiyo, state_.settings, state_.day_flags,
                    state_.program_clock.program_time, state_.keiyo_board);
  frame2_->setTitle(QString::fromStdString(state_.keiyo_board.caption));
  fill_list(list2_, state_.keiyo_board.lines);
}

void MainWindow::refresh() {
  set_holiday();
  edit_time();
  edit_sinkansen();
  edit_keiyo();
  if (diagram_) diagram_->refresh();
  update_tray();
}

void MainWindow::setup_tray() {
  ui::Tray* tray = state_.tray();
  if (!tray || !tray->available()) return;
  std::vector<ui::TrayEntry> entries;
  entries.push_back({"show", "ボードを表示／隠す", false, false, [this](bool) {
                       if (isVisible() && !isMinimized()) {
                         hide();
                       } else {
                         showNormal();
                         raise();
                         activateWindow();
                       }
                     }});
  entries.push_back({"notify", "急げ!!を通知する", true, state_.settings.tray_notify == 1,
                     [this](bool on) { state_.settings.tray_notify = on ? 1 : 0; }});
  entries.push_back({"exit", "終了", false, false, [this](bool) { exit_button(); }});
  tray->show(entries);
  tray_shown_ = true;
  update_tray();
}

void MainWindow::update_tray() {
  if (!tray_shown_) return;
  ui::Tray* tray = state_.tray();
  const bool keiyo = state_.settings.keiyo_use == 1;
  tray->set_tooltip(tray_tooltip(state_.sinkansen_board, state_.keiyo_board, keiyo));
  const auto gained = hurry_watch_.update(state_.sinkansen_board, state_.keiyo_board, keiyo);
  if (state_.settings.tray_notify != 1) return;
  for (const auto& line : gained) tray->notify("急げ!! そろそろ出発です", line);
}

void MainWindow::open_full_schedule(int mode) {
  state_.satellite_mode = mode;
  // One full schedule window at a time: a second opening replaces the first, so the
  // table always shows the line just asked for.
  if (schedule_) {
    schedule_->close();
    delete schedule_.data();
  }
  auto* w = new ScheduleWindow(state_, this);
  schedule_ = w;
  show_in_front(w);
}

void MainWindow::open_passing_stations(int mode) {
  QListWidget* list = mode == kModeKeiyo ? list2_ : list1_;
  int index = list->count();
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) {
      index = row;
      break;
    }
  }
  state_.selected_line = index;
  state_.satellite_mode = mode;
  if (passing_) {
    passing_->close();
    delete passing_.data();
  }
  auto* w = new PassingWindow(state_, this);
  passing_ = w;
  show_in_front(w);
}

void MainWindow::open_version() {
  if (version_ && version_->isVisible()) {  // one version window: bring it forward
    show_in_front(version_.data());
    return;
  }
  auto* w = new VersionWindow(state_, this);
  version_ = w;
  show_in_front(w);
}

void MainWindow::open_help_contents() { state_.help().show_contents(state_.help_path()); }

// ---- date/time correction --------------------------------------------------------

void MainWindow::open_correction() {
  if (correction_ && correction_->isVisible()) {  // one correction window: bring it forward
    show_in_front(correction_.data());
    return;
  }
  auto* w = new calendar::CorrectionWindow(state_, [this] { refresh(); }, this);
  correction_ = w;
  show_in_front(w);
}

// ---- settings -------------------------------------------------------------------

void MainWindow::open_settings() {
  if (settings_ && settings_->isVisible()) {  // one settings window: bring it forward
    show_in_front(settings_.data());
    return;
  }
  auto* w = new settings::SettingsWindow(state_, this);
  settings_ = w;
  show_in_front(w);
}

settings::SettingsWindow* MainWindow::settings_window() const { return settings_.data(); }

void MainWindow::end_for_keiyo_data() {
  keiyo_switched_on_ = true;
  exit_button();
}

// ---- route search -----------------------------------------------------------------

void MainWindow::open_search() {
  // No new search while one runs (its results window is loading).
  if (searching_) return;
  // One conditions window: a second opening brings it forward.
  if (search_ && search_->isVisible()) {
    show_in_front(search_.data());
    return;
  }
  auto* w = new search::SearchWindow(
      state_, {[this] { show_in_front(this); }, [this] { open_results(); }}, this);
  search_ = w;
  show_in_front(w);
}

void MainWindow::open_results() {
  // One results window: a new search replaces the last one.
  if (results_) {
    results_->close();
    delete results_.data();
  }
  auto* w = new search::ResultsWindow(
      state_,
      {[this] { show_in_front(this); }, [this] { open_search(); },
       [this](int entry) {
         open_diagram();
         diagram_->show_journey(journey_of(state_.schedule.sin, state_.search_result, entry));
       }},
      this);
  results_ = w;
  searching_ = true;
  const bool loaded = w->load();
  searching_ = false;
  if (loaded && results_) show_in_front(w);
}

search::SearchWindow* MainWindow::search_window() const { return search_.data(); }
search::ResultsWindow* MainWindow::results_window() const { return results_.data(); }

// ---- hotels ---------------------------------------------------------------------

void MainWindow::open_hotel_search() {
  if (hotel_search_ && hotel_search_->isVisible()) {  // one search window: bring it forward
    show_in_front(hotel_search_.data());
    return;
  }
  auto* w = new hotels::HotelSearchWindow(state_, this);
  hotel_search_ = w;
  show_in_front(w);
}

// ---- user hotels ------------------------------------------------------------------

void MainWindow::open_user_hotels() {
  // The list works on the file as it is now; the hotel list reads it afresh at its next
  // opening, whether the list is stored or left with 取消 (the file may have changed
  // outside the program since the table was read).
  state_.hotels_loaded = false;
  // One list at a time: a second opening brings the open one forward with its changes.
  if (user_hotels_ && user_hotels_->isVisible()) {
    show_in_front(user_hotels_.data());
    return;
  }
  auto* w = new hotels::UserHotelsWindow(state_, this);
  user_hotels_ = w;
  show_in_front(w);
}

hotels::UserHotelsWindow* MainWindow::user_hotels_window() const { return user_hotels_.data(); }

// ---- diagram ----------------------------------------------------------------------

DiagramWindow* MainWindow::diagram_window() const { return diagram_.data(); }

void MainWindow::open_diagram() {
  if (!diagram_) diagram_ = new DiagramWindow(state_, this);
  show_in_front(diagram_.data());
}

// ---- exit -------------------------------------------------------------------------

void MainWindow::exit_button() {
  ui::store_position(this, state_.settings.pos(1));
  close();
}

void MainWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(1));
  close();
  state_.end_program();
}

void MainWindow::exit_from_menu() {
  ui::store_position(this, state_.settings.pos(1));
  if (state_.settings.control2_flg == 1) write_settings();
  skip_close_step_ = true;
  state_.end_program();
}

void MainWindow::write_settings() {
  if (!state_.keeps_changes()) return;  // said once at start: nothing is saved this run
  std::string error;
  if (!settings::put_ini_file(state_.settings_path(), state_.settings, error))
    state_.messages().error(this, "動作環境ファイルを保存できません。\n" + error);
}

void MainWindow::close_step() {
  if (closed_ || skip_close_step_) return;
  closed_ = true;
  timer1_->stop();
  if (tray_shown_) state_.tray()->hide();
  // With control2_flg other than 1 the file's own values are written back (the changes
  // made since start-up are dropped) with control2_flg 0. A run without a folder of the
  // user's own stores nothing (said once at start).
  std::string error;
  const bool written =
      !state_.keeps_changes() ||
      (keiyo_switched_on_
           ? settings::put_ini_file_at_exit_keiyo_on(state_.settings_path(), state_.settings, error)
           : settings::put_ini_file_at_exit(state_.settings_path(), state_.settings, error));
  if (!written) state_.messages().error(this, "動作環境ファイルを保存できません。\n" + error);
  state_.help().close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  close_step();
  for (QWidget* w : {static_cast<QWidget*>(schedule_.data()), static_cast<QWidget*>(passing_.data()),
                     static_cast<QWidget*>(version_.data()),
                     static_cast<QWidget*>(settings_.data()),
                     static_cast<QWidget*>(hotel_search_.data()),
                     static_cast<QWidget*>(user_hotels_.data()),
                     static_cast<QWidget*>(diagram_.data()),
                     static_cast<QWidget*>(correction_.data()), static_cast<QWidget*>(search_.data()),
                     static_cast<QWidget*>(results_.data())})
    if (w) w->close();
  event->accept();
  state_.end_program();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == frame1_) {
      open_full_schedule(kModeSinkansen);
      return true;
    }
    if (watched == frame2_) {
      open_full_schedule(kModeKeiyo);
      return true;
    }
    if (watched == list1_->viewport() || watched == list2_->viewport()) {
      // The first click of the double-click has already selected the line under it.
      open_passing_stations(watched == list2_->viewport() ? kModeKeiyo : kModeSinkansen);
      return false;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace ravolin::board
