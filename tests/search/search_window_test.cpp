// SPDX-License-Identifier: MIT
// The search conditions window (ravolin25) on real widgets: filling, the checks of
// 検索開始 with their messages and focus, the Enter chain, what a search start stores,
// the two-transfer confirmation, Escape and 終了.
#include "app/navigator.h"
#include "gui/settings/station_picker_window.h"
#include "search/field_checks.h"

#include "search_window_fixture.h"

#include "gui/common/translation.h"

#include <QListWidget>
#include <QRegularExpression>
#include <set>

#include <utility>

namespace ravolin::search {
namespace {

using testing::SearchWindowTest;

TEST_F(SearchWindowTest, OpensFromTheMainWindowFilledWithTheSavedConditions) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->objectName(), QStringLiteral("ravolin25"));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("新幹線の検索"));
  const std::vector<std::string> expected = {"",       "東京", "6", "0",  "23", "0",
                                             "新大阪", "6",    "0", "23", "59", "120",
                                             "",       "2000", "3", "13"};
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(text(i), expected[i]) << "Text" << i;
  // Sort order 0 as the program starts: 乗車時間順; wait_count 1; combination 0.
  EXPECT_TRUE(option(3)->isChecked());
  EXPECT_TRUE(option(4)->isChecked());
  EXPECT_TRUE(option(7)->isChecked());
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(月)"));
  EXPECT_EQ(w->pos(), QPoint(ui::tw(w, 1500), ui::tw(w, 900)));
  EXPECT_EQ(focused(), "Text1");

  // The menu entry and a second press bring the same window forward.
  main->findChild<QAction*>(QStringLiteral("menu_view_search"))->trigger();
  EXPECT_EQ(app->search_window(), w);
}

struct Refusal {
  const char* what;
  std::vector<std::pair<int, std::string>> fields;
  bool two_transfers;
  int focus;  // TextN that gets the focus
  std::string message;
};

