// SPDX-License-Identifier: MIT
// Every window of the program, opened the way the program opens it, read as a screen
// reader reads it (QAccessible) and walked with Tab as a keyboard user walks it: each
// control the focus can reach has a name of its own in its window, a box with a hint has
// it as its description, and Tab visits every control once and comes back round.
#include "app/navigator.h"
#include "board/about_text.h"
#include "board/board.h"
#include "diagram/contrast.h"
#include "gui/board/loading_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/help_window.h"
#include "gui/common/readable_colours.h"
#include "gui/diagram/diagram_window.h"
#include "gui/hotels/hotel_edit_window.h"
#include "gui/hotels/hotel_search_window.h"
#include "gui/hotels/user_hotels_window.h"
#include "gui/settings/settings_window.h"
#include "gui/settings/station_picker_window.h"
#include "settings/settings_file.h"
#include "settings/station_picker.h"

#include "search/search_window_fixture.h"
#include "support/data_builder.h"
#include "support/started_main_window.h"
#include "support/visible_texts_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Texts in the messages of failed checks.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace ravolin::ui {
namespace {

class EveryWindow;

// A window of the program and how a user gets to it.
struct WindowCase {
  const char* name;
  std::function<QWidget*(EveryWindow&)> open;
  int help_topic = 0;  // the topic F1 opens (0: the window has none)
};

void PrintTo(const WindowCase& c, std::ostream* out) { *out << c.name; }

std::string object_name(const QWidget* w) {
  return w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                   : w->objectName().toStdString();
}

// The open window of the program with this objectName.
QWidget* shown_window(const char* name) {
  for (QWidget* w : QApplication::allWidgets())
    if (w->isWindow() && w->isVisible() && w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

// The controls of `window` that Tab can reach (enabled or not): the ones of its own, not
// of windows opened over it, and not the inner part of a control that stands for it.
std::vector<QWidget*> focusable_controls(QWidget* window) {
  std::vector<QWidget*> out;
  for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
    if (w->window() != window || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisible()) continue;
    if (w->focusProxy()) continue;
    out.push_back(w);
  }
  return out;
}

QString accessible_text(QWidget* w, QAccessible::Text which) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  return iface ? iface->text(which) : QString();
}

bool is_text_box(const QWidget* w) {
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return !e->isReadOnly();
  if (auto* e = qobject_cast<const QPlainTextEdit*>(w)) return !e->isReadOnly();
  if (auto* e = qobject_cast<const QTextEdit*>(w)) return !e->isReadOnly();
  return false;
}

// Texts the window shows that the user cannot change: labels and read-only boxes.
std::map<QWidget*, QString> shown_texts(QWidget* window) {
  std::map<QWidget*, QString> out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !w->isVisible()) continue;
    if (auto* l = qobject_cast<QLabel*>(w)) out[w] = l->text();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w); e && e->focusPolicy() == Qt::NoFocus)
      out[w] = e->toPlainText();
    if (auto* e = qobject_cast<QLineEdit*>(w); e && e->isReadOnly()) out[w] = e->text();
  }
  return out;
}

void focus(QWidget* w) {
  w->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
}

// The text boxes that show a hint: a placeholder, or a text of the window (its hint line)
// that changes with the box that has the focus.
std::set<QWidget*> boxes_with_hints(QWidget* window, const std::vector<QWidget*>& controls) {
  std::set<QWidget*> out;
  std::map<QWidget*, std::map<QWidget*, QString>> seen;  // box -> shown texts
  for (QWidget* c : controls) {
    if (!is_text_box(c) || !c->isEnabled()) continue;
    if (auto* e = qobject_cast<QLineEdit*>(c); e && !e->placeholderText().isEmpty()) out.insert(c);
    focus(c);
    seen[c] = shown_texts(window);
  }
  for (const auto& [box, texts] : seen)
    for (const auto& [shown, text] : texts) {
      if (text.isEmpty()) continue;
      bool changes = false;
      for (const auto& [other, other_texts] : seen) {
        const auto it = other_texts.find(shown);
        changes = changes || (other != box && it != other_texts.end() && it->second != text);
      }
      if (changes) out.insert(box);
    }
  return out;
}

