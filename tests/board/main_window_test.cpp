// SPDX-License-Identifier: MIT
// The main window on real widgets: start-up order and progress, the lists and clock
// line, the one-minute refresh, the layout without the Keiyo line, double-clicks,
// menus, Escape, every exit path with control2_flg 1 and not 1, and start-up errors.
#include "gui/board/main_window.h"
#include "app/navigator.h"
#include "gui/board/loading_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/common/window_conventions.h"
#include "gui/hotels/hotel_search_window.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

namespace ravolin::board {
namespace {

using testing::ProgramFolder;

class MainWindowTest : public ::testing::Test {
 protected:
  void make_state() {
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->end_program = [this] { ++end_calls; };
    state->process_events = [] { QCoreApplication::processEvents(); };
  }
  // Writes the settings file, builds the window and runs the start-up.
  bool start(const settings::Settings& s) {
    folder.write_settings(s);
    make_state();
    app = std::make_unique<app::Navigator>(*state);
    window = app->main_window();
    app->set_step_observer([this](const std::string& step) { steps.push_back(step); });
    const bool ok = app->start();
    if (ok) {
      window->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    return ok;
  }
  template <class T>
  T* child(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* action(const char* name) const { return child<QAction>(name); }
  std::vector<std::string> lines(const char* list_name) const {
    std::vector<std::string> out;
    auto* list = child<QListWidget>(list_name);
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
  }
  static QWidget* top_level(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
  }
  // A double-click as the window system delivers it (press, release, press, double-click),
  // so the first press selects the line under the pointer.
  void double_click(QWidget* w, QPoint at) const {
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, w->mapTo(window, at));
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ProgramFolder folder;
  // Monday 13 March 2000, 09:05:00.
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  MainWindow* window = nullptr;
  std::vector<std::string> steps;
  int end_calls = 0;
};

TEST_F(MainWindowTest, StartsInOrderWithTheLoadingWindowAndItsProgress) {
  struct Seen {
    bool loading_visible = false;
    bool bar_visible = false;
    int maximum = -1;
    int value = -1;
  };
  std::vector<Seen> seen;
  settings::Settings s = testing::default_settings();
  folder.write_settings(s);
  make_state();
  app = std::make_unique<app::Navigator>(*state);
  window = app->main_window();
  app->set_step_observer([&](const std::string& step) {
    steps.push_back(step);
    if (step.starts_with("progress")) {
      auto* loading = top_level("ravolin11");
      Seen x;
      x.loading_visible = loading != nullptr;
      if (loading) {
        auto* bar = loading->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        x.bar_visible = bar->isVisible();
        x.maximum = bar->maximum();
        x.value = bar->value();
        EXPECT_EQ(loading->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                  QStringLiteral("データロード中!!  しばらくお待ち下さい"));
        EXPECT_EQ(loading->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))
                      ->toPlainText()
                      .split(QLatin1Char('\n'))
                      .first(),
                  QStringLiteral("ラボリン（東海道・山陽新幹線編）＆ホテル情報　V1.59"));
      }
      seen.push_back(x);
    }
  });
  ASSERT_TRUE(app->start());
  EXPECT_EQ(steps, (std::vector<std::string>{"get_control", "get_today", "get_ini_file",
                                             "loading_shown", "progress 1", "progress 2",
                                             "progress 3", "progress 4", "progress 5", "progress 6",
                                             "progress 7", "set_form1", "loading_closed"}));
  ASSERT_EQ(seen.size(), 7u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_TRUE(seen[i].loading_visible);
    EXPECT_TRUE(seen[i].bar_visible);
    EXPECT_EQ(seen[i].maximum, 7);
    EXPECT_EQ(seen[i].value, static_cast<int>(i) + 1);
  }
  EXPECT_EQ(top_level("ravolin11"), nullptr);  // closed after set_form1
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainWindowTest, ShowsTheClockLineAndBothListsAndRefreshesEveryMinute) {
  ASSERT_TRUE(start(testing::default_settings()));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ラボリン&ホテル情報"));
  EXPECT_EQ(child<QPushButton>("Command2")->text().toStdString(),
            "現在日時 ： 2000/03/13（月）  09:05");
  EXPECT_EQ(child<QGroupBox>("Frame1")->title().toStdString(), "新幹線（下り）  品川");
  EXPECT_EQ(lines("List1"), (std::vector<std::string>{
                                "のぞみ００１N ０９：１５  新大阪 (１１：４５)  急げ!!",
                                "ひかり００３  １０：３０  名古屋 (１１：４０)",
                            }));
  EXPECT_EQ(child<QGroupBox>("Frame2")->title().toStdString(), "京葉線（平日下り）  舞浜");
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"快速 ０９：３０  蘇我 (０９：５５)",
                                                      "普通 １０：００  新習志野 (１０：１０)"}));
  auto* timer = child<QTimer>("Timer1");
  EXPECT_EQ(timer->interval(), 60000);
  EXPECT_TRUE(timer->isActive());

  // One minute later the clock line moves; at 09:46 the 09:30 Keiyo train and the 09:15
  // Shinkansen have gone and the 10:00 Keiyo train needs hurrying.
  clock.advance_seconds(60);
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));  // the tick itself
  EXPECT_EQ(child<QPushButton>("Command2")->text().toStdString(),
            "現在日時 ： 2000/03/13（月）  09:06");
  clock.advance_seconds(40 * 60);
  window->refresh();
  EXPECT_EQ(lines("List2"),
            (std::vector<std::string>{"普通 １０：００  新習志野 (１０：１０)  急げ!!"}));
  EXPECT_EQ(lines("List1"),
            (std::vector<std::string>{"ひかり００３  １０：３０  名古屋 (１１：４０)",
                                      "ひかり００７  １１：１０  新大阪 (１３：３０)"}));

  // Past midnight the date stays the service date; the lists say the service has ended.
  clock.move_to(calendar::make_system_time(2000, 3, 14, 0, 30, 0));
  window->refresh();
  EXPECT_EQ(child<QPushButton>("Command2")->text().toStdString(),
            "現在日時 ： 2000/03/13（月）  00:30");
}

