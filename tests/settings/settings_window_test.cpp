// SPDX-License-Identifier: MIT
// The settings window (ravolin5) on real widgets, opened from a started main window:
// captions and filling, the Enter chain with its checks and messages, 了解 rebuilding
// both lists as ravolin-tool builds them, refusals, Escape, the position keys and the
// Keiyo display switched off and on (the settings file with control2_flg 1 and 0).
#include "gui/settings/settings_window.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/common/window_conventions.h"
#include "gui/settings/station_picker_window.h"
#include "settings/settings_file.h"
#include "settings/settings_form.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/started_main_window.h"
#include "support/tool_run.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ravolin::settings {
namespace {

// 品川 down and 舞浜 on the Keiyo line, 10 and 5 minutes, every train of two hours.
Settings base_settings() {
  Settings s = start_settings();
  s.control2_flg = 1;
  s.keiyo_flg = 1;
  s.keiyo_station = "舞浜";
  s.keiyo_hun1 = 10;
  s.keiyo_hun2 = 5;
  s.keiyo_use = 1;
  s.sinkansen_flg = 1;
  s.sinkansen_station = "品川";
  s.sinkansen_hun1 = 10;
  s.sinkansen_hun2 = 5;
  s.pos(1) = {300, 450};
  s.pos(5) = {600, 900};
  return s;
}

class SettingsWindowTest : public test_support::StartedMainWindow {
 protected:
  // Monday 13 March 2000, 05:10.
  SettingsWindowTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 5, 10, 0)) {}

  // Writes the settings file and starts the main window on it.
  void start(const Settings& s) {
    write(s);
    start_main();
    if (HasFatalFailure()) return;
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  }
  void write(const Settings& s) {
    std::string error;
    ASSERT_TRUE(put_ini_file(folder.settings_path(), s, error)) << error;
  }
  // Opens the window through the main window's 動作環境 button.
  SettingsWindow* open() {
    QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
    SettingsWindow* w = app->settings_window();
    EXPECT_NE(w, nullptr);
    if (w) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    return w;
  }
  template <class T>
  T* child(const QString& name) const {
    T* c = app->settings_window()->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
  }
  QLineEdit* text(int n) const { return child<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
  QRadioButton* option(int n) const {
    return child<QRadioButton>(QStringLiteral("Option%1").arg(n));
  }
  QPushButton* ok_button() const { return child<QPushButton>(QStringLiteral("Command1")); }
  // The control that has the keyboard in the settings window (offscreen windows opened
  // from the main window are not made active, so QWidget::hasFocus() cannot tell).
  bool focused(const QWidget* w) const { return app->settings_window()->focusWidget() == w; }
  std::string message() const { return text(9)->text().toStdString(); }
  void enter(int box) const { QTest::keyClick(text(box), Qt::Key_Return); }
  std::vector<std::string> list(const char* name) const {
    std::vector<std::string> out;
    auto* l = main->findChild<QListWidget*>(QString::fromLatin1(name));
    for (int i = 0; i < l->count(); ++i) out.push_back(l->item(i)->text().toStdString());
    return out;
  }
  std::string frame_title(const char* name) const {
    return main->findChild<QGroupBox*>(QString::fromLatin1(name))->title().toStdString();
  }
};

