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

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
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

}  // namespace
}  // namespace ravolin::board
