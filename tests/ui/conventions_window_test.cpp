// SPDX-License-Identifier: MIT
// The shared window conventions, platform fakes and the help file/viewer, on real
// widgets under the offscreen platform.
#include "gui/common/help_file.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/window_conventions.h"
#include "support/fake_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

using namespace ravolin;

TEST(Twips, ConvertAtTheScreensDpi) {
  EXPECT_EQ(ui::twips_to_pixels(1440, 96), 96);
  EXPECT_EQ(ui::twips_to_pixels(1485, 96), 99);
  EXPECT_EQ(ui::twips_to_pixels(-1440, 96), -96);
  EXPECT_EQ(ui::twips_to_pixels(1440, 120), 120);
  EXPECT_EQ(ui::pixels_to_twips(99, 96), 1485);
  EXPECT_EQ(ui::pixels_to_twips(120, 120), 1440);
}

TEST(WindowPosition, StoredPositionRoundTripsAndStaysOnScreen) {
  QWidget w;
  w.resize(200, 100);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const double dpi = ui::logical_dpi(&w);

  settings::WindowPos pos{static_cast<std::int16_t>(ui::pixels_to_twips(100, dpi)),
                          static_cast<std::int16_t>(ui::pixels_to_twips(150, dpi))};
  ui::place_window(&w, pos);
  EXPECT_EQ(w.pos(), QPoint(150, 100));
  settings::WindowPos back;
  ui::store_position(&w, back);
  EXPECT_EQ(back.top, pos.top);
  EXPECT_EQ(back.left, pos.left);

  // Far off every screen (negative, and past the right edge): pulled back onto it.
  ui::place_window(&w, settings::WindowPos{-20000, -20000});
  EXPECT_TRUE(screen.contains(w.pos()));
  ui::place_window(&w, settings::WindowPos{32000, 32000});
  EXPECT_TRUE(screen.contains(w.frameGeometry().topLeft()));
  EXPECT_LE(w.x() + w.width(), screen.right() + 1);
}

TEST(Font, FullWidthIsTwiceHalfWidth) {
  const QFont font = ui::gothic_font(12);
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(ui::gothic_font(13).pixelSize(), 14);  // even sizes only
  const QFontMetrics m(font);
  const int half = m.horizontalAdvance(QStringLiteral("0"));
  EXPECT_EQ(m.horizontalAdvance(QStringLiteral("０")), 2 * half);
  EXPECT_EQ(m.horizontalAdvance(QStringLiteral("のぞみ００１N １２：３４")),
            m.horizontalAdvance(QStringLiteral("ひかり１２３  ０９：０５")));
}

TEST(KeyConventions, EscapeRunsEndProcEnterChecksAndMovesOn) {
  QWidget w;
  auto* box = new QLineEdit(&w);
  auto* next = new QLineEdit(&w);
  auto* button = new QPushButton(QStringLiteral("終了"), &w);
  auto* keys = new ui::KeyConventions(&w);
  int end_calls = 0;
  bool accept = false;
  int checks = 0;
  keys->escape_closes(button, [&] { ++end_calls; });
  keys->escape_closes(box, [&] { ++end_calls; });
  keys->enter_checks(
      box,
      [&] {
        ++checks;
        return accept;
      },
      next);
  keys->select_all_on_focus(next);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  QTest::keyClick(button, Qt::Key_Escape);
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(end_calls, 2);

  next->setText(QStringLiteral("東京"));
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Return);  // refused: the focus stays
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(box->hasFocus());
  accept = true;
  QTest::keyClick(box, Qt::Key_Enter);
  EXPECT_EQ(checks, 2);
  EXPECT_TRUE(next->hasFocus());
  QCoreApplication::processEvents();
  EXPECT_EQ(next->selectedText(), QStringLiteral("東京"));
  // Other keys are not swallowed.
  QTest::keyClick(box, Qt::Key_A);
  EXPECT_EQ(box->text(), QStringLiteral("a"));
}

