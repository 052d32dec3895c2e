// SPDX-License-Identifier: MIT
// The station picker (ravolin22) on real widgets: what each mode lists, the box the name
// goes to, 選択 enabled only with a station selected, and every way of closing it.
#include "gui/settings/station_picker_window.h"
#include "gui/common/window_conventions.h"
#include "settings/station_picker.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "board/board_fixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::settings {
namespace {

using board::testing::KeiyoTables;
using board::testing::SinTables;

class StationPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state =
        std::make_unique<app::AppState>("/nowhere", app::Platform{clock, messages, help, printer});
    state->schedule.edition = data::find_edition(1);
    SinTables sin;
    sin.stations(
        1, {{"東京", 0}, {"品川", 0}, {"名古屋", 1}, {"名古屋", 2}, {"京都", 0}, {"博多", 0}});
    state->schedule.sin = sin.get();
    KeiyoTables keiyo;
    keiyo.stations(
        1, {"東京", "八丁堀", "越中島", "潮見", "新木場", "葛西臨海公園", "舞浜", "市川塩浜",
            "新浦安", "南船橋", "海浜幕張", "検見川浜", "稲毛海岸", "千葉みなと", "蘇我"});
    state->schedule.keiyo = keiyo.get();
    state->settings.pos(22) = {1800, 2400};
    target.setText(QStringLiteral("前の駅名"));
  }

  // Opens the picker for a mode, shown and exposed, aimed at `target`.
  QPointer<StationPickerWindow> open(int mode) {
    QPointer<StationPickerWindow> w = new StationPickerWindow(*state, mode, &target);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.data()));
    return w;
  }
  static QListWidget* list_of(QWidget* w) {
    return w->findChild<QListWidget*>(QStringLiteral("List1"));
  }
  static QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  static QStringList entries(QWidget* w) {
    QStringList names;
    for (int row = 0; row < list_of(w)->count(); ++row) names << list_of(w)->item(row)->text();
    return names;
  }
  static void click_row(QWidget* w, int row) {
    QListWidget* list = list_of(w);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  // As a mouse does it: press, release, press, double-click, release.
  static void double_click_row(QWidget* w, int row) {
    QListWidget* list = list_of(w);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QPointer<QWidget> viewport = list->viewport();
    if (viewport) QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  QLineEdit target;
};

TEST_F(StationPickerTest, EachModeListsItsLineUnderItsTitle) {
  auto w = open(kPickKeiyoStation);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("利用駅の選択"));
  EXPECT_EQ(button(w, "Command1")->text(), QStringLiteral("京葉線"));
  // Stations 1..11 of the weekday down list, never the eighth (市川塩浜).
  EXPECT_EQ(entries(w), (QStringList{"東京", "八丁堀", "越中島", "潮見", "新木場", "葛西臨海公園",
                                     "舞浜", "新浦安", "南船橋", "海浜幕張"}));
  EXPECT_EQ(button(w, "Command3")->text(), QStringLiteral("選択"));
  EXPECT_EQ(button(w, "Command2")->text(), QStringLiteral("取消終了"));
  delete w.data();

  // The Shinkansen modes offer the rows with flag 0 or 1: 名古屋 once, as its arrival row.
  for (int mode : {kPickSinkansenStation, kPickBoardingStation, kPickAlightingStation}) {
    w = open(mode);
    EXPECT_EQ(button(w, "Command1")->text(), QStringLiteral("東海道・山陽新幹線")) << mode;
    EXPECT_EQ(entries(w), (QStringList{"東京", "品川", "名古屋", "京都", "博多"})) << mode;
    delete w.data();
  }

  // Without the Keiyo data (keiyo_use 0 at start-up) mode 1 lists ten empty entries.
  state->schedule.keiyo = data::KeiyoTables{};
  w = open(kPickKeiyoStation);
  EXPECT_EQ(entries(w), QStringList(10, QString()));
  delete w.data();
}

