// SPDX-License-Identifier: MIT
// The user hotel list (ravolin13) and edit (ravolin14) windows on real widgets: the
// checks with their messages in Text8, add / update / add-as-new / delete with their
// confirmations, 登録終了 with each sort setting, 取消, a failed write and the lines the
// reader had to leave out.
#include "gui/hotels/user_hotels_window.h"
#include "app/navigator.h"
#include "gui/common/translation.h"
#include "gui/common/window_conventions.h"
#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/hotel_edit_window.h"
#include "hotels/user_hotels.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "hotels/find_window.h"
#include "support/program_folder.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

namespace ravolin::hotels {
namespace {

namespace fs = std::filesystem;

const char* const kThree =
    "\"仙台\",\"青葉\",\"ホテルA\",\"022-000-0001\",10,\"仙台駅徒歩５分\",\"\\8,000\",\"○       "
    "\"\n"
    "\"東京\",\"京橋\",\"ホテルB\",\"03-0000-0002\",20,\"京橋駅前\",\"\\12,000\",\"◎       \"\n"
    "\"札幌\",\"すすきの\",\"ホテルC\",\"011-000-0003\",30,\"\",\"\",\"        \"\n";

class UserHotelsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state = std::make_unique<app::AppState>(folder.path(),
                                            app::Platform{clock, messages, help, printer});
    for (const char* name : {"札幌", "仙台", "東京／羽田", "東京／成田", "大阪／伊丹", "博多"})
      state->schedule.areas.name[++state->schedule.areas.count] = name;
    state->settings.pos(13) = {900, 600};
    state->settings.pos(14) = {1200, 1500};
    app = std::make_unique<app::Navigator>(*state);
  }
  void TearDown() override {
    delete list.data();
    flush_deletes();
  }
  void write_hotels(const std::string& utf8) {
    folder.write_file(kUserHotelFileName, test_support::to_cp932_crlf(utf8));
  }
  std::string hotels_text() const { return folder.read_text(kUserHotelFileName); }
  std::vector<std::string> names_in_file() const {
    auto table = std::make_unique<HotelTable>();
    load_user_hotels(state->user_hotels_path(), *table);
    std::vector<std::string> out;
    for (int i = 1; i <= table->user_hotel_count; ++i) out.push_back(table->entry[i].name);
    return out;
  }
  static void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static void show_active(QWidget* w) {
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QCoreApplication::processEvents();
  }
  // The list as the navigator's menu entry opens it, with the navigator's edit window, but
  // on the hotel table as the test leaves it.
  void open() {
    UserHotelsWindow::Ways ways;
    ways.open_editor = [this](int index) { app->open_hotel_editor(*list, index); };
    ways.close_editor = [this] {
      if (edit()) edit()->close();
    };
    list = new UserHotelsWindow(*state, std::move(ways));
    show_active(list);
  }
  template <class T>
  static T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QPushButton* button(const char* name) const { return child<QPushButton>(list, name); }
  QListWidget* list1() const { return child<QListWidget>(list, "List1"); }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < list1()->count(); ++i)
      out.push_back(list1()->item(i)->text().toStdString());
    return out;
  }
  void click_line(int row) {
    QListWidget* l = list1();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
  }
  HotelEditWindow* edit() const { return list ? app->hotel_edit_window() : nullptr; }
  QLineEdit* field(const char* name) const { return child<QLineEdit>(edit(), name); }
  QString text8() const { return child<QPlainTextEdit>(edit(), "Text8")->toPlainText(); }
  // Opens the edit window through a list button and waits until it has the keyboard.
  void open_edit(const char* command) {
    QTest::mouseClick(button(command), Qt::LeftButton);
    ASSERT_NE(edit(), nullptr);
    show_active(edit());
  }
  // Types a text into a field as the keyboard would, replacing what it held.
  static void type(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (QChar ch : text)
      QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString(ch),
                          Qt::NoModifier);
  }
  void enter(const char* name) {
    QTest::keyClick(field(name), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  QWidget* focus() const { return QApplication::focusWidget(); }
  // Fills every field of the edit window.
  void fill(const std::vector<QString>& texts) {
    const char* order[] = {"Text9", "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
    for (std::size_t i = 0; i < texts.size(); ++i) type(field(order[i]), texts[i]);
  }
  void store(const char* command, ui::MessageAnswer answer = ui::MessageAnswer::Ok) {
    messages.set_next_answer(answer);
    QTest::mouseClick(child<QPushButton>(edit(), command), Qt::LeftButton);
    flush_deletes();
  }
  std::string last_message() const {
    return messages.shown().empty() ? "" : messages.shown().back().request.text;
  }

  test_support::ProgramFolder folder;
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  std::unique_ptr<app::AppState> state;
  std::unique_ptr<app::Navigator> app;
  QPointer<UserHotelsWindow> list;
};

TEST_F(UserHotelsWindowTest, OpensWithOneLinePerEntryAndChangeAndDeleteDisabled) {
  write_hotels(kThree);
  open();
  EXPECT_EQ(list->objectName(), QStringLiteral("ravolin13"));
  EXPECT_EQ(list->windowTitle(), QStringLiteral("ラボリン＆ホテル情報"));
  EXPECT_EQ(list->pos(), QPoint(ui::tw(list, 600), ui::tw(list, 900)));
  EXPECT_EQ(lines(), (std::vector<std::string>{"仙台\t\t青葉\t\tホテルA\t\t\t022-000-0001",
                                               "東京\t\t京橋\t\tホテルB\t\t\t03-0000-0002",
                                               "札幌\t\tすすきの\tホテルC\t\t\t011-000-0003"}));
  for (const char* h : {"地域名", "地区名", "ホテル名", "電話番号"}) {
    bool found = false;
    for (auto* label : list->findChildren<QLabel*>())
      found |= label->text() == QString::fromUtf8(h);
    EXPECT_TRUE(found) << h;
  }
  EXPECT_FALSE(button("Command3")->isEnabled());
  EXPECT_FALSE(button("Command4")->isEnabled());
  click_line(1);
  EXPECT_TRUE(button("Command3")->isEnabled());
  EXPECT_TRUE(button("Command4")->isEnabled());
  EXPECT_TRUE(messages.shown().empty());

  // without a mouse: a line chosen with the arrow keys can be deleted too
  write_hotels(kThree);
  delete list.data();
  open();
  list1()->setFocus();
  QTest::keyClick(list1(), Qt::Key_Down);
  EXPECT_TRUE(button("Command4")->isEnabled());
  messages.set_next_answer(ui::MessageAnswer::Ok);
  QTest::keyClick(button("Command4"), Qt::Key_Space);
  EXPECT_EQ(list1()->count(), 2);
  EXPECT_FALSE(button("Command4")->isEnabled());
}

TEST_F(UserHotelsWindowTest, EachCheckWritesItsMessageAndKeepsTheFocus) {
  open();
  open_edit("Command2");
  EXPECT_EQ(edit()->objectName(), QStringLiteral("ravolin14"));
  EXPECT_EQ(child<QLabel>(edit(), "Label10")->text(), QStringLiteral("追加モード"));
  EXPECT_FALSE(child<QPushButton>(edit(), "Command3")->isEnabled());
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("東京／羽田"));  // no recent arrival place
  EXPECT_EQ(text8(), QStringLiteral("地域名を選択して下さい\n入力例：大阪／伊丹"));
  EXPECT_TRUE(child<QPushButton>(edit(), "Command4")->isVisible());

  struct Case {
    const char* control;
    QString typed;
    QString message;
  };
  const Case refusals[] = {
      {"Text9", "", "ホテル検索地域名は省略できません"},
      {"Text9", "京都", "ホテル検索地域名の入力です"},
      {"Text2", "", "ホテル名は省略できません"},
      {"Text2", "ホテル\"X\"", "ホテル名に「\"」は使えません"},
      {"Text3", "", "電話番号は省略できません"},
      {"Text4", "12a", "部屋数の入力に誤り(数字のみ可)"},
      {"Text4", "40000", "部屋数の入力に誤り(数字のみ可)"},
      {"Text5", "徒歩한분", "交通に保存できない文字「한」があります"},
      {"Text7", "\"良\"", "備考に「\"」は使えません"},
  };
  for (const Case& c : refusals) {
    type(field(c.control), c.typed);
    enter(c.control);
    EXPECT_EQ(text8(), c.message) << c.control;
    EXPECT_EQ(focus(), field(c.control)) << c.control;
  }
  // accepted: the focus moves on and the next field's hint is shown
  type(field("Text9"), QStringLiteral(" 博多 "));
  enter("Text9");
  EXPECT_EQ(focus(), field("Text1"));
  EXPECT_EQ(text8(), QStringLiteral("地区名を入力して下さい(日本語6文字以内)\n入力例：京橋"));
  EXPECT_FALSE(child<QPushButton>(edit(), "Command4")->isVisible());
  type(field("Text1"), "");
  enter("Text1");  // an empty district becomes the area
  EXPECT_EQ(field("Text1")->text(), QStringLiteral(" 博多 "));
  EXPECT_EQ(focus(), field("Text2"));
  type(field("Text4"), " 123");
  enter("Text4");
  EXPECT_EQ(focus(), field("Text5"));
  type(field("Text7"), QStringLiteral("○"));
  enter("Text7");
  EXPECT_EQ(focus(), child<QPushButton>(edit(), "Command1"));

  // 更新 checks in order and puts the focus on the first field refused
  type(field("Text2"), "");
  store("Command1");
  EXPECT_EQ(text8(), QStringLiteral("ホテル名は省略できません"));
  EXPECT_EQ(focus(), field("Text2"));
  EXPECT_EQ(messages.pending_answers(), 1u);  // no confirmation was asked
  EXPECT_EQ(list->registry().size(), 0);
}

// In English: the window's texts translated, the area by its English name (typed or
// shown) and stored by the data's, the refusal told on the field; the user's own hotels
// as written.
TEST_F(UserHotelsWindowTest, EnglishEditWindow) {
  struct Japanese {  // back to Japanese for the next test, however this one ends
    ~Japanese() { ui::use_language(*qApp, text::Language::kJapanese, QString()); }
  } japanese_afterwards;
  ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                               QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
  state->language = text::Language::kEnglish;
  state->place_names.add("東京／羽田", "Tokyo/Haneda");
  state->place_names.add("博多", "Hakata");
  write_hotels(kThree);
  open();
  EXPECT_EQ(button("Command1")->text(), QStringLiteral("Save"));
  EXPECT_EQ(list1()->accessibleName(), QStringLiteral("Hotel list"));
  EXPECT_EQ(lines()[1].substr(0, 6), "東京");
  open_edit("Command2");
  EXPECT_EQ(child<QLabel>(edit(), "Label10")->text(), QStringLiteral("Adding"));
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("Tokyo/Haneda"));
  EXPECT_EQ(text8(), QStringLiteral("Choose the area\nExample: Osaka/Itami"));
  EXPECT_EQ(field("Text2")->accessibleName(), QStringLiteral("Hotel"));
  EXPECT_EQ(child<QLabel>(edit(), "Label3")->buddy(), field("Text2"));
  EXPECT_EQ(field("Text4")->accessibleDescription(),
            QStringLiteral("Enter the number of rooms (digits only, at most 32767)\nExample: 123"));

  type(field("Text9"), QStringLiteral("Kyoto"));
  enter("Text9");
  EXPECT_EQ(text8(), QStringLiteral("Unknown hotel area"));
  EXPECT_EQ(field("Text9")->accessibleDescription(), QStringLiteral("Area: Unknown hotel area"));
  fill({QStringLiteral(" hakata "), QStringLiteral("中洲"), QStringLiteral("中洲ホテル"),
        QStringLiteral("092"), QStringLiteral("5"), QString(), QString(), QString()});
  store("Command1");
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text, "Add this hotel?");
  ASSERT_EQ(list->registry().size(), 4);
  EXPECT_EQ(list->registry().entries()[3].area, "博多");
  EXPECT_EQ(list->registry().entries()[3].name, "中洲ホテル");
}