TEST(FakeMessageBoxes, AnswersFromTheQueueAndRecords) {
  ui::FakeMessageBoxes boxes;
  boxes.set_next_answer(ui::MessageAnswer::Cancel);
  EXPECT_EQ(boxes.confirm(nullptr, "印刷開始します！！", 257), ui::MessageAnswer::Cancel);
  EXPECT_EQ(boxes.confirm(nullptr, "again", 0), ui::MessageAnswer::Ok);
  boxes.set_next_answer(ui::MessageAnswer::Cancel);
  EXPECT_EQ(boxes.error(nullptr, "ホテルデータなし", 204), ui::MessageAnswer::Ok);  // OK only
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_EQ(boxes.shown()[0].title, "確認メッセージ");
  EXPECT_EQ(boxes.shown()[0].request.help_topic, 257);
  EXPECT_EQ(boxes.shown()[2].title, "エラーメッセージ");
}

TEST(HelpFile, ParsesTopicsAndRefusesABrokenTopicLine) {
  ui::HelpFile file;
  text::Message error;
  ASSERT_TRUE(
      ui::parse_help_file("\xEF\xBB\xBF# comment\r\nまえがき\r\n\r\n"
                          "@topic 204 ホテルデータなし\r\n一行目\r\n二行目\r\n\r\n"
                          "@topic 7 空\r\n",
                          file, error));
  EXPECT_EQ(file.preface, "まえがき");
  ASSERT_EQ(file.topics.size(), 2u);
  EXPECT_EQ(file.topics[0].number, 204);
  EXPECT_EQ(file.topics[0].title, "ホテルデータなし");
  EXPECT_EQ(file.topics[0].text, "一行目\n二行目");
  EXPECT_EQ(file.find(7)->text, "");
  EXPECT_EQ(file.find(8), nullptr);

  EXPECT_FALSE(ui::parse_help_file("@topic abc\n", file, error));
  EXPECT_EQ(error.in(text::Language::kJapanese), "1行目: トピックの行に番号がありません");
  EXPECT_EQ(error.in(text::Language::kEnglish), "line 1: a topic line without a number");
  EXPECT_FALSE(ui::read_help_file("/nonexistent/ravolin2.hlp", file, error));
  EXPECT_NE(error.in(text::Language::kJapanese).find("/nonexistent/ravolin2.hlp"),
            std::string::npos);
  EXPECT_FALSE(ui::read_help_file("/dev/zero", file, error));  // endless: never read
  EXPECT_NE(error.in(text::Language::kJapanese).find("通常のファイルではありません"),
            std::string::npos)
      << error.in(text::Language::kJapanese);
  EXPECT_EQ(error.in(text::Language::kEnglish),
            "Cannot open the file: /dev/zero (it is a device, a pipe or a socket, not an ordinary "
            "file)");
}

TEST(HelpFile, TheViewerJoinsTheLinesOfAnEnglishParagraphAndLeavesJapaneseAsWritten) {
  EXPECT_EQ(ui::flowing_text("The list is updated\nevery minute.\n\n"
                             "- Double-click a line to see\n  its stops.\n- Esc closes.\n"
                             "Keys:\n- + or Up        zoom in\n"
                             "一覧は１分ごとに\n更新されます。\nF1 opens\nthe help."),
            "The list is updated every minute.\n\n"
            "- Double-click a line to see its stops.\n- Esc closes.\n"
            "Keys:\n- + or Up        zoom in\n"
            "一覧は１分ごとに\n更新されます。\nF1 opens the help.");
  // Every paragraph of the English help comes out as one line for the viewer to wrap.
  ui::HelpFile file;
  text::Message error;
  ASSERT_TRUE(ui::read_help_file(RAVOLIN_SOURCE_DIR "/resources/ravolin2_en.hlp", file, error));
  const ui::HelpTopic* topic = file.find(126);
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(ui::flowing_text(topic->text).find('\n'), std::string::npos) << topic->text;
}