TEST_F(MainWindowTest, WithoutTheKeiyoLineTheWindowShowsTheShinkansenListAlone) {
  settings::Settings with = testing::default_settings();
  ASSERT_TRUE(start(with));
  const int full_height = window->height();
  const int full_button_y = child<QPushButton>("Command1")->y();
  EXPECT_TRUE(action("menu_view_keiyo")->isEnabled());
  app.reset();

  settings::Settings without = with;
  without.keiyo_use = 0;
  steps.clear();
  ASSERT_TRUE(start(without));
  const int shift = ui::tw(window, 1485);
  EXPECT_FALSE(child<QGroupBox>("Frame2")->isVisible());
  EXPECT_EQ(window->height(), full_height - shift);
  for (const char* b : {"Command1", "Command3", "Command4", "Command5"})
    EXPECT_EQ(child<QPushButton>(b)->y(), full_button_y - shift) << b;
  EXPECT_FALSE(action("menu_view_keiyo")->isEnabled());
  // The Keiyo sections are not read.
  for (const auto& step : steps) {
    EXPECT_NE(step, "progress 3");
    EXPECT_NE(step, "progress 4");
  }
  EXPECT_EQ(child<QListWidget>("List2")->count(), 0);
}

TEST_F(MainWindowTest, CaptionsAndAccessKeysOfButtonsAndMenus) {
  ASSERT_TRUE(start(testing::default_settings()));
  EXPECT_EQ(child<QPushButton>("Command3")->text(), QStringLiteral("新幹線検索"));
  EXPECT_EQ(child<QPushButton>("Command4")->text(), QStringLiteral("ホテル検索"));
  EXPECT_EQ(child<QPushButton>("Command5")->text(), QStringLiteral("動作環境"));
  EXPECT_EQ(child<QPushButton>("Command1")->text(), QStringLiteral("終了"));
  std::vector<std::string> menus;
  for (QAction* top : window->menuBar()->actions()) {
    menus.push_back(top->text().toStdString());
    for (QAction* a : top->menu()->actions())
      menus.push_back(a->isSeparator() ? "-" : "  " + a->text().toStdString());
  }
  EXPECT_EQ(menus, (std::vector<std::string>{"ﾌｧｲﾙ(&F&ﾊ)",
                                             "  Ravolinの終了(&X&ｻ)",
                                             "編集(&E&ｲ)",
                                             "  日時補正(&T&ｶ)",
                                             "-",
                                             "  動作環境登録(&C&ｿ)",
                                             "-",
                                             "  ホテル情報の登録・修正（&H&ｸ）",
                                             "表示(&V&ﾋ)",
                                             "  新幹線時刻表(&S&ﾄ)",
                                             "  京葉線時刻表(&K&ﾉ)",
                                             "-",
                                             "  新幹線検索(&C&ｿ)",
                                             "  ﾎﾃﾙ検索(&H&ｸ)",
                                             "-",
                                             "  ダイヤグラム(&D&ｼ)",
                                             "ﾍﾙﾌﾟ(&H&ｸ)",
                                             "  ﾄﾋﾟｯｸの検索(&H&ｸ)",
                                             "-",
                                             "  ﾊﾞｰｼﾞｮﾝ情報(&A&ﾁ)"}));

  action("menu_help_topics")->trigger();
  ASSERT_EQ(help.calls().size(), 1u);
  EXPECT_EQ(help.calls()[0].what, "contents");
  EXPECT_EQ(help.calls()[0].path, folder.path() + "/ravolin2.hlp");
}

