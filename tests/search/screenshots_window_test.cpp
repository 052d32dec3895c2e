// Pictures of the route search windows on the delivered data and of one printed page, for
// docs/screenshots. Runs only when RAVOLIN_SCREENSHOT_DIR names the folder to write them to.
#include "app/app_state.h"
#include "board/main_window.h"
#include "search/results_window.h"
#include "search/search_window.h"
#include "ui/fake_platform.h"
#include "ui/qt_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace ravolin::search {
namespace {

void save(QWidget* w, const std::string& dir, const char* name) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromStdString(dir + "/" + name)));
}

TEST(Screenshots, SearchWindowsAndAPrintedPage) {
  const char* out = std::getenv("RAVOLIN_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "set RAVOLIN_SCREENSHOT_DIR to write the pictures";
  const std::string dir = out;
  std::filesystem::create_directories(dir);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::QtPrinter printer;
  app::AppState state(RAVOLIN_PROGRAM_DIR "/tokaido", app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] { QCoreApplication::processEvents(); };
  board::MainWindow main(state);
  ASSERT_TRUE(main.start());
  main.move(40, 40);
  main.show();

  main.open_search();
  SearchWindow* w = main.search_window();
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
  save(w, dir, "search_conditions.png");

  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  ResultsWindow* r = main.results_window();
  ASSERT_NE(r, nullptr);
  r->move(20, 20);
  save(r, dir, "search_results.png");

  const std::string pdf = dir + "/search_print.pdf";
  printer.set_dialog([&](QPrinter& p, QWidget*) {
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
