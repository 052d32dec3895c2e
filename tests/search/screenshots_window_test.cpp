// Pictures of the route search windows on the delivered data and of one printed page, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "state/app_state.h"
#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/search/results_window.h"
#include "gui/search/search_window.h"
#include "support/screenshot_window.h"
#include "gui/common/qt_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>

namespace ravolin::search {
namespace {

using Screenshots = test_support::ScreenshotTest;

TEST_F(Screenshots, SearchWindowsAndAPrintedPage) {
  ui::QtPrinter pdf_printer;
  auto owned = make_state(delivered_folder(), pdf_printer);
  app::AppState& state = *owned;
  state.end_program = [] {};
  state.process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(state);
  board::MainWindow& main = *app.main_window();
  ASSERT_TRUE(app.start());
  main.move(40, 40);
  main.show();

  app.open_search();
  SearchWindow* w = app.search_window();
  ASSERT_NE(w, nullptr);
  const char* const fields[][2] = {{"1", "東京"}, {"2", "6"},  {"3", "0"},  {"4", "8"},
                                   {"5", "0"},    {"6", "博多"}, {"7", "6"}, {"8", "0"},
                                   {"9", "23"},   {"10", "59"},  {"11", "30"}, {"13", "2000"},
                                   {"14", "3"},   {"15", "14"}};
  for (const auto& f : fields)
    w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(f[0]))->setText(QString::fromUtf8(f[1]));
  w->findChild<QRadioButton*>(QStringLiteral("Option5"))->setChecked(true);
  w->findChild<QRadioButton*>(QStringLiteral("Option6"))->setChecked(true);
  w->move(60, 60);
  save(w, "search_conditions.png");

  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  ResultsWindow* r = app.results_window();
  ASSERT_NE(r, nullptr);
  r->move(20, 20);
  save(r, "search_results.png");

  const std::string pdf = dir + "/search_print.pdf";
  pdf_printer.set_dialog([&](QPrinter& p, QWidget*) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    return true;
  });
  r->print();
  ASSERT_EQ(messages.shown().size(), 2u);  // the two confirmations, no error
  const std::string png = dir + "/search_print_page";
  ASSERT_EQ(std::system(("pdftoppm -png -r 90 -f 1 -l 1 -singlefile '" + pdf + "' '" + png + "'").c_str()), 0);
  std::filesystem::remove(pdf);
}

}  // namespace
}  // namespace ravolin::search
