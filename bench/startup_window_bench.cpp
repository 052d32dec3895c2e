// SPDX-License-Identifier: MIT
// Start-up of the program on the delivered data (from the main window's start to the
// window shown with both lists filled) and one full refresh of the main window.
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace ravolin;

struct Fakes {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
};

std::unique_ptr<app::AppState> make_state(Fakes& f) {
  auto state = std::make_unique<app::AppState>(
      RAVOLIN_PROGRAM_DIR "/tokaido", app::Platform{f.clock, f.messages, f.help, f.printer});
  state->process_events = [] { QCoreApplication::processEvents(); };
  return state;
}

void BM_StartUpToMainWindowShown(benchmark::State& bs) {
  Fakes f;
  for (auto _ : bs) {
    auto state = make_state(f);
    app::Navigator nav(*state);
    board::MainWindow& w = *nav.main_window();
    if (!nav.start()) {
      bs.SkipWithError("start-up failed (is the delivered data built?)");
      break;
    }
    w.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(w.findChild<QListWidget*>(QStringLiteral("List1"))->count());
  }
}
BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);

void BM_MainWindowRefresh(benchmark::State& bs) {
  Fakes f;
  auto state = make_state(f);
  app::Navigator nav(*state);
  board::MainWindow& w = *nav.main_window();
  if (!nav.start()) {
    bs.SkipWithError("start-up failed (is the delivered data built?)");
    return;
  }
  w.show();
  QCoreApplication::processEvents();
  // Daytime refreshes with full lists: 09:05 and 09:06 in turn.
  const auto at_0905 = calendar::make_system_time(2000, 3, 13, 9, 5, 0);
  const auto at_0906 = calendar::make_system_time(2000, 3, 13, 9, 6, 0);
  bool odd = false;
  for (auto _ : bs) {
    f.clock.move_to((odd = !odd) ? at_0906 : at_0905);
    w.refresh();
  }
}
BENCHMARK(BM_MainWindowRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
