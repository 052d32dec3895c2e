// SPDX-License-Identifier: MIT
// The hotel search (ravolin12), hotel list (ravolin6), district selection (ravolin7) and
// area picker (ravolin15) windows on real widgets, over a program folder built in the test.
#include "app/navigator.h"
#include "gui/common/translation.h"
#include "gui/common/window_conventions.h"
#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/hotel_list_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "hotels/hotel_list.h"
#include "state/app_state.h"
#include "state/loader.h"
#include "support/fake_platform.h"

#include "hotels/find_window.h"
#include "support/data_builder.h"
#include "support/program_folder.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ravolin::hotels {
namespace {

using Names = std::vector<std::string>;

data::SourceFiles sources() {
  data::SourceFiles src = test_support::small_sources(1);
  src["areas.txt"] = "東京／羽田 4 0\n東京／成田 4 0\n名古屋 3 0\n新大阪 5 0\n札幌 1 0\n";
  src["districts.txt"] =
      "京橋\n銀座\n新橋\n日本橋\n八重洲\n丸の内\n名駅\n栄\n梅田\n難波\n心斎橋\n本町\n天王寺\n";
  std::string h;
  const auto add = [&h](const char* area, const char* district, const char* name) {
    h += std::string(area) + " | " + district + " | " + name +
         " | 03-000-0000 | 100 | 駅前 | \\9,000 | ○\n";
  };
  add("東京／羽田", "京橋", "京橋ホテル");
  add("東京／羽田", "銀座", "銀座ホテル");
  add("東京／成田", "新橋", "新橋ホテル");
  add("東京／羽田", "日本橋", "日本橋ホテル");
  add("東京／羽田", "八重洲", "八重洲ホテル");
  add("東京／羽田", "丸の内", "丸の内グランドステーションホテル東京駅前");
  add("東京／羽田", "京橋", "京橋イン");
  add("名古屋", "名駅", "名駅ホテル");
  add("名古屋", "栄", "栄ホテル");
  for (const char* d : {"梅田", "難波", "心斎橋", "本町", "天王寺"}) add("新大阪", d, d);
  src["hotels.txt"] = h;
  return src;
}

std::string user_line(const std::string& area, const std::string& district,
                      const std::string& name) {
  return "\"" + area + "\",\"" + district + "\",\"" + name +
         "\",\"052-111-1111\",12,\"徒歩５分\",\"\\5,000\",\"◎       \"\n";
}

class HotelWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    state->process_events = [] { QCoreApplication::processEvents(); };
    data::DataError err;
    ASSERT_TRUE(data::load_sections(
        folder.data_path(), 0, state->schedule, state->districts, state->fares, [](int) {}, err))
        << err.message();
    state->service_date.day_number = calendar::day_number(1999, 1, 1);
    state->settings.pos(6) = {600, 600};
    state->settings.pos(7) = {900, 900};
    state->settings.pos(12) = {300, 300};
    state->settings.pos(15) = {1200, 1200};
    app = std::make_unique<app::Navigator>(*state);
  }
  void TearDown() override {
    app.reset();  // the hotel windows go with the navigator's main window
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    flush_deletes();
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static void activate(QWidget* w) {
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  static void double_click(QWidget* w, QPoint at) {
    QWidget* top = w->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, at));
  }
  static void click_item(QListWidget* list, int row, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods,
                      list->visualItemRect(list->item(row)).center());
  }
  static Names items(QListWidget* list) {
    Names out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
  }
  template <class T>
  static T* child(QWidget* w, const char* name) {
    T* c = w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  HotelSearchWindow* open_search() {
    app->open_hotel_search();
    HotelSearchWindow* w = app->hotel_search_window();
    activate(w);
    return w;
  }
  // Types the area and presses 検索開始; the list window, or nullptr when none opened.
  HotelListWindow* search(HotelSearchWindow* w, const std::string& area) {
    child<QLineEdit>(w, "Text1")->setText(QString::fromStdString(area));
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    return qobject_cast<HotelListWindow*>(find_hotel_window("ravolin6"));
  }
  static QTableWidget* grid(QWidget* list) { return child<QTableWidget>(list, "MSFlexGrid1"); }
  static Names column(QWidget* list, int c) {
    Names out;
    auto* g = grid(list);
    for (int r = 0; r < g->rowCount(); ++r) out.push_back(g->item(r, c)->text().toStdString());
    return out;
  }

  test_support::ProgramFolder folder{sources()};
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
};

