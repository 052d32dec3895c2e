// Pictures of the hotel windows on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/hotel_list_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "support/screenshot_window.h"
#include "hotels/find_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace ravolin::hotels {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, HotelWindowsOnTheDeliveredData) {
  auto state = make_state(program_folder());
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};
  app::Navigator app(*state);
  ASSERT_TRUE(app.start()) << first_message();
  state->settings.control9_flg = 4;
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};

  app.open_hotel_search();
  HotelSearchWindow* search = app.hotel_search_window();
  save(search, "hotel_search.png");

  search->open_area_picker();
  QWidget* picker = find_hotel_window("ravolin15");
  save(picker, "area_picker.png");
  picker->close();

  search->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("東京／羽田"));
  QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  QWidget* list = find_hotel_window("ravolin6");
  save(list, "hotel_list.png");

  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  QWidget* districts = find_hotel_window("ravolin7");
  ASSERT_NE(districts, nullptr);
  auto* list1 = districts->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->item(1)->setSelected(true);
  districts->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  list1->item(2)->setSelected(true);
  save(districts, "district_selection.png");
  EXPECT_TRUE(messages.shown().empty()) << messages.shown()[0].request.text;
}

}  // namespace
}  // namespace ravolin::hotels