TEST_F(SearchWindowTest, EachRefusalKeepsTheWindowWithItsMessageAndFocus) {
  start();
  const Refusal cases[] = {
      {"boarding name not a station", {{1, "大宮"}}, false, 1, kMsgInputError},
      {"hour before 6", {{2, "5"}}, false, 2, ""},
      {"minute 60", {{3, "60"}}, false, 3, ""},
      {"hour not a number", {{4, "ab"}}, false, 4, ""},
      {"departure end before start", {{2, "8"}, {3, "30"}, {4, "8"}, {5, "29"}}, false, 5, ""},
      {"same station twice, no message", {{6, " 東京 "}}, false, 6, ""},
      {"alighting name not a station", {{6, "大宮"}}, false, 6, kMsgInputError},
      {"arrival end before start", {{7, "10"}, {9, "9"}}, false, 10, ""},
      {"wait 121", {{11, "121"}}, false, 11, ""},
      {"two transfers over two hours",
       {{2, "6"}, {3, "0"}, {4, "9"}, {5, "0"}},
       true,
       2,
       kMsgDepartRange},
      {"year before this year", {{13, "1999"}}, false, 13, ""},
      {"month 13", {{14, "13"}}, false, 14, ""},
      {"29 February 2100", {{13, "2100"}, {14, "2"}, {15, "29"}}, false, 15, ""},
      {"29 February 2101", {{13, "2101"}, {14, "2"}, {15, "29"}}, false, 15, ""},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    SearchWindow* w = open();
    ASSERT_NE(w, nullptr);
    for (const auto& [i, value] : c.fields) set(i, value);
    option(c.two_transfers ? 5 : 4)->setChecked(true);
    EXPECT_EQ(search(), nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(focused(), "Text" + std::to_string(c.focus));
    EXPECT_EQ(text(12), c.message);
    EXPECT_TRUE(messages.shown().empty());
    w->close();
    flush_deletes();
  }
  // Nothing of a refused search reached the settings.
  EXPECT_EQ(state->settings.st_station, "東京");
  EXPECT_EQ(state->settings.wait_time, 120);
}

struct Accepted {
  const char* what;
  std::vector<std::pair<int, std::string>> fields;
  bool two_transfers;
  int st_time1, st_time2, wait_time;
  int year, month, day;
};

TEST_F(SearchWindowTest, EdgesThatAreAcceptedStartTheSearch) {
  start();
  const Accepted cases[] = {
      {"empty times become 06:00 to 23:59",
       {{2, ""}, {3, " "}, {4, ""}, {5, ""}, {11, ""}},
       false,
       600,
       2359,
       60,
       2000,
       3,
       13},
      {"a window of one minute",
       {{2, "8"}, {3, "30"}, {4, "8"}, {5, "30"}},
       false,
       830,
       830,
       120,
       2000,
       3,
       13},
      {"wait 0", {{11, "0"}}, false, 600, 2300, 0, 2000, 3, 13},
      {"two transfers within two hours",
       {{2, "6"}, {3, "0"}, {4, "8"}, {5, "59"}},
       true,
       600,
       859,
       120,
       2000,
       3,
       13},
      {"29 February 2104",
       {{13, "2104"}, {14, "2"}, {15, "29"}},
       false,
       600,
       2300,
       120,
       2104,
       2,
       29},
      {"29 February 2400",
       {{13, "2400"}, {14, "2"}, {15, "29"}},
       false,
       600,
       2300,
       120,
       2400,
       2,
       29},
      {"an earlier day of this year",
       {{13, "2000"}, {14, "1"}, {15, "1"}},
       false,
       600,
       2300,
       120,
       2000,
       1,
       1},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(open(), nullptr);
    // The window opens with the last case's conditions: start from the same ones.
    const std::pair<int, std::string> base[] = {{2, "6"},    {3, "0"},     {4, "23"}, {5, "0"},
                                                {11, "120"}, {13, "2000"}, {14, "3"}, {15, "13"}};
    for (const auto& [i, value] : base) set(i, value);
    for (const auto& [i, value] : c.fields) set(i, value);
    option(c.two_transfers ? 5 : 4)->setChecked(true);
    ResultsWindow* r = search();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(app->search_window(), nullptr);
    const SearchConditions& cond = state->search_conditions;
    EXPECT_EQ(cond.st_time1, c.st_time1);
    EXPECT_EQ(cond.st_time2, c.st_time2);
    EXPECT_EQ(cond.wait_time, c.wait_time);
    EXPECT_EQ(cond.wait_count, c.two_transfers ? 2 : 1);
    EXPECT_EQ(state->search_date.year, c.year);
    EXPECT_EQ(state->search_date.month, c.month);
    EXPECT_EQ(state->search_date.day, c.day);
    EXPECT_EQ(state->search_date.day_number, calendar::day_number(c.year, c.month, c.day));
    r->close();
    flush_deletes();
    messages.clear();
  }
}

TEST_F(SearchWindowTest, SearchStartStoresTheConditionsAndTheFileAfterExitHoldsThem) {
  start();
  ASSERT_NE(open(), nullptr);
  set(1, " 品川 ");
  set(2, "7");
  set(3, "5");
  set(11, "30");
  set(13, "2000");
  set(14, "3");
  set(15, "11");
  option(1)->setChecked(true);
  option(6)->setChecked(true);
  // Enter on 検索開始, where the Enter chain ends, starts the search.
  QTest::keyClick(child(app->search_window(), "Command1"), Qt::Key_Return);
  flush_deletes();
  ASSERT_NE(app->results_window(), nullptr);

  const SearchConditions& cond = state->search_conditions;
  EXPECT_EQ(cond.st_station, "品川");
  EXPECT_EQ(cond.ed_station, "新大阪");
  EXPECT_EQ(cond.st_time1, 705);
  EXPECT_EQ(cond.wait_time, 30);
  EXPECT_EQ(cond.sort_order, 1);
  EXPECT_EQ(cond.combination_number, 1);
  EXPECT_EQ(state->search_date.weekday, 7);  // a Saturday
  EXPECT_EQ(state->search_day_flags.plain_saturday, 1);

  // Closing the program writes them (not the sort order or the date) to the settings file.
  main->close();
  const settings::Settings saved =
      settings::parse_settings(folder.read_file(folder.settings_name()));
  EXPECT_EQ(saved.st_station, "品川");
  EXPECT_EQ(saved.ed_station, "新大阪");
  EXPECT_EQ(saved.st_time1, 705);
  EXPECT_EQ(saved.st_time2, 2300);
  EXPECT_EQ(saved.ed_time2, 2359);
  EXPECT_EQ(saved.wait_time, 30);
  EXPECT_EQ(saved.wait_count, 1);
  EXPECT_EQ(saved.combination_number, 1);
  EXPECT_EQ(saved.pos(25).top, 900);
}

TEST_F(SearchWindowTest, TwoTransfersAskFirstAndCancelKeepsTheWindowWithTheConditionsStored) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  set(4, "8");
  set(11, "15");
  option(5)->setChecked(true);
  option(6)->setChecked(true);
  option(2)->setChecked(true);
  messages.set_next_answer(ui::MessageAnswer::Cancel);
  EXPECT_EQ(search(), nullptr);
  ASSERT_EQ(messages.shown().size(), 1u);
  const auto& shown = messages.shown()[0];
  EXPECT_EQ(shown.title, "確認メッセージ");
  EXPECT_EQ(shown.request.text, kMsgTwoTransfers);
  EXPECT_EQ(shown.request.buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(shown.request.help_topic, 258);
  EXPECT_TRUE(w->isVisible());
  // Stored up to the question; the combination only after it.
  EXPECT_EQ(state->search_conditions.wait_count, 2);
  EXPECT_EQ(state->search_conditions.st_time2, 800);
  EXPECT_EQ(state->search_conditions.sort_order, 2);
  EXPECT_EQ(state->settings.wait_time, 15);
  EXPECT_EQ(state->settings.combination_number, 0);

  // OK goes on to the results.
  EXPECT_NE(search(), nullptr);
  EXPECT_EQ(state->settings.combination_number, 1);
}

TEST_F(SearchWindowTest, EnterChecksTheFieldAndMovesAlongTheChain) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  QApplication::setActiveWindow(w);  // focus events reach the boxes
  box(1)->setFocus();
  const char* const chain[] = {"Text2", "Text3", "Text4",  "Text5",  "Text6",   "Text7",
                               "Text8", "Text9", "Text10", "Text11", "Command1"};
  for (const char* next : chain) {
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(focused(), next);
  }
  box(13)->setFocus();
  for (const char* next : {"Text14", "Text15", "Text1"}) {
    QTest::keyClick(w->focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(focused(), next);
  }

  // A refused field keeps the focus; an empty one gets its default and moves on.
  set(3, "75");
  box(3)->setFocus();
  QTest::keyClick(box(3), Qt::Key_Return);
  EXPECT_EQ(focused(), "Text3");
  EXPECT_EQ(text(3), "75");
  set(4, "");
  box(4)->setFocus();
  QTest::keyClick(box(4), Qt::Key_Return);
  EXPECT_EQ(text(4), "23");
  EXPECT_EQ(focused(), "Text5");
  QCoreApplication::processEvents();
  EXPECT_EQ(box(5)->selectedText(), box(5)->text());  // selected whole on focus

  // The day is checked against the month typed: 30 February is refused, and a bad month
  // takes the focus; a good day shows its weekday.
  set(14, "2");
  set(15, "30");
  box(15)->setFocus();
  QTest::keyClick(box(15), Qt::Key_Return);
  EXPECT_EQ(focused(), "Text15");
  set(14, "0");
  QTest::keyClick(box(15), Qt::Key_Return);
  EXPECT_EQ(focused(), "Text14");
  set(14, "2");
  set(15, "29");
  box(15)->setFocus();
  QTest::keyClick(box(15), Qt::Key_Return);
  EXPECT_EQ(focused(), "Text1");
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(火)"));
  // Enter checks store nothing: the search date changes only with a search.
  EXPECT_EQ(state->search_date.day_number, 0);

  // A name that is not a station stays, with the message.
  set(1, "大宮");
  box(1)->setFocus();
  QTest::keyClick(box(1), Qt::Key_Return);
  EXPECT_EQ(text(12), kMsgInputError);
  EXPECT_TRUE(w->isVisible());
}

TEST_F(SearchWindowTest, StationPickerFillsTheBoxOnARefusedNameAndOnADoubleClick) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  const auto picker_list = [w] {
    QWidget* picker = w->station_picker();
    return picker ? picker->findChild<QListWidget*>(QStringLiteral("List1")) : nullptr;
  };

  // A name that is not a station, then Enter: the picker for the boarding station.
  set(1, "大宮");
  box(1)->setFocus();
  QTest::keyClick(box(1), Qt::Key_Return);
  QPointer<settings::StationPickerWindow> picker =
      qobject_cast<settings::StationPickerWindow*>(w->station_picker());
  ASSERT_FALSE(picker.isNull());
  EXPECT_EQ(picker->objectName(), QStringLiteral("ravolin22"));
  EXPECT_EQ(picker->mode(), 12);
  QListWidget* list = picker_list();
  ASSERT_EQ(list->count(), 4);  // the corridor's stations, 名古屋 once
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("名古屋"));
  list->setCurrentRow(1);
  QTest::mouseClick(picker->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(picker.isNull());
  EXPECT_EQ(text(1), "品川");
  EXPECT_EQ(focused(), "Text1");

  // A double-click on the alighting box: the picker for it; Enter on a station picks it.
  QTest::mouseDClick(box(6), Qt::LeftButton);
  picker = qobject_cast<settings::StationPickerWindow*>(w->station_picker());
  ASSERT_FALSE(picker.isNull());
  EXPECT_EQ(picker->mode(), 22);
  picker_list()->setCurrentRow(2);
  QTest::keyClick(picker_list(), Qt::Key_Return);
  flush_deletes();
  EXPECT_EQ(text(6), "名古屋");
  EXPECT_EQ(text(1), "品川");

  // The picked names pass the checks: the search starts.
  EXPECT_NE(search(), nullptr);
  EXPECT_EQ(state->search_conditions.ed_station, "名古屋");

  // A picker left open closes with its window.
  ASSERT_NE(open(), nullptr);
  app->search_window()->open_station_picker(12);
  picker = qobject_cast<settings::StationPickerWindow*>(app->search_window()->station_picker());
  ASSERT_FALSE(picker.isNull());
  QTest::keyClick(box(2), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(picker.isNull());
}

TEST_F(SearchWindowTest, CalendarFillsTheTravelDateAndTheSearchUsesIt) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(child(w, "Command3"), Qt::LeftButton);
  QPointer<QWidget> cal = w->calendar();
  ASSERT_FALSE(cal.isNull());
  EXPECT_EQ(cal->objectName(), QStringLiteral("ravolin4"));
  // 終了 closes it with nothing written and the focus in Text3.
  QTest::mouseClick(child(cal, "Command43"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(cal.isNull());
  EXPECT_EQ(text(15), "13");
  EXPECT_EQ(focused(), "Text3");

  QTest::mouseClick(child(w, "Command3"), Qt::LeftButton);
  cal = w->calendar();
  ASSERT_FALSE(cal.isNull());
  QPushButton* day25 = nullptr;
  for (QPushButton* b : cal->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("25")) day25 = b;
  ASSERT_NE(day25, nullptr);
  QTest::mouseClick(day25, Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(cal.isNull());
  EXPECT_EQ(text(13), "2000");
  EXPECT_EQ(text(14), "03");
  EXPECT_EQ(text(15), "25");
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(土)"));
  EXPECT_EQ(focused(), "Text1");

  ASSERT_NE(search(), nullptr);
  EXPECT_EQ(state->search_date.day_number, calendar::day_number(2000, 3, 25));
  EXPECT_EQ(state->search_date.weekday, 7);
  EXPECT_EQ(state->search_day_flags.plain_saturday, 1);
  // The next opening shows the search date instead of the system date.
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(text(15), "25");
  EXPECT_EQ(child<QLabel>(app->search_window(), "Label21")->text(), QStringLiteral("(土)"));
}

TEST_F(SearchWindowTest, WeekdayShownBelongsToTheDateShown) {
  start();
  // The last search was for Monday 15 May 2028.
  state->search_date = {calendar::day_number(2028, 5, 15), 2028, 5, 15, 2};
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  QLabel* weekday = child<QLabel>(w, "Label21");
  EXPECT_EQ(text(13) + "/" + text(14) + "/" + text(15), "2028/5/15");
  EXPECT_EQ(weekday->text(), QStringLiteral("(月)"));

  // Refused at the day after the new year and month were accepted: 30 February is no
  // date, so no weekday is shown.
  set(14, "2");
  set(15, "30");
  EXPECT_EQ(search(), nullptr);
  EXPECT_EQ(focused(), "Text15");
  EXPECT_EQ(state->search_date.month, 2);
  EXPECT_EQ(state->search_date.day, 15);
  EXPECT_EQ(weekday->text(), QString());
  // A day typed that makes a date shows that date's weekday.
  set(15, "16");
  EXPECT_EQ(weekday->text(), QStringLiteral("(水)"));

  // Opened again, the window shows the stored year and month with the old day: the
  // weekday is the one of 15 February 2028, a Tuesday.
  QTest::keyClick(box(15), Qt::Key_Escape);
  flush_deletes();
  w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(text(13) + "/" + text(14) + "/" + text(15), "2028/2/15");
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(火)"));
}

// The ｶﾚﾝﾀﾞｰ button sits inside its frame, below the frame's caption and border, like the
// date boxes beside it.
TEST_F(SearchWindowTest, CalendarButtonLiesInsideTheTravelDateFrame) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  auto* frame8 = child<QGroupBox>(w, "Frame8");
  QPushButton* calendar_button = child(w, "Command3");
  ASSERT_EQ(calendar_button->parentWidget(), frame8);
  const QRect content = frame8->contentsRect();
  const QRect button = calendar_button->geometry();
  EXPECT_GE(button.top(), content.top()) << "content area starts at " << content.top();
  EXPECT_LE(button.bottom(), content.bottom());
  EXPECT_LE(button.right(), content.right());
  for (int i : {13, 14, 15}) {
    EXPECT_GE(box(i)->geometry().top(), content.top()) << "Text" << i;
    EXPECT_LE(box(i)->geometry().bottom(), content.bottom()) << "Text" << i;
  }
}

TEST_F(SearchWindowTest, EscapeClosesFromEveryControlAndEndStoresThePosition) {
  start();
  std::vector<std::string> controls;
  for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15})
    controls.push_back("Text" + std::to_string(i));
  for (int i = 1; i <= 7; ++i) controls.push_back("Option" + std::to_string(i));
  for (int i = 1; i <= 3; ++i) controls.push_back("Command" + std::to_string(i));
  for (const std::string& name : controls) {
    SCOPED_TRACE(name);
    main->hide();
    app->open_search();
    QPointer<SearchWindow> w = app->search_window();
    ASSERT_FALSE(w.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.data()));
    w->move(ui::tw(w, 3000), ui::tw(w, 1200));
    const int closes = help.count("close");
    QTest::keyClick(w->findChild<QWidget*>(QString::fromStdString(name)), Qt::Key_Escape);
    flush_deletes();
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(main->isVisible());  // Escape shows no other window
    EXPECT_EQ(state->settings.pos(25).left, 3000);
    EXPECT_EQ(state->settings.pos(25).top, 1200);
    EXPECT_EQ(help.count("close"), closes + 1);
  }

  // 終了 shows the main window.
  QPointer<SearchWindow> w = open();
  ASSERT_FALSE(w.isNull());
  QTest::mouseClick(child(w, "Command2"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(end_calls, 0);
}

// Each box says what it is, in a name unique in the window; the captions are the
// buddies of their boxes; a refusal is spoken on the field that gets the focus.
TEST_F(SearchWindowTest, BoxesHaveTheirOwnNamesAndARefusalIsAnnounced) {
  start();
  SearchWindow* w = open();
  ASSERT_NE(w, nullptr);
  const char* const names[] = {"",
                               "乗車駅",
                               "発車時刻 開始 時",
                               "発車時刻 開始 分",
                               "発車時刻 終了 時",
                               "発車時刻 終了 分",
                               "下車駅",
                               "到着時刻 開始 時",
                               "到着時刻 開始 分",
                               "到着時刻 終了 時",
                               "到着時刻 終了 分",
                               "待ち合わせ時間",
                               "メッセージ",
                               "乗車予定日 年",
                               "乗車予定日 月",
                               "乗車予定日 日"};
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(box(i)->accessibleName().toStdString(), names[i]);
  std::set<QString> seen;
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (c->focusPolicy() == Qt::NoFocus && !qobject_cast<QLineEdit*>(c)) continue;
    const QString name =
        c->accessibleName().isEmpty() ? c->property("text").toString() : c->accessibleName();
    EXPECT_FALSE(name.isEmpty()) << c->objectName().toStdString();
    EXPECT_TRUE(seen.insert(name).second) << name.toStdString();
  }
  std::set<QString> frames;
  for (QGroupBox* g : w->findChildren<QGroupBox*>())
    EXPECT_TRUE(frames.insert(g->accessibleName()).second) << g->accessibleName().toStdString();
  for (auto [caption, buddy] : {std::pair{"乗車駅", 1}, {"到着時刻", 7}, {"乗車予定日", 13}}) {
    QLabel* label = nullptr;
    for (QLabel* l : w->findChildren<QLabel*>())
      if (l->text() == QString::fromUtf8(caption)) label = l;
    ASSERT_NE(label, nullptr) << caption;
    EXPECT_EQ(label->buddy(), box(buddy)) << caption;
  }

  set(1, "大宮");
  search();
  EXPECT_EQ(focused(), "Text1");
  EXPECT_EQ(box(1)->accessibleDescription().toStdString(), "乗車駅: 入力エラーです");
  set(1, "東京");
  set(2, "5");  // refused without a message of its own
  search();
  EXPECT_EQ(box(2)->accessibleDescription().toStdString(), "発車時刻 開始 時: 入力エラーです");

  // A refusal without a message of its own is an input error, not the message line's
  // older message.
  set(2, "6");
  set(3, "0");
  set(4, "9");
  set(5, "0");
  option(5)->setChecked(true);
  search();
  ASSERT_EQ(text(12), kMsgDepartRange);
  set(15, "32");
  box(15)->setFocus();
  QTest::keyClick(box(15), Qt::Key_Return);
  EXPECT_EQ(focused(), "Text15");
  EXPECT_EQ(box(15)->accessibleDescription().toStdString(), "乗車予定日 日: 入力エラーです");
}

