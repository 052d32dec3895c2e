// SPDX-License-Identifier: MIT
// The hotel windows and the user hotel list on the delivered data.
#include "shots.h"

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/district_window.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/hotel_list_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "hotels/find_window.h"
#include "support/program_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace ravolin::screenshots {

void hotel_pictures(Shots& shots) {
  auto state = shots.make_state(shots.program_folder());
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};
  app::Navigator app(*state);
  shots.start(app);
  state->settings.control9_flg = 4;
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};

  app.open_hotel_search();
  hotels::HotelSearchWindow* search =
      Shots::need(app.hotel_search_window(), "the hotel search window");
  shots.save(search, "hotel_search.png");

  search->open_area_picker();
  QWidget* picker = Shots::need(hotels::find_hotel_window("ravolin15"), "the area picker");
  shots.save(picker, "area_picker.png");
  picker->close();

  search->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("東京／羽田"));
  QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  QWidget* list = Shots::need(hotels::find_hotel_window("ravolin6"), "the hotel list");
  shots.save(list, "hotel_list.png");

  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  QWidget* districts = Shots::need(hotels::find_hotel_window("ravolin7"), "the district selection");
  auto* list1 = districts->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->item(1)->setSelected(true);
  districts->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  list1->item(2)->setSelected(true);
  shots.save(districts, "district_selection.png");
  Shots::check(shots.messages.shown().empty(), "a message was shown: " + shots.first_message());
}

void user_hotel_pictures(Shots& shots) {
  namespace fs = std::filesystem;
  // A copy of the delivered program folder, so the user's hotels go into a folder of our own.
  test_support::ProgramFolder folder;
  for (const auto& f : fs::directory_iterator(Shots::delivered_folder()))
    fs::copy(f.path(), fs::path(folder.path()) / f.path().filename());
  folder.write_file(
      hotels::kUserHotelFileName,
      test_support::to_cp932_crlf("\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,"
                                  "\"京橋駅徒歩１０分\",\"\\10,000\",\"○       \"\n"
                                  "\"大阪\",\"梅田\",\"ホテル梅田ｲﾝ\",\"06-0000-1234\",48,"
                                  "\"梅田駅徒歩３分\",\"\\7,800\",\"◎       \"\n"
                                  "\"仙台\",\"仙台駅前\",\"ビジネスホテル青葉城\",\"022-000-5678\","
                                  "210,\"仙台駅西口すぐ\",\"\\6,500\",\"        \"\n"
                                  "\"名古屋\",\"栄\",\"栄セントラルホテル\",\"052-000-2468\",95,"
                                  "\"栄駅徒歩２分\",\"\\9,200\",\"○       \"\n"));

  auto state = shots.make_state(folder.path());
  app::Navigator app(*state);
  shots.start(app);
  app.open_user_hotels();
  hotels::UserHotelsWindow* list = Shots::need(app.user_hotels_window(), "the user hotel list");
  list->move(40, 40);
  auto* list1 = list->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->setCurrentRow(1);
  list1->item(1)->setSelected(true);
  shots.save(list, "user_hotels.png");

  list->open_update();
  hotels::HotelEditWindow* edit = Shots::need(app.hotel_edit_window(), "the hotel edit window");
  edit->move(80, 80);
  edit->activateWindow();
  (void)QTest::qWaitForWindowActive(edit);
  edit->findChild<QLineEdit*>(QStringLiteral("Text2"))->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  shots.save(edit, "hotel_edit.png");
  edit->close();
  QCoreApplication::processEvents();
  list->open_add();
  Shots::need(app.hotel_edit_window(), "the hotel edit window for a new hotel")->move(80, 80);
  shots.save(app.hotel_edit_window(), "hotel_edit_add.png");
}

}  // namespace ravolin::screenshots
