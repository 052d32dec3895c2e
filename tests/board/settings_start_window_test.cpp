// SPDX-License-Identifier: MIT
// The main window's start-up with a missing, damaged or unreadable settings file: the
// user is told once, works on, and loses nothing at exit.
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "main_window_fixture.h"

#include <QApplication>
#include <QListWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace ravolin::board {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class SettingsStartTest : public ::testing::Test {
 protected:
  bool start() {
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->process_events = [] { QCoreApplication::processEvents(); };
    app = std::make_unique<app::Navigator>(*state);
    window = app->main_window();
    return app->start();
  }
  testing::ProgramFolder folder;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  MainWindow* window = nullptr;
};

TEST_F(SettingsStartTest, MissingFileStartsQuietlyFromTheDeliveredSettings) {
  fs::remove(folder.settings_path());
  ASSERT_TRUE(start());
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(state->settings.sinkansen_station, "東京");
  EXPECT_EQ(state->settings.keiyo_use, 1);
  EXPECT_GT(window->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 0);
  window->close();
  // The file written at exit holds the delivered settings; only the loading window, the one
  // window shown, has stored where it was (pulled onto this small offscreen screen).
  settings::Settings delivered =
      settings::parse_settings(slurp(fs::path(RAVOLIN_SOURCE_DIR) / "resources" / "ravolin2.ini"));
  const settings::Settings written = settings::parse_settings(folder.settings_bytes());
  delivered.pos(11) = written.pos(11);
  EXPECT_EQ(settings::format_settings(written), settings::format_settings(delivered));
}

TEST_F(SettingsStartTest, DamagedFileIsReportedOnceAndKeptAsACopyAtExit) {
  settings::Settings s = testing::default_settings();
  s.control2_flg = 1;
  std::string damaged = settings::format_settings(s);
  damaged.replace(damaged.find("[Sinkansen_line]"), 16, std::string("[Sinkansen\0line]", 16));
  { std::ofstream(folder.settings_path(), std::ios::binary) << damaged; }
  ASSERT_TRUE(start());
  ASSERT_EQ(messages.shown().size(), 1u);
  const std::string& text = messages.shown()[0].request.text;
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_NE(text.find("壊れています"), std::string::npos) << text;
  EXPECT_NE(text.find("ravolin2.ini"), std::string::npos) << text;
  EXPECT_EQ(state->settings.keiyo_station, "舞浜");  // the sound sections were read
  window->close();
  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(slurp(settings::damaged_copy_path(folder.settings_path())), damaged);
  std::string problem;
  settings::parse_settings(folder.settings_bytes(), problem);
  EXPECT_EQ(problem, "");
}

TEST_F(SettingsStartTest, UnreadableFileIsReportedAndLeftAsItIs) {
  fs::remove(folder.settings_path());
  fs::create_directories(fs::path(folder.settings_path()) / "keep");  // cannot be read as a file
  ASSERT_TRUE(start());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].request.text.find("動作環境ファイルを読めません"),
            std::string::npos);
  EXPECT_EQ(state->settings.sinkansen_station, "東京");
  window->close();
  EXPECT_TRUE(fs::is_directory(fs::path(folder.settings_path()) / "keep"));
}

}  // namespace
}  // namespace ravolin::board
