// SPDX-License-Identifier: MIT
// Every window of the program, opened the way the program opens it, read as a screen
// reader reads it (QAccessible) and walked with Tab as a keyboard user walks it: each
// control the focus can reach has a name of its own in its window, a box with a hint has
// it as its description, and Tab visits every control once and comes back round.
#include "app/navigator.h"
#include "board/about_text.h"
#include "board/board.h"
#include "gui/board/loading_window.h"
#include "gui/board/passing_window.h"
#include "gui/board/schedule_window.h"
#include "gui/board/version_window.h"
#include "gui/calendar/correction_window.h"
#include "gui/common/help_window.h"
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
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ravolin::ui {
namespace {

class EveryWindow;

// A window of the program and how a user gets to it.
struct WindowCase {
  const char* name;
  std::function<QWidget*(EveryWindow&)> open;
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
    {"main", &Openers::main},
    {"schedule", &Openers::schedule},
    {"passing", &Openers::passing},
    {"version", &Openers::version},
    {"correction", &Openers::correction},
    {"settings", &Openers::settings},
    {"station_picker", &Openers::station_picker},
    {"search", &Openers::search},
    {"calendar", &Openers::calendar},
    {"results", &Openers::results},
    {"hotel_search", &Openers::hotel_search},
    {"hotel_list", &Openers::hotel_list},
    {"districts", &Openers::districts},
    {"area_picker", &Openers::area_picker},
    {"user_hotels", &Openers::user_hotels},
    {"hotel_edit", &Openers::hotel_edit},
    {"diagram", &Openers::diagram},
    {"loading", &Openers::loading},
    {"help", &Openers::help},
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
  const std::vector<std::string> problems = naming_problems(w);
  EXPECT_TRUE(problems.empty()) << lines(problems);
}

INSTANTIATE_TEST_SUITE_P(EnglishWindows, EveryEnglishWindow, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace ravolin::ui