// The rightmost column inside r (relative to r's left edge) holding a dark pixel, -1 if none.
int ink_right(const QImage& image, const QRect& r) {
  for (int x = r.right(); x >= r.left(); --x)
    for (int y = r.top(); y <= r.bottom(); ++y)
      if (qGray(image.pixel(x, y)) < 96) return x - r.left();
  return -1;
}

// The text of a menu entry as it would be drawn with its first access key only.
QString with_one_access_key(QString text) {
  const int first = text.indexOf(QLatin1Char('&'));
  for (int i = text.indexOf(QLatin1Char('&'), first + 2); i >= 0;
       i = text.indexOf(QLatin1Char('&'), i))
    text.remove(i, 1);
  return text;
}

// Every entry carries two access keys (one for each keyboard layout); the menus are wide
// enough to draw each entry whole rather than cut short with an ellipsis.
TEST_F(MainWindowTest, MenuEntriesAreDrawnWhole) {
  ASSERT_TRUE(start(testing::default_settings()));
  for (QAction* top : window->menuBar()->actions()) {
    QMenu* menu = top->menu();
    menu->popup(window->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QImage shown = menu->grab().toImage();
    QMenu reference;
    reference.setFont(menu->font());
    std::vector<std::pair<QAction*, QAction*>> pairs;
    for (QAction* a : menu->actions())
      if (!a->isSeparator())
        pairs.emplace_back(a, reference.addAction(with_one_access_key(a->text())));
    reference.popup(window->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reference));
    const QImage whole = reference.grab().toImage();
    for (const auto& [a, ref] : pairs) {
      const QRect r = menu->actionGeometry(a);
      const QRect rr = reference.actionGeometry(ref);
      EXPECT_GE(ink_right(shown, r.adjusted(0, 0, -1, 0)),
                ink_right(whole, rr.adjusted(0, 0, -1, 0)))
          << a->text().toStdString();
    }
    reference.hide();
    menu->hide();
  }
}

