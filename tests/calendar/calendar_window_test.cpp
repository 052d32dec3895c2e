// SPDX-License-Identifier: MIT
// The calendar (ravolin4) on real widgets: the month shown by the stepper and by a typed
// month, the day buttons, a picked date written where the search window reads it, and
// the ways of closing without one.
#include "gui/calendar/calendar_window.h"
#include "gui/common/window_conventions.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::calendar {
namespace {

// Stands in for the search conditions window: its date fields, weekday label and the
// fields the calendar hands the focus back to.
struct SearchWindowStandIn {
  QWidget window;
  QLineEdit* text1 = new QLineEdit(&window);
  QLineEdit* text3 = new QLineEdit(&window);
  QLineEdit* text13 = new QLineEdit(QStringLiteral("2000"), &window);
  QLineEdit* text14 = new QLineEdit(QStringLiteral("03"), &window);
  QLineEdit* text15 = new QLineEdit(QStringLiteral("13"), &window);
  QLabel* label21 = new QLabel(QStringLiteral("(月)"), &window);

  CalendarWindow::Targets targets() {
    CalendarWindow::Targets t;
    t.year = text13;
    t.month = text14;
    t.day = text15;
    t.weekday = label21;
    t.focus_after_pick = text1;
    t.focus_after_close = text3;
    return t;
  }
};

class CalendarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state =
        std::make_unique<app::AppState>("/nowhere", app::Platform{clock, messages, help, printer});
    state->settings.pos(4) = {1200, 2400};
    search.window.show();
  }

  QPointer<CalendarWindow> open() {
    QPointer<CalendarWindow> w = new CalendarWindow(*state, search.targets());
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.data()));
    return w;
  }
  static QPushButton* day_button(QWidget* w, int i) {
    return w->findChild<QPushButton*>(QStringLiteral("Command%1").arg(i));
  }
  static QLineEdit* text1(QWidget* w) { return w->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  static QScrollBar* stepper(QWidget* w) {
    return w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
  }
  // The captions of the 42 buttons, "." for a hidden one; rows separated by "|".
  static std::string grid(QWidget* w) {
    std::string s;
    for (int i = 1; i <= 42; ++i) {
      QPushButton* b = day_button(w, i);
      if (b->isHidden()) {
        // A hidden button keeps no caption that could show when it reappears.
        if (i <= 7 || i >= 29) {
          EXPECT_TRUE(b->text().isEmpty()) << i;
        }
        s += ".";
      } else {
        s += b->text().toStdString();
      }
      s += i % 7 == 0 ? (i < 42 ? "|" : "") : " ";
    }
    return s;
  }
  static void type_month(QWidget* w, const char* text) {
    text1(w)->setFocus();
    text1(w)->setText(QString::fromLatin1(text));
    QTest::keyClick(text1(w), Qt::Key_Return);
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  FixedClock clock{make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  SearchWindowStandIn search;
};

TEST_F(CalendarWindowTest, OpensOnTheSystemMonth) {
  auto w = open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("カレンダｰ"));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 2400), ui::tw(w, 1200)));
  const char* headings[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int c = 1; c <= 7; ++c)
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label%1").arg(c))->text(),
              QString::fromLatin1(headings[c - 1]));
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2000/3"));
  EXPECT_EQ(w->stepper_value(), 1);
  EXPECT_EQ(stepper(w)->value(), stepper(w)->maximum());  // at the bottom end
  EXPECT_EQ(grid(w),
            ". . . 1 2 3 4|5 6 7 8 9 10 11|12 13 14 15 16 17 18|19 20 21 22 23 24 25|"
            "26 27 28 29 30 31 .|. . . . . . .");
  EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("Command43"))->text(),
            QStringLiteral("終了"));
  EXPECT_TRUE(text1(w)->hasFocus());
  delete w.data();
}