// The user's hotels in English: the list shows areas and districts by their English names
// in columns that line up with Latin text; in change mode a short area key of the file
// (大阪) shows and is typed by its English name; an empty district becomes the area, shown
// in English; a district typed by the English name of one in the data is stored by the
// data's name. The file keeps the data's names.
TEST_F(UserHotelsWindowTest, EnglishEntriesByTheirEnglishNames) {
  struct Japanese {
    ~Japanese() { ui::use_language(*qApp, text::Language::kJapanese, QString()); }
  } japanese_afterwards;
  ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                               QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
  state->language = text::Language::kEnglish;
  for (const auto& [jp, en] : {std::pair{"大阪", "Osaka"},
                               {"大阪／伊丹", "Osaka/Itami"},
                               {"梅田", "Umeda"},
                               {"博多", "Hakata"}})
    state->place_names.add(jp, en);
  write_hotels(
      "\"大阪\",\"梅田\",\"Ravolin Hotel Umeda\",\"06-1234-5678\",10,\"\",\"\",\"        \"\n");
  open();
  EXPECT_EQ(lines(),
            (std::vector<std::string>{"Osaka\t\tUmeda\t\tRavolin Hotel Umeda\t\t06-1234-5678"}));

  click_line(0);
  open_edit("Command3");
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("Osaka"));
  EXPECT_EQ(field("Text1")->text(), QStringLiteral("Umeda"));
  type(field("Text9"), QStringLiteral("Osaka"));
  enter("Text9");
  EXPECT_EQ(focus(), field("Text1")) << text8().toStdString();
  type(field("Text1"), QString());
  store("Command1");
  ASSERT_EQ(list->registry().size(), 1);
  EXPECT_EQ(list->registry().entries()[0].area, "大阪");
  EXPECT_EQ(list->registry().entries()[0].district, "大阪");
  EXPECT_EQ(lines()[0].substr(0, 12), "Osaka\t\tOsaka");

  open_edit("Command2");
  fill({QStringLiteral("Osaka/Itami"), QStringLiteral("umeda"), QStringLiteral("Hotel Two"),
        QStringLiteral("06"), QStringLiteral("5"), QString(), QString(), QString()});
  store("Command1");
  ASSERT_EQ(list->registry().size(), 2);
  EXPECT_EQ(list->registry().entries()[1].area, "大阪／伊丹");
  EXPECT_EQ(list->registry().entries()[1].district, "梅田");
  EXPECT_EQ(lines()[1], "Osaka/Itami\tUmeda\t\tHotel Two\t\t\t06");

  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(
      hotels_text(),
      "\"大阪\",\"大阪\",\"Ravolin Hotel Umeda\",\"06-1234-5678\",10,\"\",\"\",\"        \"\r\n"
      "\"大阪／伊丹\",\"梅田\",\"Hotel Two\",\"06\",5,\"\",\"\",\"        \"\r\n");
}

