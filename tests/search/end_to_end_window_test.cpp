// SPDX-License-Identifier: MIT
// A route search from end to end on the delivered edition-1 data: the main window's
// 新幹線検索, the conditions, 検索開始, the results window (its texts equal to
// ravolin-tool's) and 印刷 through the real Qt printer into a PDF file, read back with
// poppler's pdftotext: the printed lines in order over several pages, none cut off.
#include "app/navigator.h"
#include "gui/common/qt_platform.h"
#include "search/report.h"
#include "text/print_columns.h"

#include "search_window_fixture.h"

#include <QListWidget>
#include <QPrinter>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace ravolin::search {
namespace {

std::string run(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// The text without blanks of any kind and line or page breaks, for comparing what was
// printed with what the PDF holds however the lines were wrapped. The Gothic font has one
// glyph for "～" (U+FF5E) and "〜" (U+301C), which the PDF text gives back as the latter.
std::string squeeze(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') continue;
    if (s.compare(i, 3, "\xE3\x80\x80") == 0) {  // U+3000
      i += 2;
      continue;
    }
    if (s.compare(i, 3, "\xEF\xBD\x9E") == 0) {  // U+FF5E
      out += "\xE3\x80\x9C";
      i += 2;
      continue;
    }
    out += c;
  }
  return out;
}

class EndToEndTest : public ::testing::Test {
 protected:
  EndToEndTest() {
    folder.write_file("ravolinh.dat",
                      test_support::read_whole_file(RAVOLIN_PROGRAM_DIR "/tokaido/ravolinh.dat"));
    folder.write_file("ravolin2.ini",
                      test_support::read_whole_file(RAVOLIN_PROGRAM_DIR "/tokaido/ravolin2.ini"));
  }
  test_support::ProgramFolder folder;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::QtPrinter printer;
};

TEST_F(EndToEndTest, SearchFromTheMainWindowToAPrintedPdf) {
  app::AppState state(folder.path(), app::Platform{clock, messages, help, printer});
  state.end_program = [] {};
  state.process_events = [] { QCoreApplication::processEvents(); };
  app::Navigator app(state);
  board::MainWindow& main = *app.main_window();
  ASSERT_TRUE(app.start());
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

  QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  SearchWindow* w = app.search_window();
  ASSERT_NE(w, nullptr);
  const auto set = [w](int i, const char* value) {
    w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i))->setText(QString::fromUtf8(value));
  };
  // The stations picked with the station picker, opened by double-clicks on their boxes.
  const auto pick = [w](int box, const char* station) {
    QTest::mouseDClick(w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(box)), Qt::LeftButton);
    QWidget* picker = w->station_picker();
    ASSERT_NE(picker, nullptr);
    auto* list = picker->findChild<QListWidget*>(QStringLiteral("List1"));
    const auto found = list->findItems(QString::fromUtf8(station), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found[0]);
    QTest::mouseClick(picker->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  };
  set(1, "");
  set(6, "");
  pick(1, "東京");
  pick(6, "博多");
  const char* const fields[][2] = {{"2", "6"}, {"3", "0"},  {"4", "23"},  {"5", "0"},   {"7", "6"},
                                   {"8", "0"}, {"9", "23"}, {"10", "59"}, {"11", "120"}};
  for (const auto& f : fields) set(std::stoi(f[0]), f[1]);
  // The travel date picked in the calendar: 14 March 2000, a Tuesday.
  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  QWidget* cal = w->calendar();
  ASSERT_NE(cal, nullptr);
  QPushButton* day14 = nullptr;
  for (QPushButton* b : cal->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("14")) day14 = b;
  ASSERT_NE(day14, nullptr);
  QTest::mouseClick(day14, Qt::LeftButton);
  EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("Text15"))->text(), QStringLiteral("14"));
  w->findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);
  w->findChild<QRadioButton*>(QStringLiteral("Option4"))->setChecked(true);
  w->findChild<QRadioButton*>(QStringLiteral("Option7"))->setChecked(true);
  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  ResultsWindow* r = app.results_window();
  ASSERT_NE(r, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(r));

  // The texts equal the tool's for the same conditions.
  const test_support::ToolRun tool = test_support::run_tool(
      folder, {"search",      folder.path(), "--today", "2000-03-13", "--date",      "2000-03-14",
               "--from",      "東京",        "--to",    "博多",       "--depart",    "06:00-23:00",
               "--arrive",    "06:00-23:59", "--wait",  "120",        "--transfers", "1",
               "--per-train", "all",         "--sort",  "depart",     "--show",      "report"});
  ASSERT_EQ(tool.status, 0) << tool.err;
  const std::string report = r->texts().report;
  EXPECT_EQ(tool.out, report + "\n");
  EXPECT_EQ(r->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
            ui::text_box_text(report));

  // 印刷: the confirmation answered OK, the print dialog replaced by one that picks a
  // PDF file.
  const std::string pdf = folder.file("report.pdf");
  int dialogs = 0;
  printer.set_dialog([&](QPrinter& p, QWidget*) {
    ++dialogs;
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    return true;
  });
  QTest::mouseClick(r->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  EXPECT_EQ(dialogs, 1);
  ASSERT_EQ(messages.shown().size(), 1u) << messages.shown().back().request.text;  // no error
  ASSERT_TRUE(folder.exists("report.pdf"));

  const std::string pages = run("pdfinfo '" + pdf + "' | sed -n 's/^Pages: *//p'");
  EXPECT_GE(std::stoi(pages), 3) << "a long report spans several pages";

  // The 15 printed lines are there, in order, whole: the PDF's text is exactly what was
  // printed, however long lines were wrapped.
  PrintPage page;
  page.corridor_caption = "東海道・山陽新幹線";
  page.program_version = data::kProgramVersion;
  page.edition_code = 1;
  page.cond = state.search_conditions;
  page.date = state.search_date;
  page.season = r->texts().season;
  page.results_text = report;
  page.fare_text = r->texts().fare_text;
  const std::vector<std::string> printed = print_lines(page);
  ASSERT_EQ(printed.size(), 15u);
  const std::string layout = run("pdftotext -layout '" + pdf + "' -");
  std::string expected;
  for (const std::string& line : printed) expected += line;
  const std::string got = squeeze(layout), want = squeeze(expected);
  const std::size_t diff =
      std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin();
  EXPECT_EQ(diff, want.size()) << "differs at: " << got.substr(diff > 30 ? diff - 30 : 0, 90)
                               << "\nexpected:   " << want.substr(diff > 30 ? diff - 30 : 0, 90);
  EXPECT_EQ(got.size(), want.size());

  // Nothing reaches past the right margin (15 mm) of any page.
  const std::string bbox = run("pdftotext -bbox '" + pdf + "' -");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(bbox, m, std::regex("<page width=\"([0-9.]+)\"")));
  const double right = std::stod(m[1]) - 15 * 72 / 25.4;
  const std::regex word("xMax=\"([0-9.]+)\"");
  int words = 0;
  for (auto it = std::sregex_iterator(bbox.begin(), bbox.end(), word); it != std::sregex_iterator();
       ++it, ++words)
    EXPECT_LE(std::stod((*it)[1]), right + 0.5) << it->str();
  EXPECT_GT(words, 100);
  r->close();
}

