// SPDX-License-Identifier: MIT
// The full schedule (ravolin24) and passing-station (ravolin23) windows on real widgets:
// contents by mode, their timers closing them, Escape and "終了", positions kept.
#include "board/full_schedule.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/common/window_conventions.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "board_fixture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ravolin::board {
namespace {

class SatelliteWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state =
        std::make_unique<app::AppState>("/nowhere", app::Platform{clock, messages, help, printer});
    state->schedule.edition = data::find_edition(1);
    testing::SinTables sin;
    sin.stations(1, {{"東京", 0}, {"品川", 0}, {"名古屋", 1}, {"名古屋", 2}, {"博多", 0}});
    sin.train(1, "N001", {0, 558, 700, 701, 900}, 0, "N");
    sin.train(1, "H002", {0, 601, 705, 706, 0});
    state->schedule.sin = sin.get();
    testing::KeiyoTables keiyo;
    for (int v = 1; v <= 4; ++v) keiyo.stations(v, {"東京", "舞浜", "新習志野", "蘇我"});
    keiyo.train(1, "1001A", {540, 555, 605, 620});
    keiyo.train(1, "1002B", {545, 600, 610, 0});
    state->schedule.keiyo = keiyo.get();
    auto& s = state->settings;
    s.sinkansen_flg = 1;
    s.sinkansen_station = "品川";
    s.keiyo_use = 1;
    s.keiyo_flg = 1;
    s.keiyo_station = "舞浜";
    s.pos(24) = {1500, 1800};
    s.pos(23) = {2250, 1500};
    state->day_flags = testing::weekday();
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static QTextDocument* document_of(QWidget* w) {
    auto* box = w->findChild<QWidget*>(QStringLiteral("Text1"));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) return plain->document();
    if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->document();
    return nullptr;
  }
  static QString text_of(QWidget* w) { return document_of(w)->toPlainText(); }

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 5, 50, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
};

TEST_F(SatelliteWindowTest, FullScheduleShowsTheTableOfTheMode) {
  auto* w = new ScheduleWindow(*state, kModeSinkansen);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("時刻表の表示"));
  const FullSchedule expected =
      full_schedule(kModeSinkansen, state->schedule, state->settings, state->day_flags);
  EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title().toStdString(),
            "新幹線（下り）  品川");
  EXPECT_EQ(text_of(w).toStdString(), "05|博[58] \n06|名 01  ");
  EXPECT_EQ(text_of(w).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString(),
            expected.text);
  EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString(), expected.note);
  delete w;

  w = new ScheduleWindow(*state, kModeKeiyo);
  EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
            QStringLiteral("京葉線（平日下り）  舞浜"));
  EXPECT_EQ(text_of(w).toStdString(), "05|快 55 \n06|  (00)");
  EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("（注）（　）内は新習志野駅とまり"));
  delete w;

  w = new ScheduleWindow(*state, 0);
  EXPECT_TRUE(text_of(w).isEmpty());
  EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());
  delete w;
}

// The busiest hour of the delivered data has 14 departures (新横浜 and 名古屋, up); its row
// shows whole, with no part of it out of sight to the right.
TEST_F(SatelliteWindowTest, FullScheduleShowsTheBusiestHourWhole) {
  testing::SinTables sin;
  sin.stations(1, {{"東京"}, {"品川"}, {"博多"}});
  for (int minute = 0; minute < 56; minute += 4) sin.train(1, "N100", {0, 700 + minute, 1200});
  state->schedule.sin = sin.get();
  auto w = std::make_unique<ScheduleWindow>(*state, kModeSinkansen);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  QCoreApplication::processEvents();

  auto* box = w->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
  ASSERT_EQ(box->toPlainText().count(QLatin1Char('[')), 14);
  EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "the end of the row is out of sight";
}