TEST(HelpFile, DeliveredFileHasEveryTopicTheWindowsName) {
  ui::HelpFile file;
  text::Message error;
  ASSERT_TRUE(ui::read_help_file(RAVOLIN_SOURCE_DIR "/resources/ravolin2.hlp", file, error))
      << error.in(text::Language::kJapanese);
  // Message topics, and one topic per window.
  for (int topic : {204, 251, 252, 253, 256, 257, 258, 101, 102, 104, 105, 106,
                    107, 109, 112, 113, 114, 115, 121, 122, 123, 124, 125, 126}) {
    const ui::HelpTopic* t = file.find(topic);
    ASSERT_NE(t, nullptr) << topic;
    EXPECT_FALSE(t->title.empty()) << topic;
    EXPECT_FALSE(t->text.empty()) << topic;
  }
  std::set<int> numbers;
  for (const auto& t : file.topics) EXPECT_TRUE(numbers.insert(t.number).second) << t.number;
}

TEST(HelpWindow, ShowsContentsAndTopicsAndSaysWhenTheFileIsMissing) {
  ui::HelpWindow w;
  ASSERT_TRUE(w.load(RAVOLIN_SOURCE_DIR "/resources/ravolin2.hlp"));
  w.show_contents();
  EXPECT_TRUE(w.shown_text().contains(QStringLiteral("【目次】")));
  EXPECT_TRUE(w.shown_text().contains(QStringLiteral("ホテルデータなし")));
  w.show_topic(258);
  EXPECT_TRUE(w.shown_text().startsWith(QStringLiteral("乗り換え回数が２回の場合")));
  EXPECT_EQ(w.findChild<QListWidget*>(QStringLiteral("TopicList"))->currentItem()->text(),
            QStringLiteral("乗り換え回数が２回の場合"));
  w.show_topic(9999);
  EXPECT_TRUE(w.shown_text().contains(QStringLiteral("9999")));

  EXPECT_FALSE(w.load("/nonexistent/ravolin2.hlp"));
  EXPECT_TRUE(w.shown_text().contains(QStringLiteral("/nonexistent/ravolin2.hlp")));

  // Escape in the topic list or in the text closes the help.
  for (const char* name : {"TopicList", "TopicText"}) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(w.findChild<QWidget*>(QString::fromLatin1(name)), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible()) << name;
  }
}

TEST(HelpWindow, ADamagedHelpFileIsNamedInsteadOfABlankWindow) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("ravolin_help_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"an old binary help file", std::string("?_\x03\x00\x00\x01\x00\x00", 8), "制御文字"},
      {"text in another encoding", "\x83\x77\x83\x8b\x83\x76\n@topic 1 a\n", "UTF-8"},
      {"text without topics", "ただの文章です。\n二行目\n", "トピックがひとつもありません"},
      {"an empty file", "", "トピックがひとつもありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = (dir / "ravolin2.hlp").string();
    { std::ofstream(path, std::ios::binary) << c.bytes; }
    ui::HelpWindow w;
    EXPECT_FALSE(w.load(path));
    w.show_contents();
    w.show_topic(101);
    const QString shown = w.shown_text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("ヘルプファイルを読めません。")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString(path))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << shown.toStdString();
  }
  std::filesystem::remove_all(dir);
}