// A window opened from the main window takes the keyboard: Escape pressed right after a
// double-click closes that window, and does not reach the list, where it would end the
// program.
TEST_F(MainWindowTest, OpenedWindowsTakeTheKeyboardSoEscapeClosesThemNotTheProgram) {
  ASSERT_TRUE(start(testing::default_settings()));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* list1 = child<QListWidget>("List1");
  double_click(list1->viewport(), list1->visualItemRect(list1->item(0)).center());
  QPointer<PassingWindow> passing = app->passing_window();
  ASSERT_NE(passing, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(passing.data()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(passing.isNull());
  EXPECT_EQ(end_calls, 0);

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  double_click(child<QGroupBox>("Frame1"), QPoint(4, 4));
  QPointer<ScheduleWindow> schedule = app->schedule_window();
  ASSERT_NE(schedule, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(schedule.data()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(schedule.isNull());

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  action("menu_help_version")->trigger();
  ASSERT_NE(app->version_window(), nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowActive(app->version_window()));
  EXPECT_EQ(end_calls, 0);
}

TEST_F(MainWindowTest, EnterOnAFocusedButtonPressesIt) {
  ASSERT_TRUE(start(testing::default_settings()));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* hotels = child<QPushButton>("Command4");
  hotels->setFocus(Qt::TabFocusReason);
  QTest::keyClick(hotels, Qt::Key_Return);
  ASSERT_NE(app->hotel_search_window(), nullptr);
  app->hotel_search_window()->close();

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* clock_button = child<QPushButton>("Command2");
  clock_button->setFocus(Qt::TabFocusReason);
  QTest::keyClick(clock_button, Qt::Key_Enter);
  EXPECT_NE(app->correction_window(), nullptr);
  EXPECT_EQ(end_calls, 0);
}

TEST_F(MainWindowTest, EnterOnASelectedLineOpensItsStopsAsADoubleClickDoes) {
  ASSERT_TRUE(start(testing::default_settings()));
  auto* list1 = child<QListWidget>("List1");
  list1->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(list1->item(0)->isSelected());  // the keyboard arrives on the first line
  QTest::keyClick(list1, Qt::Key_Down);
  ASSERT_TRUE(list1->item(1)->isSelected());
  QTest::keyClick(list1, Qt::Key_Return);
  ASSERT_NE(app->passing_window(), nullptr);
  EXPECT_EQ(app->passing_window()->line(), 1);
  EXPECT_EQ(app->passing_window()
                ->findChild<QTextEdit*>(QStringLiteral("Text1"))
                ->toPlainText()
                .toStdString(),
            "品川(10:30) → 名古屋(11:40)");
}

TEST_F(MainWindowTest, DoubleClicksOpenThePassingStationAndScheduleWindows) {
  ASSERT_TRUE(start(testing::default_settings()));
  auto* list1 = child<QListWidget>("List1");
  const QRect second = list1->visualItemRect(list1->item(1));
  double_click(list1->viewport(), second.center());
  PassingWindow* passing = app->passing_window();
  ASSERT_NE(passing, nullptr);
  EXPECT_EQ(passing->mode(), kModeSinkansen);
  EXPECT_EQ(passing->line(), 1);
  EXPECT_EQ(passing->findChild<QTextEdit*>(QStringLiteral("Text1"))->toPlainText().toStdString(),
            "品川(10:30) → 名古屋(11:40)");

  // A second double-click replaces the open window; with no line selected the index is
  // the line count, which carries no train.
  list1->clearSelection();
  app->open_passing_stations(kModeSinkansen, window->selected_line(kModeSinkansen));
  flush_deletes();
  EXPECT_NE(app->passing_window(), nullptr);
  EXPECT_EQ(app->passing_window()->line(), 2);
  EXPECT_TRUE(app->passing_window()
                  ->findChild<QTextEdit*>(QStringLiteral("Text1"))
                  ->toPlainText()
                  .isEmpty());
  int open_passing = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("ravolin23") && w->isVisible()) ++open_passing;
  EXPECT_EQ(open_passing, 1);

  auto* list2 = child<QListWidget>("List2");
  double_click(list2->viewport(), list2->visualItemRect(list2->item(0)).center());
  EXPECT_EQ(app->passing_window()->mode(), kModeKeiyo);
  EXPECT_EQ(app->passing_window()
                ->findChild<QTextEdit*>(QStringLiteral("Text1"))
                ->toPlainText()
                .toStdString(),
            "舞浜(09:30) → 新習志野(09:40) → 蘇我(09:55)");

  double_click(child<QGroupBox>("Frame2"), QPoint(4, 4));
  ASSERT_NE(app->schedule_window(), nullptr);
  EXPECT_EQ(app->schedule_window()->mode(), kModeKeiyo);
  EXPECT_EQ(app->schedule_window()->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
            QStringLiteral("京葉線（平日下り）  舞浜"));
  double_click(child<QGroupBox>("Frame1"), QPoint(4, 4));
  flush_deletes();
  EXPECT_EQ(app->schedule_window()->mode(), kModeSinkansen);
  action("menu_view_keiyo")->trigger();
  flush_deletes();
  EXPECT_EQ(app->schedule_window()->mode(), kModeKeiyo);
  action("menu_view_sinkansen")->trigger();
  EXPECT_EQ(app->schedule_window()->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
            QStringLiteral("新幹線（下り）  品川"));
  int open_schedules = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("ravolin24") && w->isVisible()) ++open_schedules;
  EXPECT_EQ(open_schedules, 1);
}

TEST_F(MainWindowTest, VersionWindowShowsTheProductLinesAndClosesWithConfirm) {
  settings::Settings s = testing::default_settings();
  s.pos(9) = {600, 900};
  ASSERT_TRUE(start(s));
  action("menu_help_version")->trigger();
  QPointer<VersionWindow> v = app->version_window();
  ASSERT_FALSE(v.isNull());
  action("menu_help_version")->trigger();  // a second opening brings the same window forward
  EXPECT_EQ(app->version_window(), v.data());
  EXPECT_EQ(v->windowTitle(), QStringLiteral("ラボリン&ホテル情報"));
  EXPECT_EQ(v->pos(), QPoint(ui::tw(v, 900), ui::tw(v, 600)));
  const QStringList text = v->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))
                               ->toPlainText()
                               .split(QLatin1Char('\n'));
  ASSERT_EQ(text.size(), 3);
  EXPECT_EQ(text[0], QStringLiteral("ラボリン（東海道・山陽新幹線編）＆ホテル情報　V1.59"));
  EXPECT_EQ(text[2], QStringLiteral("2000/03/11現在のデータを使用しています"));
  v->move(ui::tw(v, 1200), ui::tw(v, 300));
  QTest::mouseClick(v->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(v.isNull());
  EXPECT_EQ(state->settings.pos(9).left, 1200);
  EXPECT_EQ(state->settings.pos(9).top, 300);
}

TEST_F(MainWindowTest, StartsOnEveryDeliveredEdition) {
  const std::pair<const char*, const char*> editions[] = {
      {"tokaido", "ラボリン（東海道・山陽新幹線編）＆ホテル情報　V1.59"},
      {"tohoku", "ラボリン（東北・山形・秋田新幹線編）＆ホテル情報　V1.59"},
      {"joetsu", "ラボリン（上越・長野行新幹線編）＆ホテル情報　V1.59"}};
  for (const auto& [name, product] : editions) {
    const std::string dir = std::string(RAVOLIN_PROGRAM_DIR) + "/" + name;
    if (!std::filesystem::exists(dir + "/ravolinh.dat")) continue;  // not built here
    auto delivered =
        std::make_unique<app::AppState>(dir, app::Platform{clock, messages, help, printer});
    app::Navigator nav(*delivered);
    ASSERT_TRUE(nav.start()) << name << ": "
                             << (messages.shown().empty() ? "" : messages.shown()[0].request.text);
    EXPECT_GT(nav.main_window()->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 1)
        << name;
    nav.open_version();
    EXPECT_EQ(nav.version_window()
                  ->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))
                  ->toPlainText()
                  .split(QLatin1Char('\n'))
                  .first()
                  .toStdString(),
              product);
  }
  EXPECT_TRUE(messages.shown().empty());
}

