// SPDX-License-Identifier: MIT
// ホテル検索 on the main window: the button and the menu entry open one hotel search
// window, which closes with the main window.
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "support/fake_platform.h"

#include "board/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

// The program started on a small edition-1 folder with the delivered settings, shown.
class MainWindowHotels : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.write_settings(testing::default_settings());
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    app = std::make_unique<app::Navigator>(*state);
    window = app->main_window();
    ASSERT_TRUE(app->start());
    window->show();
  }

  testing::ProgramFolder folder;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  MainWindow* window = nullptr;
};

TEST_F(MainWindowHotels, ButtonAndMenuOpenOneHotelSearchWindowThatClosesWithTheMainWindow) {
  EXPECT_EQ(app->hotel_search_window(), nullptr);
  QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
  QPointer<hotels::HotelSearchWindow> search = app->hotel_search_window();
  ASSERT_NE(search, nullptr);
  EXPECT_TRUE(search->isVisible());
  EXPECT_EQ(search->objectName(), QStringLiteral("ravolin12"));

  window->findChild<QAction*>(QStringLiteral("menu_view_hotels"))->trigger();
  EXPECT_EQ(app->hotel_search_window(), search.data());
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    open += w->objectName() == QStringLiteral("ravolin12") && w->isVisible();
  EXPECT_EQ(open, 1);

  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(search == nullptr || !search->isVisible());
}

TEST_F(MainWindowHotels, OpeningTheUserHotelListMakesTheHotelListReadEverythingAgain) {
  state->hotels_loaded = true;  // the hotel list has read the table
  window->findChild<QAction*>(QStringLiteral("menu_edit_hotels"))->trigger();
  QPointer<hotels::UserHotelsWindow> list = app->user_hotels_window();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(state->hotels_loaded);
  // Left with 取消, the file is not written, and still the next hotel list reads it anew.
  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(list == nullptr || !list->isVisible());
  EXPECT_FALSE(state->hotels_loaded);
  window->close();
}

}  // namespace
}  // namespace ravolin::board