TEST_F(HotelWindowTest, SearchWindowPrefillsAndChecksTheArea) {
  QPointer<HotelSearchWindow> w = open_search();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("ﾗﾎﾞﾘﾝ&ﾎﾃﾙ情報"));
  auto* text1 = child<QLineEdit>(w, "Text1");
  EXPECT_EQ(text1->text(), QStringLiteral("東京／羽田"));
  ASSERT_TRUE(text1->hasFocus());
  QCoreApplication::processEvents();
  EXPECT_EQ(text1->selectedText(), text1->text());

  // Enter: empty stays; an unknown name is refused with the message; a known one moves on.
  text1->clear();
  QTest::keyClick(text1, Qt::Key_Return);
  EXPECT_TRUE(text1->hasFocus());
  EXPECT_TRUE(messages.shown().empty());
  // No message box, but a screen reader hears why.
  EXPECT_EQ(text1->accessibleDescription(),
            text1->accessibleName() + QStringLiteral(": 地域を入力してください"));
  text1->setText(QStringLiteral("横浜"));
  QTest::keyClick(text1, Qt::Key_Return);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text, "ホテル検索地域名の入力エラー！！");
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_EQ(messages.shown()[0].request.help_topic, 256);
  EXPECT_TRUE(text1->hasFocus());
  text1->setText(QStringLiteral(" 名古屋 "));
  QTest::keyClick(text1, Qt::Key_Return);
  EXPECT_TRUE(child<QPushButton>(w, "Command1")->hasFocus());
  EXPECT_EQ(messages.shown().size(), 1u);

  // 検索開始: empty only puts the focus back; an unknown name gives the message.
  EXPECT_EQ(search(w, ""), nullptr);
  EXPECT_TRUE(text1->hasFocus());
  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(search(w, "東京"), nullptr);
  EXPECT_EQ(messages.shown().size(), 2u);
  EXPECT_TRUE(text1->hasFocus());

  // Escape stores the position and closes.
  w->move(140, 100);
  QTest::keyClick(text1, Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(w, nullptr);
  EXPECT_NE(state->settings.pos(12).top, 300);

  state->settings.arrival_ground[1] = "新大阪";
  auto* again = open_search();
  EXPECT_EQ(child<QLineEdit>(again, "Text1")->text(), QStringLiteral("新大阪"));
}

TEST_F(HotelWindowTest, ListShowsTheAreasHotelsDatedTodayAndEscapeReturnsToTheSearch) {
  folder.write_file("hotelusr.csv",
                    test_support::to_cp932_crlf(user_line("東京／成田", "新橋", "わたしの宿")));
  auto* search_window = open_search();
  HotelListWindow* list = search(search_window, " 東京／羽田 ");
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(state->hotels_loaded);
  EXPECT_EQ(list->windowTitle(), QStringLiteral("ラボリン&ホテル情報"));
  EXPECT_EQ(child<QPushButton>(list, "Command1")->text().toStdString(),
            "＊＊＊＊＊ → 東京／羽田  2000/03/13 (月) 出発");
  // The computer's date becomes the service date again.
  EXPECT_EQ(state->service_date.day_number, calendar::day_number(2000, 3, 13));
  EXPECT_EQ(state->service_date.weekday, 2);

  auto* g = grid(list);
  ASSERT_EQ(g->columnCount(), 7);
  for (int c = 0; c < 7; ++c)
    EXPECT_EQ(g->horizontalHeaderItem(c)->text().toStdString(), grid_heading()[c]);
  EXPECT_EQ(column(list, 1),
            (Names{"わたしの宿", "京橋ホテル", "銀座ホテル", "新橋ホテル", "日本橋ホテル",
                   "八重洲ホテル", "丸の内グランドステーションホテル東京駅前", "京橋イン"}));
  const auto rows = grid_rows(state->hotels, state->hotel_selection.hit_list);
  for (int r = 0; r < g->rowCount(); ++r)
    for (int c = 0; c < 7; ++c) EXPECT_EQ(g->item(r, c)->text().toStdString(), rows[r][c]);
  EXPECT_TRUE(g->item(0, 5)->textAlignment() & Qt::AlignRight);
  // Every column wide enough for its longest text.
  for (int r = 0; r < g->rowCount(); ++r)
    for (int c = 0; c < 7; ++c)
      EXPECT_LT(g->fontMetrics().horizontalAdvance(g->item(r, c)->text()), g->columnWidth(c));
  EXPECT_TRUE(g->item(0, 6)->textAlignment() & Qt::AlignLeft);
  EXPECT_EQ(child<QLabel>(list, "Label1")->text(),
            QStringLiteral("備考(評価)は作者の個人的な評価です。公的機関の評価ではありません。"
                           "ご留意下さい。"));
  EXPECT_TRUE(messages.shown().empty());

  activate(list);
  list->move(200, 160);
  QTest::keyClick(g, Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(find_hotel_window("ravolin6"), nullptr);
  EXPECT_NE(state->settings.pos(6).top, 600);
  ASSERT_TRUE(QTest::qWaitForWindowActive(search_window));
  EXPECT_TRUE(child<QLineEdit>(search_window, "Text1")->hasFocus());
  EXPECT_GE(help.count("close"), 1);
}

TEST_F(HotelWindowTest, ListWidenedForLongNamesStaysWholeOnTheScreen) {
  // Stored at the right edge of the screen for the list's designed width; the long hotel
  // name widens it after it was placed.
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  const int designed = ui::tw(nullptr, 9600 + 240);
  const int left = screen.right() + 1 - designed;
  state->settings.pos(6) = {
      600, static_cast<std::int16_t>(ui::pixels_to_twips(left, ui::logical_dpi(nullptr)))};
  HotelListWindow* list = search(open_search(), "東京／羽田");
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->width(), designed);
  EXPECT_LE(list->frameGeometry().right(), screen.right());
  EXPECT_GE(list->x(), screen.left());
}

