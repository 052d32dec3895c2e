// SPDX-License-Identifier: MIT
#include "support/visible_texts_window.h"

#include "gui/common/translation.h"
#include "text/language.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace ravolin::test_support {

namespace {

bool japanese_char(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF)     // punctuation, hiragana, katakana
         || (c >= 0x3400 && c <= 0x4DBF)  // kanji, extension A
         || (c >= 0x4E00 && c <= 0x9FFF)  // kanji
         || (c >= 0xF900 && c <= 0xFAFF)  // compatibility kanji
         || (c >= 0xFF01 && c <= 0xFF9F)  // full-width forms, half-width kana
         || (c >= 0x20000 && c <= 0x2FA1F);
}

class Collector {
 public:
  explicit Collector(std::vector<VisibleText>& out) : out_(out) {}

  void add(const QString& where, const QString& text) {
    if (!text.trimmed().isEmpty()) out_.push_back({where, text});
  }

  void menu(const QString& where, const QMenu* menu) {
    add(where + QStringLiteral(" title"), menu->title());
    actions(where, menu->actions());
  }

  void actions(const QString& where, const QList<QAction*>& actions) {
    for (const QAction* a : actions) {
      if (!a->isVisible() || a->isSeparator()) continue;
      const QString at = where + QLatin1Char('/') + a->objectName();
      if (a->menu()) {
        menu(at, a->menu());
        continue;
      }
      add(at + QStringLiteral(" text"), a->text());
      if (a->toolTip() != QString(a->text()).remove(QLatin1Char('&')))
        add(at + QStringLiteral(" tooltip"), a->toolTip());
    }
  }

  void cells(const QString& where, const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int c = 0; c < model->columnCount(); ++c)
      add(where + QStringLiteral(" heading %1").arg(c),
          model->headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < model->rowCount(); ++r)
      for (int c = 0; c < model->columnCount(); ++c)
        add(where + QStringLiteral(" item %1,%2").arg(r).arg(c),
            model->index(r, c).data().toString());
  }

  void control(const QString& where, const QWidget* w) {
    add(where + QStringLiteral(" tooltip"), w->toolTip());
    add(where + QStringLiteral(" accessible name"), w->accessibleName());
    add(where + QStringLiteral(" accessible description"), w->accessibleDescription());
    if (const auto* label = qobject_cast<const QLabel*>(w)) add(where, label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) add(where, button->text());
    if (const auto* frame = qobject_cast<const QGroupBox*>(w)) add(where, frame->title());
    if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
      add(where, box->text());
      add(where + QStringLiteral(" placeholder"), box->placeholderText());
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(w)) add(where, text->toPlainText());
    if (const auto* text = qobject_cast<const QTextEdit*>(w)) add(where, text->toPlainText());
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
      for (int i = 0; i < combo->count(); ++i)
        add(where + QStringLiteral(" choice %1").arg(i), combo->itemText(i));
    if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
      for (int i = 0; i < tabs->count(); ++i)
        add(where + QStringLiteral(" tab %1").arg(i), tabs->tabText(i));
    if (const auto* bar = qobject_cast<const QProgressBar*>(w); bar && bar->isTextVisible())
      add(where, bar->text());
    if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) cells(where, view);
    if (const auto* bar = qobject_cast<const QMenuBar*>(w)) actions(where, bar->actions());
  }

 private:
  std::vector<VisibleText>& out_;
};

QString path_of(const QWidget* w, const QWidget* window) {
  QString path = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                           : w->objectName();
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
      path = p->objectName() + QLatin1Char('/') + path;
  return path;
}

}  // namespace

bool has_japanese(const QString& text) {
  for (const char32_t c : text.toUcs4())
    if (japanese_char(c)) return true;
  return false;
}

std::vector<VisibleText> visible_texts(const QWidget* window) {
  std::vector<VisibleText> out;
  Collector collect(out);
  collect.add(QStringLiteral("window title"), window->windowTitle());
  collect.control(QStringLiteral("window"), window);
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    // Menus are read through the menu bar; the parts Qt builds inside a control
    // (viewports, scroll bars of a list) say nothing of their own.
    if (qobject_cast<const QMenu*>(w) || w->isWindow() || !w->isVisibleTo(window)) continue;
    if (w->objectName().startsWith(QLatin1String("qt_"))) continue;
    collect.control(path_of(w, window), w);
  }
  return out;
}

std::vector<VisibleText> japanese_texts(const QWidget* window, const QStringList& data) {
  std::vector<VisibleText> out;
  for (VisibleText& t : visible_texts(window)) {
    QString rest = t.text;
    for (const QString& d : data) rest.remove(d);
    if (has_japanese(rest)) out.push_back(std::move(t));
  }
  return out;
}

QString listed(const std::vector<VisibleText>& texts) {
  QString out;
  for (const VisibleText& t : texts)
    out += t.where + QStringLiteral(": ") + t.text + QLatin1Char('\n');
  return out;
}

EnglishTranslation::EnglishTranslation() {
  installed_ = ui::use_language(*QCoreApplication::instance(), text::Language::kEnglish,
                                QStringLiteral(RAVOLIN_PROGRAM_DIR "/tokaido"));
}

EnglishTranslation::~EnglishTranslation() {
  ui::use_language(*QCoreApplication::instance(), text::Language::kJapanese, QString());
}

}  // namespace ravolin::test_support