TEST_F(UserHotelsWindowTest, HintAndQuestionButtonFollowEveryMoveOfTheFocus) {
  open();
  open_edit("Command2");
  auto* question = child<QPushButton>(edit(), "Command4");
  ASSERT_TRUE(question->isVisible());

  // A refused 更新 takes the focus from the area field's "?" to the name: "?" goes, and
  // the refusal stands in the message field.
  type(field("Text2"), "");
  type(field("Text9"), QStringLiteral("札幌"));
  ASSERT_TRUE(question->isVisible());
  store("Command1");
  EXPECT_EQ(focus(), field("Text2"));
  EXPECT_FALSE(question->isVisible());
  EXPECT_EQ(text8(), QStringLiteral("ホテル名は省略できません"));

  // ... and back to the area field: "?" is there again.
  type(field("Text9"), "");
  type(field("Text2"), QStringLiteral("ホテル"));
  EXPECT_FALSE(question->isVisible());
  store("Command1");
  EXPECT_EQ(focus(), field("Text9"));
  EXPECT_TRUE(question->isVisible());
  EXPECT_EQ(text8(), QStringLiteral("ホテル検索地域名は省略できません"));

  // On the buttons there is no "?".
  child<QPushButton>(edit(), "Command2")->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(question->isVisible());

  // The area picker's choice moves the focus to the district, which shows its hint.
  app->substitute_area_picker([](QWidget*, int) {});
  field("Text9")->setFocus(Qt::TabFocusReason);
  QTest::mouseClick(question, Qt::LeftButton);
  edit()->set_area(QStringLiteral("札幌"));
  EXPECT_EQ(focus(), field("Text1"));
  EXPECT_EQ(text8(), QStringLiteral("地区名を入力して下さい(日本語6文字以内)\n入力例：京橋"));
  EXPECT_FALSE(question->isVisible());

  // The window going to the background and coming back keeps a refusal standing.
  type(field("Text4"), "12a");
  enter("Text4");
  ASSERT_EQ(text8(), QStringLiteral("部屋数の入力に誤り(数字のみ可)"));
  QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(field("Text4"), &back);
  EXPECT_EQ(text8(), QStringLiteral("部屋数の入力に誤り(数字のみ可)"));
}

