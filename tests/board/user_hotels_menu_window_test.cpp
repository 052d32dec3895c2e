// SPDX-License-Identifier: MIT
// The main window's menu entry for the user hotel list: one list at a time, brought
// forward with its changes on a second opening, and closed with the main window.
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

TEST(UserHotelsMenu, OpensOneListAndClosesItWithTheMainWindow) {
  testing::ProgramFolder folder;
  folder.write_settings(testing::default_settings());
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state(folder.path(), app::Platform{clock, messages, help, printer});
  int end_calls = 0;
  state.end_program = [&] { ++end_calls; };
  state.process_events = [] { QCoreApplication::processEvents(); };
  auto app = std::make_unique<app::Navigator>(state);
  auto* window = app->main_window();
  ASSERT_TRUE(app->start());
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  QAction* entry = window->findChild<QAction*>(QStringLiteral("menu_edit_hotels"));
  ASSERT_NE(entry, nullptr);
  entry->trigger();
  QPointer<hotels::UserHotelsWindow> list = app->user_hotels_window();
  ASSERT_FALSE(list.isNull());
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 0);
  entry->trigger();  // the open list comes forward; a second one would lose the first's edits
  EXPECT_EQ(app->user_hotels_window(), list.data());

  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(list.isNull());
  EXPECT_FALSE(std::filesystem::exists(state.user_hotels_path()));  // closed without storing
}

}  // namespace
}  // namespace ravolin::board