// The English window: every text translated, the stations in English and typed in
// English, the messages of the checks in English.
TEST_F(SearchWindowTest, EnglishWindowTakesAndShowsStationsInEnglish) {
  start();
  ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                               QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
  state->language = text::Language::kEnglish;
  state->place_names.add("東京", "Tokyo");
  state->place_names.add("新大阪", "Shin-Osaka");
  SearchWindow* w = open();
  ui::use_language(*qApp, text::Language::kJapanese, QString());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Shinkansen search"));
  EXPECT_EQ(text(1), "Tokyo");
  EXPECT_EQ(text(6), "Shin-Osaka");
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(Mon)"));
  EXPECT_EQ(box(2)->accessibleName(), QStringLiteral("Departs from, hour"));
  const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  for (QWidget* c : w->findChildren<QWidget*>()) {
    for (const QString& t :
         {c->property("text").toString(), c->property("title").toString(), c->accessibleName()})
      EXPECT_FALSE(t.contains(japanese)) << c->objectName().toStdString() << " " << t.toStdString();
  }

  // A day picked in the calendar keeps the weekday in English.
  QTest::mouseClick(child(w, "Command3"), Qt::LeftButton);
  QPointer<QWidget> cal = w->calendar();
  ASSERT_FALSE(cal.isNull());
  for (QPushButton* b : cal->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("25")) QTest::mouseClick(b, Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(text(15), "25");
  EXPECT_EQ(child<QLabel>(w, "Label21")->text(), QStringLiteral("(Sat)"));

  // A name that is no station: the field, what was typed and the nearest station.
  set(1, "Osaka");
  search();
  EXPECT_EQ(focused(), "Text1");
  EXPECT_EQ(text(12),
            "Departure station: \"Osaka\" is not a station of this line. Did you mean Shin-Osaka?");
  set(1, " shin osaka ");
  set(6, "TOKYO");
  set(5, "59");
  ResultsWindow* r = search();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(state->search_conditions.st_station, "新大阪");
  EXPECT_EQ(state->search_conditions.ed_station, "東京");
  EXPECT_EQ(state->settings.st_station, "新大阪");
}

}  // namespace
}  // namespace ravolin::search
