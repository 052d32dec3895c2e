// SPDX-License-Identifier: MIT
// The program started on the main window tests' folder (main_window_fixture.h) in a chosen
// language, with the platform fakes: the ground of the tests that look at the board windows
// in one language or the other.
#pragma once

#include "app/navigator.h"
#include "calendar/clock.h"
#include "gui/board/main_window.h"
#include "main_window_fixture.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"
#include "text/language.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board::testing {

class StartedBoard : public ::testing::Test {
 protected:
  explicit StartedBoard(calendar::SystemTime now) : clock(now) {}

  // Writes the default settings, starts the program in `language` and shows the main window;
  // false when the start-up fails.
  bool start(text::Language language) {
    folder.write_settings(default_settings());
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->language = language;
    state->english_texts_missing = english_texts_missing;
    state->end_program = [] {};
    state->process_events = [] { QCoreApplication::processEvents(); };
    app = std::make_unique<app::Navigator>(*state);
    window = app->main_window();
    if (!app->start()) return false;
    window->show();
    return true;
  }

  ProgramFolder folder;
  bool english_texts_missing = false;  // as when ravolin_en.qm cannot be read
  calendar::FixedClock clock;
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  MainWindow* window = nullptr;
};

}  // namespace ravolin::board::testing
