// SPDX-License-Identifier: MIT
// The tray icon of the main window with a fake tray and a fake clock: the tooltip follows
// the refresh, a notification comes when a listed train's line gains "急げ!!" and only
// then, the switch in the tray menu, the menu's show/hide and exit, and no tray at all.
#include "app/navigator.h"
#include "board/next_train.h"
#include "gui/board/main_window.h"
#include "state/app_state.h"
#include "state/tray.h"
#include "support/fake_platform.h"

#include "main_window_fixture.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

using testing::ProgramFolder;

class TrayTest : public ::testing::Test {
 protected:
  bool start(ui::Tray* t, int notify) {
    settings::Settings s = testing::default_settings();
    s.tray_notify = static_cast<std::int16_t>(notify);
    folder.write_settings(s);
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer, t});
    state->end_program = [this] { ++end_calls; };
    app = std::make_unique<app::Navigator>(*state);
    window = app->main_window();
    if (!app->start()) return false;
    window->show();
    return QTest::qWaitForWindowExposed(window);
  }
  void at(int hour, int minute) {
    clock.move_to(calendar::make_system_time(2000, 3, 15, hour, minute, 0));
    window->refresh();
  }

  ProgramFolder folder;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 15, 8, 50, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  ui::FakeTray tray;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  MainWindow* window = nullptr;
  int end_calls = 0;
};

TEST_F(TrayTest, TooltipShowsTheFirstLineOfEachList) {
  ASSERT_TRUE(start(&tray, 0));
  ASSERT_TRUE(tray.shown());
  const std::string expected = tray_tooltip(state->sinkansen_board, state->keiyo_board, true);
  EXPECT_EQ(tray.tooltip(), expected);
  EXPECT_EQ(expected.rfind("ラボリン\n" + state->sinkansen_board.caption + "\n" +
                               state->sinkansen_board.lines.front() + "\n",
                           0),
            0u);
  at(9, 12);
  EXPECT_EQ(tray.tooltip(), tray_tooltip(state->sinkansen_board, state->keiyo_board, true));
  EXPECT_NE(tray.tooltip(), expected);
}

TEST_F(TrayTest, NotifiesOnceWhenALineGainsTheHurryMark) {
  ASSERT_TRUE(start(&tray, 1));
  // 8:50: K005 (品川 9:10) is in reach at a walk; nothing to tell at start-up.
  EXPECT_TRUE(tray.notifications().empty());
  at(8, 55);  // K005 now needs hurrying
  ASSERT_EQ(tray.notifications().size(), 1u);
  EXPECT_NE(tray.notifications()[0].find("急げ!!"), std::string::npos);
  EXPECT_NE(tray.notifications()[0].find("こだま"), std::string::npos);
  at(8, 56);  // still hurrying: no second notice
  EXPECT_EQ(tray.notifications().size(), 1u);
  at(9, 0);  // N001 (9:15) joins
  EXPECT_EQ(tray.notifications().size(), 2u);

  // Switched off in the tray menu: the watch goes on, nothing is shown.
  ASSERT_TRUE(tray.trigger("notify"));
  EXPECT_EQ(state->settings.tray_notify, 0);
  at(10, 15);
  EXPECT_EQ(tray.notifications().size(), 2u);
}

TEST_F(TrayTest, MenuShowsHidesAndEndsTheUsualWay) {
  ASSERT_TRUE(start(&tray, 0));
  ASSERT_TRUE(tray.trigger("show"));
  EXPECT_FALSE(window->isVisible());
  ASSERT_TRUE(tray.trigger("show"));
  EXPECT_TRUE(window->isVisible());
  ASSERT_TRUE(tray.trigger("exit"));  // as 終了: the close step writes the settings
  EXPECT_FALSE(tray.shown());
  EXPECT_NE(folder.settings_bytes().find("ravolin1_top"), std::string::npos);
}

TEST_F(TrayTest, WithoutATrayNothingChanges) {
  ui::FakeTray none(false);
  ASSERT_TRUE(start(&none, 1));
  at(8, 55);
  EXPECT_FALSE(none.shown());
  EXPECT_TRUE(none.notifications().empty());
  ASSERT_TRUE(start(nullptr, 1));
  at(8, 55);
}

}  // namespace
}  // namespace ravolin::board