// What a screen reader user misses in `window`, one line per control.
std::vector<std::string> naming_problems(QWidget* window) {
  std::vector<std::string> problems;
  const std::string where = object_name(window) + " ";
  const std::vector<QWidget*> controls = focusable_controls(window);
  std::map<QString, std::vector<QWidget*>> by_name;
  for (QWidget* c : controls) {
    const QString name = accessible_text(c, QAccessible::Name).trimmed();
    if (name.isEmpty())
      problems.push_back(where + object_name(c) + ": no accessible name");
    else
      by_name[name].push_back(c);
  }
  for (const auto& [name, named] : by_name) {
    if (named.size() < 2) continue;
    std::string list;
    for (QWidget* c : named) list += " " + object_name(c);
    problems.push_back(where + "name \"" + name.toStdString() + "\" shared by" + list);
  }
  for (QWidget* box : boxes_with_hints(window, controls))
    if (accessible_text(box, QAccessible::Description).trimmed().isEmpty())
      problems.push_back(where + object_name(box) + ": shows a hint but has no description");
  return problems;
}

// The Tab stop a control belongs to: the control itself, or for an option of a group of
// options the group, which Tab enters at its chosen option (the arrow keys move in it).
const QObject* tab_stop(QWidget* control) {
  auto* option = qobject_cast<QRadioButton*>(control);
  if (!option) return control;
  if (option->group() && option->group()->exclusive()) return option->group();
  return option->autoExclusive() ? option->parent() : control;
}

// What a keyboard user meets walking `window` with Tab from its first control.
std::vector<std::string> focus_chain_problems(QWidget* window) {
  std::vector<std::string> problems;
  const std::string where = object_name(window) + " ";
  std::map<const QObject*, std::string> stops;  // stop -> its controls' names
  QWidget* first = nullptr;
  for (QWidget* c : focusable_controls(window)) {
    if (!c->isEnabled()) continue;
    if (!first) first = c;
    stops[tab_stop(c)] += (stops[tab_stop(c)].empty() ? "" : " ") + object_name(c);
  }
  if (!first) return problems;
  focus(first);
  std::map<const QObject*, int> visits;
  std::string path = object_name(first);
  QWidget* at = first;
  for (std::size_t step = 0; step < stops.size(); ++step) {
    if (!at->hasFocus()) problems.push_back(where + object_name(at) + ": focused but not shown");
    ++visits[tab_stop(at)];
    QTest::keyClick(at, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != window) {
      problems.push_back(where + "Tab leaves the window after " + path);
      return problems;
    }
    path += " > " + object_name(next);
    if (auto* option = qobject_cast<QRadioButton*>(next); option && !option->isChecked())
      for (QObject* sibling : option->parent()->children())
        if (auto* other = qobject_cast<QRadioButton*>(sibling);
            other && other->isChecked() && option->autoExclusive())
          problems.push_back(where + "Tab enters the options at " + object_name(option) +
                             ", not at the chosen " + object_name(other));
    at = next;
  }
  if (at != first) problems.push_back(where + "Tab does not come back round: " + path);
  for (const auto& [stop, names] : stops) {
    const int n = visits[stop];
    if (n != 1)
      problems.push_back(where + names + ": reached " + std::to_string(n) +
                         " times in one round of Tab: " + path);
  }
  return problems;
}

// A name as a screen reader says it: without the access key marks of a caption.
QString without_access_keys(QString text) {
  text.remove(QLatin1Char('&'));
  return text.simplified();
}

// What Orca says as a control's name: the texts of the labels that label it (leaving out
// the frame it sits in), or, when nothing labels it, its own name.
QString spoken_name(QWidget* w) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  if (!iface) return {};
  QStringList labels;
  for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
    auto* by = qobject_cast<QWidget*>(label->object());
    if (by && by->isAncestorOf(w)) continue;
    labels << label->text(QAccessible::Name);
  }
  return without_access_keys(labels.isEmpty() ? iface->text(QAccessible::Name)
                                              : labels.join(QLatin1Char(' ')));
}

