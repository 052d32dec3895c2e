// SPDX-License-Identifier: MIT
// The messages of the English windows about damaged or protected files and a refused
// clock: the whole message is English, the reasons the core gives included.
#include "app/navigator.h"
#include "calendar/clock.h"
#include "files/replace_file.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/help_window.h"
#include "gui/common/translation.h"
#include "gui/hotels/user_hotels_window.h"
#include "hotels/user_hotels.h"
#include "support/started_main_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace ravolin::app {
namespace {

namespace fs = std::filesystem;

// Kana, kanji, Japanese punctuation and full-width forms.
bool has_japanese(const std::string& utf8) {
  for (const char32_t c : QString::fromStdString(utf8).toUcs4())
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF01 && c <= 0xFF9F))
      return true;
  return false;
}

class EnglishMessagesTest : public test_support::StartedMainWindow {
 protected:
  EnglishMessagesTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 9, 5, 0)) {
    language = text::Language::kEnglish;
  }
  void SetUp() override {
    ASSERT_TRUE(ui::use_language(*qApp, text::Language::kEnglish,
                                 QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido")));
  }
  void TearDown() override {
    ui::use_language(*qApp, text::Language::kJapanese, QString());
    if (state) state->settings.control2_flg = 1;  // nothing more to say at the end
    app.reset();
    flush_deletes();
  }
  // Every message box shown so far: at least one, and not a word of Japanese in any.
  void expect_english_messages(const std::string& what) const {
    ASSERT_FALSE(messages.shown().empty()) << what;
    for (const auto& shown : messages.shown())
      EXPECT_FALSE(has_japanese(shown.request.text)) << what << ":\n" << shown.request.text;
  }
};

TEST_F(EnglishMessagesTest, ADamagedOrMissingDataFileIsToldInEnglish) {
  const std::string whole = folder.read_file("ravolinh.dat");
  folder.write_file("ravolinh.dat", whole.substr(0, 1500));
  EXPECT_FALSE(start_program());
  expect_english_messages("cut short");
  EXPECT_NE(messages.shown().back().request.text.find("Data file "), std::string::npos);

  messages.clear();
  app.reset();
  fs::remove(folder.data_path());
  EXPECT_FALSE(start_program());
  expect_english_messages("missing");
  EXPECT_NE(messages.shown().back().request.text.find("there is no such file or folder"),
            std::string::npos)
      << messages.shown().back().request.text;

  messages.clear();
  app.reset();
  ASSERT_EQ(::mkfifo(folder.data_path().c_str(), 0600), 0);  // never waited on
  EXPECT_FALSE(start_program());
  expect_english_messages("named pipe");
  EXPECT_NE(messages.shown().back().request.text.find("not an ordinary file"), std::string::npos)
      << messages.shown().back().request.text;
}

TEST_F(EnglishMessagesTest, ADamagedOrUnreadableSettingsFileIsToldInEnglish) {
  folder.write_settings("[Form]\ncontrol2_flg=1\n[Bogus]\n");
  ASSERT_TRUE(start_program());
  expect_english_messages("damaged");
  EXPECT_NE(messages.shown().back().request.text.find("The settings file is damaged."),
            std::string::npos)
      << messages.shown().back().request.text;

  messages.clear();
  app.reset();
  fs::remove(folder.settings_path());
  fs::create_directory(folder.settings_path());  // there, but no file to read
  ASSERT_TRUE(start_program());
  expect_english_messages("unreadable");

  // A named pipe and a file far larger than any settings file are not read.
  messages.clear();
  app.reset();
  fs::remove(folder.settings_path());
  ASSERT_EQ(::mkfifo(folder.settings_path().c_str(), 0600), 0);
  ASSERT_TRUE(start_program());
  expect_english_messages("named pipe");
  EXPECT_NE(messages.shown().back().request.text.find("not an ordinary file"), std::string::npos)
      << messages.shown().back().request.text;

  messages.clear();
  app.reset();
  fs::remove(folder.settings_path());
  folder.write_settings("[Form]\n");
  fs::resize_file(folder.settings_path(), settings::kMaxSettingsFileBytes + 1);
  ASSERT_TRUE(start_program());
  expect_english_messages("too large");
  EXPECT_NE(messages.shown().back().request.text.find("the file is too large"), std::string::npos)
      << messages.shown().back().request.text;
}

TEST_F(EnglishMessagesTest, AReadOnlyHotelFileIsToldInEnglish) {
  folder.write_file(
      hotels::kUserHotelFileName,
      test_support::to_cp932_crlf("\"東京\",\"京橋\",\"A\",\"1\",1,\"\",\"\",\"\"\n"
                                  "\"東京\",\"京橋\",\"B\",\"2\",1,\"\",\"\",\"\"\n"));
  fs::permissions(folder.file(hotels::kUserHotelFileName), fs::perms::owner_read);
  start_main();
  app->open_user_hotels();
  hotels::UserHotelsWindow* list = app->user_hotels_window();
  ASSERT_NE(list, nullptr);
  auto* lines = list->findChild<QListWidget*>(QStringLiteral("List1"));
  ASSERT_NE(lines, nullptr);
  lines->setCurrentRow(1);
  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
  messages.clear();
  QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  flush_deletes();
  expect_english_messages("read-only hotel file");
  EXPECT_NE(messages.shown().back().request.text.find("read-only"), std::string::npos)
      << messages.shown().back().request.text;
}

TEST_F(EnglishMessagesTest, ARefusedClockSettingIsToldInEnglish) {
  start_main();
  clock.refuse_set(calendar::service_refusal_reason("", true, 1));
  app->open_correction();
  calendar::CorrectionWindow* w = app->correction_window();
  ASSERT_NE(w, nullptr);
  const char* fields[] = {"2000", "03", "17", "10", "00", "00"};
  for (int i = 0; i < 6; ++i)
    w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(7 + i))
        ->setText(QString::fromLatin1(fields[i]));
  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  flush_deletes();
  expect_english_messages("refused clock");
  EXPECT_NE(messages.shown().back().request.text.find("exit code 1"), std::string::npos)
      << messages.shown().back().request.text;
}

TEST_F(EnglishMessagesTest, ADamagedHelpFileIsToldInEnglish) {
  const std::string path = folder.file("ravolin2_en.hlp");
  for (const std::string& bytes :
       {std::string("?_\x03\x00", 4), std::string("no topics\n"), std::string("@topic x\n")}) {
    folder.write_file("ravolin2_en.hlp", bytes);
    ui::HelpWindow w;
    EXPECT_FALSE(w.load(path));
    const std::string shown = w.shown_text().toStdString();
    EXPECT_FALSE(has_japanese(shown)) << shown;
    EXPECT_NE(shown.find(path), std::string::npos) << shown;
  }
}

}  // namespace
}  // namespace ravolin::app