TEST_F(UserHotelsWindowTest, AddUpdateAndAddAsNewAskFirstAndKeepListAndEntriesInStep) {
  write_hotels(kThree);
  state->settings.arrival_ground[1] = "大阪／伊丹";
  open();
  open_edit("Command2");
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("大阪／伊丹"));
  fill({"大阪／伊丹", "梅田", "ホテルD", "06-0000-0004", "40", "梅田駅", "\\9,000", "☆"});
  store("Command1", ui::MessageAnswer::Cancel);
  ASSERT_NE(edit(), nullptr);  // Cancel: the edit window stays as it was
  EXPECT_EQ(list->registry().size(), 3);
  EXPECT_EQ(messages.shown().back().request.text, "追加しますよ！！");
  EXPECT_EQ(messages.shown().back().request.help_topic, 253);
  EXPECT_EQ(messages.shown().back().title, "確認メッセージ");
  edit()->move(ui::tw(edit(), 300), ui::tw(edit(), 450));
  store("Command1");
  EXPECT_EQ(edit(), nullptr);
  EXPECT_EQ(state->settings.pos(14).left, 300);
  EXPECT_EQ(state->settings.pos(14).top, 450);
  ASSERT_EQ(list1()->count(), 4);  // control3_flg 0: a new entry goes last
  EXPECT_EQ(lines()[3], "大阪／伊丹\t梅田\t\tホテルD\t\t\t06-0000-0004");
  EXPECT_EQ(list->registry().entries()[3].remarks, "☆       ");
  EXPECT_TRUE(list1()->isEnabled());

  // update mode through a double-click on the second line
  QListWidget* l = list1();
  click_line(1);  // the press that starts a double-click
  QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
  ASSERT_NE(edit(), nullptr);
  show_active(edit());
  EXPECT_EQ(child<QLabel>(edit(), "Label10")->text(), QStringLiteral("修正モード"));
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("東京"));
  EXPECT_EQ(field("Text4")->text(), QStringLiteral(" 20"));
  EXPECT_EQ(field("Text7")->text(), QStringLiteral("◎       "));
  EXPECT_TRUE(child<QPushButton>(edit(), "Command3")->isEnabled());
  EXPECT_FALSE(list1()->isEnabled());  // the list holds still while an entry is edited
  type(field("Text2"), QStringLiteral("ホテルB改"));
  store("Command1");
  EXPECT_EQ(messages.shown().back().request.text, "更新しますよ！！");
  EXPECT_EQ(messages.shown().back().request.help_topic, 252);
  EXPECT_EQ(lines()[1], "東京\t\t京橋\t\tホテルB改\t\t\t03-0000-0002");
  EXPECT_EQ(list1()->count(), 4);
  EXPECT_FALSE(button("Command3")->isEnabled());

  // 追加更新 adds the edited fields and leaves the opened entry as it was
  click_line(0);
  open_edit("Command3");
  type(field("Text2"), QStringLiteral("ホテルA別館"));
  store("Command3");
  EXPECT_EQ(messages.shown().back().request.text, "追加しますよ！！");
  ASSERT_EQ(list1()->count(), 5);
  EXPECT_EQ(list->registry().entries()[0].name, "ホテルA");
  EXPECT_EQ(list->registry().entries()[4].name, "ホテルA別館");
  EXPECT_EQ(list->registry().entries()[4].access, "仙台駅徒歩５分");

  // nothing reaches the file before 登録終了
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルB", "ホテルC"}));
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルB改", "ホテルC", "ホテルD",
                                                       "ホテルA別館"}));
}

