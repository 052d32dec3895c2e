// SPDX-License-Identifier: MIT
// A main window started on a small edition-1 program folder, with a fixed clock and fake
// message boxes, help viewer and printer: the ground of the tests of the windows it opens.
#pragma once

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"

#include "support/data_builder.h"
#include "support/program_folder.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::test_support {

class StartedMainWindow : public ::testing::Test {
 protected:
  explicit StartedMainWindow(calendar::SystemTime now) : clock(now) {}

  // Loads the folder with its settings file as it stands and starts the main window on it,
  // shown. Ending the program counts in end_calls.
  void start_main() {
    ASSERT_TRUE(start_program());
    main->show();
  }
  // The start-up alone, which may fail (a damaged data file): what app->start() says.
  bool start_program() {
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->language = language;  // the windows' language, fixed before any is built
    state->end_program = [this] { ++end_calls; };
    state->process_events = [] { QCoreApplication::processEvents(); };
    app = std::make_unique<app::Navigator>(*state);
    main = app->main_window();
    return app->start();
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ProgramFolder folder{small_sources(1)};
  calendar::FixedClock clock;
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  // English: the test also installs the English texts (ui::use_language) before start_main.
  text::Language language = text::Language::kJapanese;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  board::MainWindow* main = nullptr;
  int end_calls = 0;
};

}  // namespace ravolin::test_support