TEST(QtMessageBoxes, TitleIconButtonsAndF1OpensTheHelpTopic) {
  ui::FakeHelpViewer help;
  ui::QtMessageBoxes boxes(help, "/prog/ravolin2.hlp");
  struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QString ok, cancel;
  } seen;
  // The box is modal: look at it and answer it from the event loop it runs.
  const auto answer = [&](QMessageBox::StandardButton which) {
    QTimer::singleShot(0, [&, which] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = {
          box->windowTitle(),
          box->text(),
          box->icon(),
          static_cast<int>(box->buttons().size()),
          box->button(QMessageBox::Ok)->text(),
          box->button(QMessageBox::Cancel) ? box->button(QMessageBox::Cancel)->text() : QString()};
      QTest::keyClick(box, Qt::Key_F1);
      box->button(which)->click();
    });
  };
  answer(QMessageBox::Cancel);
  EXPECT_EQ(boxes.confirm(nullptr, "印刷開始します！！", 257), ui::MessageAnswer::Cancel);
  EXPECT_EQ(seen.title, QStringLiteral("確認メッセージ"));
  EXPECT_EQ(seen.text, QStringLiteral("印刷開始します！！"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, 2);
  // Japanese captions whether or not Qt's translations are installed.
  EXPECT_EQ(seen.ok, QStringLiteral("OK"));
  EXPECT_EQ(seen.cancel, QStringLiteral("キャンセル"));
  ASSERT_EQ(help.calls().size(), 1u);
  EXPECT_EQ(help.calls()[0].what, "topic");
  EXPECT_EQ(help.calls()[0].path, "/prog/ravolin2.hlp");
  EXPECT_EQ(help.calls()[0].topic, 257);

  answer(QMessageBox::Ok);
  EXPECT_EQ(boxes.error(nullptr, "ホテルデータなし", 204), ui::MessageAnswer::Ok);
  EXPECT_EQ(seen.title, QStringLiteral("エラーメッセージ"));
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(help.calls().back().topic, 204);
}

// The box is modal: the help F1 opens from it must be where the keyboard can go, in front
// of the box and taking the keys until it is closed, and the box has them back after.
TEST(QtMessageBoxes, F1OpensTheHelpInFrontOfTheBoxWithTheKeyboard) {
  ui::QtHelpViewer help;
  ui::QtMessageBoxes boxes(help, "/nonexistent/ravolin2.hlp");
  bool help_in_front = false;
  bool box_back = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_F1);
    ASSERT_NE(help.window(), nullptr);
    help_in_front =
        help.window()->isVisible() && QApplication::activeModalWidget() == help.window();
    QTest::keyClick(help.window()->findChild<QListWidget*>(QStringLiteral("TopicList")),
                    Qt::Key_Escape);
    box_back = QApplication::activeModalWidget() == box;
    box->button(QMessageBox::Ok)->click();
  });
  boxes.error(nullptr, "ホテルデータなし", 204);
  EXPECT_TRUE(help_in_front);
  EXPECT_TRUE(box_back);
  // Opened from a window, the help is an ordinary window beside it again.
  help.show_topic("/nonexistent/ravolin2.hlp", 101);
  EXPECT_FALSE(help.window()->isModal());
  help.close();
}

// What the user reads of a text that Qt shows as a tooltip or a label: Qt renders it as
// HTML when it looks like HTML.
QString as_rendered(const QString& text, Qt::TextFormat format = Qt::AutoText) {
  QTextDocument document;
  if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
    document.setHtml(text);
  else
    document.setPlainText(text);
  return document.toPlainText();
}

TEST(PlainText, FileAndUserTextsShowAsTheyAreInMessagesTooltipsAndLabels) {
  const QString texts[] = {QStringLiteral("<b>x</b>"), QStringLiteral("<img src=/etc/passwd>"),
                           QStringLiteral("A & B <i>"), QStringLiteral("○       "),
                           QStringLiteral("<p>一行目\n二行目</p>")};
  for (const QString& t : texts) {
    EXPECT_EQ(as_rendered(ui::plain_tooltip(t)), t) << t.toStdString();
    EXPECT_EQ(as_rendered(ui::plain_tooltip(t.toStdString())), t) << t.toStdString();
  }
  EXPECT_TRUE(ui::plain_tooltip(QString()).isEmpty());  // no text: no tooltip

  QLabel label;
  ui::show_plain(&label);
  label.setText(QStringLiteral("<b>x</b>"));
  EXPECT_EQ(as_rendered(label.text(), label.textFormat()), QStringLiteral("<b>x</b>"));

  // A message box shows its text as plain text.
  ui::FakeHelpViewer help;
  ui::QtMessageBoxes boxes(help, "/prog/ravolin2.hlp");
  Qt::TextFormat format = Qt::AutoText;
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    format = box->textFormat();
    if (auto* l = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
      shown = as_rendered(l->text(), l->textFormat());
    box->button(QMessageBox::Ok)->click();
  });
  boxes.error(nullptr, "ファイル /tmp/<img src=/etc/passwd>.csv を読めません");
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(shown, QStringLiteral("ファイル /tmp/<img src=/etc/passwd>.csv を読めません"));
}