TEST_F(HotelWindowTest, TableIsReadOnceAndAgainAfterTheUserListWasStored) {
  folder.write_file("hotelusr.csv",
                    test_support::to_cp932_crlf(user_line("名古屋", "栄", "一軒目")));
  // The loading window shows its hotel message while the table is read.
  std::vector<std::string> loading_texts;
  state->process_events = [&] {
    if (QWidget* l = find_hotel_window("ravolin11"))
      loading_texts.push_back(
          l->findChild<QPushButton*>(QStringLiteral("Command1"))->text().toStdString());
  };
  auto* w = open_search();
  ASSERT_NE(search(w, "名古屋"), nullptr);
  ASSERT_FALSE(loading_texts.empty());
  EXPECT_EQ(loading_texts[0], "ホテルデータロード中!!  しばらくお待ち下さい");
  EXPECT_EQ(find_hotel_window("ravolin11"), nullptr);
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1), (Names{"一軒目", "名駅ホテル", "栄ホテル"}));

  folder.write_file("hotelusr.csv",
                    test_support::to_cp932_crlf(user_line("名古屋", "栄", "二軒目")));
  ASSERT_NE(search(w, "名古屋"), nullptr);  // replaces the open list; the table is kept
  flush_deletes();
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1), (Names{"一軒目", "名駅ホテル", "栄ホテル"}));

  state->hotels_loaded = false;  // the user hotel list window stored the file
  ASSERT_NE(search(w, "名古屋"), nullptr);
  flush_deletes();
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1), (Names{"二軒目", "名駅ホテル", "栄ホテル"}));
  EXPECT_EQ(state->hotels.user_hotel_count, 1);
  EXPECT_EQ(state->hotels.file_hotel_count, 14);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(HotelWindowTest, BrokenUserLinesAndAMissingDataFileAreReportedAndTheRestListed) {
  folder.write_file("hotelusr.csv", test_support::to_cp932_crlf(
                                        user_line("名古屋", "栄", "一軒目") + "壊れた行\n"));
  std::filesystem::remove(folder.data_path());
  auto* w = open_search();
  HotelListWindow* list = search(w, "名古屋");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(column(list, 1), (Names{"一軒目"}));
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_NE(messages.shown()[0].request.text.find("2 行目"), std::string::npos);
  EXPECT_NE(messages.shown()[1].request.text.find("ravolinh.dat"), std::string::npos);
  EXPECT_FALSE(state->hotels_loaded);  // the next opening tries the data file again
}

