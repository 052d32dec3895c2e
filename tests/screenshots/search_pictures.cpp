// SPDX-License-Identifier: MIT
// The route search windows on the delivered data and one printed page of the results.
#include "shots.h"

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/translation.h"
#include "gui/search/results_window.h"
#include "gui/search/search_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace ravolin::screenshots {

namespace {

// The printed page of the results window, as pdftoppm renders the first page at 90 dpi.
void print_page_picture(Shots& shots, search::ResultsWindow& results, ui::QtPrinter& printer,
                        const char* name = "search_print_page.png", std::size_t messages = 2) {
  QTemporaryDir scratch;
  Shots::check(scratch.isValid(), "no scratch folder");
  const std::string pdf = scratch.filePath(QStringLiteral("search_print.pdf")).toStdString();
  printer.set_dialog([&](QPrinter& p, QWidget*) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    return true;
  });
  results.print();
  // The two confirmations, no error.
  Shots::check(shots.messages.shown().size() == messages,
               "printing showed other messages than its two confirmations");
  const std::string png = scratch.filePath(QStringLiteral("page")).toStdString();
  Shots::check(
      std::system(
          ("pdftoppm -png -r 90 -f 1 -l 1 -singlefile '" + pdf + "' '" + png + "'").c_str()) == 0,
      "pdftoppm failed (poppler-utils)");
  shots.keep_or_copy(png + ".png", name);
}

// The pictures' conditions: from 06:00-08:00 to any arrival until 23:59, 30 minutes at a
// change, two changes, 14 March 2000.
void fill_conditions(search::SearchWindow& w, const char* from, const char* to) {
  const char* const fields[][2] = {{"1", from}, {"2", "6"},   {"3", "0"},   {"4", "8"},
                                   {"5", "0"},  {"6", to},    {"7", "6"},   {"8", "0"},
                                   {"9", "23"}, {"10", "59"}, {"11", "30"}, {"13", "2000"},
                                   {"14", "3"}, {"15", "14"}};
  for (const auto& f : fields)
    w.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(f[0]))->setText(QString::fromUtf8(f[1]));
  w.findChild<QRadioButton*>(QStringLiteral("Option5"))->setChecked(true);
  w.findChild<QRadioButton*>(QStringLiteral("Option6"))->setChecked(true);
}

// The same windows in English, on the same conditions typed in English.
void english_search_pictures(Shots& shots) {
  ui::QtPrinter pdf_printer;
  auto owned = shots.make_state(Shots::delivered_folder(), pdf_printer);
  app::AppState& state = *owned;
  state.process_events = [] { QCoreApplication::processEvents(); };
  const QString folder = QString::fromStdString(Shots::delivered_folder());
  Shots::check(ui::use_language(*qApp, text::Language::kEnglish, folder),
               "no English translation in the program folder");
  state.language = text::Language::kEnglish;
  app::Navigator app(state);
  shots.start(app);
  app.open_search();
  search::SearchWindow* w = Shots::need(app.search_window(), "the English search window");
  fill_conditions(*w, "Tokyo", "Hakata");
  w->move(60, 60);
  shots.save(w, "search_conditions_en.png");
  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  search::ResultsWindow* r = Shots::need(app.results_window(), "the English results window");
  r->move(20, 20);
  shots.save(r, "search_results_en.png");
  print_page_picture(shots, *r, pdf_printer, "report-en.png", 4);
  ui::use_language(*qApp, text::Language::kJapanese, folder);
  r->close();
}

}  // namespace

void search_pictures(Shots& shots) {
  ui::QtPrinter pdf_printer;
  auto owned = shots.make_state(Shots::delivered_folder(), pdf_printer);
  app::AppState& state = *owned;
  state.process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(state);
  board::MainWindow& main = *app.main_window();
  shots.start(app);
  main.move(40, 40);
  main.show();

  app.open_search();
  search::SearchWindow* w = Shots::need(app.search_window(), "the search window");
  fill_conditions(*w, "東京", "博多");
  w->move(60, 60);
  shots.save(w, "search_conditions.png");

  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  search::ResultsWindow* r = Shots::need(app.results_window(), "the results window");
  r->move(20, 20);
  shots.save(r, "search_results.png");
  print_page_picture(shots, *r, pdf_printer);
  r->close();
  english_search_pictures(shots);
}

}  // namespace ravolin::screenshots
