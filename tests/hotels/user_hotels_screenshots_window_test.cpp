// Pictures of the user hotel list and edit windows on the delivered data, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "hotels/hotel_edit_window.h"
#include "hotels/user_hotels_window.h"
#include "ui/fake_platform.h"

#include "support/program_folder.h"

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

namespace fs = std::filesystem;

void save(QWidget* w, const std::string& dir, const char* name) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, UserHotelWindowsOnTheDeliveredData) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  fs::create_directories(dir);

  // A copy of the delivered program folder, so the user's hotels go into a folder of our own.
  test_support::ProgramFolder folder;
  for (const auto& f : fs::directory_iterator(RAVOLIN_PROGRAM_DIR "/tokaido"))
    fs::copy(f.path(), fs::path(folder.path()) / f.path().filename());
  folder.write_file(kUserHotelFileName, test_support::to_cp932_crlf(
      "\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,\"京橋駅徒歩１０分\",\"\\10,000\",\"○       \"\n"
      "\"大阪\",\"梅田\",\"ホテル梅田ｲﾝ\",\"06-0000-1234\",48,\"梅田駅徒歩３分\",\"\\7,800\",\"◎       \"\n"
      "\"仙台\",\"仙台駅前\",\"ビジネスホテル青葉城\",\"022-000-5678\",210,\"仙台駅西口すぐ\",\"\\6,500\",\"        \"\n"
      "\"名古屋\",\"栄\",\"栄セントラルホテル\",\"052-000-2468\",95,\"栄駅徒歩２分\",\"\\9,200\",\"○       \"\n"));

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  auto state = std::make_unique<app::AppState>(folder.path(),
                                               app::Platform{clock, messages, help, printer});
  board::MainWindow main(*state);
  ASSERT_TRUE(main.start()) << (messages.shown().empty() ? "" : messages.shown()[0].request.text);
  main.open_user_hotels();
  UserHotelsWindow* list = main.user_hotels_window();
  ASSERT_NE(list, nullptr);
  list->move(40, 40);
  auto* list1 = list->findChild<QListWidget*>(QStringLiteral("List1"));
  list1->setCurrentRow(1);
  list1->item(1)->setSelected(true);
  save(list, dir, "user_hotels.png");

  list->open_update();
  HotelEditWindow* edit = list->edit_window();
  ASSERT_NE(edit, nullptr);
  edit->move(80, 80);
  edit->activateWindow();
  (void)QTest::qWaitForWindowActive(edit);
  edit->findChild<QLineEdit*>(QStringLiteral("Text2"))->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  save(edit, dir, "hotel_edit.png");
  edit->close();
  QCoreApplication::processEvents();
  list->open_add();
  ASSERT_NE(list->edit_window(), nullptr);
  list->edit_window()->move(80, 80);
  save(list->edit_window(), dir, "hotel_edit_add.png");
}

}  // namespace
}  // namespace ravolin::hotels
