// SPDX-License-Identifier: MIT
// The settings window and the station picker on the delivered data.
#include "shots.h"

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/settings/settings_window.h"
#include "gui/settings/station_picker_window.h"
#include "settings/station_picker.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

namespace ravolin::screenshots {

void station_picker_pictures(Shots& shots) {
  auto owned = shots.make_state(Shots::delivered_folder());
  app::AppState& state = *owned;
  app::Navigator app(state);
  shots.start(app);

  QLineEdit target;
  auto* picker = new settings::StationPickerWindow(state, settings::kPickBoardingStation, &target);
  picker->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(2);
  shots.save(picker, "station_picker.png");
  delete picker;

  picker = new settings::StationPickerWindow(state, settings::kPickKeiyoStation, &target);
  shots.save(picker, "station_picker_keiyo.png");
  delete picker;
}

void settings_pictures(Shots& shots) {
  auto state = shots.make_state(shots.program_folder());
  state->process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(*state);
  board::MainWindow& main = *app.main_window();
  shots.start(app);
  main.show();
  app.open_settings();
  shots.save(Shots::need(app.settings_window(), "the settings window"), "settings.png");
}

}  // namespace ravolin::screenshots
