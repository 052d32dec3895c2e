// SPDX-License-Identifier: MIT
// What every window of the program does the same way, written once:
// positions kept in twips in the settings, the fixed-pitch Japanese font, and the
// keyboard rules (Escape runs the window's close step, Enter checks the field and moves
// on, a text box selects its whole text when it gets the focus).
#pragma once

#include "settings/settings.h"

#include <QFont>
#include <QObject>
#include <QPoint>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ravolin::app {
class AppState;
}

namespace ravolin::ui {

inline constexpr int kTwipsPerInch = 1440;

// Twips <-> device-independent pixels at a logical DPI (96 on most screens).
int twips_to_pixels(int twips, double dpi);
int pixels_to_twips(int pixels, double dpi);
// The logical DPI of the widget's screen (of the primary screen when it has none yet).
double logical_dpi(const QWidget* w);
// Twips -> pixels for a widget's screen.
int tw(const QWidget* w, int twips);

// Moves the window to the stored top/left, kept on a visible screen: a position that
// would put the window off every screen is pulled back onto the nearest one.
void place_window(QWidget* window, const settings::WindowPos& pos);
// Stores the window's current top/left (in twips, within the 16-bit range).
void store_position(const QWidget* window, settings::WindowPos& pos);

// A push button named `name`, placed and sized in twips, that Enter presses while it has
// the focus.
QPushButton* command_button(QWidget* parent, const char* name, const QString& caption, int left,
                            int top, int width, int height);

// Puts `text` into the box unless it holds it already: setting the same text again would
// move the cursor and drop the selection.
void show_text(QLineEdit* box, const std::string& text);

// Shows a window opened from another one in front of it, with the focus.
void bring_forward(QWidget* window);

// A text of CR LF-ended lines as a multi-line text box holds it: LF between the lines and
// no empty line after the last one.
QString text_box_text(const std::string& crlf_text);

// Texts from a file or the user are shown as they are, never read as markup. Qt takes a
// tooltip or a label text that looks like HTML ("<b>x</b>", "<img src=...>") for HTML and
// would render it, loading what it names: a tooltip goes in escaped as one plain
// paragraph (blanks and line breaks kept), and a label is set to plain text.
QString plain_tooltip(const QString& text);
QString plain_tooltip(const std::string& text);
void show_plain(QLabel* label);
// A text from the data or the user for a caption that takes an access key (a button, a
// frame title, a label with a buddy): each "&" doubled, so that it shows as itself rather
// than marking the next character as a key ("Hotel & Inn" stays as written).
QString caption_text(const std::string& text);

// The fixed-pitch Japanese Gothic font: "ＭＳ ゴシック", "MS Gothic", "IPAGothic",
// "Noto Sans Mono CJK JP", in that order. Pixel sizes are even, so full-width glyphs
// are exactly two half-width ones wide.
QFont gothic_font(int pixel_size = 12);

// Menu entries carry two access keys, one for each keyboard layout ("(&S&ﾄ)"). The menu
// sizes an entry as if its text held one "&" but draws it with all of them counted, and
// so cuts the longer entries short with an ellipsis. Call once the menu holds all its
// entries: it widens the menu by the width of the "&" marks, so every entry shows whole.
void fit_access_key_entries(QMenu* menu);

// F1 in any control of the window opens the window's topic of the help file (in the
// language of the windows). Every window calls it once, as it is built.
void help_on_f1(QWidget* window, app::AppState& state, int help_topic);

// Tab enters each group of options of the window at its chosen option, as the arrow
// keys leave it (Qt only starts doing so once the group has had the focus). Call it once
// the window's options are built; it follows every later choice.
void tab_enters_options_at_chosen(QWidget* window);

// Keyboard conventions of one window. Create one per window (parented to it) and
// register its controls.
class KeyConventions final : public QObject {
  Q_OBJECT
 public:
  explicit KeyConventions(QWidget* window);

  // Escape (character 27) in this control runs the window's close step.
  void escape_closes(QWidget* control, std::function<void()> close_step);
  // Enter (or line feed) in this text box runs check (true = accepted); when accepted
  // the focus moves to next (if given). A refused check leaves the focus where it is.
  void enter_checks(QLineEdit* box, std::function<bool()> check, QWidget* next = nullptr);
  // The text box selects its whole text whenever it gets the focus.
  void select_all_on_focus(QLineEdit* box);
  // A double-click on this control runs action (a picker for the box, as a rule) and goes
  // no further.
  void double_click_runs(QWidget* control, std::function<void()> action);
  // What a double-click on this box opens (a picker) also opens from the keyboard, with
  // F4 or Alt+Down as a combo box opens its list.
  void picker_keys(QWidget* control, std::function<void()> open_picker);
  // Options laid out in a row: Up and Down move through them as Left and Right do (the
  // focus moves on and chooses the option), from the first to the last and round.
  void options_in_a_row(std::initializer_list<QRadioButton*> options);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct EnterRule {
    std::function<bool()> check;
    QWidget* next = nullptr;
  };
  std::map<QObject*, std::function<void()>> escape_;
  std::map<QObject*, EnterRule> enter_;
  std::map<QObject*, bool> select_all_;
  std::map<QObject*, std::function<void()>> double_click_;
  std::map<QObject*, std::function<void()>> picker_;
  std::map<QObject*, std::vector<QRadioButton*>> row_;
};

}  // namespace ravolin::ui
