// Pictures of the hotel windows on the delivered data, for docs/screenshots. Runs only
// when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "hotels/area_picker_window.h"
#include "hotels/district_window.h"
#include "hotels/hotel_list_window.h"
#include "hotels/hotel_search_window.h"
#include "ui/fake_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace ravolin::hotels {
namespace {

void save(QWidget* w, const std::string& dir, const char* name) {
  ASSERT_NE(w, nullptr) << name;
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, HotelWindowsOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  const char* folder = std::getenv("RAVOLIN_SCREENSHOT_PROGRAM_DIR");
  auto state = std::make_unique<app::AppState>(folder ? folder : RAVOLIN_PROGRAM_DIR "/tokaido",
                                               app::Platform{clock, messages, help, printer});
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};
  board::MainWindow main(*state);
  ASSERT_TRUE(main.start()) << (messages.shown().empty() ? "" : messages.shown()[0].request.text);
  state->settings.control9_flg = 4;
  state->settings.departure_ground = {"", "東京／羽田", "大阪／伊丹", "名古屋", "", ""};

  main.open_hotel_search();
  HotelSearchWindow* search = main.hotel_search_window();
  save(search, dir, "hotel_search.png");

  search->open_area_picker();
  QWidget* picker = find_hotel_window("ravolin15");
  save(picker, dir, "area_picker.png");
  picker->close();

  search->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("東京／羽田"));
  QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  QWidget* list = find_hotel_window("ravolin6");
  save(list, dir, "hotel_list.png");

  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  QWidget* districts = find_hotel_window("ravolin7");
  ASSERT_NE(districts, nullptr);
  auto* list1 = districts->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->item(1)->setSelected(true);
  districts->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  list1->item(2)->setSelected(true);
  save(districts, dir, "district_selection.png");
  EXPECT_TRUE(messages.shown().empty()) << messages.shown()[0].request.text;
}

}  // namespace
}  // namespace ravolin::hotels