TEST_F(HotelWindowTest, HotelTextsThatLookLikeHtmlShowAsTheyAreInTheCellTooltips) {
  folder.write_file("hotelusr.csv", test_support::to_cp932_crlf(
                                        user_line("名古屋", "<b>x</b>", "<img src=/etc/x.png>")));
  auto* w = open_search();
  HotelListWindow* list = search(w, "名古屋");
  ASSERT_NE(list, nullptr);
  // What the pointer resting on a cell shows: Qt renders a tooltip that looks like HTML
  // as HTML.
  const auto tooltip_shows = [&](int c) {
    const QString tip = grid(list)->item(0, c)->toolTip();
    QTextDocument d;
    if (Qt::mightBeRichText(tip))
      d.setHtml(tip);
    else
      d.setPlainText(tip);
    return d.toPlainText().toStdString();
  };
  EXPECT_EQ(column(list, 0)[0], "<b>x</b>");
  EXPECT_EQ(tooltip_shows(0), "<b>x</b>");
  EXPECT_EQ(tooltip_shows(1), "<img src=/etc/x.png>");
  EXPECT_EQ(tooltip_shows(6), "◎       ");
}

TEST_F(HotelWindowTest, AnAreaWithoutHotelsGivesTheMessageAndNoList) {
  auto* w = open_search();
  EXPECT_EQ(search(w, "札幌"), nullptr);
  flush_deletes();
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text, "ホテルデータなし");
  EXPECT_EQ(messages.shown()[0].request.help_topic, 204);
  EXPECT_EQ(find_hotel_window("ravolin6"), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));  // back from the loading window
  EXPECT_TRUE(child<QLineEdit>(w, "Text1")->hasFocus());
}

TEST_F(HotelWindowTest, DistrictButtonNeedsMoreThanFiveDistricts) {
  auto* w = open_search();
  EXPECT_TRUE(child<QPushButton>(search(w, "東京／羽田"), "Command3")->isEnabled());  // 6
  EXPECT_FALSE(child<QPushButton>(search(w, "新大阪"), "Command3")->isEnabled());     // 5
}