// Controls a screen reader names otherwise than the window named them: a unit ("分")
// or a value spoken where the name belongs.
std::vector<std::string> spoken_name_problems(QWidget* window) {
  std::vector<std::string> problems;
  for (QWidget* c : focusable_controls(window)) {
    const QString given = without_access_keys(c->accessibleName());
    if (given.isEmpty()) continue;
    const QString spoken = spoken_name(c);
    if (spoken != given)
      problems.push_back(object_name(window) + " " + object_name(c) + ": named \"" +
                         given.toStdString() + "\" but spoken as \"" + spoken.toStdString() + "\"");
  }
  return problems;
}

// Receivers of a button's clicked signal (QObject::receivers is protected).
struct ButtonPeek : QPushButton {
  static int clicked_receivers(const QPushButton* b) {
    return (b->*(&ButtonPeek::receivers))(SIGNAL(clicked(bool)));
  }
};

// Buttons that do nothing when pressed: captions, which a screen reader must not offer as
// buttons and Tab must not stop at.
std::vector<std::string> caption_problems(QWidget* window) {
  std::vector<std::string> problems;
  for (QPushButton* b : window->findChildren<QPushButton*>()) {
    if (b->window() != window || !b->isVisible() || !b->isEnabled()) continue;
    if (ButtonPeek::clicked_receivers(b) > 0 || b->menu()) continue;
    const std::string where =
        object_name(window) + " " + object_name(b) + " (" + b->text().toStdString() + "): ";
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b);
    if (iface && iface->role() == QAccessible::Button)
      problems.push_back(where + "does nothing but is exposed as a button");
    if (b->focusPolicy() & Qt::TabFocus) problems.push_back(where + "does nothing but takes focus");
  }
  return problems;
}

std::string lines(const std::vector<std::string>& problems) {
  std::string out;
  for (const std::string& p : problems) out += "\n  " + p;
  return out;
}

// The program started on the small folder with saved search conditions, a Monday morning.
class EveryWindow : public test_support::StartedMainWindow,
                    public ::testing::WithParamInterface<WindowCase> {
 protected:
  EveryWindow() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 9, 5, 0)) {}
  void SetUp() override {
    // Hotels in six districts of 東京／羽田, so that the hotel list offers 地区の絞り込み.
    data::SourceFiles sources = test_support::small_sources(1);
    sources["districts.txt"] = "京橋\n銀座\n新橋\n日本橋\n八重洲\n丸の内\n名駅\n梅田\n";
    std::string hotels;
    for (const char* district : {"京橋", "銀座", "新橋", "日本橋", "八重洲", "丸の内"})
      hotels += std::string("東京／羽田 | ") + district + " | " + district +
                "ホテル | 03-000-0000 | 100 | 駅前 | \\9,000 | ○\n";
    sources["hotels.txt"] = hotels;
    ASSERT_TRUE(test_support::write_data_file(folder.data_path(), sources));
    std::string error;
    ASSERT_TRUE(
        settings::put_ini_file(folder.settings_path(), search::testing::saved_conditions(), error))
        << error;
    start_main();
  }
  void TearDown() override {
    owned_.reset();
    app.reset();
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    flush_deletes();
  }
  // The window of this case, shown and active.
  QWidget* open_window() {
    QWidget* w = GetParam().open(*this);
    EXPECT_NE(w, nullptr) << GetParam().name << " did not open";
    if (!w) return nullptr;
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << object_name(w);
    return w;
  }
  static void click(QWidget* window, const char* button) {
    auto* b = window ? window->findChild<QAbstractButton*>(QString::fromLatin1(button)) : nullptr;
    EXPECT_NE(b, nullptr) << button;
    if (b) b->click();
    flush_deletes();
  }
  QWidget* hotel_list() {
    app->open_hotel_search();
    QWidget* search = app->hotel_search_window();
    if (!search) return nullptr;
    search->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("東京／羽田"));
    click(search, "Command1");
    return shown_window("ravolin6");
  }

  friend struct Openers;
  std::unique_ptr<QWidget> owned_;  // a window the test opens itself
};

