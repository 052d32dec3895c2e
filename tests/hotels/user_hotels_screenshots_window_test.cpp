// Pictures of the user hotel list and edit windows on the delivered data, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "support/program_folder.h"
#include "support/screenshot_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <filesystem>

namespace ravolin::hotels {
namespace {

namespace fs = std::filesystem;

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, UserHotelWindowsOnTheDeliveredData) {
  // A copy of the delivered program folder, so the user's hotels go into a folder of our own.
  test_support::ProgramFolder folder;
  for (const auto& f : fs::directory_iterator(delivered_folder()))
    fs::copy(f.path(), fs::path(folder.path()) / f.path().filename());
  folder.write_file(kUserHotelFileName, test_support::to_cp932_crlf(
      "\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,\"京橋駅徒歩１０分\",\"\\10,000\",\"○       \"\n"
      "\"大阪\",\"梅田\",\"ホテル梅田ｲﾝ\",\"06-0000-1234\",48,\"梅田駅徒歩３分\",\"\\7,800\",\"◎       \"\n"
      "\"仙台\",\"仙台駅前\",\"ビジネスホテル青葉城\",\"022-000-5678\",210,\"仙台駅西口すぐ\",\"\\6,500\",\"        \"\n"
      "\"名古屋\",\"栄\",\"栄セントラルホテル\",\"052-000-2468\",95,\"栄駅徒歩２分\",\"\\9,200\",\"○       \"\n"));

  auto state = make_state(folder.path());
  app::Navigator app(*state);
  ASSERT_TRUE(app.start()) << first_message();
  app.open_user_hotels();
  UserHotelsWindow* list = app.user_hotels_window();
  ASSERT_NE(list, nullptr);
  list->move(40, 40);
  auto* list1 = list->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->setCurrentRow(1);
  list1->item(1)->setSelected(true);
  save(list, "user_hotels.png");

  list->open_update();
  HotelEditWindow* edit = app.hotel_edit_window();
  ASSERT_NE(edit, nullptr);
  edit->move(80, 80);
  edit->activateWindow();
  (void)QTest::qWaitForWindowActive(edit);
  edit->findChild<QLineEdit*>(QStringLiteral("Text2"))->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  save(edit, "hotel_edit.png");
  edit->close();
  QCoreApplication::processEvents();
  list->open_add();
  ASSERT_NE(app.hotel_edit_window(), nullptr);
  app.hotel_edit_window()->move(80, 80);
  save(app.hotel_edit_window(), "hotel_edit_add.png");
}

}  // namespace
}  // namespace ravolin::hotels
