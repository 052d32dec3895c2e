// SPDX-License-Identifier: MIT
// Where the delivered settings files open each window: on a 1280x1024 screen every window
// opens beside the main window, never over its lists, and all three editions agree.
#include "app/navigator.h"
#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/calendar/calendar_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/window_conventions.h"
#include "gui/settings/station_picker_window.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include <QLineEdit>
#include <QRect>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace ravolin::settings {
namespace {

constexpr int kScreenWidth = 1280 * 15;  // twips at 96 dpi
constexpr int kScreenHeight = 1024 * 15;
// What a window manager adds around a window: borders and the title bar.
constexpr int kFrameWidth = 8 * 15;
constexpr int kFrameHeight = 32 * 15;

std::string read_resource(const std::string& name) {
  std::ifstream in(std::string(RAVOLIN_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// The window's outer rectangle in twips when opened at its stored position.
QRect outer(const QWidget& w, const WindowPos& pos) {
  const double dpi = ui::logical_dpi(&w);
  return QRect(pos.left, pos.top, ui::pixels_to_twips(w.width(), dpi) + kFrameWidth,
               ui::pixels_to_twips(w.height(), dpi) + kFrameHeight);
}

TEST(DeliveredPositions, EveryWindowOpensBesideTheMainWindow) {
  const std::string folder = std::string(RAVOLIN_PROGRAM_DIR) + "/tokaido";
  if (!std::filesystem::exists(folder + "/ravolinh.dat")) GTEST_SKIP() << "no delivered data";
  const Settings delivered = parse_settings(read_resource("ravolin2.ini"));
  for (const char* other : {"ravolin3.ini", "ravolin4.ini"}) {
    const Settings s = parse_settings(read_resource(other));
    for (int id : kFormWindows) {
      EXPECT_EQ(s.pos(id).top, delivered.pos(id).top) << other << " ravolin" << id;
      EXPECT_EQ(s.pos(id).left, delivered.pos(id).left) << other << " ravolin" << id;
    }
  }

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state(folder, app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] {};
  app::Navigator app(state);
  board::MainWindow& main = *app.main_window();
  ASSERT_TRUE(app.start());
  state.settings = delivered;
  const QRect main_rect = outer(main, delivered.pos(1));
  EXPECT_LE(main_rect.right(), 9600);
  EXPECT_LE(main_rect.bottom(), 7920);

  QLineEdit target;
  std::vector<std::pair<int, std::unique_ptr<QWidget>>> windows;
  windows.emplace_back(
      4, std::make_unique<calendar::CalendarWindow>(state, calendar::CalendarWindow::Targets{}));
  windows.emplace_back(9, std::make_unique<board::VersionWindow>(state, nullptr));
  windows.emplace_back(11, std::make_unique<board::LoadingWindow>(state, board::kLoadingStartup));
  windows.emplace_back(
      21, std::make_unique<calendar::CorrectionWindow>(state, calendar::CorrectionWindow::Ways{}));
  windows.emplace_back(22, std::make_unique<StationPickerWindow>(state, 2, &target));
  windows.emplace_back(23, std::make_unique<board::PassingWindow>(state, board::kModeSinkansen, 0));
  windows.emplace_back(24, std::make_unique<board::ScheduleWindow>(state, board::kModeSinkansen));
  const QRect screen(0, 0, kScreenWidth, kScreenHeight);
  for (const auto& [id, w] : windows) {
    const QRect r = outer(*w, delivered.pos(id));
    EXPECT_FALSE(r.intersects(main_rect)) << "ravolin" << id << " covers the main window";
    EXPECT_TRUE(screen.contains(r)) << "ravolin" << id << " runs off a 1280x1024 screen";
  }
  // The windows built elsewhere open at least clear of the main window, with room to show.
  for (int id : kFormWindows) {
    if (id == 1) continue;
    const WindowPos& p = delivered.pos(id);
    EXPECT_FALSE(main_rect.contains(p.left, p.top)) << "ravolin" << id;
    EXPECT_TRUE(p.left >= main_rect.right() || p.top >= main_rect.bottom()) << "ravolin" << id;
    EXPECT_LE(p.left, kScreenWidth - 3600) << "ravolin" << id;
    EXPECT_LE(p.top, kScreenHeight - 3600) << "ravolin" << id;
  }
}

}  // namespace
}  // namespace ravolin::settings