TEST_F(HotelWindowTest, DistrictChooserButtonsFollowTheListsAndSelections) {
  auto* w = open_search();
  HotelListWindow* list = search(w, "東京／羽田");
  QTest::mouseClick(child<QPushButton>(list, "Command3"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(find_hotel_window("ravolin6"), nullptr);
  QWidget* d = find_hotel_window("ravolin7");
  ASSERT_NE(d, nullptr);
  activate(d);
  auto* list1 = child<QListWidget>(d, "List1");
  auto* list2 = child<QListWidget>(d, "List2");
  auto* select = child<QPushButton>(d, "Command1");
  auto* select_all = child<QPushButton>(d, "Command2");
  auto* deselect = child<QPushButton>(d, "Command3");
  auto* deselect_all = child<QPushButton>(d, "Command4");
  const auto buttons = [&] {
    return std::vector<bool>{select->isEnabled(), select_all->isEnabled(), deselect->isEnabled(),
                             deselect_all->isEnabled()};
  };
  EXPECT_EQ(items(list1), (Names{"京橋", "銀座", "新橋", "日本橋", "八重洲", "丸の内"}));
  EXPECT_TRUE(items(list2).empty());
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, false, false}));

  click_item(list1, 1);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false, false}));
  QTest::mouseClick(select, Qt::LeftButton);
  EXPECT_EQ(items(list2), (Names{"銀座"}));
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, false, true}));

  click_item(list2, 0);
  click_item(list1, 3);
  click_item(list1, 0, Qt::ControlModifier);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true, true}));
  QTest::mouseClick(select, Qt::LeftButton);
  EXPECT_EQ(items(list1), (Names{"新橋", "日本橋", "丸の内"}));
  EXPECT_EQ(items(list2), (Names{"銀座", "京橋", "八重洲"}));
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, true}));  // List2 kept its choice

  QTest::mouseClick(deselect, Qt::LeftButton);
  EXPECT_EQ(items(list1), (Names{"新橋", "日本橋", "丸の内", "銀座"}));  // at the end
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, false, true}));

  click_item(list1, 0);
  click_item(list2, 0);
  QTest::mouseClick(select_all, Qt::LeftButton);
  EXPECT_TRUE(items(list1).empty());
  EXPECT_EQ(items(list2), (Names{"京橋", "八重洲", "新橋", "日本橋", "丸の内", "銀座"}));
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, true}));

  QTest::mouseClick(deselect_all, Qt::LeftButton);
  EXPECT_EQ(items(list1).size(), 6u);
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(HotelWindowTest, ChosenDistrictsNarrowTheListAndCancelKeepsTheChoice) {
  auto* w = open_search();
  const auto open_chooser = [&] {
    QTest::mouseClick(child<QPushButton>(find_hotel_window("ravolin6"), "Command3"),
                      Qt::LeftButton);
    flush_deletes();
    QWidget* d = find_hotel_window("ravolin7");
    EXPECT_NE(d, nullptr);
    return d;
  };
  search(w, "東京／羽田");
  QWidget* d = open_chooser();
  click_item(child<QListWidget>(d, "List1"), 0);
  click_item(child<QListWidget>(d, "List1"), 1, Qt::ControlModifier);
  QTest::mouseClick(child<QPushButton>(d, "Command1"), Qt::LeftButton);
  d->move(220, 180);
  QTest::mouseClick(child<QPushButton>(d, "Command6"), Qt::LeftButton);  // 了解
  flush_deletes();
  EXPECT_EQ(state->hotel_selection.district_filter, (Names{"京橋", "銀座"}));
  EXPECT_NE(state->settings.pos(7).top, 900);
  QWidget* list = find_hotel_window("ravolin6");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(column(list, 1), (Names{"京橋ホテル", "銀座ホテル", "京橋イン"}));
  // Two districts shown, but the area still has six to choose from.
  EXPECT_TRUE(child<QPushButton>(list, "Command3")->isEnabled());

  d = open_chooser();
  EXPECT_EQ(items(child<QListWidget>(d, "List1")), (Names{"新橋", "日本橋", "八重洲", "丸の内"}));
  EXPECT_EQ(items(child<QListWidget>(d, "List2")), (Names{"京橋", "銀座"}));
  QTest::mouseClick(child<QPushButton>(d, "Command2"), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(d, "Command5"), Qt::LeftButton);  // ｷｬﾝｾﾙ
  flush_deletes();
  EXPECT_EQ(state->hotel_selection.district_filter, (Names{"京橋", "銀座"}));
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1).size(), 3u);

  // Escape accepts like 了解: <<全取消 then Escape clears the filter.
  d = open_chooser();
  activate(d);
  QTest::mouseClick(child<QPushButton>(d, "Command4"), Qt::LeftButton);
  QTest::keyClick(child<QListWidget>(d, "List1"), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(state->hotel_selection.district_filter.empty());
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1).size(), 7u);

  // Narrowed in one area, a search for another lists all of that area's hotels.
  d = open_chooser();
  click_item(child<QListWidget>(d, "List1"), 0);
  QTest::mouseClick(child<QPushButton>(d, "Command1"), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(d, "Command6"), Qt::LeftButton);
  flush_deletes();
  ASSERT_EQ(state->hotel_selection.district_filter.size(), 1u);
  HotelListWindow* nagoya = search(w, "名古屋");
  ASSERT_NE(nagoya, nullptr);
  EXPECT_EQ(column(nagoya, 1), (Names{"名駅ホテル", "栄ホテル"}));
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(HotelWindowTest, QuestionButtonBelongsToTheAreaFieldAndOpensThePicker) {
  auto* w = open_search();
  auto* text1 = child<QLineEdit>(w, "Text1");
  auto* question = child<QPushButton>(w, "Command3");
  EXPECT_TRUE(question->isVisible());
  QTest::keyClick(text1, Qt::Key_Tab);                        // to "?"
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // to 検索開始
  EXPECT_TRUE(child<QPushButton>(w, "Command1")->hasFocus());
  EXPECT_FALSE(question->isVisible());
  text1->setFocus();
  EXPECT_TRUE(question->isVisible());

  QTest::mouseClick(question, Qt::LeftButton);
  EXPECT_FALSE(question->isVisible());
  auto* picker = qobject_cast<AreaPickerWindow*>(find_hotel_window("ravolin15"));
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->mode(), AreaPickerWindow::kModeHotelSearch);
  activate(picker);
  auto* list1 = child<QListWidget>(picker, "List1");
  click_item(list1, 2);  // 名古屋 (region 0 lists every area)
  QTest::mouseClick(child<QPushButton>(picker, "Command3"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(find_hotel_window("ravolin15"), nullptr);
  EXPECT_EQ(text1->text(), QStringLiteral("名古屋"));
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  EXPECT_TRUE(child<QPushButton>(w, "Command1")->hasFocus());

  // A double-click on the area field opens the picker too.
  double_click(text1, QPoint(5, 5));
  EXPECT_NE(find_hotel_window("ravolin15"), nullptr);
}

class AreaPickerTest : public HotelWindowTest {
 protected:
  // A record edit window stand-in: the area field Text9 and the district field Text1.
  AreaPickerWindow* open_picker() {
    caller = std::make_unique<QWidget>();
    text9 = new QLineEdit(QStringLiteral("元の地域"), caller.get());
    text9->setObjectName(QStringLiteral("Text9"));
    text1 = new QLineEdit(caller.get());
    text1->setObjectName(QStringLiteral("Text1"));
    text1->move(0, 40);
    activate(caller.get());
    // One picker at a time, handing its choice to the stand-in as the edit window takes it.
    if (picker) picker->close();
    picker = new AreaPickerWindow(*state, AreaPickerWindow::kModeHotelRecord,
                                  [this](const QString& area) {
                                    text9->setText(area);
                                    caller->activateWindow();
                                    text1->setFocus();
                                  });
    activate(picker);
    return picker;
  }
  QPointer<AreaPickerWindow> picker;
  std::unique_ptr<QWidget> caller;
  QLineEdit* text9 = nullptr;
  QLineEdit* text1 = nullptr;
};

TEST_F(AreaPickerTest, OpensOnTheLastRegionWithTheRecentPlaces) {
  state->settings.control9_flg = 4;
  state->settings.departure_ground = {"", "", "新大阪 ", "", "名古屋", ""};
  AreaPickerWindow* p = open_picker();
  EXPECT_EQ(p->windowTitle(), QStringLiteral("ラボリン&ホテル情報"));
  EXPECT_TRUE(child<QRadioButton>(p, "Option4")->isChecked());
  EXPECT_EQ(items(child<QListWidget>(p, "List1")), (Names{"東京／羽田", "東京／成田"}));
  EXPECT_EQ(items(child<QListWidget>(p, "List2")), (Names{"新大阪 ", "名古屋"}));
  EXPECT_FALSE(child<QPushButton>(p, "Command3")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(p, "Command2")->isEnabled());
  // The instruction cannot be changed or reached with Tab, but reads as text does.
  EXPECT_TRUE(child<QLineEdit>(p, "Text1")->isReadOnly());
  EXPECT_FALSE(child<QLineEdit>(p, "Text1")->focusPolicy() & Qt::TabFocus);

  const auto pick = [&](const char* option) {
    auto* o = child<QRadioButton>(p, option);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
  };
  pick("Option10");
  EXPECT_EQ(items(child<QListWidget>(p, "List1")),
            (Names{"東京／羽田", "東京／成田", "名古屋", "新大阪", "札幌"}));
  EXPECT_EQ(state->settings.control9_flg, 0);
  pick("Option1");
  EXPECT_EQ(items(child<QListWidget>(p, "List1")), (Names{"札幌"}));
  // A click on the option already chosen starts the list afresh: nothing selected, and
  // 選択確定 waits for a new choice.
  click_item(child<QListWidget>(p, "List1"), 0);
  ASSERT_TRUE(child<QPushButton>(p, "Command3")->isEnabled());
  pick("Option1");
  EXPECT_TRUE(child<QRadioButton>(p, "Option1")->isChecked());
  EXPECT_EQ(items(child<QListWidget>(p, "List1")), (Names{"札幌"}));
  EXPECT_TRUE(child<QListWidget>(p, "List1")->selectedItems().isEmpty());
  EXPECT_FALSE(child<QPushButton>(p, "Command3")->isEnabled());
  p->move(260, 240);
  QTest::keyClick(child<QListWidget>(p, "List1"), Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(text9->text(), QStringLiteral("元の地域"));
  EXPECT_NE(state->settings.pos(15).top, 1200);  // Escape stores the position

  // Reopened, the picker shows the region chosen last.
  p = open_picker();
  EXPECT_TRUE(child<QRadioButton>(p, "Option1")->isChecked());
  EXPECT_EQ(items(child<QListWidget>(p, "List1")), (Names{"札幌"}));

  state->settings.control9_flg = 12;  // outside 0..9: no region, nothing to choose
  p = open_picker();
  for (int i = 1; i <= 10; ++i)
    EXPECT_FALSE(p->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(i))->isChecked());
  EXPECT_EQ(child<QListWidget>(p, "List1")->count(), 0);
}

TEST_F(AreaPickerTest, ChoosingWritesTheTrimmedNameAndMovesTheCallersFocus) {
  state->settings.control9_flg = 0;
  state->settings.departure_ground = {"", " 新大阪 ", "名古屋", "", "", ""};
  AreaPickerWindow* p = open_picker();
  p->move(260, 240);
  click_item(child<QListWidget>(p, "List1"), 1);
  EXPECT_TRUE(child<QPushButton>(p, "Command3")->isEnabled());
  QTest::mouseClick(child<QPushButton>(p, "Command3"), Qt::LeftButton);  // 選択確定
  flush_deletes();
  EXPECT_EQ(text9->text(), QStringLiteral("東京／成田"));
  ASSERT_TRUE(QTest::qWaitForWindowActive(caller.get()));
  EXPECT_TRUE(text1->hasFocus());
  EXPECT_EQ(state->settings.pos(15).top, 1200);  // 選択確定 keeps the stored position

  // A recent place chosen with a double-click, trimmed; the position is stored.
  p = open_picker();
  p->move(260, 240);
  auto* list2 = child<QListWidget>(p, "List2");
  double_click(list2->viewport(), list2->visualItemRect(list2->item(0)).center());
  flush_deletes();
  EXPECT_EQ(text9->text(), QStringLiteral("新大阪"));
  EXPECT_NE(state->settings.pos(15).top, 1200);

  // 選択確定 after a click in List2 alone takes that recent place.
  p = open_picker();
  click_item(child<QListWidget>(p, "List2"), 1);
  QTest::mouseClick(child<QPushButton>(p, "Command3"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(text9->text(), QStringLiteral("名古屋"));

  // Keyboard only: arrows pick an area, Enter chooses it.
  p = open_picker();
  auto* keys_list = child<QListWidget>(p, "List1");
  keys_list->setFocus();
  QTest::keyClick(keys_list, Qt::Key_Down);
  ASSERT_NE(keys_list->currentItem(), nullptr);
  const QString current = keys_list->currentItem()->text();
  EXPECT_FALSE(current.isEmpty());
  QTest::keyClick(keys_list, Qt::Key_Return);
  flush_deletes();
  EXPECT_EQ(text9->text(), current);

  // 取消終了 closes without choosing.
  p = open_picker();
  click_item(child<QListWidget>(p, "List1"), 0);
  QTest::mouseClick(child<QPushButton>(p, "Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(text9->text(), QStringLiteral("元の地域"));
  EXPECT_EQ(find_hotel_window("ravolin15"), nullptr);
}

// The English windows: texts from the translation file, areas and districts by their
// English names (typed ones too), hotel names as written.
class HotelEnglishTest : public AreaPickerTest {
 protected:
  void SetUp() override {
    AreaPickerTest::SetUp();
    ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                                 QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
    state->language = text::Language::kEnglish;
    state->place_names.add("東京／羽田", "Tokyo/Haneda");
    state->place_names.add("名古屋", "Nagoya");
    state->place_names.add("京橋", "Kyobashi");
    state->place_names.add("銀座", "Ginza");
  }
  void TearDown() override {
    AreaPickerTest::TearDown();
    ui::use_language(*qApp, text::Language::kJapanese, QString());
  }
  // Visible captions of the window's own controls that still hold Japanese.
  static QStringList japanese_captions(QWidget* w) {
    static const QRegularExpression kana_kanji(QStringLiteral("[\u3040-\u30ff\u4e00-\u9fff]"));
    QStringList found;
    QStringList texts{w->windowTitle()};
    for (auto* c : w->findChildren<QAbstractButton*>()) texts << c->text();
    for (auto* c : w->findChildren<QLabel*>()) texts << c->text();
    for (auto* c : w->findChildren<QGroupBox*>()) texts << c->title();
    for (const QString& t : texts)
      if (t.contains(kana_kanji)) found << t;
    return found;
  }
  // Each control that takes the focus has a name of its own in the window.
  static void expect_named_controls(QWidget* w) {
    std::set<QString> names;
    for (QWidget* c : w->findChildren<QWidget*>()) {
      if (c->focusPolicy() == Qt::NoFocus || !c->isEnabledTo(w) || c->isWindow() ||
          qobject_cast<QAbstractScrollArea*>(c->parentWidget()))
        continue;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
      ASSERT_NE(a, nullptr);
      const QString name = a->text(QAccessible::Name);
      EXPECT_FALSE(name.isEmpty()) << c->objectName().toStdString();
      EXPECT_TRUE(names.insert(name).second)
          << name.toStdString() << " twice in " << w->objectName().toStdString();
    }
  }
};

TEST_F(HotelEnglishTest, SearchAndListInEnglish) {
  auto* w = open_search();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Hotel search"));
  auto* area = child<QLineEdit>(w, "Text1");
  EXPECT_EQ(area->text(), QStringLiteral("Tokyo/Haneda"));
  EXPECT_EQ(japanese_captions(w), QStringList());
  expect_named_controls(w);

  // A refused area: the English message, told to a screen reader on the field.
  EXPECT_EQ(search(w, "Yokohama"), nullptr);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text, "Unknown hotel area!!");
  EXPECT_TRUE(area->hasFocus());
  EXPECT_EQ(area->accessibleDescription(), QStringLiteral("Hotel area: Unknown hotel area!!"));

  // The English name typed any way finds the area's hotels.
  HotelListWindow* list = search(w, " TOKYO/haneda ");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(state->hotel_selection.hotel_area, "東京／羽田");
  EXPECT_EQ(list->windowTitle(), QStringLiteral("Hotel list"));  // each window its own title
  EXPECT_EQ(child<QPushButton>(list, "Command1")->text().toStdString(),
            "Tokyo/Haneda  (departing Mon 13 Mar 2000)");
  auto* g = grid(list);
  QStringList headings;
  for (int c = 0; c < g->columnCount(); ++c) {
    headings << g->model()->headerData(c, Qt::Horizontal).toString();
    // The column's header is what a screen reader says for a cell.
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(g)->tableInterface()->cellAt(0, c);
    ASSERT_NE(cell, nullptr);
    const QList<QAccessibleInterface*> header = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header[0]->text(QAccessible::Name), headings.back());
    // Qt makes a new header cell for each call and leaves it to the caller.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(header[0]));
  }
  EXPECT_EQ(headings.join(QLatin1Char('|')),
            QStringLiteral("District|Hotel|Phone|Rooms|Access|Rate|Remarks(rating)"));
  EXPECT_EQ(column(list, 0),
            (Names{"Kyobashi", "Ginza", "新橋", "日本橋", "八重洲", "丸の内", "Kyobashi"}));
  EXPECT_EQ(column(list, 1)[0], "京橋ホテル");
  EXPECT_EQ(japanese_captions(list), QStringList());
  expect_named_controls(list);

  // The district chooser lists the English names and hands back the data's.
  QTest::mouseClick(child<QPushButton>(list, "Command3"), Qt::LeftButton);
  flush_deletes();
  QWidget* d = find_hotel_window("ravolin7");
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(items(child<QListWidget>(d, "List1")),
            (Names{"Kyobashi", "Ginza", "新橋", "日本橋", "八重洲", "丸の内"}));
  EXPECT_EQ(japanese_captions(d), QStringList());
  expect_named_controls(d);
  click_item(child<QListWidget>(d, "List1"), 1);
  QTest::mouseClick(child<QPushButton>(d, "Command1"), Qt::LeftButton);
  EXPECT_EQ(items(child<QListWidget>(d, "List2")), (Names{"Ginza"}));
  QTest::mouseClick(child<QPushButton>(d, "Command6"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(state->hotel_selection.district_filter, (Names{"銀座"}));
  EXPECT_EQ(column(find_hotel_window("ravolin6"), 1), (Names{"銀座ホテル"}));
}

TEST_F(HotelEnglishTest, AreaPickerInEnglish) {
  state->settings.control9_flg = 0;
  state->settings.departure_ground = {"", "名古屋", "", "", "", ""};
  AreaPickerWindow* p = open_picker();
  EXPECT_EQ(items(child<QListWidget>(p, "List1")),
            (Names{"Tokyo/Haneda", "東京／成田", "Nagoya", "新大阪", "札幌"}));
  EXPECT_EQ(items(child<QListWidget>(p, "List2")), (Names{"Nagoya"}));
  EXPECT_EQ(japanese_captions(p), QStringList());
  expect_named_controls(p);
}

}  // namespace
}  // namespace ravolin::hotels
