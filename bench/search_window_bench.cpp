// SPDX-License-Identifier: MIT
// The route search as the user runs it on the delivered edition-1 data: from 検索開始 in
// the conditions window to the results window filled (checks, loading window, search,
// report, fare text, texts in the widgets). Goal: at most 50 ms.
//
//   build/search_window_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Cases: the whole corridor (東京 → 博多, and back) with two changes, waits of up to
// 120 minutes and every connection listed, over the widest departure window two changes
// allow (3 hours: 06:00-08:59, and the busier 12:00-14:59), arriving any time of the day.
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/search/results_window.h"
#include "gui/search/search_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace ravolin;

struct Case {
  const char* from;
  const char* to;
  const char* hour1;
  const char* hour2;
};

void BM_SearchStartToResultsFilled(benchmark::State& bs, Case c) {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;  // OK to the two-changes question
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state(RAVOLIN_PROGRAM_DIR "/tokaido",
                      app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(state);
  if (!app.start()) {
    bs.SkipWithError("start-up failed (is the delivered data built?)");
    return;
  }
  std::size_t report_size = 0;
  for (auto _ : bs) {
    bs.PauseTiming();
    app.open_search();
    search::SearchWindow* w = app.search_window();
    const char* const fields[][2] = {{"1", c.from}, {"2", c.hour1}, {"3", "0"},    {"4", c.hour2},
                                     {"5", "59"},   {"6", c.to},    {"7", "6"},    {"8", "0"},
                                     {"9", "23"},   {"10", "59"},   {"11", "120"}, {"13", "2000"},
                                     {"14", "3"},   {"15", "14"}};
    for (const auto& f : fields)
      w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(f[0]))
          ->setText(QString::fromUtf8(f[1]));
    w->findChild<QRadioButton*>(QStringLiteral("Option5"))->setChecked(true);
    w->findChild<QRadioButton*>(QStringLiteral("Option7"))->setChecked(true);
    auto* start = w->findChild<QPushButton*>(QStringLiteral("Command1"));
    bs.ResumeTiming();

    start->click();
    search::ResultsWindow* r = app.results_window();
    if (!r) {
      bs.SkipWithError("no results window");
      break;
    }
    report_size = r->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText().size();

    bs.PauseTiming();
    r->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    messages.clear();
    bs.ResumeTiming();
  }
  bs.counters["results"] = state.search_result.count;
  bs.counters["report_chars"] = static_cast<double>(report_size);
}

BENCHMARK_CAPTURE(BM_SearchStartToResultsFilled, down_morning, Case{"東京", "博多", "6", "8"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchStartToResultsFilled, down_midday, Case{"東京", "博多", "12", "14"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchStartToResultsFilled, up_morning, Case{"博多", "東京", "6", "8"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
