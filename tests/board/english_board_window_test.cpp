// SPDX-License-Identifier: MIT
// The main window of an English run: the clock line, captions and board lines in English
// with the names from the program folder's names file; a broken names file is told once
// and the program starts with the names in Japanese.
#include "app/navigator.h"
#include "data/place_names.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "started_board_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace ravolin::board {
namespace {

class EnglishBoardWindowTest : public testing::StartedBoard {
 protected:
  EnglishBoardWindowTest() : StartedBoard(calendar::make_system_time(2000, 3, 13, 9, 5, 0)) {}
  void write_names(const std::string& text) {
    std::ofstream(folder.path() + "/" + data::kPlaceNamesFileName) << text;
  }
  bool start() { return StartedBoard::start(text::Language::kEnglish); }
  template <class T>
  T* child(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  std::vector<std::string> lines(const char* list_name) const {
    std::vector<std::string> out;
    auto* list = child<QListWidget>(list_name);
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
  }
};

TEST_F(EnglishBoardWindowTest, ClockLineCaptionsAndListsInEnglish) {
  write_names(
      "# test names\n品川\tShinagawa\n新大阪\tShin-Osaka\n舞浜\tMaihama\n蘇我\tSoga\n"
      "新習志野\tShin-Narashino\n");
  ASSERT_TRUE(start());
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(child<QPushButton>("Command2")->text().toStdString(), "Now: Mon 13 Mar 2000  09:05");
  EXPECT_EQ(child<QGroupBox>("Frame1")->title().toStdString(), "Shinkansen (down)  Shinagawa");
  EXPECT_EQ(lines("List1"), (std::vector<std::string>{
                                "Nozomi 1    N 09:15  Shin-Osaka (11:45)  Hurry!",
                                "Hikari 3      10:30  名古屋 (11:40)",
                            }));
  EXPECT_EQ(child<QGroupBox>("Frame2")->title().toStdString(),
            "Keiyo Line (weekdays, down)  Maihama");
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"Rapid 09:30  Soga (09:55)",
                                                      "Local 10:00  Shin-Narashino (10:10)"}));

  PassingWindow passing(*state, kModeSinkansen, 0);
  EXPECT_EQ(passing.findChild<QTextEdit*>(QStringLiteral("Text1"))->toPlainText().toStdString(),
            "Shinagawa (09:15) → 名古屋 (10:45) → Shin-Osaka (11:45)  [Nozomi type cars]");
  ScheduleWindow schedule(*state, kModeKeiyo);
  EXPECT_EQ(schedule.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title().toStdString(),
            "Keiyo Line (weekdays, down)  Maihama");
  EXPECT_EQ(schedule.findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString(),
            "Note: ( ) = terminates at Shin-Narashino");
  EXPECT_EQ(schedule.findChild<QLabel*>(QStringLiteral("Label2")), nullptr);  // no last stops
}

// The English Shinkansen timetable: two-letter marks of the last stops and their key below
// the table, above the note, each mark kept with its name when the key wraps.
TEST_F(EnglishBoardWindowTest, TimetableNamesItsLastStopsBelowTheTable) {
  write_names("品川\tShinagawa\n新大阪\tShin-Osaka\n");
  ASSERT_TRUE(start());
  ScheduleWindow schedule(*state, kModeSinkansen);
  const std::string text =
      schedule.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText().toStdString();
  EXPECT_NE(text.find("SO[15]"), std::string::npos) << text;
  auto* key = schedule.findChild<QLabel*>(QStringLiteral("Label2"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->text().toStdString(),
            "Last stop:  名\u00a0=\u00a0名古屋  SO\u00a0=\u00a0Shin-Osaka");
  auto* note = schedule.findChild<QLabel*>(QStringLiteral("Label1"));
  auto* frame = schedule.findChild<QGroupBox*>(QStringLiteral("Frame1"));
  EXPECT_GE(key->geometry().top(), frame->geometry().bottom());
  EXPECT_GE(note->geometry().top(), key->geometry().bottom());
  EXPECT_LE(schedule.findChild<QPushButton*>(QStringLiteral("Command1"))->geometry().bottom(),
            schedule.height());
}

TEST_F(EnglishBoardWindowTest, ABrokenNamesFileIsToldAndNamesStayJapanese) {
  write_names("品川\tShinagawa\n新大阪 Shin-Osaka\n");
  ASSERT_TRUE(start());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text,
            "Names file " + folder.path() + "/" + data::kPlaceNamesFileName +
                " line 2: no TAB between the Japanese and the English name");
  EXPECT_EQ(child<QGroupBox>("Frame1")->title().toStdString(), "Shinkansen (down)  品川");
}

// A name with "&" shows the "&" and makes no access key of the letter after it.
TEST_F(EnglishBoardWindowTest, AnAmpersandInANameIsShownAsWritten) {
  write_names("品川\tShina&gawa\n舞浜\tMai&hama\n新習志野\tShin-&Narashino\n");
  ASSERT_TRUE(start());
  const auto shown_as_written = [](QWidget* w, const QString& text, const QString& written) {
    EXPECT_TRUE(QKeySequence::mnemonic(text).isEmpty()) << text.toStdString();
    EXPECT_EQ(w->accessibleName().isEmpty()
                  ? QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString()
                  : w->accessibleName().toStdString(),
              written.toStdString());
  };
  auto* sin = child<QGroupBox>("Frame1");
  shown_as_written(sin, sin->title(), QStringLiteral("Shinkansen (down)  Shina&gawa"));
  auto* keiyo = child<QGroupBox>("Frame2");
  shown_as_written(keiyo, keiyo->title(), QStringLiteral("Keiyo Line (weekdays, down)  Mai&hama"));

  ScheduleWindow schedule(*state, kModeKeiyo);
  auto* frame = schedule.findChild<QGroupBox*>(QStringLiteral("Frame1"));
  shown_as_written(frame, frame->title(), QStringLiteral("Keiyo Line (weekdays, down)  Mai&hama"));
  auto* note = schedule.findChild<QLabel*>(QStringLiteral("Label1"));
  EXPECT_TRUE(QKeySequence::mnemonic(note->text()).isEmpty()) << note->text().toStdString();
}

TEST_F(EnglishBoardWindowTest, EnglishWindowTextsThatCannotBeReadAreToldInEnglish) {
  english_texts_missing = true;
  ASSERT_TRUE(start());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].request.text,
            "The English window texts (" + folder.path() +
                "/ravolin_en.qm) cannot be read: the windows show their Japanese texts. "
                "Reinstalling the program restores them.");
}

}  // namespace
}  // namespace ravolin::board
