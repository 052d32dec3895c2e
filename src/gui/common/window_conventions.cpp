// SPDX-License-Identifier: MIT
#include "gui/common/window_conventions.h"

#include "gui/common/accessibility.h"
#include "state/app_state.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ravolin::ui {

int twips_to_pixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int pixels_to_twips(int pixels, double dpi) {
  if (dpi <= 0) dpi = 96.0;
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

double logical_dpi(const QWidget* w) {
  const QScreen* screen = w ? w->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  return dpi > 0 ? dpi : 96.0;
}

int tw(const QWidget* w, int twips) { return twips_to_pixels(twips, logical_dpi(w)); }

QPushButton* command_button(QWidget* parent, const char* name, const QString& caption, int left,
                            int top, int width, int height) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(tw(parent, left), tw(parent, top), tw(parent, width), tw(parent, height));
  b->setAutoDefault(true);
  return b;
}

void show_text(QLineEdit* box, const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (box->text() != t) box->setText(t);
}

void bring_forward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void place_window(QWidget* window, const settings::WindowPos& pos) {
  const double dpi = logical_dpi(window);
  QPoint p(twips_to_pixels(pos.left, dpi), twips_to_pixels(pos.top, dpi));
  QScreen* screen = QGuiApplication::screenAt(p);
  if (!screen) {
    // Off every screen: take the screen nearest to the point.
    long best = std::numeric_limits<long>::max();
    for (QScreen* s : QGuiApplication::screens()) {
      const QRect g = s->availableGeometry();
      const long dx = std::max({0, g.left() - p.x(), p.x() - g.right()});
      const long dy = std::max({0, g.top() - p.y(), p.y() - g.bottom()});
      if (dx * dx + dy * dy < best) {
        best = dx * dx + dy * dy;
        screen = s;
      }
    }
  }
  if (screen) {
    const QRect g = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const int max_x = std::max(g.left(), g.right() + 1 - size.width());
    const int max_y = std::max(g.top(), g.bottom() + 1 - size.height());
    p.setX(std::clamp(p.x(), g.left(), max_x));
    p.setY(std::clamp(p.y(), g.top(), max_y));
  }
  window->move(p);
}

void store_position(const QWidget* window, settings::WindowPos& pos) {
  const double dpi = logical_dpi(window);
  const auto clamp16 = [](int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
  };
  pos.left = clamp16(pixels_to_twips(window->x(), dpi));
  pos.top = clamp16(pixels_to_twips(window->y(), dpi));
}

QString text_box_text(const std::string& crlf_text) {
  QString s = QString::fromStdString(crlf_text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (s.endsWith(QLatin1Char('\n'))) s.chop(1);
  return s;
}

QString plain_tooltip(const QString& text) {
  if (text.isEmpty()) return text;  // no tooltip at all
  return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

QString plain_tooltip(const std::string& text) {
  return plain_tooltip(QString::fromStdString(text));
}

void show_plain(QLabel* label) { label->setTextFormat(Qt::PlainText); }

QString caption_text(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void fit_access_key_entries(QMenu* menu) {
  const QFontMetrics metrics(menu->font());
  int marks = 0;
  for (const QAction* a : menu->actions())
    marks = std::max(marks, static_cast<int>(a->text().count(QLatin1Char('&'))));
  menu->setMinimumWidth(menu->sizeHint().width() +
                        marks * metrics.horizontalAdvance(QLatin1Char('&')));
}

QFont gothic_font(int pixel_size) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                    QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
  font.setPixelSize(pixel_size + (pixel_size % 2));
  font.setStyleHint(QFont::TypeWriter);
  font.setKerning(false);
  return font;
}

void help_on_f1(QWidget* window, app::AppState& state, int help_topic) {
  expose_program_interfaces();
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window, [&state, help_topic] {
    state.help().show_topic(state.help_path(), help_topic);
  });
  key->setObjectName(QStringLiteral("help_key"));
  key->setContext(Qt::WindowShortcut);
}

namespace {
// One Tab stop per group of options: the chosen one, or each while none is chosen.
void set_option_stops(const QWidget* group) {
  const QList<QRadioButton*> options =
      group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  const bool chosen = std::any_of(options.begin(), options.end(),
                                  [](const QRadioButton* o) { return o->isChecked(); });
  for (QRadioButton* o : options)
    if (o->autoExclusive())
      o->setFocusPolicy(!chosen || o->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}
}  // namespace

void tab_enters_options_at_chosen(QWidget* window) {
  for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
    QWidget* group = option->parentWidget();
    QObject::connect(option, &QAbstractButton::toggled, group,
                     [group] { set_option_stops(group); });
    set_option_stops(group);
  }
}

KeyConventions::KeyConventions(QWidget* window) : QObject(window) {}

void KeyConventions::escape_closes(QWidget* control, std::function<void()> close_step) {
  escape_[control] = std::move(close_step);
  control->installEventFilter(this);
}

void KeyConventions::enter_checks(QLineEdit* box, std::function<bool()> check, QWidget* next) {
  enter_[box] = EnterRule{std::move(check), next};
  box->installEventFilter(this);
}

void KeyConventions::select_all_on_focus(QLineEdit* box) {
  select_all_[box] = true;
  box->installEventFilter(this);
}

void KeyConventions::double_click_runs(QWidget* control, std::function<void()> action) {
  double_click_[control] = std::move(action);
  control->installEventFilter(this);
}

void KeyConventions::picker_keys(QWidget* control, std::function<void()> open_picker) {
  picker_[control] = std::move(open_picker);
  control->installEventFilter(this);
}

void KeyConventions::options_in_a_row(std::initializer_list<QRadioButton*> options) {
  const std::vector<QRadioButton*> row(options);
  for (QRadioButton* option : row) {
    row_[option] = row;
    option->installEventFilter(this);
  }
}

bool KeyConventions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) ||
        (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier)) {
      const auto it = picker_.find(watched);
      if (it != picker_.end()) {
        const auto open = it->second;  // a copy: the picker may close this window
        open();
        return true;
      }
    }
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
        key->modifiers() == Qt::NoModifier) {
      const auto it = row_.find(watched);
      if (it != row_.end()) {
        const std::vector<QRadioButton*>& row = it->second;
        const auto at = std::find(row.begin(), row.end(), watched);
        const auto n = static_cast<std::ptrdiff_t>(row.size());
        const std::ptrdiff_t step = key->key() == Qt::Key_Down ? 1 : n - 1;
        QRadioButton* next = row[static_cast<std::size_t>(((at - row.begin()) + step) % n)];
        next->setFocus(Qt::TabFocusReason);
        next->click();
        return true;
      }
    }
    if (key->key() == Qt::Key_Escape) {
      const auto it = escape_.find(watched);
      if (it != escape_.end()) {
        // Copy: the close step may close and delete the window (and this filter).
        const auto close_step = it->second;
        close_step();
        return true;
      }
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
        (key->key() == Qt::Key_J && key->modifiers() == Qt::ControlModifier)) {
      const auto it = enter_.find(watched);
      if (it != enter_.end()) {
        const EnterRule rule = it->second;
        if (rule.check && rule.check() && rule.next) rule.next->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    const auto it = double_click_.find(watched);
    if (it != double_click_.end()) {
      const auto action = it->second;  // a copy: the action may close the window
      action();
      return true;
    }
  } else if (event->type() == QEvent::FocusIn && select_all_.count(watched)) {
    auto* box = static_cast<QLineEdit*>(watched);
    // After the focus event: a mouse click would otherwise place the cursor again.
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ravolin::ui
