// SPDX-License-Identifier: MIT
// The calendar (ravolin4) and the correction window (ravolin21) in both languages: the
// names a screen reader says for the day buttons and the date and time boxes, and the
// English windows without Japanese words of their own.
#include "gui/calendar/calendar_window.h"
#include "gui/calendar/correction_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/visible_texts_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::calendar {
namespace {

using test_support::japanese_texts;
using test_support::listed;

class CalendarLanguageTest : public ::testing::Test {
 protected:
  explicit CalendarLanguageTest(text::Language language = text::Language::kJapanese) {
    state.language = language;
  }
  // The shown day button holding `day` of the month in the grid.
  static QPushButton* day_button(QWidget* w, int day) {
    for (int i = 1; i <= kGridButtons; ++i) {
      auto* b = w->findChild<QPushButton*>(QStringLiteral("Command%1").arg(i));
      if (b->isVisibleTo(w) && b->text() == QString::number(day)) return b;
    }
    return nullptr;
  }
  // The shown day buttons' names: one for each day, none twice.
  static QSet<QString> day_names(QWidget* w) {
    QSet<QString> names;
    int shown = 0;
    for (int i = 1; i <= kGridButtons; ++i) {
      auto* b = w->findChild<QPushButton*>(QStringLiteral("Command%1").arg(i));
      if (!b->isVisibleTo(w)) continue;
      ++shown;
      names.insert(b->accessibleName());
    }
    EXPECT_EQ(names.size(), shown);
    return names;
  }
  static QLineEdit* box(QWidget* w, int n) {
    return w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
  }

  calendar::FixedClock clock{calendar::make_system_time(2026, 12, 7, 10, 30, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state{"/nowhere", app::Platform{clock, messages, help, printer}};
};

class EnglishCalendarTest : public CalendarLanguageTest {
 protected:
  EnglishCalendarTest() : CalendarLanguageTest(text::Language::kEnglish) {}
  test_support::EnglishTranslation english;
};

TEST_F(CalendarLanguageTest, DayButtonsAndBoxesAreNamedInJapanese) {
  auto calendar = std::make_unique<CalendarWindow>(state, CalendarWindow::Targets{});
  calendar->show();
  EXPECT_EQ(calendar->windowTitle(), QStringLiteral("カレンダｰ"));
  ASSERT_NE(day_button(calendar.get(), 7), nullptr);
  EXPECT_EQ(day_button(calendar.get(), 7)->accessibleName(),
            QStringLiteral("2026年12月7日 月曜日"));
  EXPECT_EQ(day_names(calendar.get()).size(), 31);
  // The next month: the names follow the grid.
  calendar->set_stepper_value(2);
  EXPECT_EQ(day_button(calendar.get(), 1)->accessibleName(), QStringLiteral("2027年1月1日 金曜日"));
  EXPECT_EQ(box(calendar.get(), 1)->accessibleName(), QStringLiteral("表示する年月"));
  EXPECT_FALSE(box(calendar.get(), 1)->accessibleDescription().isEmpty());

  auto correction = std::make_unique<CorrectionWindow>(state, CorrectionWindow::Ways{});
  EXPECT_EQ(box(correction.get(), 1)->accessibleName(), QStringLiteral("現在日時 年"));
  const char* const corrected[] = {"補正日時 年", "補正日時 月", "補正日時 日",
                                   "補正日時 時", "補正日時 分", "補正日時 秒"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(box(correction.get(), 7 + i)->accessibleName(), QString::fromUtf8(corrected[i]));
    // The unit after each box is no buddy of it: a screen reader would say "日" for the
    // box in place of its name.
    const auto* unit = correction->findChild<QLabel*>(QStringLiteral("Label%1").arg(7 + i));
    EXPECT_EQ(unit->buddy(), nullptr);
  }
  EXPECT_EQ(correction->findChild<QLabel*>(QStringLiteral("Label9"))->text(), QStringLiteral("日"));
}

TEST_F(EnglishCalendarTest, WindowsAreEnglishWithDatesSaidInFull) {
  ASSERT_TRUE(english.installed());
  auto calendar = std::make_unique<CalendarWindow>(state, CalendarWindow::Targets{});
  calendar->show();
  EXPECT_EQ(calendar->windowTitle(), QStringLiteral("Calendar"));
  EXPECT_EQ(day_button(calendar.get(), 7)->accessibleName(),
            QStringLiteral("Monday, 7 December 2026"));
  EXPECT_EQ(day_names(calendar.get()).size(), 31);
  EXPECT_EQ(listed(japanese_texts(calendar.get())), QString());

  auto correction = std::make_unique<CorrectionWindow>(state, CorrectionWindow::Ways{});
  correction->show();
  EXPECT_EQ(box(correction.get(), 9)->accessibleName(), QStringLiteral("Corrected day"));
  EXPECT_EQ(listed(japanese_texts(correction.get())), QString());
  // 取消終了 goes back to the computer's clock: its name and its description say so.
  auto* back = correction->findChild<QPushButton*>(QStringLiteral("Command3"));
  EXPECT_EQ(back->text(), QStringLiteral("Use the computer's clock"));
  EXPECT_TRUE(back->accessibleDescription().contains(QStringLiteral("computer's clock")))
      << back->accessibleDescription().toStdString();
  EXPECT_EQ(back->toolTip(), back->accessibleDescription());
  EXPECT_GE(back->width(), back->sizeHint().width());  // the whole name is shown

  // A refused system clock: the message is English around the service's own reason.
  clock.refuse_set("denied");
  correction->set_system_clock();
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text,
            "Could not set the system date and time.\ndenied\n"
            "The corrected date and time are used in this program only.");
}

}  // namespace
}  // namespace ravolin::calendar