TEST_F(CalendarWindowTest, StepperShowsLaterMonthsUpwards) {
  auto w = open();
  QScrollBar* bar = stepper(w);
  w->set_stepper_value(10);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2000/12"));
  w->set_stepper_value(11);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2001/1"));
  EXPECT_EQ(w->shown().year, 2001);
  w->set_stepper_value(60);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2005/2"));
  EXPECT_EQ(grid(w),
            ". . 1 2 3 4 5|6 7 8 9 10 11 12|13 14 15 16 17 18 19|20 21 22 23 24 25 26|"
            "27 28 . . . . .|. . . . . . .");
  w->set_stepper_value(61);  // past the top end: stays at 60
  EXPECT_EQ(w->stepper_value(), 60);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2005/2"));

  // The arrow keys on the stepper: Up is the next month, Down the one before; the
  // stepper stops at the system month.
  w->set_stepper_value(1);
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Up);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2000/4"));
  QTest::keyClick(bar, Qt::Key_Down);
  QTest::keyClick(bar, Qt::Key_Down);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2000/3"));
  // The top arrow of the bar is the way to later months with the mouse too.
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 3));
  EXPECT_EQ(w->stepper_value(), 2);
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
  EXPECT_EQ(w->stepper_value(), 1);
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2000/3"));

  // July 2000 uses the sixth row; the hidden buttons of August show no old caption.
  w->set_stepper_value(5);
  EXPECT_EQ(grid(w),
            ". . . . . . 1|2 3 4 5 6 7 8|9 10 11 12 13 14 15|16 17 18 19 20 21 22|"
            "23 24 25 26 27 28 29|30 31 . . . . .");
  w->set_stepper_value(6);
  EXPECT_EQ(grid(w),
            ". . 1 2 3 4 5|6 7 8 9 10 11 12|13 14 15 16 17 18 19|20 21 22 23 24 25 26|"
            "27 28 29 30 31 . .|. . . . . . .");
  delete w.data();
}

TEST_F(CalendarWindowTest, TypedMonthShownOrRefused) {
  auto w = open();
  w->set_stepper_value(3);
  const std::string may = grid(w);

  for (const char* refused : {"2000/2", "2011/1", "200012", "2000/13", "abc"}) {
    type_month(w, refused);
    EXPECT_EQ(grid(w), may) << refused;
    EXPECT_TRUE(text1(w)->hasFocus()) << refused;
    EXPECT_EQ(w->shown().month, 5) << refused;
    // Spoken with the months the calendar shows.
    EXPECT_EQ(text1(w)->accessibleDescription(),
              text1(w)->accessibleName() +
                  QStringLiteral(": 2000/3 から 2010/12 までの年月を入力してください"))
        << refused;
  }
  EXPECT_TRUE(messages.shown().empty());

  type_month(w, "2010/12");
  EXPECT_EQ(w->shown().year, 2010);
  EXPECT_EQ(w->shown().month, 12);
  EXPECT_EQ(grid(w).substr(0, 10), ". . . 1 2 ");  // 1 December 2010 was a Wednesday
  EXPECT_EQ(w->stepper_value(), 3);                // the stepper is not moved
  delete w.data();
}

TEST_F(CalendarWindowTest, LeapFebruaries) {
  clock.move_to(make_system_time(2000, 1, 20, 9, 0, 0));
  auto w = open();
  type_month(w, "2000/2");
  EXPECT_FALSE(day_button(w, 31)->isHidden());  // 1 February 2000 is a Tuesday: 29th on 31
  EXPECT_EQ(day_button(w, 31)->text(), QStringLiteral("29"));
  type_month(w, "2001/2");
  EXPECT_TRUE(day_button(w, 33)->isHidden());  // 1 February 2001 is a Thursday
  EXPECT_EQ(day_button(w, 32)->text(), QStringLiteral("28"));
  type_month(w, "2004/2");
  EXPECT_EQ(day_button(w, 29)->text(), QStringLiteral("29"));  // starts on a Sunday
  EXPECT_FALSE(day_button(w, 29)->isHidden());
  delete w.data();

  // After the system clock passes 2010 a typed month up to ten years ahead is accepted.
  clock.move_to(make_system_time(2026, 12, 7, 9, 0, 0));
  w = open();
  EXPECT_EQ(text1(w)->text(), QStringLiteral("2026/12"));
  type_month(w, "2028/2");
  EXPECT_EQ(w->shown().year, 2028);
  EXPECT_EQ(day_button(w, 31)->text(), QStringLiteral("29"));  // 1 February 2028: Tuesday
  type_month(w, "2037/1");
  EXPECT_EQ(w->shown().year, 2028);
  delete w.data();
}