TEST(QtHelpViewer, ShowsTheProgramsOwnHelpWindowAndClosesIt) {
  ui::QtHelpViewer viewer;
  viewer.show_topic(RAVOLIN_SOURCE_DIR "/resources/ravolin2.hlp", 256);
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_TRUE(viewer.window()->isVisible());
  EXPECT_TRUE(
      viewer.window()->shown_text().startsWith(QStringLiteral("ホテル検索地域名の入力エラー")));
  viewer.close();
  EXPECT_FALSE(viewer.window()->isVisible());
  viewer.show_contents(RAVOLIN_SOURCE_DIR "/resources/ravolin2.hlp");
  EXPECT_TRUE(viewer.window()->isVisible());
  EXPECT_TRUE(viewer.window()->shown_text().contains(QStringLiteral("【目次】")));
}

TEST(QtPrinter, AnEntryHoldingLineBreaksPrintsOneLineEach) {
  const std::string pdf = ::testing::TempDir() + "/ravolin-printer-lines.pdf";
  std::remove(pdf.c_str());
  ui::QtPrinter printer;
  printer.choose_pdf_file(pdf);
  printer.set_font("ＭＳ ゴシック", 10);
  printer.print_line("検索結果");
  printer.print_line("東京(10:00) 発\r\n新大阪(12:30) 着\r\n");
  printer.print_line("運賃");
  std::string error;
  ASSERT_TRUE(printer.end_doc(error)) << error;
  const std::string txt = ::testing::TempDir() + "/ravolin-printer-lines.txt";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
  std::ifstream in(txt);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\f')) line.pop_back();
    const auto first = line.find_first_not_of(' ');
    if (first != std::string::npos) lines.push_back(line.substr(first));
  }
  EXPECT_EQ(lines,
            (std::vector<std::string>{"検索結果", "東京(10:00) 発", "新大阪(12:30) 着", "運賃"}));
}

TEST(QtPrinter, PrintsLinesOnPagesAndReportsAFailedDocument) {
  const std::string dir = ::testing::TempDir();
  const std::string pdf = dir + "/ravolin-printer-test.pdf";
  std::remove(pdf.c_str());
  ui::QtPrinter printer;
  printer.choose_pdf_file(pdf);
  printer.set_font("ＭＳ ゴシック", 10);
  for (int i = 1; i <= 120; ++i) printer.print_line("のぞみ００１N " + std::to_string(i));
  std::string error;
  ASSERT_TRUE(printer.end_doc(error)) << error;
  const std::string info = "pdfinfo '" + pdf + "' | grep -q '^Pages: *[2-9]'";
  EXPECT_EQ(std::system(info.c_str()), 0) << "120 lines need more than one page";
  const std::string text = "pdftotext '" + pdf + "' - | grep -q 'のぞみ００１N 120'";
  EXPECT_EQ(std::system(text.c_str()), 0);

  // Nothing chosen: the document fails with a reason.
  ui::QtPrinter unchosen;
  unchosen.print_line("x");
  EXPECT_FALSE(unchosen.end_doc(error));
  EXPECT_FALSE(error.empty());
  // A file that cannot be made.
  ui::QtPrinter bad;
  bad.choose_pdf_file("/nonexistent-folder/x.pdf");
  bad.print_line("x");
  error.clear();
  EXPECT_FALSE(bad.end_doc(error));
  EXPECT_FALSE(error.empty());
}
