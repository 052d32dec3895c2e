// SPDX-License-Identifier: MIT
// The results window (ravolin26) on real widgets: the search it runs while loading, texts
// equal to ravolin-tool's, 再検索 and 検索終了, Escape, positions, and printing through the
// fake printer (confirmation, cancel at either step, the printed lines, a failed print).
#include "app/navigator.h"
#include "gui/common/translation.h"
#include "gui/diagram/diagram_window.h"
#include "search/report.h"

#include <QTextBlock>
#include <QTextCursor>

#include "search_window_fixture.h"

namespace ravolin::search {
namespace {

using testing::SearchWindowTest;

const std::vector<std::string> kToolConditions = {
    "--date",      "2000-03-14",  "--from",      "東京",        "--to",   "新大阪",
    "--depart",    "06:00-23:00", "--arrive",    "06:00-23:59", "--wait", "120",
    "--transfers", "1",           "--per-train", "all",         "--sort", "depart"};

class ResultsWindowTest : public SearchWindowTest {
 protected:
  // The conditions of kToolConditions typed into the conditions window, then 検索開始.
  ResultsWindow* search_tool_conditions() {
    if (!open()) return nullptr;
    set(5, "0");
    set(15, "14");
    option(1)->setChecked(true);
    option(7)->setChecked(true);
    return search();
  }
};

TEST_F(ResultsWindowTest, ShowsTheTextsOfTheToolWhileTheLoadingWindowCoversTheSearch) {
  start();
  // What the user sees while the search lets events run.
  std::vector<std::string> loading_texts;
  state->process_events = [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("ravolin11") && w->isVisible())
        loading_texts.push_back(child(w, "Command1")->text().toStdString());
    QCoreApplication::processEvents();
  };
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->isVisible());
  ASSERT_FALSE(loading_texts.empty());
  for (const std::string& t : loading_texts)
    EXPECT_EQ(t, "新幹線列車検索中!!  しばらくお待ち下さい");
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(w->objectName() == QLatin1String("ravolin11") && w->isVisible());

  EXPECT_EQ(r->windowTitle(), QStringLiteral("新幹線検索結果"));
  EXPECT_EQ(plain(r, "Text1"), tool_text(kToolConditions, "report"));
  EXPECT_EQ(plain(r, "Text2"), tool_text(kToolConditions, "fares"));
  EXPECT_EQ(child<QGroupBox>(r, "Frame1")->title().toStdString(),
            tool_text(kToolConditions, "caption"));
  EXPECT_EQ(child<QLabel>(r, "Label1")->text().toStdString(), tool_text(kToolConditions, "legend"));
  EXPECT_EQ(child(r, "Command5")->text(), QStringLiteral("新幹線検索結果"));
  EXPECT_EQ(child(r, "Command6")->text(), QStringLiteral("新幹線運賃情報"));
  EXPECT_EQ(r->pos(), QPoint(ui::tw(r, 600), ui::tw(r, 300)));
}

TEST_F(ResultsWindowTest, DoubleClickOnAConnectionDrawsItInTheDiagram) {
  start();
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  auto* text1 = child<QPlainTextEdit>(r, "Text1");
  const int line = 2;  // the second connection (direct trains: two lines each)
  const int entry =
      entry_at_line(state->schedule.sin, state->search_conditions, state->search_result, line);
  ASSERT_GT(entry, 0);
  QTextCursor at(text1->document()->findBlockByNumber(line));
  QTest::mouseDClick(text1->viewport(), Qt::LeftButton, Qt::NoModifier,
                     text1->cursorRect(at).center());
  board::DiagramWindow* d = app->diagram_window();
  ASSERT_NE(d, nullptr);
  ASSERT_FALSE(d->journey().empty());
  EXPECT_EQ(d->journey().legs.front().train, state->search_result.entry(entry).first_train);
  EXPECT_EQ(d->journey().legs.front().from_station, "東京");
  EXPECT_EQ(entry_at_line(state->schedule.sin, state->search_conditions, state->search_result, 1),
            0);  // the blank line between connections
}