TEST_F(SettingsWindowTest, OpensWithEveryCaptionFilledFromTheSettings) {
  Settings s = base_settings();
  s.keiyo_flg = 2;
  s.keiyo_station = " 舞浜 ";
  s.keiyo_hun2 = 0;
  s.keiyo_hyouji = 4;
  s.sinkansen_hyouji = 12;
  s.control3_flg = 2;
  start(s);
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->objectName(), QStringLiteral("ravolin5"));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("動作環境"));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 900), ui::tw(w, 600)));

  const std::pair<const char*, const char*> frames[] = {
      {"Frame1", "京葉線の設定"},   {"Frame4", "利用駅の設定"},
      {"Frame5", "新幹線の設定"},   {"Frame6", "利用駅の設定"},
      {"Frame7", "京葉線の表示"},   {"Frame3", "利用者ホテル情報の登録・修正"},
      {"Frame2", "動作環境の退避"},
  };
  for (const auto& [name, caption] : frames)
    EXPECT_EQ(child<QGroupBox>(QString::fromLatin1(name))->title().toStdString(), caption);
  // Frame4 and Frame6 sit inside the frames of their lines.
  EXPECT_EQ(child<QGroupBox>(QStringLiteral("Frame4"))->parent()->objectName(),
            QStringLiteral("Frame1"));
  EXPECT_EQ(child<QGroupBox>(QStringLiteral("Frame6"))->parent()->objectName(),
            QStringLiteral("Frame5"));

  const char* options[] = {nullptr,
                           "京葉線下りの時刻表を表示",
                           "京葉線上りの時刻表を表示",
                           "終了時の動作環境を退避する",
                           "終了時の動作環境を待避しない",
                           "入力の都度，地域名順，地区名順に並び換えする",
                           "格納時，地域名順，地区名順に並び換えする",
                           "並び換えしない",
                           "新幹線の下りの時刻表を表示",
                           "新幹線の上りの時刻表を表示",
                           "京葉線の時刻表を表示する",
                           "京葉線の時刻表を表示しない"};
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(option(n)->text().toStdString(), options[n]) << n;
  EXPECT_EQ(child<QLabel>(QStringLiteral("Label15"))->text().toStdString(),
            "この設定を変更した場合（表示しない→表示する）、京葉線データ読み込みのために"
            "再起動が必要です。　変更した場合はプログラムを終了します。");
  EXPECT_EQ(ok_button()->text(), QStringLiteral("了解"));
  // The labels of both station frames, in the order they stand.
  for (const char* f : {"Frame4", "Frame6"}) {
    std::vector<std::string> labels;
    for (auto* l : child<QGroupBox>(QString::fromLatin1(f))->findChildren<QLabel*>())
      labels.push_back(l->text().toStdString());
    EXPECT_EQ(labels,
              (std::vector<std::string>{"利用している駅", "駅まで通常", "分", "駅まで急いで", "分",
                                        "列車案内の表示件数", "（０：２時間後まで表示）"}));
  }

  const char* texts[] = {"", "舞浜", "10", "0", "4", "品川", "10", "5", "12", ""};
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(text(n)->text().toStdString(), texts[n]) << n;
  EXPECT_EQ(text(1)->height(), ui::tw(w, 255));
  const bool checked[] = {false, false, true, true,  false, false,
                          true,  false, true, false, true,  false};
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(option(n)->isChecked(), checked[n]) << n;
  // The focus starts in the Shinkansen station.
  EXPECT_TRUE(focused(text(5)));

  // The menu entry brings the same window forward instead of opening a second one.
  main->findChild<QAction*>(QStringLiteral("menu_edit_settings"))->trigger();
  EXPECT_EQ(app->settings_window(), w);
  int open_windows = 0;
  for (QWidget* top : QApplication::topLevelWidgets())
    open_windows += top->objectName() == QLatin1String("ravolin5") && top->isVisible();
  EXPECT_EQ(open_windows, 1);
}

