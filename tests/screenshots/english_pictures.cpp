// SPDX-License-Identifier: MIT
// The English edition: the main window, the hotel list and the settings window on the
// delivered data (the search windows are taken with the other search pictures).
#include "shots.h"

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/translation.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "gui/settings/settings_window.h"
#include "hotels/find_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace ravolin::screenshots {

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
}

}  // namespace ravolin::screenshots
