// SPDX-License-Identifier: MIT
// The date/time correction window (ravolin21) on real widgets, opened from a started main
// window on a small program folder: the running system clock, the checks with the Enter
// chain, and what 日時設定, 一時設定, 取消終了 and Escape do to the board.
#include "gui/calendar/correction_window.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/common/window_conventions.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "board/main_window_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::calendar {
namespace {

class CorrectionWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::Settings s = board::testing::default_settings();
    s.pos(21) = {1500, 2700};
    s.holidays.month[1] = 3;  // 20 March, a Monday
    s.holidays.day[1] = 20;
    s.holidays.count = 1;
    s.holidays.month[2] = 99;
    s.holidays.day[2] = 99;
    folder.write_settings(s);
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->end_program = [] {};
    state->process_events = [] { QCoreApplication::processEvents(); };
    app = std::make_unique<app::Navigator>(*state);
    main = app->main_window();
    ASSERT_TRUE(app->start());
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  }

  CorrectionWindow* open() {
    app->open_correction();
    CorrectionWindow* w = app->correction_window();
    EXPECT_NE(w, nullptr);
    if (w) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    return w;
  }
  static QLineEdit* box(QWidget* w, int n) {
    return w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
  }
  static QPushButton* button(QWidget* w, int n) {
    return w->findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
  }
  // Types into a corrected field and presses Enter there.
  static void enter(QWidget* w, int n, const char* text) {
    box(w, n)->setFocus();
    box(w, n)->setText(QString::fromLatin1(text));
    QTest::keyClick(box(w, n), Qt::Key_Return);
  }
  // Fills Text7..Text12 without running their checks.
  static void fill(QWidget* w, std::array<const char*, 6> fields) {
    for (int i = 0; i < 6; ++i) box(w, 7 + i)->setText(QString::fromLatin1(fields[i]));
  }
  static QWidget* focused(QWidget* w) { return w->focusWidget(); }
  std::string caption() const {
    return main->findChild<QPushButton*>(QStringLiteral("Command2"))->text().toStdString();
  }
  void tick_main() { main->refresh(); }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  board::testing::ProgramFolder folder;
  FixedClock clock{make_system_time(2000, 3, 13, 9, 5, 0)};  // a Monday
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  board::MainWindow* main = nullptr;
};

