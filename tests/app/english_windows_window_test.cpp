// SPDX-License-Identifier: MIT
// The English windows: every window the program opens, opened the way the program opens
// it, shows no Japanese of its own (station names without an English form, hotel names
// and the user's entries are data and stay as written); and F1 reads the English help.
#include "app/navigator.h"
#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/board/main_window.h"
#include "gui/common/help_file.h"
#include "gui/common/help_window.h"
#include "gui/common/translation.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "gui/search/search_window.h"
#include "gui/settings/settings_window.h"
#include "settings/station_picker.h"
#include "support/started_main_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace ravolin::app {
namespace {

const std::string kProgramFolder = RAVOLIN_PROGRAM_DIR "/tokaido";

// Kana, kanji, Japanese punctuation and full-width forms.
bool has_japanese(const QString& text) {
  for (const char32_t c : text.toUcs4())
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF01 && c <= 0xFF9F))
      return true;
  return false;
}

// The words a window shows or says: its title, captions, menus, tooltips, accessible names
// and descriptions, and the items and headings of its lists and grids. What the user types
// into a box is the user's.
class Words {
 public:
  void add(const QString& where, const QString& text) {
    if (!text.trimmed().isEmpty()) words_.emplace(where, text);
  }
  void window(const QWidget* w) {
    const QString name = w->objectName();
    add(name + QStringLiteral(" title"), w->windowTitle());
    control(name, w);
    for (const QWidget* c : w->findChildren<QWidget*>()) {
      if (!c->isVisibleTo(w) || c->window() != w) continue;
      control(name + QLatin1Char('/') + c->objectName(), c);
    }
    for (const QMenuBar* bar : w->findChildren<QMenuBar*>()) actions(name, bar->actions());
  }
  const std::multimap<QString, QString>& all() const { return words_; }

 private:
  void actions(const QString& where, const QList<QAction*>& list) {
    for (const QAction* a : list) {
      if (a->isSeparator()) continue;
      add(where + QLatin1Char('/') + a->objectName(), a->text());
      add(where + QLatin1Char('/') + a->objectName() + QStringLiteral(" tooltip"), a->toolTip());
      if (a->menu()) actions(where + QLatin1Char('/') + a->objectName(), a->menu()->actions());
    }
  }
  void control(const QString& where, const QWidget* w) {
    add(where + QStringLiteral(" tooltip"), w->toolTip());
    add(where + QStringLiteral(" name"), w->accessibleName());
    add(where + QStringLiteral(" description"), w->accessibleDescription());
    if (const auto* l = qobject_cast<const QLabel*>(w)) add(where, l->text());
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) add(where, b->text());
    if (const auto* g = qobject_cast<const QGroupBox*>(w)) add(where, g->title());
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
      add(where + QStringLiteral(" placeholder"), e->placeholderText());
      if (e->isReadOnly()) add(where, e->text());  // the program writes it, not the user
    }
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(w)) add(where, t->toPlainText());
    if (const auto* t = qobject_cast<const QTextEdit*>(w)) add(where, t->toPlainText());
    if (const auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) {
      const QAbstractItemModel* m = v->model();
      for (int c = 0; c < m->columnCount(); ++c)
        add(where + QStringLiteral(" heading"), m->headerData(c, Qt::Horizontal).toString());
      for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
          add(where + QStringLiteral(" item"), m->index(r, c).data().toString());
    }
  }
  std::multimap<QString, QString> words_;
};

class EnglishWindowsTest : public test_support::StartedMainWindow {
 protected:
  EnglishWindowsTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 9, 5, 0)) {
    // The delivered data, so that the search finds trains and the hotel list has hotels.
    folder.write_file("ravolinh.dat",
                      test_support::read_whole_file(kProgramFolder + "/ravolinh.dat"));
    for (const char* file : {data::kHelpFileName, kEnglishHelpFileName, data::kPlaceNamesFileName})
      folder.write_file(file, test_support::read_whole_file(kProgramFolder + "/" + file));
    language = text::Language::kEnglish;
  }
  void SetUp() override {
    ASSERT_TRUE(
        ui::use_language(*qApp, text::Language::kEnglish, QString::fromStdString(kProgramFolder)));
    start_main();
  }
  void TearDown() override {
    ui::use_language(*qApp, text::Language::kJapanese, QString());
    app.reset();
    flush_deletes();
  }

  // Data the windows show as they stand: names of stations, areas and districts without an
  // English form, hotel names and entries.
  QStringList data_words() const {
    QStringList words;
    const auto station = [&](const std::string& name) {
      if (!name.empty() && !state->place_names.english(name)) words << QString::fromStdString(name);
    };
    for (const auto& direction : state->schedule.sin.station_name)
      for (const std::string& name : direction) station(name);
    for (const auto& schedule : state->schedule.keiyo.station_name)
      for (const std::string& name : schedule) station(name);
    for (const std::string& name : state->districts.name) station(name);
    for (int i = 1; i <= state->hotels.total(); ++i) {
      const hotels::HotelEntry& e = state->hotels.entry[static_cast<std::size_t>(i)];
      station(e.area);
      station(e.district);
      for (const std::string* f : {&e.name, &e.access, &e.price, &e.remarks})
        if (!f->empty()) words << QString::fromStdString(*f);
    }
    // Longest first, so that a name inside a longer one does not leave half of it behind.
    std::sort(words.begin(), words.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return words;
  }

  // Looks at every window now open and notes the Japanese left in it.
  void look() {
    const QStringList data = data_words();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (!top->isVisible() || top->objectName().isEmpty()) continue;
      seen_windows.insert(top->objectName());
      Words words;
      words.window(top);
      for (const auto& [where, text] : words.all()) {
        QString rest = text;
        for (const QString& d : data) rest.remove(d);
        if (has_japanese(rest))
          japanese[top->objectName()].insert(where + QStringLiteral(": ") + text);
      }
    }
  }

  static QWidget* top_level(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->objectName() == QLatin1String(name)) return top;
    return nullptr;
  }
  static void click(QWidget* window, const char* button) {
    if (!window) return;
    if (auto* b = window->findChild<QPushButton*>(QString::fromLatin1(button)); b && b->isEnabled())
      QTest::mouseClick(b, Qt::LeftButton);
  }

  std::set<QString> seen_windows;
  std::map<QString, std::set<QString>> japanese;  // window → "where: text"
};