struct Openers {
  static QWidget* main(EveryWindow& t) { return t.main; }
  static QWidget* schedule(EveryWindow& t) {
    t.app->open_full_schedule(board::kModeSinkansen);
    return t.app->schedule_window();
  }
  static QWidget* passing(EveryWindow& t) {
    t.app->open_passing_stations(board::kModeSinkansen, 0);
    return t.app->passing_window();
  }
  static QWidget* version(EveryWindow& t) {
    t.app->open_version();
    return t.app->version_window();
  }
  static QWidget* correction(EveryWindow& t) {
    t.app->open_correction();
    return t.app->correction_window();
  }
  static QWidget* settings(EveryWindow& t) {
    t.app->open_settings();
    return t.app->settings_window();
  }
  static QWidget* station_picker(EveryWindow& t) {
    t.app->open_search();
    QWidget* search = t.app->search_window();
    auto* box = search->findChild<QLineEdit*>(QStringLiteral("Text1"));
    t.app->open_station_picker(search, settings::kPickBoardingStation, box, {});
    return t.app->station_picker();
  }
  static QWidget* search(EveryWindow& t) {
    t.app->open_search();
    return t.app->search_window();
  }
  static QWidget* calendar(EveryWindow& t) {
    t.app->open_search();
    EveryWindow::click(t.app->search_window(), "Command3");
    return shown_window("ravolin4");
  }
  static QWidget* results(EveryWindow& t) {
    t.app->open_search();
    EveryWindow::click(t.app->search_window(), "Command1");
    return t.app->results_window();
  }
  static QWidget* hotel_search(EveryWindow& t) {
    t.app->open_hotel_search();
    return t.app->hotel_search_window();
  }
  static QWidget* hotel_list(EveryWindow& t) { return t.hotel_list(); }
  static QWidget* districts(EveryWindow& t) {
    EveryWindow::click(t.hotel_list(), "Command3");
    return shown_window("ravolin7");
  }
  static QWidget* area_picker(EveryWindow& t) {
    t.app->open_hotel_search();
    EveryWindow::click(t.app->hotel_search_window(), "Command3");
    return shown_window("ravolin15");
  }
  static QWidget* user_hotels(EveryWindow& t) {
    t.app->open_user_hotels();
    return t.app->user_hotels_window();
  }
  static QWidget* hotel_edit(EveryWindow& t) {
    t.app->open_user_hotels();
    if (!t.app->user_hotels_window()) return nullptr;
    t.app->open_hotel_editor(*t.app->user_hotels_window(), -1);
    return t.app->hotel_edit_window();
  }
  static QWidget* diagram(EveryWindow& t) {
    t.app->open_diagram();
    return t.app->diagram_window();
  }
  static QWidget* help(EveryWindow& t) {
    auto* window = new HelpWindow;
    t.owned_.reset(window);
    window->load(t.state->help_path());
    window->show_contents();
    window->show();
    return window;
  }
  static QWidget* loading(EveryWindow& t) {
    t.owned_ = std::make_unique<board::LoadingWindow>(*t.state, board::kLoadingSearch);
    t.owned_->show();
    return t.owned_.get();
  }
};

const WindowCase kWindows[] = {
    {"main", &Openers::main, 101},
    {"schedule", &Openers::schedule, 124},
    {"passing", &Openers::passing, 123},
    {"version", &Openers::version, 109},
    {"correction", &Openers::correction, 121},
    {"settings", &Openers::settings, 105},
    {"station_picker", &Openers::station_picker, 122},
    {"search", &Openers::search, 125},
    {"calendar", &Openers::calendar, 104},
    {"results", &Openers::results, 126},
    {"hotel_search", &Openers::hotel_search, 112},
    {"hotel_list", &Openers::hotel_list, 106},
    {"districts", &Openers::districts, 107},
    {"area_picker", &Openers::area_picker, 115},
    {"user_hotels", &Openers::user_hotels, 113},
    {"hotel_edit", &Openers::hotel_edit, 114},
    {"diagram", &Openers::diagram, 130},
    {"loading", &Openers::loading, 102},
    {"help", &Openers::help, 0},
};

