#include "support/screenshot_window.h"

#include <QCoreApplication>
#include <QString>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <filesystem>

namespace ravolin::test_support {

void ScreenshotTest::SetUp() {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  dir = out;
  std::filesystem::create_directories(dir);
}

std::string ScreenshotTest::delivered_folder() { return RAVOLIN_PROGRAM_DIR "/tokaido"; }

std::string ScreenshotTest::program_folder() {
  const char* folder = std::getenv("RAVOLIN_SCREENSHOT_PROGRAM_DIR");
  return folder ? folder : delivered_folder();
}

std::unique_ptr<app::AppState> ScreenshotTest::make_state(const std::string& folder) {
  return make_state(folder, printer);
}

std::unique_ptr<app::AppState> ScreenshotTest::make_state(const std::string& folder,
                                                          ui::Printer& with_printer) {
  return std::make_unique<app::AppState>(folder,
                                         app::Platform{clock, messages, help, with_printer});
}

std::string ScreenshotTest::first_message() const {
  return messages.shown().empty() ? "" : messages.shown()[0].request.text;
}

void ScreenshotTest::save(QWidget* w, const char* name) {
  ASSERT_NE(w, nullptr) << name;
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

}  // namespace ravolin::test_support