// The printer lines a TAB up at the next 8-column stop, as the results window shows it,
// and wraps a line wider than the paper instead of cutting it at the margin.
TEST(QtPrinterLayout, TabsLineUpAndLongLinesWrapInsideTheMargin) {
  test_support::ProgramFolder folder;
  const std::string pdf = folder.file("layout.pdf");
  ui::QtPrinter printer;
  printer.choose_pdf_file(pdf);
  printer.set_font("ＭＳ ゴシック", 9);
  printer.print_line("ab\tX1");
  printer.print_line("あいう\tX2");      // 6 columns: the same stop as "ab"
  printer.print_line("あいうえお\tX3");  // 10 columns: the next stop
  std::string long_line;
  for (int i = 0; i < 30; ++i) long_line += "のぞみ" + std::to_string(100 + i) + " ";
  printer.print_line(long_line);
  std::string error;
  ASSERT_TRUE(printer.end_doc(error)) << error;

  const std::string bbox = run("pdftotext -bbox '" + pdf + "' -");
  const auto x_of = [&](const char* w) {
    std::smatch m;
    const std::regex re(std::string("xMin=\"([0-9.]+)\"[^>]*>") + w + "<");
    return std::regex_search(bbox, m, re) ? std::stod(m[1]) : -1.0;
  };
  ASSERT_GT(x_of("X1"), 0);
  EXPECT_NEAR(x_of("X1"), x_of("X2"), 0.5);
  EXPECT_NEAR(x_of("X3") - x_of("X1"), 8 * 4.5, 0.5);  // one more stop of 8 half-width columns

  std::smatch m;
  ASSERT_TRUE(std::regex_search(bbox, m, std::regex("<page width=\"([0-9.]+)\"")));
  const double right = std::stod(m[1]) - 15 * 72 / 25.4;
  const std::regex word("xMax=\"([0-9.]+)\"");
  for (auto it = std::sregex_iterator(bbox.begin(), bbox.end(), word); it != std::sregex_iterator();
       ++it)
    EXPECT_LE(std::stod((*it)[1]), right + 0.5);
  const std::string layout = run("pdftotext -layout '" + pdf + "' -");
  EXPECT_EQ(squeeze(layout), squeeze("abX1あいうX2あいうえおX3" + long_line));
  EXPECT_GE(std::count(layout.begin(), layout.end(), '\n'), 5);  // the long line took 2 or more
}

}  // namespace
}  // namespace ravolin::search