// Enter runs the box's check: accepted, the focus moves along the chain; refused, it
// stays, with the station messages on Text9.
TEST_F(SettingsWindowTest, EnterChainAndChecks) {
  start(base_settings());
  ASSERT_NE(open(), nullptr);
  text(6)->clear();  // a blank box becomes "0"
  text(7)->clear();
  // Text5 -> 6 -> 7 -> 8 -> 1 -> 2 -> 3 -> 4 -> 了解.
  const int chain[] = {5, 6, 7, 8, 1, 2, 3, 4};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(chain[i]);
    text(chain[i])->setFocus();
    enter(chain[i]);
    QWidget* next = i + 1 < 8 ? static_cast<QWidget*>(text(chain[i + 1])) : ok_button();
    EXPECT_TRUE(focused(next));
  }
  EXPECT_EQ(text(6)->text(), QStringLiteral("0"));
  EXPECT_EQ(text(7)->text(), QStringLiteral("0"));

  const auto refused = [&](int box, const QString& typed, const std::string& msg) {
    SCOPED_TRACE(typed.toStdString());
    text(9)->setText(QStringLiteral("前の表示"));
    text(box)->setText(typed);
    text(box)->setFocus();
    enter(box);
    EXPECT_TRUE(focused(text(box)));
    EXPECT_EQ(message(), msg);
    // Spoken with its own reason: an input error when the check writes none.
    const std::string own = msg.empty() || msg == "前の表示" ? "入力エラーです" : msg;
    EXPECT_EQ(text(box)->accessibleDescription(),
              text(box)->accessibleName() + QStringLiteral(": ") + QString::fromStdString(own));
  };
  // Down: the Shinkansen line's last station; up: its first.
  refused(5, QStringLiteral("新大阪"), kTerminusMessage);
  option(9)->setChecked(true);
  refused(5, QStringLiteral("東京"), kOriginMessage);
  refused(5, QStringLiteral("名古屋発"), "");
  // The Keiyo line: station 11 going down, station 1 going up, never station 8.
  refused(1, QStringLiteral("南船橋"), kTerminusMessage);
  refused(1, QStringLiteral("新浦安"), "");
  option(2)->setChecked(true);
  refused(1, QStringLiteral("東京"), kOriginMessage);
  // The number boxes leave the message line as it is.
  refused(2, QStringLiteral("abc"), "前の表示");
  text(2)->setText(QStringLiteral("10"));
  refused(3, QStringLiteral("10"), "前の表示");  // not below the normal minutes
  refused(8, QStringLiteral("-1"), "前の表示");

  // An accepted station clears the line; a name with blanks passes as it stands.
  text(1)->setText(QStringLiteral(" 南船橋 "));
  text(1)->setFocus();
  enter(1);
  EXPECT_TRUE(focused(text(2)));
  EXPECT_EQ(message(), "");
  // Going up, the down line's last station is accepted.
  text(5)->setText(QStringLiteral("新大阪"));
  text(5)->setFocus();
  enter(5);
  EXPECT_TRUE(focused(text(6)));
}