TEST_F(SatelliteWindowTest, FullScheduleClosesAfterAMinuteOutOfUseKeepingItsPlace) {
  QPointer<ScheduleWindow> w = new ScheduleWindow(*state, kModeSinkansen);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 1800), ui::tw(w, 1500)));
  auto* timer = w->findChild<QTimer*>(QStringLiteral("Timer1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 60000);
  EXPECT_TRUE(timer->isActive());

  w->move(ui::tw(w, 4500), ui::tw(w, 2250));
  // While it has the keyboard (someone reads it) it stays.
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.data()));
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
  flush_deletes();
  ASSERT_FALSE(w.isNull());
  EXPECT_TRUE(timer->isActive());
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(24).left, 4500);
  EXPECT_EQ(state->settings.pos(24).top, 2250);
  EXPECT_EQ(help.count("close"), 1);
}

TEST_F(SatelliteWindowTest, FullScheduleEscapeAndButtonClose) {
  QPointer<ScheduleWindow> w = new ScheduleWindow(*state, kModeSinkansen);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  auto* command1 = w->findChild<QPushButton*>(QStringLiteral("Command1"));
  EXPECT_EQ(command1->text(), QStringLiteral("終了"));
  w->move(ui::tw(w, 1200), ui::tw(w, 600));
  QTest::keyClick(command1, Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(24).left, 1200);

  w = new ScheduleWindow(*state, kModeSinkansen);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 1200), ui::tw(w, 600)));  // reopens where it was
  w->move(ui::tw(w, 1800), ui::tw(w, 900));
  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(24).top, 900);

  // Enter on the focused 終了 closes it as well.
  w = new ScheduleWindow(*state, kModeSinkansen);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  command1 = w->findChild<QPushButton*>(QStringLiteral("Command1"));
  command1->setFocus();
  QTest::keyClick(command1, Qt::Key_Return);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
}

TEST_F(SatelliteWindowTest, PassingStationsOfTheSelectedLine) {
  board::edit_sinkansen(state->schedule.sin, state->settings, state->day_flags, testing::at(5, 50),
                        state->sinkansen_board);
  ASSERT_EQ(state->sinkansen_board.train_lines, 2);
  auto* w = new PassingWindow(*state, kModeSinkansen, 0);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("通過駅の時刻表示"));
  EXPECT_EQ(text_of(w).toStdString(),
            "品川(05:58) → 名古屋(07:00) → 博多(09:00)　【のぞみ型車両】");
  delete w;

  // A line that carries no train (past the list) shows an empty text.
  w = new PassingWindow(*state, kModeSinkansen, 2);
  EXPECT_TRUE(text_of(w).isEmpty());
  delete w;

  board::edit_keiyo(state->schedule.keiyo, state->settings, state->day_flags, testing::at(5, 40),
                    state->keiyo_board);
  w = new PassingWindow(*state, kModeKeiyo, 0);
  EXPECT_EQ(text_of(w).toStdString(), "舞浜(05:55) → 新習志野(06:05) → 蘇我(06:20)");
  delete w;
}