TEST_F(ResultsWindowTest, SearchAgainReturnsToTheFieldsAsTheyWere) {
  start();
  ASSERT_NE(open(), nullptr);
  set(1, "品川");
  set(8, "15");
  set(13, "2000");
  set(14, "3");
  set(15, "11");
  option(2)->setChecked(true);
  option(6)->setChecked(true);
  QPointer<ResultsWindow> r = search();
  ASSERT_FALSE(r.isNull());
  r->move(ui::tw(r, 1200), ui::tw(r, 1800));
  QTest::mouseClick(child(r, "Command3"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(r.isNull());
  EXPECT_EQ(state->settings.pos(26).left, 1200);
  EXPECT_EQ(state->settings.pos(26).top, 1800);
  SearchWindow* w = app->search_window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(text(1), "品川");
  EXPECT_EQ(text(8), "15");
  EXPECT_EQ(text(15), "11");
  EXPECT_TRUE(option(2)->isChecked());
  EXPECT_TRUE(option(6)->isChecked());
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(土)"));

  // The next results window opens where the last one was.
  r = search();
  ASSERT_FALSE(r.isNull());
  EXPECT_EQ(r->pos(), QPoint(ui::tw(r, 1200), ui::tw(r, 1800)));
}

TEST_F(ResultsWindowTest, EndShowsTheMainWindowAndEscapeShowsNothing) {
  start();
  for (const char* name : {"Text1", "Text2", "Command1", "Command2", "Command3"}) {
    SCOPED_TRACE(name);
    QPointer<ResultsWindow> r = search_tool_conditions();
    ASSERT_FALSE(r.isNull());
    main->hide();
    const int closes = help.count("close");
    QTest::keyClick(r->findChild<QWidget*>(QString::fromLatin1(name)), Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(r.isNull());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(app->search_window(), nullptr);
    EXPECT_EQ(help.count("close"), closes + 1);
    main->show();
  }
  QPointer<ResultsWindow> r = search_tool_conditions();
  ASSERT_FALSE(r.isNull());
  main->hide();
  QTest::mouseClick(child(r, "Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(r.isNull());
  EXPECT_TRUE(main->isVisible());
}

TEST_F(ResultsWindowTest, PrintAsksThenPrintsTheFifteenLinesAndCancelEndsSilently) {
  start();
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  auto* print = child(r, "Command2");

  messages.set_next_answer(ui::MessageAnswer::Cancel);
  QTest::mouseClick(print, Qt::LeftButton);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "確認メッセージ");
  EXPECT_EQ(messages.shown()[0].request.text, "印刷開始します！！");
  EXPECT_EQ(messages.shown()[0].request.buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(messages.shown()[0].request.help_topic, 257);
  EXPECT_EQ(printer.choose_calls(), 0);

  printer.set_choose_answer(false);  // the printer dialog cancelled
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_EQ(printer.choose_calls(), 1);
  EXPECT_EQ(messages.shown().size(), 2u);  // the confirmation only
  EXPECT_TRUE(printer.lines().empty());

  printer.set_choose_answer(true);
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_EQ(messages.shown().size(), 3u);
  EXPECT_EQ(printer.face(), "ＭＳ ゴシック");
  EXPECT_EQ(printer.point_size(), 9);
  EXPECT_EQ(printer.documents(), 1);
  const std::vector<std::string>& lines = printer.lines();
  ASSERT_EQ(lines.size(), 15u);
  const std::string eq(89, '=');
  EXPECT_EQ(lines[0], " ");
  EXPECT_EQ(lines[1], "ラボリン（東海道・山陽新幹線編）＆ホテル情報　(Version 1.59)");
  EXPECT_EQ(lines[2], eq);
  EXPECT_EQ(lines[3], "　検索条件　　乗車駅　：東京　下車駅：新大阪");
  EXPECT_EQ(lines[4], "              乗車時間：06:00 ～ 23:00");
  EXPECT_EQ(lines[5], "              下車時間：06:00 ～ 23:59");
  EXPECT_EQ(lines[6], "　　　　　　　乗換条件：１回乗り換え　　［乗り換え時間：120分］");
  EXPECT_EQ(lines[7], "　　　　　　　表示順　：発車時刻順");
  EXPECT_EQ(lines[8], "              日付　　：2000/03/14（火）　通常期");
  EXPECT_EQ(lines[9], eq);
  EXPECT_EQ(ui::text_box_text(lines[10]).toStdString(), plain(r, "Text1"));
  EXPECT_EQ(lines[11], std::string(89, '-'));
  EXPECT_EQ(ui::text_box_text(lines[12]).toStdString(), plain(r, "Text2"));
  EXPECT_EQ(lines[13], eq);
  EXPECT_EQ(lines[14], child<QLabel>(r, "Label1")->text().toStdString());

  // Printing changes nothing in the window, and prints the conditions of its own search
  // even after the conditions window has stored others.
  state->search_conditions.st_station = "品川";
  const std::vector<std::string> first = lines;
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_EQ(std::vector<std::string>(printer.lines().begin() + 15, printer.lines().end()), first);
}

TEST_F(ResultsWindowTest, AFailedPrintIsReportedInsteadOfEndingSilently) {
  start();
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  printer.set_end_failure("プリンタが応答しません。");
  QTest::mouseClick(child(r, "Command2"), Qt::LeftButton);
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[1].title, "エラーメッセージ");
  EXPECT_EQ(messages.shown()[1].request.text, "印刷できませんでした。\nプリンタが応答しません。");
  EXPECT_TRUE(r->isVisible());
}

// The number of connections found is spoken where the focus is as the window opens (it
// was set on the results list, which the focus never reached; its hint then replaced it).
TEST_F(ResultsWindowTest, TheNumberOfConnectionsIsAnnounced) {
  start();
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  ASSERT_NE(r->focusWidget(), nullptr);
  EXPECT_EQ(r->focusWidget()->accessibleDescription(), QStringLiteral("3件"));
  EXPECT_EQ(child<QPlainTextEdit>(r, "Text1")->accessibleName(), QStringLiteral("検索結果"));
  // Only the control the user is on says it; the window opens on the report.
  for (QWidget* w : r->findChildren<QWidget*>()) {
    if (w != r->focusWidget()) {
      EXPECT_NE(w->accessibleDescription(), QStringLiteral("3件"));
    }
  }
}

// The English window: the caption, report and fare text in English as the tool gives
// them, and the printed page in English with its header lined up as the Japanese one.
TEST_F(ResultsWindowTest, EnglishResultsAndPrintedPage) {
  start();
  ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                               QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
  state->language = text::Language::kEnglish;
  state->place_names.add("東京", "Tokyo");
  state->place_names.add("新大阪", "Shin-Osaka");
  ResultsWindow* r = search_tool_conditions();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->windowTitle(), QStringLiteral("Shinkansen search results"));
  EXPECT_EQ(child(r, "Command2")->text(), QStringLiteral("Print"));
  EXPECT_EQ(child<QGroupBox>(r, "Frame1")->title().toStdString(),
            "Tokyo → Shin-Osaka  [Tue 14 Mar 2000  Season: regular]  Order: by departure");
  const std::string report = plain(r, "Text1");
  EXPECT_EQ(report.rfind("[150 min] Nozomi 1 E Tokyo (dep 06:00) -> Shin-Osaka (arr 08:30) ", 0),
            0u)
      << report;
  EXPECT_EQ(plain(r, "Text2").rfind("Fare\t\t\t\t\t:   8,510 yen (valid 4 days)", 0), 0u);
  EXPECT_EQ(r->focusWidget()->accessibleDescription(), QStringLiteral("3 connections"));

  printer.set_choose_answer(true);
  QTest::mouseClick(child(r, "Command2"), Qt::LeftButton);
  ui::use_language(*qApp, text::Language::kJapanese, QString());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text, "Print now?");
  const std::vector<std::string>& lines = printer.lines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[1], "Ravolin & Hotel Guide: Tokaido and Sanyo Shinkansen  (Version 1.59)");
  EXPECT_EQ(lines[3], "  Conditions  From    : Tokyo   To: Shin-Osaka");
  EXPECT_EQ(lines[6], "              Transfer: up to 1 transfer   [Wait at most: 120 min]");
  EXPECT_EQ(lines[8], "              Date    : Tue 14 Mar 2000  Season: regular");
  EXPECT_EQ(ui::text_box_text(lines[10]).toStdString(), report);
}

}  // namespace
}  // namespace ravolin::search