// 了解 applies the boxes and options and rebuilds both lists at once: the lines are the
// ones ravolin-tool builds from a settings file that holds the new settings.
TEST_F(SettingsWindowTest, OkAppliesAndRebuildsBothListsAsTheToolDoes) {
  start(base_settings());
  const std::vector<std::string> before1 = list("List1"), before2 = list("List2");
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  QPointer<SettingsWindow> alive = w;
  option(9)->setChecked(true);
  text(5)->setText(QStringLiteral(" 名古屋 "));
  text(6)->setText(QStringLiteral("20"));
  text(7)->setText(QStringLiteral("１０"));
  text(8)->setText(QStringLiteral("1"));
  option(2)->setChecked(true);
  text(2)->setText(QStringLiteral("15"));
  option(4)->setChecked(true);
  option(5)->setChecked(true);
  w->move(ui::tw(w, 1500), ui::tw(w, 750));
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(end_calls, 0);

  const Settings& s = state->settings;
  EXPECT_EQ(s.sinkansen_flg, 2);
  EXPECT_EQ(s.sinkansen_station, "名古屋");
  EXPECT_EQ(s.sinkansen_hun1, 20);
  EXPECT_EQ(s.sinkansen_hun2, 10);
  EXPECT_EQ(s.sinkansen_hyouji, 1);
  EXPECT_EQ(s.keiyo_flg, 2);
  EXPECT_EQ(s.keiyo_hun1, 15);
  EXPECT_EQ(s.control2_flg, 0);
  EXPECT_EQ(s.control3_flg, 1);
  EXPECT_EQ(s.keiyo_use, 1);
  EXPECT_EQ(s.pos(5).left, 1500);
  EXPECT_EQ(s.pos(5).top, 750);

  // The same settings through the tool, at the same program clock.
  write(s);
  const test_support::ToolRun r =
      test_support::run_tool(folder, {"board", folder.path(), "--at", "2000-03-13 05:10"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string shown = frame_title("Frame1") + "\n";
  for (const auto& l : list("List1")) shown += l + "\n";
  shown += "\n" + frame_title("Frame2") + "\n";
  for (const auto& l : list("List2")) shown += l + "\n";
  EXPECT_EQ(shown, r.out);
  EXPECT_EQ(r.out,
            "新幹線（上り）  名古屋\n"
            "のぞみ００２R ０６：５１  東京 (０８：３０)\n"
            "\n"
            "京葉線（平日上り）  舞浜\n"
            "快速 ０６：１５  東京 (０６：３３)\n");
  EXPECT_NE(list("List1"), before1);
  EXPECT_NE(list("List2"), before2);
}

// A refused box stops 了解 at the first refusal in the order Text1 .. Text8: the focus
// goes there, the window stays and no setting changes.
TEST_F(SettingsWindowTest, OkRefusalKeepsTheWindowAndEverySetting) {
  start(base_settings());
  const std::string before = format_settings(state->settings);
  const std::vector<std::string> lines = list("List1");
  ASSERT_NE(open(), nullptr);
  option(9)->setChecked(true);
  text(6)->setText(QStringLiteral("x"));
  text(3)->setText(QStringLiteral("12"));  // hurry above the normal 10
  text(5)->setText(QStringLiteral("東京"));
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_TRUE(focused(text(3)));
  EXPECT_EQ(message(), "");

  text(3)->setText(QStringLiteral("9"));
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_TRUE(focused(text(5)));
  EXPECT_EQ(message(), kOriginMessage);

  text(5)->setText(QStringLiteral("名古屋"));
  QTest::keyClick(ok_button(), Qt::Key_Space);
  EXPECT_TRUE(focused(text(6)));
  ASSERT_NE(app->settings_window(), nullptr);
  EXPECT_TRUE(app->settings_window()->isVisible());
  EXPECT_EQ(format_settings(state->settings), before);
  EXPECT_EQ(list("List1"), lines);
}

// Escape in a box, an option or on 了解 closes the window without changing a setting
// (only its position is kept), and leaves the lists as they were.
TEST_F(SettingsWindowTest, EscapeChangesNothing) {
  start(base_settings());
  const std::vector<std::string> lines1 = list("List1"), lines2 = list("List2");
  const auto names = {QStringLiteral("Text1"), QStringLiteral("Text7"), QStringLiteral("Option4"),
                      QStringLiteral("Option11"), QStringLiteral("Command1")};
  int moved = 0;
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    Settings expected = state->settings;
    SettingsWindow* w = open();
    ASSERT_NE(w, nullptr);
    QPointer<SettingsWindow> alive = w;
    for (int n = 1; n <= 8; ++n) text(n)->setText(QStringLiteral("7"));
    for (int n : {2, 4, 6, 9, 11}) option(n)->setChecked(true);
    moved += 150;
    w->move(ui::tw(w, 900 + moved), ui::tw(w, 600));
    auto* target = child<QWidget>(name);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(alive.isNull());
    expected.pos(5).left = static_cast<std::int16_t>(900 + moved);
    EXPECT_EQ(format_settings(state->settings), format_settings(expected));
    EXPECT_EQ(list("List1"), lines1);
    EXPECT_EQ(list("List2"), lines2);
    EXPECT_EQ(end_calls, 0);
  }
  // The window closes the help file it may have opened.
  EXPECT_GE(help.count("close"), 1);
}

// Switched off: no restart; the Keiyo list is not rebuilt any more and keeps its lines.
TEST_F(SettingsWindowTest, KeiyoDisplaySwitchedOff) {
  start(base_settings());
  const std::vector<std::string> keiyo_lines = list("List2");
  ASSERT_FALSE(keiyo_lines.empty());
  ASSERT_NE(open(), nullptr);
  option(11)->setChecked(true);
  option(2)->setChecked(true);  // another direction: would change the list if rebuilt
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(app->settings_window(), nullptr);
  EXPECT_EQ(end_calls, 0);
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(state->settings.keiyo_use, 0);
  EXPECT_EQ(state->settings.keiyo_flg, 2);
  EXPECT_EQ(list("List2"), keiyo_lines);
  main->refresh();
  EXPECT_EQ(list("List2"), keiyo_lines);
}

// Switched on: the program ends so that the next start loads the Keiyo data, and the
// settings file holds keiyo_use=1 for that start whether or not the settings are stored
// at exit; the other keys follow control2_flg.
TEST_F(SettingsWindowTest, KeiyoDisplaySwitchedOnEndsTheProgramAndTheNextStartShowsIt) {
  for (bool store : {true, false}) {
    SCOPED_TRACE(store);
    Settings s = base_settings();
    s.keiyo_use = 0;
    s.control2_flg = 1;
    start(s);
    EXPECT_FALSE(main->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible());
    ASSERT_NE(open(), nullptr);
    // Without the Keiyo data the Keiyo station check puts in 海浜幕張.
    text(1)->setText(QStringLiteral("品川"));
    text(1)->setFocus();
    enter(1);
    EXPECT_EQ(text(1)->text().toStdString(), kKeiyoFallbackStation);
    EXPECT_TRUE(focused(text(2)));
    option(10)->setChecked(true);
    option(store ? 3 : 4)->setChecked(true);
    text(5)->setText(QStringLiteral("名古屋"));
    app->settings_window()->move(ui::tw(main, 2400), ui::tw(main, 1200));
    QTest::mouseClick(ok_button(), Qt::LeftButton);
    flush_deletes();
    EXPECT_EQ(app->settings_window(), nullptr);
    EXPECT_FALSE(main->isVisible());
    EXPECT_GE(end_calls, 1);
    EXPECT_TRUE(messages.shown().empty());

    const std::string file = folder.read_text(folder.settings_name());
    EXPECT_NE(file.find("\r\nkeiyo_use=1\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find(store ? "\r\ncontrol2_flg=1\r\n" : "\r\ncontrol2_flg=0\r\n"),
              std::string::npos);
    // Stored: the new station and the window's place; not stored: the file's own.
    EXPECT_NE(file.find(store ? "sinkansen_station=名古屋\r\n" : "sinkansen_station=品川\r\n"),
              std::string::npos);
    EXPECT_NE(file.find(store ? "ravolin5_top=1200\r\nravolin5_left=2400\r\n"
                              : "ravolin5_top=600\r\nravolin5_left=900\r\n"),
              std::string::npos);

    // The next start loads the Keiyo data and shows the Keiyo list.
    app.reset();
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->end_program = [] {};
    state->process_events = [] {};
    app = std::make_unique<app::Navigator>(*state);
    main = app->main_window();
    ASSERT_TRUE(app->start());
    main->show();
    EXPECT_EQ(state->settings.keiyo_use, 1);
    EXPECT_TRUE(main->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible());
    EXPECT_FALSE(list("List2").empty());
    EXPECT_TRUE(main->findChild<QAction*>(QStringLiteral("menu_view_keiyo"))->isEnabled());
    app.reset();
    state.reset();
    end_calls = 0;
  }
}

// Ending the program from the main window closes an open settings window unapplied.
TEST_F(SettingsWindowTest, MainWindowExitClosesTheWindowUnapplied) {
  start(base_settings());
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  QPointer<SettingsWindow> alive = w;
  text(5)->setText(QStringLiteral("名古屋"));
  QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(alive.isNull());
  EXPECT_GE(end_calls, 1);
  EXPECT_EQ(get_ini_file(folder.settings_path()).sinkansen_station, "品川");
}

// A double-click in a station box opens the station picker for that line; the picked
// name replaces the box's text and passes its check.
TEST_F(SettingsWindowTest, DoubleClickInAStationBoxPicksTheStation) {
  start(base_settings());
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  const auto pick = [&](int box, const QString& station) {
    SCOPED_TRACE(station.toStdString());
    QTest::mouseDClick(text(box), Qt::LeftButton);
    QPointer<StationPickerWindow> picker = app->station_picker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->objectName(), QStringLiteral("ravolin22"));
    EXPECT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->mode(), box == 1 ? 1 : 2);
    auto* list = picker->findChild<QListWidget*>(QStringLiteral("List1"));
    ASSERT_NE(list, nullptr);
    const auto found = list->findItems(station, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found[0]->setSelected(true);
    picker->choose();
    flush_deletes();
    EXPECT_TRUE(picker.isNull());
    EXPECT_EQ(text(box)->text(), station);
    EXPECT_TRUE(focused(text(box)));
  };
  pick(1, QStringLiteral("新木場"));
  pick(5, QStringLiteral("名古屋"));
  // The eighth Keiyo station is not offered.
  QTest::mouseDClick(text(1), Qt::LeftButton);
  ASSERT_NE(app->station_picker(), nullptr);
  auto* list = app->station_picker()->findChild<QListWidget*>(QStringLiteral("List1"));
  EXPECT_EQ(list->count(), 10);
  EXPECT_TRUE(list->findItems(QStringLiteral("新浦安"), Qt::MatchExactly).isEmpty());
  app->station_picker()->end_proc();
  flush_deletes();
  EXPECT_EQ(text(1)->text(), QStringLiteral("新木場"));

  // The picked names are applied by 了解 like typed ones.
  QTest::keyClick(ok_button(), Qt::Key_Return);
  flush_deletes();
  EXPECT_EQ(app->settings_window(), nullptr);
  EXPECT_EQ(state->settings.keiyo_station, "新木場");
  EXPECT_EQ(state->settings.sinkansen_station, "名古屋");
  EXPECT_EQ(frame_title("Frame1"), "新幹線（下り）  名古屋");
  EXPECT_EQ(frame_title("Frame2"), "京葉線（平日下り）  新木場");
}

// One station picker at a time: a double-click in the other station box replaces the
// open picker with one for that box, and the picker goes with the settings window.
TEST_F(SettingsWindowTest, OneStationPickerAtATimeAndItGoesWithTheWindow) {
  start(base_settings());
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  QTest::mouseDClick(text(1), Qt::LeftButton);
  QPointer<StationPickerWindow> first = app->station_picker();
  ASSERT_NE(first, nullptr);
  QTest::mouseDClick(text(5), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(first.isNull());
  QPointer<StationPickerWindow> second = app->station_picker();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->mode(), 2);
  EXPECT_TRUE(second->isVisible());

  QTest::keyClick(text(5), Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(app->settings_window(), nullptr);
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(app->station_picker(), nullptr);
  EXPECT_EQ(state->settings.sinkansen_station, "品川");
}

// The language is chosen for the next start: stored by 了解 only when it says something,
// and kept by an exit that drops the other changes.
TEST_F(SettingsWindowTest, TheLanguageIsStoredForTheNextStart) {
  Settings s = base_settings();
  s.control2_flg = 0;  // the other changes are not stored at exit
  start(s);
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  auto* english = child<QCheckBox>(QStringLiteral("Check1"));
  EXPECT_FALSE(english->isChecked());  // Japanese windows, nothing chosen yet
  EXPECT_EQ(english->accessibleDescription(), QStringLiteral("（次の起動から）"));
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_EQ(state->settings.language, "");  // unchanged: still following the desktop

  w = open();
  ASSERT_NE(w, nullptr);
  child<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
  text(7)->setText(QStringLiteral("3"));  // a change that the exit drops
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_EQ(state->settings.language, "en");

  main->close();
  const Settings stored = get_ini_file(folder.settings_path());
  EXPECT_EQ(stored.language, "en");
  EXPECT_EQ(stored.sinkansen_hun2, 5);
}

// English windows show the station's English name and store the name the data has.
TEST_F(SettingsWindowTest, EnglishWindowsShowEnglishStationNamesAndStoreTheData) {
  start(base_settings());
  state->language = text::Language::kEnglish;
  state->place_names.add("品川", "Shinagawa");
  state->place_names.add("舞浜", "Maihama");
  state->place_names.add("東京", "Tokyo");
  SettingsWindow* w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(text(5)->text(), QStringLiteral("Shinagawa"));
  EXPECT_EQ(text(1)->text(), QStringLiteral("Maihama"));
  EXPECT_TRUE(child<QCheckBox>(QStringLiteral("Check1"))->isChecked());
  text(5)->setText(QStringLiteral(" TOKYO"));  // typed in English, any case
  enter(5);
  EXPECT_EQ(message(), "");
  EXPECT_EQ(text(5)->text(), QStringLiteral("Tokyo"));
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_EQ(state->settings.sinkansen_station, "東京");
  EXPECT_EQ(state->settings.keiyo_station, "舞浜");
  EXPECT_EQ(state->settings.language, "");  // English already, as the desktop says
}

}  // namespace
}  // namespace ravolin::settings