TEST_F(CalendarWindowTest, PickedDayGoesToTheSearchDateAndFields) {
  auto w = open();
  QSignalSpy picked(w.data(), &CalendarWindow::picked);
  w->set_stepper_value(2);  // April 2000 starts on a Saturday
  w->move(ui::tw(w, 3600), ui::tw(w, 1800));
  QTest::mouseClick(day_button(w, 35), Qt::LeftButton);  // 29 April 2000, a Saturday
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(picked.count(), 1);
  const SearchDate& d = state->search_date;
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(d.month, 4);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(d.day_number, day_number(2000, 4, 29));
  EXPECT_EQ(d.weekday, 7);
  EXPECT_EQ(search.text13->text(), QStringLiteral("2000"));
  EXPECT_EQ(search.text14->text(), QStringLiteral("04"));
  EXPECT_EQ(search.text15->text(), QStringLiteral("29"));
  EXPECT_EQ(search.label21->text(), QStringLiteral("(土)"));
  EXPECT_EQ(search.window.focusWidget(), search.text1);
  EXPECT_EQ(state->settings.pos(4).left, 3600);
  EXPECT_EQ(state->settings.pos(4).top, 1800);

  // A past day of the current month is returned as it is: the search window checks it.
  w = open();
  QTest::mouseClick(day_button(w, 4), Qt::LeftButton);  // 1 March 2000, a Wednesday
  flush_deletes();
  EXPECT_EQ(state->search_date.day_number, day_number(2000, 3, 1));
  EXPECT_EQ(search.text15->text(), QStringLiteral("01"));
  EXPECT_EQ(search.label21->text(), QStringLiteral("(水)"));

  // Keyboard only: Tab from the month to its first day, arrows across the grid (never
  // onto an empty button), Enter or Space picks.
  w = open();
  QTest::keyClick(text1(w), Qt::Key_Tab);
  EXPECT_EQ(w->focusWidget(), day_button(w, 4));  // 1 March
  QTest::keyClick(w->focusWidget(), Qt::Key_Left);
  QTest::keyClick(w->focusWidget(), Qt::Key_Up);
  EXPECT_EQ(w->focusWidget(), day_button(w, 4));
  QTest::keyClick(w->focusWidget(), Qt::Key_Down);
  QTest::keyClick(w->focusWidget(), Qt::Key_Down);
  QTest::keyClick(w->focusWidget(), Qt::Key_Right);
  EXPECT_EQ(w->focusWidget(), day_button(w, 19));
  QTest::keyClick(w->focusWidget(), Qt::Key_Return);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->search_date.day, 16);

  w = open();
  day_button(w, 20)->setFocus();
  QTest::keyClick(day_button(w, 20), Qt::Key_Space);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->search_date.day, 17);
}

TEST_F(CalendarWindowTest, EndAndEscapeWriteNothing) {
  const calendar::SearchDate before = state->search_date;
  for (const char* control : {"Command43", "Text1", "Command43", "Command10", "VScroll1"}) {
    static int round = 0;
    auto w = open();
    w->move(ui::tw(w, 600 + 60 * round), ui::tw(w, 900));
    QWidget* c = w->findChild<QWidget*>(QString::fromLatin1(control));
    if (round == 0)
      QTest::mouseClick(c, Qt::LeftButton);
    else
      QTest::keyClick(c, Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(w.isNull()) << control;
    EXPECT_EQ(state->settings.pos(4).left, 600 + 60 * round) << control;
    EXPECT_EQ(state->search_date.day_number, before.day_number) << control;
    EXPECT_EQ(search.text15->text(), QStringLiteral("13")) << control;
    EXPECT_EQ(search.window.focusWidget(), search.text3) << control;
    search.text1->setFocus();
    ++round;
  }
  EXPECT_EQ(help.count("close"), 0);  // the search window's help stays open
}

}  // namespace
}  // namespace ravolin::calendar
