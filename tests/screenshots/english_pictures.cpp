// SPDX-License-Identifier: MIT
// The English edition: the main window, the timetable with its key, the hotel list, the
// settings, the date and time correction, a hotel entry and the user's hotels on the
// delivered data (the search windows are taken with the other search pictures).
#include "shots.h"

#include "app/navigator.h"
#include "board/board.h"
#include "gui/board/main_window.h"
#include "gui/board/schedule_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/translation.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "gui/settings/settings_window.h"
#include "hotels/find_window.h"
#include "hotels/user_hotels.h"
#include "support/program_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace ravolin::screenshots {

namespace {

// The user's hotel list in English on a copy of the delivered folder: Latin and Japanese
// entries, areas and districts by their English names.
void user_hotels_picture(Shots& shots) {
  namespace fs = std::filesystem;
  test_support::ProgramFolder folder;
  for (const auto& f : fs::directory_iterator(Shots::delivered_folder()))
    fs::copy(f.path(), fs::path(folder.path()) / f.path().filename());
  folder.write_file(hotels::kUserHotelFileName,
                    test_support::to_cp932_crlf(
                        "\"大阪／伊丹\",\"梅田\",\"Ravolin Hotel Umeda\",\"06-1234-5678\","
                        "120,\"\",\"\\9,800\",\"        \"\n"
                        "\"東京\",\"京橋\",\"ラボリンホテル\",\"012-345-6789\",123,"
                        "\"京橋駅徒歩１０分\",\"\\10,000\",\"○       \"\n"
                        "\"京都\",\"京都\",\"Kyoto Station Inn\",\"075-000-1111\",40,"
                        "\"\",\"\\7,000\",\"        \"\n"));
  auto state = shots.make_state(folder.path());
  state->language = text::Language::kEnglish;
  app::Navigator app(*state);
  shots.start(app);
  app.open_user_hotels();
  QWidget* list = Shots::need(app.user_hotels_window(), "the English user hotel list");
  list->move(40, 40);
  shots.save(list, "user_hotels_en.png");
  list->close();
}

}  // namespace

void english_pictures(Shots& shots) {
  const QString folder = QString::fromStdString(Shots::delivered_folder());
  Shots::check(ui::use_language(*qApp, text::Language::kEnglish, folder),
               "no English translation in the program folder");
  struct BackToJapanese {
    QString folder;
    ~BackToJapanese() { ui::use_language(*qApp, text::Language::kJapanese, folder); }
  } back{folder};

  auto state = shots.make_state(Shots::delivered_folder());
  state->language = text::Language::kEnglish;
  state->process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(*state);
  shots.start(app);
  board::MainWindow& main = *app.main_window();
  main.move(40, 40);
  shots.save(&main, "main_en.png");

  app.open_full_schedule(board::kModeSinkansen);
  shots.save(Shots::need(app.schedule_window(), "the English timetable"), "full_schedule_en.png");
  app.schedule_window()->close();

  app.open_hotel_search();
  hotels::HotelSearchWindow* search =
      Shots::need(app.hotel_search_window(), "the English hotel search window");
  search->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Tokyo/Haneda"));
  QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  QWidget* list = Shots::need(hotels::find_hotel_window("ravolin6"), "the English hotel list");
  shots.save(list, "hotel_list_en.png");
  list->close();
  search->close();

  app.open_settings();
  shots.save(Shots::need(app.settings_window(), "the English settings window"), "settings_en.png");
  app.settings_window()->close();

  app.open_correction();
  shots.save(Shots::need(app.correction_window(), "the English correction window"),
             "correction_en.png");
  app.correction_window()->close();

  app.open_user_hotels();
  hotels::UserHotelsWindow* hotels =
      Shots::need(app.user_hotels_window(), "the English user hotel list");
  hotels->open_add();
  hotels::HotelEditWindow* edit = Shots::need(app.hotel_edit_window(), "the English hotel entry");
  edit->move(80, 80);
  edit->activateWindow();
  (void)QTest::qWaitForWindowActive(edit);
  edit->findChild<QLineEdit*>(QStringLiteral("Text5"))->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  shots.save(edit, "hotel_edit_en.png");
  edit->close();
  hotels->close();

  user_hotels_picture(shots);
}

}  // namespace ravolin::screenshots