TEST_P(EveryWindow, EachControlHasANameOfItsOwnAndItsHintAsDescription) {
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  const std::vector<std::string> problems = naming_problems(w);
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

TEST_P(EveryWindow, TabVisitsEachControlOnceAndComesBackRound) {
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  const std::vector<std::string> problems = focus_chain_problems(w);
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

TEST_P(EveryWindow, EachControlIsSpokenByTheNameItWasGiven) {
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  const std::vector<std::string> problems = spoken_name_problems(w);
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

TEST_P(EveryWindow, IsExposedAsAWindowAndItsCaptionsAsTexts) {
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  ASSERT_NE(iface, nullptr);
  EXPECT_TRUE(iface->role() == QAccessible::Window || iface->role() == QAccessible::Dialog)
      << object_name(w) << " has the role " << iface->role();
  EXPECT_EQ(iface->text(QAccessible::Name), w->windowTitle());
  const std::vector<std::string> problems = caption_problems(w);
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

TEST_P(EveryWindow, F1InEveryControlOpensTheHelpTopicOfTheWindow) {
  if (GetParam().help_topic == 0) GTEST_SKIP() << "no help topic";
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  std::vector<QWidget*> places;
  for (QWidget* c : focusable_controls(w))
    if (c->isEnabled()) places.push_back(c);
  ASSERT_FALSE(places.empty());
  for (QWidget* c : places) {
    focus(c);
    help.clear();
    QWidget* at = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(at, Qt::Key_F1);
    std::vector<int> topics;
    for (const auto& call : help.calls())
      if (call.what == "topic" && call.path == state->help_path()) topics.push_back(call.topic);
    EXPECT_EQ(topics, std::vector<int>{GetParam().help_topic}) << "F1 in " << object_name(at);
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindow, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                           return std::string(info.param.name);
                         });

// The same windows in English: every name is translated, and two must not become one.
class EveryEnglishWindow : public EveryWindow {
 protected:
  void SetUp() override {
    ASSERT_TRUE(english_.installed());
    language = text::Language::kEnglish;
    EveryWindow::SetUp();
  }
  test_support::EnglishTranslation english_;
};

TEST_P(EveryEnglishWindow, EachControlHasANameOfItsOwnAndItsHintAsDescription) {
  QWidget* w = open_window();
  ASSERT_NE(w, nullptr);
  std::vector<std::string> problems = naming_problems(w);
  for (std::string& p : spoken_name_problems(w)) problems.push_back(std::move(p));
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

INSTANTIATE_TEST_SUITE_P(EnglishWindows, EveryEnglishWindow, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                           return std::string(info.param.name);
                         });

// What a keyboard user does where a mouse user double-clicks, the order Tab takes, and
// what a screen reader is told of menus, prices and the area picker's instruction.
class KeyboardFlow : public EveryWindow {
 protected:
  static QWidget* shown(QWidget* w) {
    if (!w) return nullptr;
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    return w;
  }
  template <typename Control>
  static Control* child(QWidget* window, const char* name) {
    auto* c = window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  // The names of the controls Tab visits from `from`, once round.
  static std::vector<std::string> tab_path(QWidget* from) {
    std::vector<std::string> path;
    focus(from);
    QWidget* at = from;
    do {
      path.push_back(object_name(at));
      QTest::keyClick(at, Qt::Key_Tab);
      at = QApplication::focusWidget();
    } while (at && at != from && path.size() < 40);
    return path;
  }
};

TEST_F(KeyboardFlow, TheResultsOpenOnTheTextsAndEnterOnAConnectionShowsItInTheDiagram) {
  QWidget* w = shown(Openers::results(*this));
  ASSERT_NE(w, nullptr);
  auto* report = child<QPlainTextEdit>(w, "Text1");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(QApplication::focusWidget(), report);
  EXPECT_EQ(tab_path(report),
            (std::vector<std::string>{"Text1", "Text2", "Command1", "Command2", "Command3"}));
  EXPECT_TRUE(report->toolTip().contains(QStringLiteral("Enter")))
      << report->toolTip().toStdString();

  // Enter on a connection's line shows it in the diagram.
  focus(report);
  QTextCursor cursor = report->textCursor();
  cursor.movePosition(QTextCursor::Start);
  report->setTextCursor(cursor);
  QTest::keyClick(report, Qt::Key_Return);
  for (int line = 1; line < report->blockCount() && !app->diagram_window(); ++line) {
    cursor.movePosition(QTextCursor::NextBlock);
    report->setTextCursor(cursor);
    QTest::keyClick(report, Qt::Key_Return);
  }
  EXPECT_NE(app->diagram_window(), nullptr);
}

TEST_F(KeyboardFlow, F4OrAltDownInAStationBoxOpensTheStationPicker) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } keys[] = {{Qt::Key_F4, Qt::NoModifier}, {Qt::Key_Down, Qt::AltModifier}};
  for (const auto& k : keys) {
    for (const auto& [open, box] :
         {std::pair{&Openers::settings, "Text5"}, std::pair{&Openers::settings, "Text1"},
          std::pair{&Openers::search, "Text1"}, std::pair{&Openers::search, "Text6"}}) {
      QWidget* w = shown(open(*this));
      auto* station = child<QLineEdit>(w, box);
      ASSERT_NE(station, nullptr);
      focus(station);
      QTest::keyClick(station, k.key, k.modifiers);
      EXPECT_NE(app->station_picker(), nullptr) << object_name(w) << " " << box;
      if (app->station_picker()) app->station_picker()->close();
      w->close();
      flush_deletes();
    }
  }
  // The hints say so.
  QWidget* settings = shown(Openers::settings(*this));
  EXPECT_TRUE(child<QLineEdit>(settings, "Text5")->accessibleDescription().contains("F4"));
}

TEST_F(KeyboardFlow, UpAndDownMoveThroughOptionsLaidOutInARow) {
  QWidget* w = shown(Openers::search(*this));
  ASSERT_NE(w, nullptr);
  QRadioButton* options[3];
  for (int i = 0; i < 3; ++i) {
    options[i] = child<QRadioButton>(w, ("Option" + std::to_string(i + 1)).c_str());
    ASSERT_NE(options[i], nullptr);
  }
  options[0]->setChecked(true);
  focus(options[0]);
  QTest::keyClick(options[0], Qt::Key_Down);
  EXPECT_TRUE(options[1]->hasFocus() && options[1]->isChecked());
  QTest::keyClick(options[1], Qt::Key_Down);
  EXPECT_TRUE(options[2]->hasFocus() && options[2]->isChecked());
  QTest::keyClick(options[2], Qt::Key_Up);
  EXPECT_TRUE(options[1]->hasFocus() && options[1]->isChecked());
}

TEST_F(KeyboardFlow, TheAreaPickerGoesFromItsRegionsToItsListsToItsButtons) {
  state->settings.control9_flg = 4;  // 東京エリア chosen last time
  QWidget* w = shown(Openers::area_picker(*this));
  ASSERT_NE(w, nullptr);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  // 選択確定 and 取消 are disabled until an area is selected.
  EXPECT_EQ(tab_path(QApplication::focusWidget()),
            (std::vector<std::string>{"Option4", "List1", "List2", "Command1"}));

  // The instruction: inert, readable, and said with the list that has the focus at first.
  auto* guide = child<QLineEdit>(w, "Text1");
  ASSERT_NE(guide, nullptr);
  EXPECT_FALSE(guide->focusPolicy() & Qt::TabFocus);
  const QPalette::ColorGroup group = guide->isEnabled() ? QPalette::Active : QPalette::Disabled;
  const auto rgb = [](const QColor& c) {
    return board::Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue())};
  };
  EXPECT_GE(board::contrast_ratio(rgb(guide->palette().color(group, QPalette::Text)),
                                  rgb(guide->palette().color(group, QPalette::Base))),
            board::kReadableContrast);
  EXPECT_EQ(child<QWidget>(w, "List1")->accessibleDescription(), guide->text());
}

TEST_F(KeyboardFlow, MenuEntriesAreNamedWithoutTheirAccessKeyMarks) {
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(main->menuBar());
  ASSERT_NE(bar, nullptr);
  int entries = 0;
  const auto check = [&](QAccessibleInterface* item, const QString& caption) {
    EXPECT_EQ(item->text(QAccessible::Name), without_access_keys(caption)) << caption.toStdString();
    ++entries;
  };
  for (int i = 0; i < bar->childCount(); ++i) {
    QAccessibleInterface* menu_item = bar->child(i);
    ASSERT_NE(menu_item, nullptr);
    auto* action = qobject_cast<QAction*>(menu_item->object());
    ASSERT_NE(action, nullptr);
    check(menu_item, action->text());
    ASSERT_NE(action->menu(), nullptr);
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(action->menu());
    for (int k = 0; k < menu->childCount(); ++k) {
      auto* entry = qobject_cast<QAction*>(menu->child(k)->object());
      if (entry && !entry->isSeparator()) check(menu->child(k), entry->text());
    }
  }
  EXPECT_EQ(entries, 4 + 11);
}

TEST_F(KeyboardFlow, PricesAreSpokenWithTheYenSign) {
  QWidget* w = shown(Openers::hotel_list(*this));
  ASSERT_NE(w, nullptr);
  auto* grid = child<QTableWidget>(w, "MSFlexGrid1");
  ASSERT_NE(grid, nullptr);
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
  ASSERT_NE(table, nullptr);
  int prices = 0;
  for (int r = 0; r < grid->rowCount(); ++r)
    for (int c = 0; c < grid->columnCount(); ++c) {
      const QString shown_text = grid->item(r, c)->text();
      if (!shown_text.contains(QLatin1Char('\\'))) continue;
      ++prices;
      QString yen = shown_text;
      yen.replace(QLatin1Char('\\'), QChar(0x00A5));
      EXPECT_EQ(table->cellAt(r, c)->text(QAccessible::Name), yen);
    }
  EXPECT_EQ(prices, 6);
}

// A dark palette as GTK's Adwaita:dark gives it, with the highlight a board line had.
QPalette dark_palette() {
  const std::pair<QPalette::ColorRole, QRgb> colours[] = {
      {QPalette::Window, 0x353535},    {QPalette::WindowText, 0xeeeeec},
      {QPalette::Base, 0x2d2d2d},      {QPalette::Text, 0xeeeeec},
      {QPalette::Button, 0x353535},    {QPalette::ButtonText, 0xeeeeec},
      {QPalette::Highlight, 0x2f8ac3}, {QPalette::HighlightedText, 0xffffff}};
  QPalette p;
  for (const auto& [role, rgb] : colours) p.setColor(role, QColor::fromRgb(rgb));
  return p;
}

// The highest contrast against `ground` of the pixels of `image` in `area`.
double best_contrast(const QImage& image, const QRect& area, const QColor& ground) {
  double best = 1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y))
        best = std::max(best, contrast(image.pixelColor(x, y), ground));
  return best;
}

