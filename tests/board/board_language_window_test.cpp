// SPDX-License-Identifier: MIT
// The board windows in English: no caption, menu, button, tooltip or accessible name left in
// Japanese, and every control named in the window's language (the names a screen reader
// says, unique within each window).
#include "app/navigator.h"
#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "started_board_fixture.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"
#include "support/visible_texts_window.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

using test_support::japanese_texts;
using test_support::listed;
using test_support::VisibleText;

// Texts the board core builds (board lines and captions, timetable, stop list, product
// lines) are checked with the core's own English forms; here the windows' own words are.
std::vector<VisibleText> without_core_texts(std::vector<VisibleText> texts,
                                            const QStringList& places) {
  std::erase_if(texts, [&](const VisibleText& t) {
    for (const QString& p : places)
      if (t.where == p || t.where.startsWith(p + QLatin1Char(' ')) ||
          t.where.startsWith(p + QLatin1Char('/')))
        return !t.where.endsWith(QLatin1String("accessible name"));
    return false;
  });
  return texts;
}

// Every focusable control's accessible name: set, and not said twice in the window.
void expect_named_controls(const QWidget* window) {
  QSet<QString> seen;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window) || w->isWindow()) continue;
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
    const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    const std::string where =
        (window->objectName() + QLatin1Char(' ') + w->objectName()).toStdString();
    EXPECT_FALSE(name.isEmpty()) << where;
    EXPECT_FALSE(seen.contains(name)) << where << " " << name.toStdString();
    seen.insert(name);
  }
}

class BoardLanguageTest : public testing::StartedBoard {
 protected:
  BoardLanguageTest() : StartedBoard(calendar::make_system_time(2000, 3, 13, 8, 58, 0)) {}
};

TEST_F(BoardLanguageTest, EnglishWindowsShowNoJapaneseOfTheirOwn) {
  test_support::EnglishTranslation english;
  ASSERT_TRUE(english.installed());
  ASSERT_TRUE(start(text::Language::kEnglish));
  MainWindow* main = app->main_window();
  EXPECT_EQ(main->windowTitle(), QStringLiteral("Ravolin & Hotel Guide"));
  EXPECT_EQ(main->menuBar()->actions().first()->text(), QStringLiteral("&File"));
  const QStringList board = {QStringLiteral("Command2"), QStringLiteral("Frame1"),
                             QStringLiteral("Frame2")};
  EXPECT_EQ(listed(without_core_texts(japanese_texts(main), board)), QString()) << "main window";
  expect_named_controls(main);

  app->open_full_schedule(kModeSinkansen);
  ASSERT_NE(app->schedule_window(), nullptr);
  // The key names the last stops from the data (in Japanese where it has no English name).
  EXPECT_EQ(listed(without_core_texts(
                japanese_texts(app->schedule_window()),
                {QStringLiteral("Frame1"), QStringLiteral("Label1"), QStringLiteral("Label2")})),
            QString())
      << "full schedule";
  expect_named_controls(app->schedule_window());

  app->open_passing_stations(kModeSinkansen, 0);
  ASSERT_NE(app->passing_window(), nullptr);
  EXPECT_EQ(
      listed(without_core_texts(japanese_texts(app->passing_window()), {QStringLiteral("Text1")})),
      QString())
      << "passing stations";
  expect_named_controls(app->passing_window());

  app->open_version();
  ASSERT_NE(app->version_window(), nullptr);
  EXPECT_EQ(listed(without_core_texts(japanese_texts(app->version_window()),
                                      {QStringLiteral("Frame1/Text1")})),
            QString())
      << "version";
  expect_named_controls(app->version_window());

  LoadingWindow loading(*state, kLoadingStartup);
  loading.start_progress();
  EXPECT_EQ(listed(without_core_texts(japanese_texts(&loading), {QStringLiteral("Frame1/Text1"),
                                                                 QStringLiteral("Command1")})),
            QString())
      << "loading";
  expect_named_controls(&loading);
}

TEST_F(BoardLanguageTest, JapaneseWindowsKeepTheirTextsAndNameTheLists) {
  ASSERT_TRUE(start(text::Language::kJapanese));
  MainWindow* main = app->main_window();
  EXPECT_EQ(main->windowTitle(), QStringLiteral("ラボリン&ホテル情報"));
  EXPECT_EQ(main->menuBar()->actions().first()->text(), QStringLiteral("ﾌｧｲﾙ(&F&ﾊ)"));
  const auto* list1 = main->findChild<QListWidget*>(QStringLiteral("List1"));
  const auto* list2 = main->findChild<QListWidget*>(QStringLiteral("List2"));
  EXPECT_EQ(list1->accessibleName(), QStringLiteral("新幹線の発車案内"));
  EXPECT_EQ(list2->accessibleName(), QStringLiteral("京葉線の発車案内"));
  ASSERT_GT(list1->count(), 0);
  auto* clock_button = main->findChild<QPushButton*>(QStringLiteral("Command2"));
  EXPECT_EQ(clock_button->accessibleName(), QStringLiteral("日時補正"));
  // The date and time the button shows are still there for a screen reader.
  EXPECT_EQ(clock_button->accessibleDescription(), clock_button->text());
  expect_named_controls(main);

  app->open_full_schedule(kModeSinkansen);
  expect_named_controls(app->schedule_window());
  app->open_version();
  expect_named_controls(app->version_window());
}

}  // namespace
}  // namespace ravolin::board