QString listed(const std::map<QString, std::set<QString>>& found, const QString& window) {
  QString out;
  const auto it = found.find(window);
  if (it == found.end()) return out;
  for (const QString& line : it->second) out += line + QLatin1Char('\n');
  return out;
}

// Every window of the program, by its objectName. The district selection (ravolin7) opens
// only for an area of more than five districts, which the delivered data does not have.
const char* const kEveryWindow[] = {
    "ravolin1",  "ravolin4",  "ravolin5",  "ravolin6",  "ravolin9",  "ravolin11",
    "ravolin12", "ravolin13", "ravolin14", "ravolin15", "ravolin21", "ravolin22",
    "ravolin23", "ravolin24", "ravolin25", "ravolin26", "ravolin30", "help_window"};

TEST_F(EnglishWindowsTest, EveryWindowShowsNoJapaneseOfItsOwn) {
  look();  // the main window
  {
    // The loading window, as start-up shows it.
    board::LoadingWindow loading(*state, board::kLoadingStartup);
    loading.show();
    look();
  }
  app->open_full_schedule(1);
  app->open_full_schedule(2);
  look();
  app->open_passing_stations(2, main->selected_line(2));
  look();
  app->open_version();
  app->open_correction();
  look();
  app->open_settings();
  ASSERT_NE(app->settings_window(), nullptr);
  look();
  auto* station_box = app->settings_window()->findChild<QLineEdit*>(QStringLiteral("Text5"));
  app->open_station_picker(app->settings_window(), settings::kPickSinkansenStation, station_box,
                           [] {});
  look();
  app->open_station_picker(app->settings_window(), settings::kPickKeiyoStation, station_box, [] {});
  look();
  app->settings_window()->end_proc();

  app->open_search();
  ASSERT_NE(app->search_window(), nullptr);
  look();
  QTest::mouseClick(app->search_window()->findChild<QPushButton*>(QStringLiteral("Command3")),
                    Qt::LeftButton);  // the calendar
  look();
  QTest::mouseClick(app->search_window()->findChild<QPushButton*>(QStringLiteral("Command1")),
                    Qt::LeftButton);  // the search, with the settings' stations
  look();
  app->open_diagram();
  look();

  app->open_hotel_search();
  ASSERT_NE(app->hotel_search_window(), nullptr);
  look();
  // The area picker ("?"), then the hotel list of its first area.
  click(app->hotel_search_window(), "Command3");
  look();
  if (QWidget* picker = top_level("ravolin15")) {
    if (auto* areas = picker->findChild<QListWidget*>(QStringLiteral("List1"));
        areas && areas->count())
      areas->setCurrentRow(0);
    click(picker, "Command3");
  }
  click(app->hotel_search_window(), "Command1");
  look();
  app->open_user_hotels();
  ASSERT_NE(app->user_hotels_window(), nullptr);
  app->open_hotel_editor(*app->user_hotels_window(), -1);
  look();

  // The help window as F1 and the help menu open it.
  ui::HelpWindow help_window;
  help_window.load(state->help_path());
  help_window.show_topic(105);
  help_window.show();
  look();

  for (const char* window : kEveryWindow)
    EXPECT_TRUE(seen_windows.count(QString::fromLatin1(window))) << window << " was not opened";
  for (const QString& window : seen_windows) {
    const QString lines = listed(japanese, window);
    if (!lines.isEmpty())
      ADD_FAILURE() << "Japanese in " << window.toStdString() << ":\n" << lines.toStdString();
  }
}

TEST_F(EnglishWindowsTest, HelpOpensTheEnglishFileWithTheTopicsOfTheJapaneseOne) {
  app->open_help_contents();
  ASSERT_FALSE(help.calls().empty());
  EXPECT_EQ(help.calls().back().path, folder.file(kEnglishHelpFileName));

  ui::HelpFile japanese_file, english_file;
  text::Message error;
  ASSERT_TRUE(ui::read_help_file(folder.file(data::kHelpFileName), japanese_file, error))
      << error.in(text::Language::kEnglish);
  ASSERT_TRUE(ui::read_help_file(folder.file(kEnglishHelpFileName), english_file, error))
      << error.in(text::Language::kEnglish);
  std::set<int> japanese_topics, english_topics;
  for (const auto& t : japanese_file.topics) japanese_topics.insert(t.number);
  for (const auto& t : english_file.topics) {
    english_topics.insert(t.number);
    EXPECT_FALSE(has_japanese(QString::fromStdString(t.title + t.text))) << t.number;
  }
  EXPECT_EQ(english_topics, japanese_topics);

  // F1 on the settings window's topic reads English.
  ui::HelpWindow window;
  ASSERT_TRUE(window.load(state->help_path()));
  window.show_topic(105);
  EXPECT_TRUE(window.shown_text().startsWith(QStringLiteral("Settings\n")))
      << window.shown_text().toStdString();
}

}  // namespace
}  // namespace ravolin::app