TEST_F(UserHotelsWindowTest, AFileSavedMeanwhileIsOverwrittenOnlyWhenTheUserSaysSo) {
  write_hotels(kThree);
  open();
  messages.set_next_answer(ui::MessageAnswer::Ok);
  click_line(0);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);  // ホテルA deleted
  ASSERT_EQ(list1()->count(), 2);
  // Another copy of the program (or the user by hand) saves the file meanwhile.
  write_hotels(std::string(kThree) +
               "\"博多\",\"中洲\",\"ホテルD\",\"092\",5,\"\",\"\",\"        \"\n");
  const std::string saved_meanwhile = hotels_text();

  messages.set_next_answer(ui::MessageAnswer::Cancel);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(last_message(), kChangedFileQuestion);
  EXPECT_EQ(messages.shown().back().request.help_topic, 113);
  ASSERT_FALSE(list.isNull());
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list1()->count(), 2);  // nothing typed is lost
  EXPECT_EQ(hotels_text(), saved_meanwhile);

  messages.set_next_answer(ui::MessageAnswer::Ok);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルB", "ホテルC"}));

  // A file that nobody touched is stored without a question.
  open();
  const std::size_t asked = messages.shown().size();
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(messages.shown().size(), asked);
}

TEST_F(UserHotelsWindowTest, DeleteAsksAndCancelKeepsTheEntry) {
  write_hotels(kThree);
  state->hotels_loaded = true;
  open();
  click_line(1);
  messages.set_next_answer(ui::MessageAnswer::Cancel);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);
  EXPECT_EQ(messages.shown().back().request.text, "本当に削除しますよ！！");
  EXPECT_EQ(messages.shown().back().request.help_topic, 251);
  EXPECT_EQ(messages.shown().back().request.buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(list1()->count(), 3);
  messages.set_next_answer(ui::MessageAnswer::Ok);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);
  EXPECT_EQ(list1()->count(), 2);
  EXPECT_FALSE(button("Command3")->isEnabled());
  EXPECT_FALSE(button("Command4")->isEnabled());
  list->move(ui::tw(list, 750), ui::tw(list, 150));
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルC"}));
  EXPECT_FALSE(state->hotels_loaded);  // the hotel list reads the new file next time
  EXPECT_EQ(state->settings.pos(13).left, 750);
  EXPECT_EQ(state->settings.pos(13).top, 150);
  EXPECT_GE(help.count("close"), 1);
}