TEST_F(CorrectionWindowTest, ShowsTheRunningSystemClock) {
  QPointer<CorrectionWindow> w = open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("日時補正"));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 2700), ui::tw(w, 1500)));
  EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
            QStringLiteral("現在日時"));
  EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(),
            QStringLiteral("補正日時"));
  EXPECT_EQ(button(w, 1)->text(), QStringLiteral("日時設定"));
  EXPECT_EQ(button(w, 2)->text(), QStringLiteral("一時設定"));
  EXPECT_EQ(button(w, 3)->text(), QStringLiteral("取消終了"));
  const char* shown[] = {"2000", "03", "13", "09", "05", "00"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(box(w, 1 + i)->text(), QString::fromLatin1(shown[i])) << i;
    EXPECT_EQ(box(w, 7 + i)->text(), QString::fromLatin1(shown[i])) << i;
  }
  EXPECT_EQ(focused(w), box(w, 7));

  auto* timer = w->findChild<QTimer*>(QStringLiteral("Timer1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
  box(w, 12)->setText(QStringLiteral("30"));
  clock.advance_seconds(61);
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
  EXPECT_EQ(box(w, 5)->text(), QStringLiteral("06"));
  EXPECT_EQ(box(w, 6)->text(), QStringLiteral("01"));
  EXPECT_EQ(box(w, 11)->text(), QStringLiteral("05"));  // the corrected fields stay
  EXPECT_EQ(box(w, 12)->text(), QStringLiteral("30"));

  // One correction window: a second opening brings the same one forward.
  app->open_correction();
  EXPECT_EQ(app->correction_window(), w.data());
  // Closing the main window closes it too.
  main->close();
  flush_deletes();
  EXPECT_TRUE(w.isNull());
}

TEST_F(CorrectionWindowTest, DateAndTimeBoxesAre255TwipsHigh) {
  CorrectionWindow* w = open();
  ASSERT_NE(w, nullptr);
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(box(w, n)->height(), ui::tw(w, 255)) << "Text" << n;
}

TEST_F(CorrectionWindowTest, OpenedByTheClockButtonAndTheMenu) {
  QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  QPointer<CorrectionWindow> w = app->correction_window();
  ASSERT_FALSE(w.isNull());
  EXPECT_TRUE(w->isVisible());
  w->end_proc();
  flush_deletes();
  ASSERT_TRUE(w.isNull());
  main->findChild<QAction*>(QStringLiteral("menu_edit_time"))->trigger();
  EXPECT_NE(app->correction_window(), nullptr);
}

TEST_F(CorrectionWindowTest, EachCheckKeepsTheFocusOrMovesItOn) {
  CorrectionWindow* w = open();
  struct Step {
    int field;
    const char* text;
    bool accepted;
  };
  const Step steps[] = {
      {7, "1995", false}, {7, "2021", false}, {7, "abc", false}, {7, "2020", true},
      {8, "0", false},    {8, "13", false},   {8, "4", true},    {9, "31", false},
      {9, "30", true},    {10, "24", false},  {10, "23", true},  {11, "60", false},
      {11, "59", true},   {12, "60", false},  {12, "-1", false}, {12, "59", true},
  };
  for (const Step& s : steps) {
    enter(w, s.field, s.text);
    QWidget* next = s.field < 12 ? static_cast<QWidget*>(box(w, s.field + 1)) : button(w, 2);
    EXPECT_EQ(focused(w), s.accepted ? next : box(w, s.field)) << s.field << " " << s.text;
  }
  EXPECT_TRUE(messages.shown().empty());  // refusals say nothing
  EXPECT_EQ(state->service_date.year, 2020);
  EXPECT_EQ(state->service_date.month, 4);
  EXPECT_EQ(state->service_date.hour, 23);

  // Leap Februaries, the current month, and a refused month refusing the day.
  const auto day_accepted = [&](const char* year, const char* month, const char* day) {
    enter(w, 7, year);
    enter(w, 8, month);
    enter(w, 9, day);
    return focused(w) == box(w, 10);
  };
  EXPECT_TRUE(day_accepted("2000", "2", "29"));
  EXPECT_TRUE(day_accepted("2004", "2", "29"));
  EXPECT_FALSE(day_accepted("1999", "2", "29"));
  EXPECT_FALSE(day_accepted("2000", "3", "12"));  // before today
  EXPECT_TRUE(day_accepted("2000", "3", "13"));
  EXPECT_TRUE(day_accepted("2000", "1", "5"));  // an earlier month of this year
  EXPECT_FALSE(day_accepted("2000", "13", "5"));
  EXPECT_EQ(focused(w), box(w, 9));

  // Each refusal is spoken with its own reason.
  const auto spoken = [&](int field) {
    return box(w, field)->accessibleDescription().mid(box(w, field)->accessibleName().size());
  };
  enter(w, 10, "25");
  EXPECT_EQ(spoken(10), QStringLiteral(": 0から23までの数を入力してください"));
  enter(w, 8, "3");
  enter(w, 9, "12");
  EXPECT_EQ(spoken(9), QStringLiteral(": 今日より前の日は指定できません"));
  enter(w, 9, "32");
  EXPECT_EQ(spoken(9), QStringLiteral(": 1から31までの数を入力してください"));

  // Focus entering a corrected field selects its whole text.
  box(w, 11)->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(box(w, 11)->selectedText(), box(w, 11)->text());
}

TEST_F(CorrectionWindowTest, EnterInTheDayFieldMovesTheBoardsDateAtOnce) {
  CorrectionWindow* w = open();
  enter(w, 9, "20");
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/20（月）  09:05");
  EXPECT_EQ(state->service_date.weekday, 2);
  EXPECT_EQ(state->day_flags.day_off, 1);  // the listed holiday
  EXPECT_EQ(state->day_flags.sunday_or_holiday, 1);

  // Escape takes the date back; the month and day follow the restored day number.
  QTest::keyClick(box(w, 10), Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(app->correction_window(), nullptr);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/13（月）  09:05");
  EXPECT_EQ(state->service_date.day, 13);
  EXPECT_EQ(state->service_date.month, 3);
  EXPECT_EQ(state->day_flags.day_off, 0);
}

TEST_F(CorrectionWindowTest, TemporaryCorrectionRunsOnAndKeepsItsDate) {
  // Keyboard only: each field with Enter, then Enter on 一時設定 where the focus ends.
  QPointer<CorrectionWindow> w = open();
  w->move(ui::tw(w, 4200), ui::tw(w, 3000));
  const char* typed[] = {"2000", "03", "15", "11", "05", "00"};
  for (int i = 0; i < 6; ++i) enter(w, 7 + i, typed[i]);
  ASSERT_EQ(focused(w), button(w, 2));
  QTest::keyClick(button(w, 2), Qt::Key_Return);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(21).left, 4200);
  EXPECT_EQ(state->settings.pos(21).top, 3000);
  EXPECT_EQ(clock.set_calls(), 0);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/15（水）  11:05");

  clock.advance_seconds(3600);
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/15（水）  12:05");
  // Past midnight of the program clock the entered date stays.
  clock.move_to(make_system_time(2000, 3, 13, 22, 30, 0));
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/15（水）  00:30");
  clock.move_to(make_system_time(2000, 3, 14, 1, 0, 0));
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/15（水）  03:00");
}

TEST_F(CorrectionWindowTest, CancelAfterTemporaryBringsBackTheSystemDateTimeAndFlags) {
  CorrectionWindow* w = open();
  fill(w, {"2000", "03", "20", "11", "05", "00"});
  w->set_temporary();
  flush_deletes();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/20（月）  11:05");
  EXPECT_EQ(state->day_flags.day_off, 1);

  clock.advance_seconds(600);
  w = open();
  QTest::mouseClick(button(w, 3), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(app->correction_window(), nullptr);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/13（月）  09:15");
  EXPECT_EQ(state->program_clock.offset, 0.0);
  EXPECT_EQ(state->day_flags.day_off, 0);
  EXPECT_EQ(state->day_flags.sunday_or_holiday, 0);
  EXPECT_EQ(state->service_date.day, 13);
}

TEST_F(CorrectionWindowTest, EscapeAfterTemporaryKeepsTheShiftButNotTheDate) {
  CorrectionWindow* w = open();
  fill(w, {"2000", "03", "20", "11", "05", "00"});
  w->set_temporary();
  flush_deletes();
  w = open();
  QTest::keyClick(button(w, 1), Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(app->correction_window(), nullptr);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/13（月）  11:05");
  EXPECT_EQ(state->service_date.weekday, 2);
  EXPECT_EQ(state->day_flags.day_off, 0);
}

TEST_F(CorrectionWindowTest, SettingTheSystemClockAcceptedOrRefused) {
  CorrectionWindow* w = open();
  fill(w, {"2000", "03", "16", "07", "30", "00"});
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(app->correction_window(), nullptr);
  EXPECT_EQ(clock.set_calls(), 1);
  EXPECT_EQ(clock.now().day_number, day_number(2000, 3, 16));
  EXPECT_EQ(clock.now().hour, 7);
  EXPECT_EQ(clock.now().minute, 30);
  EXPECT_EQ(state->program_clock.offset, 0.0);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/16（木）  07:30");
  EXPECT_TRUE(messages.shown().empty());

  // Refused by the platform: a message says so and the correction runs on the program's
  // own clock, as 一時設定 would.
  clock.refuse_set("Automatic time synchronization is enabled");
  w = open();
  fill(w, {"2000", "03", "17", "10", "00", "00"});
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(app->correction_window(), nullptr);
  ASSERT_EQ(messages.shown().size(), 1u);
  const auto& shown = messages.shown()[0];
  EXPECT_EQ(shown.title, "エラーメッセージ");
  EXPECT_NE(shown.request.text.find("Automatic time synchronization is enabled"),
            std::string::npos);
  EXPECT_NE(shown.request.text.find("一時設定"), std::string::npos);
  EXPECT_EQ(clock.now().hour, 7);  // the clock was not moved
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/17（金）  10:00");
  clock.advance_seconds(120);
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/17（金）  10:02");
}

TEST_F(CorrectionWindowTest, WhileTheSystemClockIsBeingSetTheWindowWaitsWithoutBlocking) {
  clock.hold_sets();  // the platform takes its time (an authorisation prompt, say)
  QPointer<CorrectionWindow> w = open();
  fill(w, {"2000", "03", "16", "07", "30", "00"});
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  flush_deletes();
  // The click has returned; the window waits for the answer with nothing to press.
  ASSERT_FALSE(w.isNull());
  EXPECT_TRUE(clock.set_pending());
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(button(w, n)->isEnabled()) << n;
  for (int n = 7; n <= 12; ++n) EXPECT_FALSE(box(w, n)->isEnabled()) << n;
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  w->set_system_clock();
  w->set_temporary();
  w->cancel();
  w->end_proc();
  w->close();
  flush_deletes();
  ASSERT_FALSE(w.isNull());
  EXPECT_EQ(clock.set_requests(), 1);
  // The board goes on meanwhile.
  clock.advance_seconds(60);
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/13（月）  09:06");

  // No answer in time counts as a refusal: the message, and the correction carried by
  // the program's own clock from the moment of the request.
  clock.time_out_pending("時刻設定サービスが30秒以内に終わらないため、設定を取りやめました");
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_EQ(messages.shown()[0].request.text,
            "システムの日時を設定できませんでした。\n"
            "時刻設定サービスが30秒以内に終わらないため、設定を取りやめました\n"
            "補正した日時は一時設定として使います。");
  EXPECT_EQ(clock.set_calls(), 0);
  EXPECT_EQ(clock.now().minute, 6);  // the system clock was not moved
  tick_main();
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/16（木）  07:31");

  // An answer that comes later still finishes the setting.
  messages.clear();
  w = open();
  fill(w, {"2000", "03", "17", "08", "00", "00"});
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  ASSERT_FALSE(w.isNull());
  clock.answer_pending();
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(clock.set_calls(), 1);
  EXPECT_EQ(state->program_clock.offset, 0.0);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/17（金）  08:00");
}

TEST_F(CorrectionWindowTest, ARefusedFieldStopsTheSettingWithTheFocusThere) {
  QPointer<CorrectionWindow> w = open();
  fill(w, {"2000", "13", "16", "07", "30", "00"});
  QTest::mouseClick(button(w, 1), Qt::LeftButton);
  EXPECT_EQ(focused(w), box(w, 8));
  fill(w, {"2000", "03", "16", "07", "61", "00"});
  QTest::mouseClick(button(w, 2), Qt::LeftButton);
  flush_deletes();
  ASSERT_FALSE(w.isNull());
  EXPECT_EQ(focused(w), box(w, 11));
  EXPECT_EQ(clock.set_calls(), 0);
  EXPECT_EQ(state->program_clock.offset, 0.0);
  EXPECT_EQ(caption(), "現在日時 ： 2000/03/13（月）  09:05");
}

TEST_F(CorrectionWindowTest, EscapeClosesFromEveryFieldAndButton) {
  for (const char* name : {"Text7", "Text8", "Text9", "Text10", "Text11", "Text12", "Command1",
                           "Command2", "Command3"}) {
    QPointer<CorrectionWindow> w = open();
    w->move(ui::tw(w, 900), ui::tw(w, 1200));
    QWidget* c = w->findChild<QWidget*>(QString::fromLatin1(name));
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(w.isNull()) << name;
    EXPECT_EQ(state->settings.pos(21).left, 900) << name;
    state->settings.pos(21) = {1500, 2700};
  }
  EXPECT_EQ(clock.set_calls(), 0);
}

}  // namespace
}  // namespace ravolin::calendar