TEST_F(StationPickerTest, ChoosingEnabledOnlyWithAStationSelected) {
  auto w = open(kPickSinkansenStation);
  QPushButton* choose = button(w, "Command3");
  EXPECT_FALSE(choose->isEnabled());

  // A click below the last station selects nothing: 選択 stays disabled, and the
  // window ignores a choice without a station.
  QListWidget* list = list_of(w);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    QPoint(10, list->viewport()->height() - 5));
  EXPECT_FALSE(choose->isEnabled());
  w->choose();
  flush_deletes();
  ASSERT_FALSE(w.isNull());
  EXPECT_EQ(target.text(), QStringLiteral("前の駅名"));

  // Clicking a station enables 選択 and gives it the focus, so Space chooses.
  click_row(w, 2);
  EXPECT_TRUE(choose->isEnabled());
  EXPECT_TRUE(choose->hasFocus());
  w->move(ui::tw(w, 3000), ui::tw(w, 1500));
  QTest::keyClick(choose, Qt::Key_Space);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(target.text(), QStringLiteral("名古屋"));  // the whole old text replaced
  EXPECT_EQ(state->settings.pos(22).left, 3000);
  EXPECT_EQ(state->settings.pos(22).top, 1500);
  EXPECT_EQ(help.count("close"), 1);
}

TEST_F(StationPickerTest, DoubleClickAndKeyboardChooseToo) {
  auto w = open(kPickBoardingStation);
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 2400), ui::tw(w, 1800)));
  QSignalSpy picked(w.data(), &StationPickerWindow::picked);
  double_click_row(w, 4);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(target.text(), QStringLiteral("博多"));
  ASSERT_EQ(picked.count(), 1);
  EXPECT_EQ(picked.at(0).at(0).toString(), QStringLiteral("博多"));

  // Keyboard only: the list has the focus on opening with its first station current;
  // arrows select, Enter chooses.
  w = open(kPickAlightingStation);
  QListWidget* list = list_of(w);
  EXPECT_TRUE(list->hasFocus());
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_TRUE(button(w, "Command3")->isEnabled());
  QTest::keyClick(list, Qt::Key_Return);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(target.text(), QStringLiteral("名古屋"));
}

TEST_F(StationPickerTest, CancelAndEscapeWriteNothing) {
  for (const char* control : {"Command2", "List1", "Command1"}) {
    auto w = open(kPickKeiyoStation);
    click_row(w, 6);  // 舞浜 selected, then given up
    w->move(ui::tw(w, 600), ui::tw(w, 900));
    QWidget* c = w->findChild<QWidget*>(QString::fromLatin1(control));
    if (std::string(control) == "Command2")
      QTest::mouseClick(c, Qt::LeftButton);
    else
      QTest::keyClick(c, Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(w.isNull()) << control;
    EXPECT_EQ(target.text(), QStringLiteral("前の駅名")) << control;
    EXPECT_EQ(state->settings.pos(22).left, 600) << control;
    EXPECT_EQ(state->settings.pos(22).top, 900) << control;
    state->settings.pos(22) = {1800, 2400};
  }
}

TEST_F(StationPickerTest, NameGoesNowhereWhenTheTargetIsGoneOrTheModeUnknown) {
  auto box = std::make_unique<QLineEdit>();
  QPointer<StationPickerWindow> w =
      new StationPickerWindow(*state, kPickSinkansenStation, box.get());
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  QSignalSpy picked(w.data(), &StationPickerWindow::picked);
  box.reset();  // the window that opened the picker closed meanwhile
  click_row(w, 0);
  w->choose();
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(picked.count(), 0);

  w = open(7);
  EXPECT_EQ(list_of(w)->count(), 0);
  EXPECT_TRUE(button(w, "Command1")->text().isEmpty());
  delete w.data();
  EXPECT_EQ(target.text(), QStringLiteral("前の駅名"));
}

}  // namespace
}  // namespace ravolin::settings