TEST_F(UserHotelsWindowTest, CancelLeavesTheFileAsItWas) {
  write_hotels(kThree);
  const std::string before = folder.read_file(kUserHotelFileName);
  state->hotels_loaded = true;
  open();
  click_line(0);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);
  open_edit("Command2");
  fill({"札幌", "", "新ホテル", "011", "1"});
  store("Command1");
  ASSERT_EQ(list1()->count(), 3);
  QTest::mouseClick(button("Command5"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(folder.read_file(kUserHotelFileName), before);
  EXPECT_TRUE(state->hotels_loaded);  // nothing changed, nothing to reload
  EXPECT_FALSE(fs::exists(state->user_hotels_path() + ".bak"));
}

TEST_F(UserHotelsWindowTest, StoringSortsAsTheSettingSays) {
  const std::vector<std::vector<std::string>> expected = {
      {"ホテルA", "ホテルB", "ホテルC", "ホテルE"},  // 0: never
      {"ホテルA", "ホテルE", "ホテルC", "ホテルB"},  // 1: at each store (仙台 < 大阪 < 札幌 < 東京)
      {"ホテルA", "ホテルE", "ホテルC", "ホテルB"}};  // 2: when the list is stored
  for (int flag = 0; flag <= 2; ++flag) {
    SCOPED_TRACE(flag);
    write_hotels(kThree);
    state->settings.control3_flg = static_cast<std::int16_t>(flag);
    open();
    open_edit("Command2");
    fill({"大阪／伊丹", "梅田", "ホテルE", "06", "5"});
    store("Command1");
    EXPECT_EQ(list->registry().entries()[1].name, flag == 1 ? "ホテルE" : "ホテルB");
    EXPECT_EQ(lines()[1].find(flag == 1 ? "ホテルE" : "ホテルB") != std::string::npos, true);
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    flush_deletes();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(names_in_file(), expected[static_cast<std::size_t>(flag)]);
  }
}

TEST_F(UserHotelsWindowTest, AFailedWriteIsReportedAndTheListStaysOpen) {
  write_hotels(kThree);
  open();
  click_line(2);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);
  fs::remove_all(folder.path());  // the program folder is gone: the file cannot be written
  messages.clear();
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  ASSERT_FALSE(list.isNull());
  EXPECT_TRUE(list->isVisible());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "エラーメッセージ");
  EXPECT_TRUE(last_message().starts_with("ホテル情報ファイルを保存できません。\n"))
      << last_message();
  EXPECT_EQ(list1()->count(), 2);
  fs::create_directories(folder.path());  // the folder is back: the same list is stored
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルB"}));
}