TEST_F(SatelliteWindowTest, PassingStationsWrapOnlyBetweenStops) {
  testing::SinTables sin;
  const char* names[] = {"東京",   "品川",     "新横浜", "小田原", "熱海",  "三島",
                         "新富士", "静岡",     "掛川",   "浜松",   "豊橋",  "三河安城",
                         "名古屋", "岐阜羽島", "米原",   "京都",   "新大阪"};
  std::vector<int> times;
  for (std::size_t i = 0; i < std::size(names); ++i) {
    sin.get().station_name[1][i + 1] = names[i];
    times.push_back(900 + static_cast<int>(i) * 3);
  }
  sin.get().station_count = static_cast<int>(std::size(names));
  const int m = ++sin.get().train_count[1];
  sin.get().train_id[1][m] = "K601";
  for (std::size_t i = 0; i < times.size(); ++i) sin.get().times[1][i + 1][m] = times[i];
  state->schedule.sin = sin.get();
  state->settings.sinkansen_station = "東京";
  board::edit_sinkansen(state->schedule.sin, state->settings, state->day_flags, testing::at(8, 0),
                        state->sinkansen_board);
  auto w = std::make_unique<PassingWindow>(*state, kModeSinkansen, 0);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  QCoreApplication::processEvents();

  const QString text = text_of(w.get());
  EXPECT_TRUE(text.startsWith(QStringLiteral("東京(09:00) → 品川(09:03) → 新横浜(09:06)")));
  EXPECT_TRUE(text.endsWith(QStringLiteral("京都(09:45) → 新大阪(09:48)")));
  const QTextBlock block = document_of(w.get())->begin();
  const QTextLayout* layout = block.layout();
  ASSERT_GT(layout->lineCount(), 1);
  for (int i = 1; i < layout->lineCount(); ++i) {
    const int start = layout->lineAt(i).textStart();
    EXPECT_EQ(text.mid(start - 3, 3), QStringLiteral(" → "))
        << "line " << i << " starts inside an entry: " << text.mid(start).toStdString();
  }
}

// The window lives ten seconds and cannot be scrolled in that time: the longest stop list
// of the delivered data (an all-stations train from 東京 to 盛岡 with its car-type note)
// shows whole, without a scroll bar.
TEST_F(SatelliteWindowTest, PassingStationsShowTheLongestStopListWhole) {
  testing::SinTables sin;
  sin.stations(1, {{"東京"},
                   {"上野"},
                   {"大宮"},
                   {"小山"},
                   {"宇都宮"},
                   {"那須塩原"},
                   {"新白河"},
                   {"郡山"},
                   {"福島"},
                   {"白石蔵王"},
                   {"仙台"},
                   {"古川"},
                   {"くりこま高原"},
                   {"一ノ関"},
                   {"水沢江刺"},
                   {"北上"},
                   {"新花巻"},
                   {"盛岡"}});
  sin.train(1, "Y041",
            {1220, 1226, 1245, 1304, 1316, 1331, 1341, 1353, 1407, 1422, 1434, 1447, 1456, 1511,
             1520, 1527, 1534, 1544},
            0, "M");
  state->schedule.sin = sin.get();
  state->schedule.edition = data::find_edition(2);
  state->settings.sinkansen_station = "東京";
  board::edit_sinkansen(state->schedule.sin, state->settings, state->day_flags, testing::at(12, 0),
                        state->sinkansen_board);
  auto w = std::make_unique<PassingWindow>(*state, kModeSinkansen, 0);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  QCoreApplication::processEvents();

  auto* box = w->findChild<QTextEdit*>(QStringLiteral("Text1"));
  EXPECT_TRUE(box->toPlainText().endsWith(QStringLiteral("盛岡(15:44)　【オール２階建て車両】")));
  EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << "the last lines are out of sight";
}

TEST_F(SatelliteWindowTest, PassingStationsCloseAfterTenSecondsOutOfUseAndReopenInPlace) {
  QPointer<PassingWindow> w = new PassingWindow(*state, kModeSinkansen, 0);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  auto* timer = w->findChild<QTimer*>(QStringLiteral("Timer1"));
  EXPECT_EQ(timer->interval(), 10000);
  EXPECT_TRUE(timer->isActive());
  w->move(ui::tw(w, 2400), ui::tw(w, 1800));
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.data()));
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
  flush_deletes();
  ASSERT_FALSE(w.isNull()) << "closed while the keyboard was in it";
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(help.count("close"), 1);

  w = new PassingWindow(*state, kModeSinkansen, 0);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 2400), ui::tw(w, 1800)));
  w->move(ui::tw(w, 300), ui::tw(w, 450));
  QTest::keyClick(w->findChild<QWidget*>(QStringLiteral("Text1")), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(state->settings.pos(23).left, 300);
  EXPECT_EQ(state->settings.pos(23).top, 450);
}

}  // namespace
}  // namespace ravolin::board