TEST_F(KeyboardFlow, TheSelectedAndTheCurrentBoardLineReadInLightAndDarkPalettes) {
  auto* list = child<QListWidget>(main, "List1");
  ASSERT_NE(list, nullptr);
  ASSERT_GE(list->count(), 1);
  QPalette light;
  light.setColor(QPalette::Highlight, QColor(0x2f, 0x8a, 0xc3));
  light.setColor(QPalette::HighlightedText, Qt::white);
  for (const QPalette& palette : {light, dark_palette()}) {
    list->setPalette(palette);
    shown(main);
    focus(list);
    list->setCurrentRow(0);  // current and selected
    QImage image = list->viewport()->grab().toImage();
    const QRect selected = list->visualItemRect(list->item(0));
    // The highlight at the line's right end, where no text is.
    const QColor highlight = image.pixelColor(selected.right() - 4, selected.center().y());
    EXPECT_GE(contrast(highlight, palette.color(QPalette::HighlightedText)), kTextContrast)
        << highlight.name().toStdString();

    list->clearSelection();  // the line stays current
    image = list->viewport()->grab().toImage();
    const QRect current = list->visualItemRect(list->item(0));
    // The outline down the line's left edge.
    EXPECT_GE(best_contrast(image, QRect(current.left(), current.center().y(), 4, 1),
                            palette.color(QPalette::Base)),
              kMarkContrast);
  }
}

TEST(ReadableMarks, TheRingOfAnOptionAndTheBoxOfACheckBoxReadInADarkPalette) {
  ui::use_readable_marks();
  const QPalette palette = dark_palette();
  for (auto element : {QStyle::PE_IndicatorRadioButton, QStyle::PE_IndicatorCheckBox}) {
    QStyleOptionButton option;
    option.palette = palette;
    option.rect = QRect(0, 0, 16, 16);
    option.state = QStyle::State_Enabled | QStyle::State_Off;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(palette.color(QPalette::Window));
    QPainter painter(&image);
    QApplication::style()->drawPrimitive(element, &option, &painter);
    painter.end();
    // Across the mark's left edge at its middle.
    EXPECT_GE(best_contrast(image, QRect(0, 8, 5, 1), palette.color(QPalette::Window)),
              kMarkContrast)
        << element;
  }
}
}  // namespace
}  // namespace ravolin::ui