TEST_F(UserHotelsWindowTest, LinesTheReaderSkippedAreKeptBesideTheFile) {
  const std::string broken =
      std::string(kThree) + "\"東京\",\"京橋\",\"壊れた行\",\"03\",many,\"\",\"\",\"\"\n";
  write_hotels(broken);
  const std::string before = folder.read_file(kUserHotelFileName);
  open();
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.shown().size(), 1u);  // told at opening
  EXPECT_EQ(last_message(),
            "ホテル情報ファイルの1行を読み込めませんでした（最初は4行目）。\n"
            "登録終了で保存するときは、元のファイルを控えとして残します。");
  EXPECT_EQ(list1()->count(), 3);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(last_message(), "読み込めなかった行を含む元のファイルを、次の名前で残しました。\n" +
                                state->user_hotels_path() + ".bak");
  EXPECT_EQ(folder.read_file(std::string(kUserHotelFileName) + ".bak"), before);
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルB", "ホテルC"}));
}

TEST_F(UserHotelsWindowTest, AFullTableTakesNoMoreEntries) {
  write_hotels(kThree);
  state->hotels_loaded = true;
  state->hotels.file_hotel_count = kMaxHotels - 3;  // the data file's hotels leave room for 3
  open();
  QTest::mouseClick(button("Command2"), Qt::LeftButton);
  EXPECT_EQ(edit(), nullptr);
  EXPECT_EQ(last_message(), "これ以上ホテルを登録できません（登録できるのは3件までです）");
  click_line(0);
  open_edit("Command3");
  store("Command3");  // 追加更新 on a full table
  ASSERT_NE(edit(), nullptr);
  EXPECT_EQ(text8(), QStringLiteral("これ以上ホテルを登録できません（登録できるのは3件までです）"));
  store("Command1");  // updating still works
  EXPECT_EQ(edit(), nullptr);
  EXPECT_EQ(list1()->count(), 3);
}

