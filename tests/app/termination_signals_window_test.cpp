// SPDX-License-Identifier: MIT
// Logout and shutdown (SIGHUP, SIGTERM) end the program as closing its main window does:
// the settings are stored, the program ends once; while it starts, the signal is only
// remembered.
#include "app/termination_signals.h"

#include "support/started_main_window.h"

#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace ravolin::app {
namespace {

class TerminationSignalsTest : public test_support::StartedMainWindow {
 protected:
  TerminationSignalsTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 11, 9, 5, 0)) {}
};

TEST_F(TerminationSignalsTest, SigtermAndSighupStoreTheSettingsAsTheWindowsCloseDoes) {
  for (const int number : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(number);
    start_main();
    TerminationSignals termination;
    termination.close_on_signal(main);
    state->settings.control2_flg = 1;
    state->settings.st_station = "名古屋";
    end_calls = 0;
    ::raise(number);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, 5000));
    EXPECT_TRUE(termination.received());
    EXPECT_EQ(end_calls, 1);
    EXPECT_NE(folder.read_text(folder.settings_name()).find("st_station=名古屋"),
              std::string::npos);
    app.reset();
  }
}

TEST_F(TerminationSignalsTest, ASignalBeforeTheWindowIsShownIsOnlyRemembered) {
  state =
      std::make_unique<app::AppState>(folder.path(), app::Platform{clock, messages, help, printer});
  state->end_program = [this] { ++end_calls; };
  state->process_events = [] { QCoreApplication::processEvents(); };
  app = std::make_unique<app::Navigator>(*state);
  TerminationSignals termination;
  termination.close_on_signal(app->main_window());
  ::raise(SIGTERM);
  ASSERT_TRUE(QTest::qWaitFor([&] { return termination.received(); }, 5000));
  EXPECT_EQ(end_calls, 0);
  EXPECT_FALSE(folder.exists(folder.settings_name()));
}

}  // namespace
}  // namespace ravolin::app