// ---- exit paths -----------------------------------------------------------------

class ExitTest : public MainWindowTest {
 protected:
  // Starts, then changes settings in memory and moves the window.
  void start_and_change(int control2) {
    original = testing::default_settings();
    original.control2_flg = static_cast<std::int16_t>(control2);
    ASSERT_TRUE(start(original));
    before = folder.settings_bytes();
    state->settings.sinkansen_hun1 = 42;
    window->move(ui::tw(window, 2400), ui::tw(window, 1200));
  }
  settings::Settings original;
  std::string before;
};

TEST_F(ExitTest, ExitButtonWithControl2StoresTheCurrentSettings) {
  start_and_change(1);
  QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
  const settings::Settings saved = settings::parse_settings(folder.settings_bytes());
  EXPECT_EQ(saved.sinkansen_hun1, 42);
  EXPECT_EQ(saved.pos(1).left, 2400);
  EXPECT_EQ(saved.pos(1).top, 1200);
  EXPECT_EQ(saved.control2_flg, 1);
  EXPECT_EQ(help.count("close"), 1);
  EXPECT_GE(end_calls, 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ExitTest, ExitButtonWithoutControl2RewritesTheFileAsItWasWithControl2Zero) {
  start_and_change(3);
  QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
  settings::Settings expected = original;
  expected.control2_flg = 0;
  EXPECT_EQ(folder.settings_bytes(), settings::format_settings(expected));
  EXPECT_EQ(state->settings.control2_flg, 0);
  EXPECT_GE(end_calls, 1);
}

TEST_F(ExitTest, CloseBoxRunsTheSameCloseStep) {
  start_and_change(1);
  window->close();
  const settings::Settings saved = settings::parse_settings(folder.settings_bytes());
  EXPECT_EQ(saved.sinkansen_hun1, 42);
  EXPECT_EQ(saved.pos(1).left, original.pos(1).left);  // not stored by the close box
  EXPECT_EQ(help.count("close"), 1);
  EXPECT_GE(end_calls, 1);
}

TEST_F(ExitTest, MenuExitWithControl2StoresAndSkipsTheCloseStep) {
  start_and_change(1);
  action("menu_file_exit")->trigger();
  const settings::Settings saved = settings::parse_settings(folder.settings_bytes());
  EXPECT_EQ(saved.sinkansen_hun1, 42);
  EXPECT_EQ(saved.pos(1).left, 2400);
  EXPECT_EQ(end_calls, 1);
  EXPECT_EQ(help.count("close"), 0);
  // The program ends here; tearing the window down must not run the close step later.
  const std::string after = folder.settings_bytes();
  state->settings.sinkansen_hun1 = 7;
  app.reset();
  EXPECT_EQ(folder.settings_bytes(), after);
}

TEST_F(ExitTest, MenuExitWithoutControl2LeavesTheFileUntouched) {
  start_and_change(0);
  action("menu_file_exit")->trigger();
  EXPECT_EQ(folder.settings_bytes(), before);
  EXPECT_EQ(end_calls, 1);
}

TEST_F(ExitTest, EscapeOnAButtonOrListRunsEndProc) {
  start_and_change(1);
  QTest::keyClick(child<QListWidget>("List1"), Qt::Key_Escape);
  const settings::Settings saved = settings::parse_settings(folder.settings_bytes());
  EXPECT_EQ(saved.sinkansen_hun1, 42);
  EXPECT_EQ(saved.pos(1).top, 1200);
  EXPECT_GE(end_calls, 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ExitTest, EscapeOnEachButtonAndListEndsTheProgram) {
  for (const char* name :
       {"Command1", "Command2", "Command3", "Command4", "Command5", "List1", "List2"}) {
    app.reset();
    end_calls = 0;
    ASSERT_TRUE(start(testing::default_settings()));
    QTest::keyClick(child<QWidget>(name), Qt::Key_Escape);
    EXPECT_GE(end_calls, 1) << name;
    EXPECT_FALSE(window->isVisible()) << name;
  }
}

TEST_F(ExitTest, EscapeWithoutControl2KeepsTheFilesValues) {
  start_and_change(0);
  QTest::keyClick(child<QPushButton>("Command4"), Qt::Key_Escape);
  settings::Settings expected = original;
  expected.control2_flg = 0;
  EXPECT_EQ(folder.settings_bytes(), settings::format_settings(expected));
}

TEST_F(ExitTest, ARunWithoutAFolderOfTheUsersOwnStoresNothingOnAnyExitPath) {
  for (const int control2 : {1, 0}) {
    SCOPED_TRACE(control2);
    for (const char* way : {"button", "close box", "menu", "keiyo on"}) {
      SCOPED_TRACE(way);
      app.reset();
      start_and_change(control2);
      state->set_keeps_changes(false);
      if (std::string(way) == "button") {
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
      } else if (std::string(way) == "menu") {
        action("menu_file_exit")->trigger();
      } else if (std::string(way) == "keiyo on") {
        app->end_for_keiyo_data();
      } else {
        window->close();
      }
      EXPECT_EQ(folder.settings_bytes(), before);
      EXPECT_TRUE(messages.shown().empty());
    }
  }
}

TEST_F(ExitTest, AFailedWriteIsReported) {
  start_and_change(1);
  folder.block_settings_file();  // the settings file's place is taken by a folder
  QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_NE(messages.shown()[0].request.text.find("ravolin2.ini"), std::string::npos);
}

// ---- start-up errors ------------------------------------------------------------

TEST_F(MainWindowTest, MissingDataFileIsReportedAndNothingIsWritten) {
  settings::Settings s = testing::default_settings();
  s.control2_flg = 1;
  folder.write_settings(s);
  const std::string before = folder.settings_bytes();
  folder.remove_data_file();
  make_state();
  app = std::make_unique<app::Navigator>(*state);
  window = app->main_window();
  EXPECT_FALSE(app->start());
  EXPECT_FALSE(app->start_aborted());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_NE(messages.shown()[0].request.text.find(folder.path() + "/ravolinh.dat"),
            std::string::npos);
  app.reset();
  EXPECT_EQ(folder.settings_bytes(), before);
  EXPECT_EQ(top_level("ravolin11"), nullptr);
}

TEST_F(MainWindowTest, DamagedDataFileIsReportedWithItsReasonAndNothingIsWritten) {
  settings::Settings s = testing::default_settings();
  s.control2_flg = 1;
  folder.write_settings(s);
  const std::string before = folder.settings_bytes();
  folder.damage_data_file();  // the Shinkansen train section's slot points past the end
  make_state();
  app = std::make_unique<app::Navigator>(*state);
  window = app->main_window();
  EXPECT_FALSE(app->start());
  ASSERT_EQ(messages.shown().size(), 1u);
  const std::string& text = messages.shown()[0].request.text;
  EXPECT_NE(text.find("ravolinh.dat"), std::string::npos) << text;
  EXPECT_GT(text.size(), std::string("データファイルを読めません。\n").size() + 20) << text;
  app.reset();
  flush_deletes();
  EXPECT_EQ(folder.settings_bytes(), before);
  EXPECT_EQ(top_level("ravolin11"), nullptr);
}

TEST_F(MainWindowTest, LoadingWindowsExitButtonEndsTheProgramWithoutSaving) {
  settings::Settings s = testing::default_settings();
  s.control2_flg = 1;
  folder.write_settings(s);
  const std::string before = folder.settings_bytes();
  make_state();
  app = std::make_unique<app::Navigator>(*state);
  window = app->main_window();
  app->set_step_observer([&](const std::string& step) {
    if (step == "progress 2") {
      auto* loading = top_level("ravolin11");
      ASSERT_NE(loading, nullptr);
      QTest::mouseClick(loading->findChild<QPushButton*>(QStringLiteral("Command2")),
                        Qt::LeftButton);
    }
  });
  EXPECT_FALSE(app->start());
  EXPECT_TRUE(app->start_aborted());
  EXPECT_EQ(end_calls, 1);
  EXPECT_TRUE(messages.shown().empty());
  app.reset();
  EXPECT_EQ(folder.settings_bytes(), before);
}

// The keyboard's place on the board: Tab into a list makes its first (most urgent) line
// current and selected, so Enter opens its stops; a line chosen with the arrows stays
// on its train through the minute's refresh, also when an earlier train has left.
// Departures from 品川: K005 09:10, N001 09:15, H003 10:30.
TEST_F(MainWindowTest, TheBoardKeepsTheKeyboardOnItsTrainAcrossRefreshes) {
  clock.move_to(calendar::make_system_time(2000, 3, 13, 9, 0, 0));
  ASSERT_TRUE(start(testing::default_settings()));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* list1 = child<QListWidget>("List1");
  ASSERT_EQ(list1->count(), 3);
  list1->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(list1->currentRow(), 0);
  ASSERT_TRUE(list1->item(0)->isSelected());
  EXPECT_EQ(window->selected_line(kModeSinkansen), 0);

  QTest::keyClick(list1, Qt::Key_Down);
  ASSERT_EQ(list1->currentRow(), 1);
  const QString n001 = list1->item(1)->text();
  QListWidgetItem* item = list1->item(0);

  clock.move_to(calendar::make_system_time(2000, 3, 13, 9, 3, 0));  // K005 has left
  window->refresh();
  ASSERT_EQ(list1->count(), 2);
  EXPECT_EQ(list1->currentRow(), 0);
  EXPECT_EQ(list1->currentItem()->text(), n001);
  EXPECT_TRUE(list1->currentItem()->isSelected());
  EXPECT_EQ(list1->item(0), item) << "the line a screen reader is on was rebuilt";

  window->refresh();  // nothing has changed: the same line stays
  EXPECT_EQ(list1->currentItem()->text(), n001);

  QTest::keyClick(list1, Qt::Key_Return);
  QPointer<PassingWindow> passing = app->passing_window();
  ASSERT_NE(passing, nullptr);
  EXPECT_TRUE(passing->findChild<QTextEdit*>(QStringLiteral("Text1"))
                  ->toPlainText()
                  .contains(QStringLiteral("名古屋")));
  passing->close();
  flush_deletes();
}

}  // namespace
}  // namespace ravolin::board
