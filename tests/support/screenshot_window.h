// Shared ground of the picture tests that write docs/screenshots: they run only when
// RAVOLIN_SCREENSHOT_DIR names the folder to write to, on a fixed clock with fake
// message boxes, help viewer and printer.
#pragma once

#include "state/app_state.h"
#include "support/fixed_clock.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class QWidget;

namespace ravolin::test_support {

class ScreenshotTest : public ::testing::Test {
 protected:
  // Skips the test unless RAVOLIN_SCREENSHOT_DIR is set; makes that folder.
  void SetUp() override;

  // The program folder the pictures show: RAVOLIN_SCREENSHOT_PROGRAM_DIR if set, else the
  // delivered Tokaido folder.
  static std::string program_folder();
  static std::string delivered_folder();

  // An application state on `folder` with this test's clock and fakes (or `printer`).
  std::unique_ptr<app::AppState> make_state(const std::string& folder);
  std::unique_ptr<app::AppState> make_state(const std::string& folder, ui::Printer& printer);

  // The first message shown, for failure output.
  std::string first_message() const;

  // Shows `w`, waits until it is on screen and writes its picture as dir/name.
  void save(QWidget* w, const char* name);

  std::string dir;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
};

}  // namespace ravolin::test_support