TEST_F(UserHotelsWindowTest, EscapeClosesTheEditWindowAndAsksBeforeDroppingChanges) {
  write_hotels(kThree);
  open();
  click_line(0);
  open_edit("Command3");
  type(field("Text2"), QStringLiteral("変えた"));
  QTest::keyClick(field("Text2"), Qt::Key_Escape);
  flush_deletes();
  EXPECT_EQ(edit(), nullptr);
  EXPECT_EQ(list->registry().entries()[0].name, "ホテルA");
  EXPECT_FALSE(button("Command3")->isEnabled());
  EXPECT_TRUE(list1()->isEnabled());

  // 取消 in the edit window keeps the line chosen for 修正 and 削除
  click_line(0);
  open_edit("Command3");
  QTest::mouseClick(child<QPushButton>(edit(), "Command2"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(edit(), nullptr);
  EXPECT_TRUE(button("Command4")->isEnabled());

  // Escape in the list: without changes it closes; with changes it asks first
  messages.set_next_answer(ui::MessageAnswer::Ok);
  QTest::mouseClick(button("Command4"), Qt::LeftButton);
  messages.set_next_answer(ui::MessageAnswer::Cancel);
  QTest::keyClick(list1(), Qt::Key_Escape);
  EXPECT_EQ(last_message(), "変更を保存せずに閉じますか？");
  // F1 in it opens the list window's own topic, ホテル情報の登録・修正.
  EXPECT_EQ(messages.shown().back().request.help_topic, 113);
  EXPECT_EQ(messages.shown().back().title, "確認メッセージ");
  ASSERT_FALSE(list.isNull());
  EXPECT_TRUE(list->isVisible());
  messages.set_next_answer(ui::MessageAnswer::Ok);
  QTest::keyClick(list1(), Qt::Key_Escape);
  flush_deletes();
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(names_in_file(), (std::vector<std::string>{"ホテルA", "ホテルB", "ホテルC"}));
}

TEST_F(UserHotelsWindowTest, TheAreaPickerHookFillsTheAreaAndMovesOn) {
  open();
  open_edit("Command2");
  QWidget* caller = nullptr;
  int mode = 0;
  app->substitute_area_picker([&](QWidget* w, int m) {
    caller = w;
    mode = m;
  });
  auto* question = child<QPushButton>(edit(), "Command4");
  QTest::mouseClick(question, Qt::LeftButton);
  EXPECT_EQ(caller, edit());
  EXPECT_EQ(mode, 3);
  EXPECT_FALSE(question->isVisible());
  edit()->set_area(QStringLiteral("札幌"));
  EXPECT_EQ(field("Text9")->text(), QStringLiteral("札幌"));
  EXPECT_EQ(focus(), field("Text1"));
}

TEST_F(UserHotelsWindowTest, TheAreaPickerOfTheEditWindowFillsTheAreaAndMovesOn) {
  state->settings.control9_flg = 0;  // every area listed
  open();
  open_edit("Command2");
  QTest::mouseClick(child<QPushButton>(edit(), "Command4"), Qt::LeftButton);
  auto* picker = qobject_cast<AreaPickerWindow*>(find_hotel_window("ravolin15"));
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->mode(), AreaPickerWindow::kModeHotelRecord);
  EXPECT_EQ(picker->parentWidget(), edit());
  show_active(picker);
  auto* areas = child<QListWidget>(picker, "List1");
  ASSERT_GT(areas->count(), 0);
  const QString first = areas->item(0)->text();
  QTest::mouseClick(areas->viewport(), Qt::LeftButton, {},
                    areas->visualItemRect(areas->item(0)).center());
  QTest::mouseClick(child<QPushButton>(picker, "Command3"), Qt::LeftButton);
  flush_deletes();
  EXPECT_EQ(find_hotel_window("ravolin15"), nullptr);
  EXPECT_EQ(field("Text9")->text(), first);
  ASSERT_TRUE(QTest::qWaitForWindowActive(edit()));
  EXPECT_EQ(focus(), field("Text1"));
}

// Hotels typed into the edit window with Japanese text of full field lengths, half-width
// kana and blanks at both ends come back from the file exactly as they were typed.
TEST_F(UserHotelsWindowTest, TypedHotelsComeBackFromTheFileUnchanged) {
  std::mt19937 rng(7);
  const QString wide = QStringLiteral("東京駅前ホテルあんのヴ○◎①～、Ａ１　髙﨑\\,'");
  const QString kana = QStringLiteral("ｱｲｳｶﾞﾊﾟｰｯﾝｮ-09 ");
  const auto random_text = [&](int chars, const QString& pool) {
    QString s = QStringLiteral(" ");
    while (s.size() + 1 < chars)
      s += pool[std::uniform_int_distribution<int>(0, static_cast<int>(pool.size()) - 1)(rng)];
    return s + QStringLiteral(" ");
  };
  open();
  std::vector<std::vector<QString>> typed;
  for (int i = 0; i < 4; ++i) {
    typed.push_back({i % 2 ? QStringLiteral(" 仙台 ") : QStringLiteral("博多"),
                     random_text(6, wide), random_text(16, wide), random_text(12, kana),
                     QString::number(std::uniform_int_distribution<int>(0, 32767)(rng)),
                     random_text(12, wide), random_text(8, kana), random_text(8, wide)});
    open_edit("Command2");
    fill(typed.back());
    enter("Text7");  // the keyboard's way: Enter leads to 更新 and presses it
    ASSERT_EQ(focus(), child<QPushButton>(edit(), "Command1"));
    messages.set_next_answer(ui::MessageAnswer::Ok);
    QTest::keyClick(focus(), Qt::Key_Return);
    flush_deletes();
    ASSERT_EQ(edit(), nullptr) << text8().toStdString();
  }
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  auto table = std::make_unique<HotelTable>();
  const UserHotelReport report = load_user_hotels(state->user_hotels_path(), *table);
  EXPECT_EQ(report.skipped_lines, 0);
  ASSERT_EQ(table->user_hotel_count, 4);
  for (int i = 0; i < 4; ++i) {
    const HotelEntry& e = table->entry[i + 1];
    const auto& t = typed[static_cast<std::size_t>(i)];
    EXPECT_EQ(QString::fromStdString(e.area), t[0]);
    EXPECT_EQ(QString::fromStdString(e.district), t[1]);
    EXPECT_EQ(QString::fromStdString(e.name), t[2]);
    EXPECT_EQ(QString::fromStdString(e.phone), t[3]);
    EXPECT_EQ(QString::number(e.rooms), t[4]);
    EXPECT_EQ(QString::fromStdString(e.access), t[5]);
    EXPECT_EQ(QString::fromStdString(e.price), t[6]);
    EXPECT_EQ(QString::fromStdString(e.remarks), t[7]);
  }
}

}  // namespace
}  // namespace ravolin::hotels
